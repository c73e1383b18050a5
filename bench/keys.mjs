// A typed key as Chromium itself measures it: Event Timing's duration of an
// interaction (key press to the next paint) and the processing time of its
// handlers, for trusted key presses, with the CPU slowed fourfold. Pages are
// measured alternately in one run, as this machine is noisy: one device,
// and three offers with the old device where the page can compare them;
// then what the page's size alone costs a key: the last page with its
// handlers emptied (input never reaches them), and a bare page with one
// input field.
// Usage: node bench/keys.mjs PAGE.html [PAGE.html ...]
// after `npm ci` in tests/web.
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { ENGINES } from '../tests/web/engines.mjs';

const pages = process.argv.slice(2);
const folder = mkdtempSync(join(tmpdir(), 'wgz-keys-'));
const EMPTIED = join(folder, 'ohne-handler.html'), BARE = join(folder, 'leer.html');
writeFileSync(EMPTIED, readFileSync(pages.at(-1), 'utf8').replace('<head>',
  '<head><script>addEventListener("input", (e) => e.stopImmediatePropagation(), true);</script>'));
writeFileSync(BARE, '<!DOCTYPE html><html lang="de"><title>leer</title><input id="strompreis"><script>window.wgzReady = 0;</script>');
const measured = [...pages, EMPTIED, BARE];
const NAMES = new Map([[EMPTIED, `${pages.at(-1)} with its handlers emptied`], [BARE, 'a bare page with one input field']]);
const LINK = '#100%200.24%2050%2040%20-z%205%20-i%202.5%20-a%208';
const OFFERS = '#200%200.27%20420%2021.689497&vorher-kwh=420&hinterher-kwh=190&nutzungsdauer=10&angebote=3'
  + '&angebot2-kosten=300&angebot2-leistung-kwh=143&angebot3-kosten=450&angebot3-leistung-kwh=95';
const ROUNDS = 3, KEYS = 24, CPU_SLOWDOWN = 4;
const median = (v) => [...v].sort((a, b) => a - b)[v.length >> 1];

// Run in the page: every event entry of an interaction, from now on.
const observe = () => {
  window.wgzEvents = [];
  new PerformanceObserver((list) => {
    for (const e of list.getEntries()) {
      if (e.interactionId > 0) window.wgzEvents.push({ id: e.interactionId, duration: e.duration, processing: e.processingEnd - e.processingStart });
    }
  }).observe({ type: 'event', durationThreshold: 16 });
};
// Each interaction's duration (its longest entry) and its handlers' time
// (all its entries); interactions under 16 ms report nothing and count as 16.
const interactions = () => {
  const byId = new Map();
  for (const { id, duration, processing } of window.wgzEvents) {
    const seen = byId.get(id) ?? { duration: 0, processing: 0 };
    byId.set(id, { duration: Math.max(seen.duration, duration), processing: seen.processing + processing });
  }
  return [...byId.values()];
};

const chromium = await ENGINES.find(({ name }) => name === 'Chromium').start();
if (typeof chromium === 'string') throw new Error(chromium);
const results = new Map();
try {
  await chromium.throttle(CPU_SLOWDOWN);
  for (let round = 0; round < ROUNDS; round++) {
    for (const page of measured) {
      for (const [what, link] of [['one device', LINK], ['three offers and the old device', OFFERS]]) {
        if (NAMES.has(page) && link !== LINK) continue;
        await chromium.load(pathToFileURL(page).href + link);
        if (what !== 'one device' && !(await chromium.run(() => document.getElementById('angebot3-kosten') !== null))) continue;
        await chromium.run(observe);
        // Digits typed one by one into the price, each a trusted key press.
        await chromium.replace('strompreis', `0,${'271828182845904523536028'.slice(0, KEYS - 2)}`);
        await new Promise((resolve) => setTimeout(resolve, 1000));
        const got = await chromium.run(interactions);
        const key = NAMES.has(page) ? NAMES.get(page) : `${page}: ${what}`;
        const all = results.get(key) ?? { duration: [], processing: [], typed: 0 };
        all.duration.push(...got.map(({ duration }) => duration), ...Array(Math.max(0, KEYS - got.length)).fill(16));
        all.processing.push(...got.map(({ processing }) => processing));
        results.set(key, all);
      }
    }
  }
} finally {
  await chromium.stop();
}
for (const [key, { duration, processing }] of results) {
  console.log(`${key}: interaction to next paint median ${median(duration).toFixed(0)} ms (${duration.length} keys),` +
    ` handlers median ${processing.length === 0 ? '–' : median(processing).toFixed(1)} ms`);
}
