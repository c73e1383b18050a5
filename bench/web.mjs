// The browser page as a person feels it: its size; Lighthouse in its
// mobile profile (a simulated mid-range phone), three runs over http on
// loopback; one keystroke to its updated answer, table and chart, layout
// included, with one offer and with three, in each engine the browser test uses (Chromium with its CPU
// slowed 4x, as DevTools does); the layout shift of 20 loads at a phone's
// and a desktop's width; and keystrokes after a megabyte pasted.
// Usage: node bench/web.mjs [build-web/wiedergewinnszeit.html]
// after `npm ci` in tests/web (engines, puppeteer) and in bench (Lighthouse).
import { execFile } from 'node:child_process';
import { mkdtempSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { promisify } from 'node:util';
import { CHROMIUM, CHROMIUM_ARGS, ENGINES } from '../tests/web/engines.mjs';

const file = process.argv[2] ?? 'build-web/wiedergewinnszeit.html';
const LINK = '#100%200.24%2050%2040%20-z%205%20-i%202.5%20-a%208';
// Three fridges compared over ten years, with the old one kept as well.
const OFFERS = '#200%200.27%20420%2021.689497&vorher-kwh=420&hinterher-kwh=190&nutzungsdauer=10&angebote=3'
  + '&angebot2-kosten=300&angebot2-leistung-kwh=143&angebot3-kosten=450&angebot3-leistung-kwh=95';
const LIGHTHOUSE = join(dirname(fileURLToPath(import.meta.url)), 'node_modules/.bin/lighthouse');
const LIGHTHOUSE_RUNS = 3, SHIFT_LOADS = 20, CPU_SLOWDOWN = 4;
// The browser test's Chromium, with its flags.
const CHROMIUM_FLAGS = ['--headless=new', ...CHROMIUM_ARGS].join(' ');

const median = (v) => [...v].sort((a, b) => a - b)[v.length >> 1];

// 20 batches of 50 keystrokes, each batch timed as a whole: Firefox and
// WebKit give performance.now() in whole milliseconds, 0.02 ms over 50.
// Each key's answer is made at once (settle: what the page does after the
// key's paint), and reading the layout after it makes the browser lay the
// page out.
const keystrokes = () => {
  const field = document.getElementById('strompreis'), times = [];
  for (let batch = 0; batch < 20; batch++) {
    const start = performance.now();
    for (let i = 0; i < 50; i++) {
      field.value = (0.1 + i / 100).toFixed(2);
      field.dispatchEvent(new Event('input', { bubbles: true }));
      window.wgzLater?.settle();
      void document.body.offsetHeight;
    }
    times.push((performance.now() - start) / 50);
  }
  return times;
};
// The same page, counting each call of a function of the module: how often
// a keystroke crosses into the core.
const COUNTING = `<script>{const instantiate=WebAssembly.instantiate;WebAssembly.instantiate=async(...args)=>{
const {instance,module}=await instantiate(...args);const exports={};for(const[name,value]of Object.entries(instance.exports))
exports[name]=typeof value==='function'?(...a)=>{window.wgzCalls=(window.wgzCalls??0)+1;return value(...a);}:value;
return{module,instance:{exports}};};}</script>`;
const countingPage = () => {
  const copy = join(mkdtempSync(join(tmpdir(), 'wgz-bench-')), 'zaehlend.html');
  writeFileSync(copy, readFileSync(file, 'utf8').replace('<head>', `<head>${COUNTING}`));
  return pathToFileURL(copy).href;
};
const crossings = () => {
  const field = document.getElementById('strompreis'), before = window.wgzCalls;
  for (let i = 0; i < 10; i++) {
    field.value = (0.2 + i / 100).toFixed(2);
    field.dispatchEvent(new Event('input', { bubbles: true }));
    window.wgzLater?.settle();
  }
  return (window.wgzCalls - before) / 10;
};

// After a megabyte pasted into the cost: keystrokes in that field and in
// another, each timed alone.
const afterPaste = () => {
  const cost = document.getElementById('kosten'), price = document.getElementById('strompreis'), times = [];
  cost.value = '1'.repeat(1 << 20);
  cost.dispatchEvent(new Event('input', { bubbles: true }));
  window.wgzLater?.settle();
  for (let i = 0; i < 20; i++) {
    const field = i % 2 === 0 ? cost : price, start = performance.now();
    field.value += String(i % 10);
    field.dispatchEvent(new Event('input', { bubbles: true }));
    window.wgzLater?.settle();
    void document.body.offsetHeight;
    times.push(performance.now() - start);
  }
  return times;
};
// The layout shift of a load, once the page has settled (Chromium only).
const layoutShift = () => new Promise((resolve) => {
  if (!PerformanceObserver.supportedEntryTypes.includes('layout-shift')) { resolve(null); return; }
  let sum = 0;
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) if (!entry.hadRecentInput) sum += entry.value;
  }).observe({ type: 'layout-shift', buffered: true });
  setTimeout(() => resolve(sum), 500);
});

