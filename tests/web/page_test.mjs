// The browser page in headless Chromium, driven as a person would: typed
// into the form, opened from links. Every table, error and chart point it
// shows must be what the native program prints for the same arguments.
// Usage: node page_test.mjs PAGE.html NATIVE_PROGRAM
import { spawnSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import assert from 'node:assert/strict';
import puppeteer from 'puppeteer-core';

const [page_, native] = process.argv.slice(2);
const url = pathToFileURL(page_).href;
const CP850 = { 0x81: 'ü', 0x84: 'ä', 0x94: 'ö', 0xe1: 'ß' };

function program(args) {
  const r = spawnSync(native, args, { argv0: 'wiedergewinnszeit' });
  return { status: r.status, text: [...r.stdout].map((b) => CP850[b] ?? String.fromCharCode(b)).join(''),
    html: r.stdout.toString('utf8') };
}
const cellsOf = (html) => [...html.matchAll(/<t([dh])(?: class="(\w+)")?[^>]*>(.*?)<\/t[dh]>/g)]
  .map((m) => `${m[2] ?? m[1]}:${m[3].replace(/<br>/g, ' ').replace(/&nbsp;/g, '\u00a0')}`);
const errorsOf = (text) => text.split('\n').filter((l) => l.startsWith(' Fehler ')).map((l) => l.trim());

// typed: what goes into the fields, in form order (kosten, strompreis, vorher,
// hinterher, zins, inflation, betriebsdauer); args: the command line it means.
const CASES = [
  { typed: ['100', '0.24', '50', '40'], args: ['100', '0.24', '50', '40'] },
  { typed: ['100', '0,24', '50', '40', '5', '2,5', '8'],
    args: ['100', '0.24', '50', '40', '-z', '5', '-i', '2.5', '-a', '8'] },
  { typed: ['300', '0.30', '0', '-100', '', '', '12'], args: ['300', '0.30', '0', '-100', '-a', '12'] },
  { typed: ['100', '0.24', '50', '40', '30'], args: ['100', '0.24', '50', '40', '-z', '30'] },
  { typed: ['438', '0.5', '50', '40', '10'], args: ['438', '0.5', '50', '40', '-z', '10'] },
  { typed: ['100', '0.24', '50', '40', '', '', '0'], args: ['100', '0.24', '50', '40', '-a', '0'] },
  { typed: ['100', '0.24', '50', '50,0'], args: ['100', '0.24', '50', '50.0'] },
  { typed: ['100', '3e38', '50', '40'], args: ['100', '3e38', '50', '40'] },
];
const FIELDS = ['kosten', 'strompreis', 'vorher', 'hinterher', 'zins', 'inflation', 'betriebsdauer'];

const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'] });
const outside = [], dialogs = [];
async function open(address) {
  const page = await browser.newPage();
  page.on('request', (r) => /^(file|data|blob):/.test(r.url()) || outside.push(r.url()));
  page.on('dialog', (d) => { dialogs.push(d.message()); d.dismiss(); });
  page.on('pageerror', (e) => assert.fail(`script error: ${e.message}`));
  await page.goto(address);
  await page.waitForFunction('window.wgzReady');
  return page;
}
const shown = (page) => page.$eval('#ergebnis', (e) => ({ html: e.innerHTML, text: e.textContent }));

const page = await open(url);
for (const c of CASES) {
  for (const [i, id] of FIELDS.entries()) {
    await page.click(`#${id}`, { count: 3 });
    await page.keyboard.press('Backspace');
    await page.type(`#${id}`, c.typed[i] ?? '');
  }
  const expected = program([...c.args, '-h']), got = await shown(page);
  if (expected.status === 0) assert.deepEqual(cellsOf(got.html), cellsOf(expected.html), c.args.join(' '));
  else assert.deepEqual(got.text.split('\n'), errorsOf(expected.text), c.args.join(' '));
  assert.doesNotMatch(got.text + await page.$eval('#diagramm', (e) => e.textContent), /NaN|undefined/);
  assert.equal(await page.$eval('#befehlszeile', (e) => e.textContent), ['wiedergewinnszeit', ...c.args].join(' '));

  // The link holds the command line; opened, it shows the same.
  const hash = await page.evaluate(() => location.hash);
  assert.equal(hash, '#' + c.args.map(encodeURIComponent).join('%20'));
  const linked = await open(url + hash);
  assert.deepEqual(await shown(linked), got);
  assert.deepEqual(await linked.$$eval('input', (all) => all.map((e) => e.value)),
    c.typed.map((t) => t.replace(',', '.')).concat(Array(7).fill('')).slice(0, 7));
  await linked.close();

  // Chart points: the payback the program prints at that price, in its last row.
  for (const line of await page.$$eval('#diagramm polyline', (all) => all.map((l) => ({ ...l.dataset })))) {
    const prices = line.preise.split(' '), years = line.jahre.split(' ');
    for (const i of [0, prices.length >> 1, prices.length - 1]) {
      const row = cellsOf(program([c.args[0], prices[i], ...c.args.slice(2), '-h']).html)
        .filter((cell) => cell.startsWith('zeit:'));
      assert.equal(`zeit:${years[i]}`, row[row.length - 1], `${c.args.join(' ')} at ${prices[i]}`);
    }
  }
}

// A crafted link shows text at most and runs nothing.
const crafted = await open(url + '#<img src=x onerror=alert(1)>');
assert.equal(await crafted.$$eval('img, #ergebnis *:not(p)', (e) => e.length), 0);
await crafted.close();
// A link to the examples shows them, as -bh writes them, and leaves the form empty.
const examples = await open(url + '#-bh');
assert.equal(await examples.$$eval('#ergebnis li table', (e) => e.length), 7);
assert.deepEqual(await examples.$$eval('input', (all) => all.map((e) => e.value).join('')), '');
await examples.close();
assert.deepEqual(dialogs, []);
assert.deepEqual(outside, []);
await browser.close();
console.log(`${CASES.length} passed, 0 failed`);
