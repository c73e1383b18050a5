// The browser page in Chromium, Firefox and WebKit, driven as a person
// would: typed into the form, opened from links. Every table, error and
// chart point it shows must be what the native program prints for the same
// arguments. The engine is a column: every case runs in each one installed.
// Usage: node page_test.mjs PAGE.html NATIVE_PROGRAM
// With WGZ_ALL_ENGINES=1 an engine that is not installed fails the test.
import { spawnSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import assert from 'node:assert/strict';
import { ENGINES } from './engines.mjs';

const [page_, native] = process.argv.slice(2);
const url = pathToFileURL(page_).href;

// The native program's output; text through iconv, the code page's own decoder.
function program(args) {
  const r = spawnSync(native, args, { argv0: 'wiedergewinnszeit' });
  const text = spawnSync('iconv', ['-f', 'CP850', '-t', 'UTF-8'], { input: r.stdout }).stdout.toString();
  return { status: r.status, text, html: r.stdout.toString('utf8') };
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

// Run in the page; they must not close over anything.
const shown = () => ({ html: document.getElementById('ergebnis').innerHTML,
  text: document.getElementById('ergebnis').textContent });
const state = () => ({ command: document.getElementById('befehlszeile').textContent,
  chart: document.getElementById('diagramm').textContent,
  fields: [...document.querySelectorAll('input')].map((e) => e.value),
  curves: [...document.querySelectorAll('#diagramm polyline')].map((l) => ({ ...l.dataset })),
  outside: performance.getEntriesByType('resource').map((r) => r.name).filter((n) => !/^(file|data|blob):/.test(n)),
  errors: window.wgzErrors });
const openExamples = () => { document.getElementById('rechenbeispiele').open = true; };
const examples = () => [...document.querySelectorAll('#beispiele li')].map((li) =>
  ({ command: li.querySelector('.code')?.textContent, table: li.querySelector('table')?.outerHTML }));

async function check(tab) {
  for (const c of CASES) {
    await tab.load(url);
    for (const [i, id] of FIELDS.entries()) await tab.replace(id, c.typed[i] ?? '');
    // The link holds the command line, once typing pauses.
    const link = '#' + c.args.map(encodeURIComponent).join('%20');
    await tab.waitFor((hash) => location.hash === hash, link);
    const expected = program([...c.args, '-h']), got = await tab.run(shown), now = await tab.run(state);
    if (expected.status === 0) assert.deepEqual(cellsOf(got.html), cellsOf(expected.html), c.args.join(' '));
    else assert.deepEqual(got.text.split('\n'), errorsOf(expected.text), c.args.join(' '));
    assert.doesNotMatch(got.text + now.chart, /NaN|undefined/);
    assert.equal(now.command, ['wiedergewinnszeit', ...c.args].join(' '));
    assert.deepEqual(now.errors, []);

    // Opened, the link shows the same.
    await tab.load(url + link);
    assert.deepEqual(await tab.run(shown), got);
    assert.deepEqual((await tab.run(state)).fields,
      c.typed.map((t) => t.replace(',', '.')).concat(Array(7).fill('')).slice(0, 7));

    // Chart points: the payback the program prints at that price, in its last row.
    for (const line of now.curves) {
      const prices = line.preise.split(' '), years = line.jahre.split(' ');
      for (const i of [0, prices.length >> 1, prices.length - 1]) {
        const row = cellsOf(program([c.args[0], prices[i], ...c.args.slice(2), '-h']).html)
          .filter((cell) => cell.startsWith('zeit:'));
        assert.equal(`zeit:${years[i]}`, row.at(-1), `${c.args.join(' ')} at ${prices[i]}`);
      }
    }
  }

  // A crafted link shows text at most and runs nothing.
  await tab.load(url + '#<img src=x onerror=alert(1)>');
  assert.equal(await tab.run(() => document.querySelectorAll('img, #ergebnis *:not(p)').length), 0);
  // A link to the examples shows them, as -bh writes them, and leaves the form empty.
  await tab.load(url + '#-bh');
  assert.equal(await tab.run(() => document.querySelectorAll('#ergebnis li table').length), 7);
  assert.equal((await tab.run(state)).fields.join(''), '');
  // The examples section, made when opened: each example's table is what the
  // program and the page give for the example's own command line.
  await tab.load(url);
  assert.equal(await tab.run(() => document.getElementById('beispiele').innerHTML), '');
  await tab.run(openExamples);
  const listed = await tab.waitFor(examples);
  assert.equal(listed.length, 7);
  // (The examples keep "8.00" and "Stunden" together with a no-break space.)
  const spaced = (html) => cellsOf(html).map((cell) => cell.replace(/\u00a0/g, ' '));
  for (const { command, table } of listed) {
    const args = command.split(' ').slice(1);
    assert.deepEqual(spaced(table), spaced(program([...args, '-h']).html), command);
    await tab.load(`${url}#${args.join('%20')}`);
    assert.deepEqual(spaced((await tab.run(shown)).html), spaced(table), command);
  }
  assert.deepEqual((await tab.run(state)).outside, []);
}

let ran = 0;
for (const engine of ENGINES) {
  const tab = await engine.start();
  if (typeof tab === 'string') {
    console.log(`${engine.name}: skipped (${tab})`);
    if (process.env.WGZ_ALL_ENGINES === '1') process.exitCode = 1;
    continue;
  }
  try {
    await check(tab);
    console.log(`${engine.name}: ${CASES.length} cases passed`);
    ran++;
  } finally {
    await tab.stop();
  }
}
if (ran === 0 && process.exitCode === undefined) process.exitCode = 77;