// Lighthouse against the page served as a static server would, without
// compression.
async function lighthouse() {
  const page = readFileSync(file);
  const server = createServer((request, response) => {
    const found = request.url.split('?')[0] === '/wiedergewinnszeit.html';
    response.writeHead(found ? 200 : 404, { 'Content-Type': found ? 'text/html; charset=utf-8' : 'text/plain' });
    response.end(found ? page : 'nicht gefunden');
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/wiedergewinnszeit.html${LINK}`;
  try {
    for (let run = 1; run <= LIGHTHOUSE_RUNS; run++) {
      // Run beside this process's server, which must go on answering.
      const { stdout } = await promisify(execFile)(LIGHTHOUSE, [url, '--output=json', '--output-path=stdout',
        '--quiet', `--chrome-flags=${CHROMIUM_FLAGS}`], { env: { ...process.env, CHROME_PATH: CHROMIUM },
        maxBuffer: 1 << 28 });
      const report = JSON.parse(stdout);
      const scores = Object.values(report.categories).map((c) => `${c.id} ${Math.round(c.score * 100)}`);
      const failed = Object.values(report.audits)
        .filter((a) => ['binary', 'numeric', 'metricSavings'].includes(a.scoreDisplayMode) && a.score !== null && a.score < 0.9)
        .map((a) => a.id);
      const audit = (id) => report.audits[id]?.numericValue;
      console.log(`Lighthouse run ${run}: ${scores.join(', ')}; failed: ${failed.join(', ') || 'none'};` +
        ` max-potential input delay ${Math.round(audit('max-potential-fid'))} ms,` +
        ` total blocking ${Math.round(audit('total-blocking-time'))} ms, LCP ${Math.round(audit('largest-contentful-paint'))} ms`);
    }
  } finally {
    server.close();
  }
}

console.log(`page size: ${(statSync(file).size / 1024).toFixed(1)} KiB (${statSync(file).size} bytes)`);
await lighthouse();
const address = pathToFileURL(file).href + LINK;
for (const engine of ENGINES) {
  const tab = await engine.start();
  if (typeof tab === 'string') {
    console.log(`${engine.name}: skipped (${tab})`);
    continue;
  }
  try {
    if (engine.name === 'Chromium') {
      await tab.load(countingPage() + OFFERS);
      console.log(`calls into the core for a keystroke with three offers and the old device: ${await tab.run(crossings)}`);
      await tab.load(countingPage() + LINK);
      console.log(`calls into the core for a keystroke with one device: ${await tab.run(crossings)}`);
      const shifts = [];
      for (const [width, height] of [[360, 800], [1280, 900]]) {
        await tab.resize(width, height);
        for (let load = 0; load < SHIFT_LOADS; load++) {
          await tab.load(address);
          shifts.push(await tab.run(layoutShift));
        }
      }
      console.log(`${engine.name}: layout shift at load, largest of ${shifts.length}: ${Math.max(...shifts).toFixed(4)}`);
      await tab.throttle(CPU_SLOWDOWN);
    }
    await tab.load(address);
    const times = await tab.run(keystrokes);
    const slowed = engine.name === 'Chromium' ? `, CPU slowed ${CPU_SLOWDOWN}x` : '';
    console.log(`${engine.name}: keystroke to answer, table and chart${slowed}: median ${median(times).toFixed(2)} ms,` +
      ` slowest batch ${Math.max(...times).toFixed(2)} ms (1000 keystrokes)`);
    await tab.load(pathToFileURL(file).href + OFFERS);
    const offered = await tab.run(keystrokes);
    console.log(`${engine.name}: keystroke with three offers and the old device${slowed}: median ${median(offered).toFixed(2)} ms,` +
      ` slowest batch ${Math.max(...offered).toFixed(2)} ms (1000 keystrokes)`);
    if (engine.name === 'Chromium') await tab.throttle(1);
    await tab.load(address);
    const pasted = await tab.run(afterPaste);
    console.log(`${engine.name}: keystroke after a megabyte pasted: median ${median(pasted).toFixed(1)} ms,` +
      ` slowest ${Math.max(...pasted).toFixed(1)} ms of ${pasted.length}`);
  } finally {
    await tab.stop();
  }
}
