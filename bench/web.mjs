// The browser page in each engine the browser test uses, against a
// reference page that holds nothing but one static table, its input field
// and an SVG: the most any page can do here. Reports the page's size, the
// time from navigation to the first table and the median time of one
// recalculation per keystroke (input event handled and layout done), each
// also as a ratio to the reference in the same engine and run; and in
// Chromium the cumulative layout shift at load; then keystrokes after a
// megabyte pasted into a field.
// Usage: node bench/web.mjs [build-web/wiedergewinnszeit.html]
// after `npm ci` in tests/web, whose engines and packages it uses.
import { mkdtempSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { ENGINES } from '../tests/web/engines.mjs';

const file = process.argv[2] ?? 'build-web/wiedergewinnszeit.html';
const LINK = '#100%200.24%2050%2040%20-z%205%20-i%202.5%20-a%208';
const LOADS = 15, KEYSTROKES = 1000;  // as keystrokes() types them (20 batches of 50), in all rounds

// Its keystroke writes the field's value into the table and redraws the
// SVG from fixed points: the least a page showing both can do.
const reference = join(mkdtempSync(join(tmpdir(), 'wgz-bench-')), 'referenz.html');
writeFileSync(reference, `<!doctype html><html lang="de"><meta charset="utf-8"><title>Referenz</title>
<input id="strompreis"><div id="tabelle"></div><svg id="kurve" viewBox="0 0 600 340" width="600"></svg>
<script>
const points = Array.from({ length: 121 }, (_, i) => \`\${i * 5},\${(i * i) % 340}\`).join(' ');
const show = (price) => {
  document.getElementById('tabelle').innerHTML = \`<table><tr><th>Strompreis</th><th>Wiedergewinnszeit</th></tr>
    <tr><td>\${price}</td><td>21.89</td></tr></table>\`;
  document.getElementById('kurve').innerHTML = \`<polyline fill="none" stroke="black" points="\${points}"/>\`;
};
document.getElementById('strompreis').addEventListener('input', (e) => show(e.target.value));
show('0.24');
window.wgzReady = performance.now();
</script></html>`);

const median = (v) => [...v].sort((a, b) => a - b)[v.length >> 1];
const readyAt = () => window.wgzReady;
const layoutShift = () => new Promise((resolve) => {
  if (!PerformanceObserver.supportedEntryTypes.includes('layout-shift')) { resolve(null); return; }
  let sum = 0;
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) if (!entry.hadRecentInput) sum += entry.value;
  }).observe({ type: 'layout-shift', buffered: true });
  setTimeout(() => resolve(sum), 500);
});
// 4 batches of 50 keystrokes, each timed as a whole: Firefox and WebKit
// give performance.now() in whole milliseconds, which over 50 keystrokes is
// 0.02 ms each, a small part even of the reference's keystroke.
const keystrokes = () => {
  const field = document.getElementById('strompreis'), times = [];
  for (let batch = 0; batch < 4; batch++) {
    const start = performance.now();
    for (let i = 0; i < 50; i++) {
      field.value = (0.1 + i / 100).toFixed(2);
      field.dispatchEvent(new Event('input', { bubbles: true }));
      void document.body.offsetHeight;
    }
    times.push((performance.now() - start) / 50);
  }
  return times;
};

// Page and reference take turns, so that whatever else the machine does
// weighs on both alike.
const ROUNDS = 5;
// After a megabyte pasted into the cost: keystrokes in that field and in
// another, each timed alone.
const afterPaste = () => {
  const cost = document.getElementById('kosten'), price = document.getElementById('strompreis'), times = [];
  cost.value = '1'.repeat(1 << 20);
  cost.dispatchEvent(new Event('input', { bubbles: true }));
  for (let i = 0; i < 20; i++) {
    const field = i % 2 === 0 ? cost : price, start = performance.now();
    field.value += String(i % 10);
    field.dispatchEvent(new Event('input', { bubbles: true }));
    void document.body.offsetHeight;
    times.push(performance.now() - start);
  }
  return times;
};

async function measure(tab, addresses) {
  const results = addresses.map(() => ({ loads: [], keystrokes: [], shift: null }));
  for (let round = 0; round < ROUNDS; round++) {
    for (const [i, address] of addresses.entries()) {
      for (let load = 0; load < LOADS / ROUNDS; load++) {
        await tab.load(address);
        results[i].loads.push(await tab.run(readyAt));
      }
      if (round === 0) results[i].shift = await tab.run(layoutShift);
      results[i].keystrokes.push(...await tab.run(keystrokes));
    }
  }
  return results.map((r) => ({ load: median(r.loads), shift: r.shift, keystroke: median(r.keystrokes) }));
}

console.log(`page size: ${(statSync(file).size / 1024).toFixed(1)} KiB`);
for (const engine of ENGINES) {
  const tab = await engine.start();
  if (typeof tab === 'string') {
    console.log(`${engine.name}: skipped (${tab})`);
    continue;
  }
  try {
    const [page, ref] = await measure(tab, [pathToFileURL(file).href + LINK, pathToFileURL(reference).href]);
    console.log(`${engine.name}: navigation to first table: median ${page.load.toFixed(1)} ms of ${LOADS}` +
      ` (reference ${ref.load.toFixed(1)} ms, ratio ${(page.load / ref.load).toFixed(2)})`);
    console.log(`${engine.name}: recalculation with chart: median ${page.keystroke.toFixed(2)} ms of ${KEYSTROKES}` +
      ` (reference ${ref.keystroke.toFixed(2)} ms, ratio ${(page.keystroke / ref.keystroke).toFixed(2)})`);
    if (page.shift !== null) console.log(`${engine.name}: cumulative layout shift at load: ${page.shift.toFixed(4)}`);
    await tab.load(pathToFileURL(file).href + LINK);
    const pasted = await tab.run(afterPaste);
    console.log(`${engine.name}: keystroke after a megabyte pasted: median ${median(pasted).toFixed(1)} ms,` +
      ` slowest ${Math.max(...pasted).toFixed(1)} ms of ${pasted.length}`);
  } finally {
    await tab.stop();
  }
}
