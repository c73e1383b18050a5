// The browser page in headless Chromium: its size, the time from navigation
// to the first table, and the median time of one recalculation with its
// chart per keystroke (input event handled and layout done).
// Usage: node bench/web.mjs [build-web/wiedergewinnszeit.html]
// after `npm ci` in tests/web, whose puppeteer-core it uses.
import { statSync } from 'node:fs';
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';

const puppeteer = createRequire(new URL('../tests/web/package.json', import.meta.url))('puppeteer-core');

const file = process.argv[2] ?? 'build-web/wiedergewinnszeit.html';
const url = pathToFileURL(file).href + '#100%200.24%2050%2040%20-z%205%20-i%202.5%20-a%208';
const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--no-first-run'] });
const median = (v) => v.sort((a, b) => a - b)[v.length >> 1];

const loads = [];
for (let i = 0; i < 15; i++) {
  const page = await browser.newPage();
  await page.goto(url);
  await page.waitForFunction('window.wgzReady');
  loads.push(await page.evaluate(() => window.wgzReady));
  await page.close();
}
const page = await browser.newPage();
await page.goto(url);
await page.waitForFunction('window.wgzReady');
const keystrokes = await page.evaluate(() => {
  const field = document.getElementById('strompreis'), times = [];
  for (let i = 0; i < 200; i++) {
    const start = performance.now();
    field.value = (0.1 + (i % 50) / 100).toFixed(2);
    field.dispatchEvent(new Event('input', { bubbles: true }));
    void document.body.offsetHeight;
    times.push(performance.now() - start);
  }
  return times;
});
await browser.close();
console.log(`page size: ${(statSync(file).size / 1024).toFixed(1)} KiB`);
console.log(`navigation to first table: median ${median(loads).toFixed(1)} ms of ${loads.length} loads`);
console.log(`recalculation with chart: median ${median(keystrokes).toFixed(2)} ms of ${keystrokes.length} keystrokes`);
