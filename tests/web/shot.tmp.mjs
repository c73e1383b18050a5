import puppeteer from 'puppeteer-core';
import { CHROMIUM, CHROMIUM_ARGS } from './engines.mjs';
const [url, out, w, h, ...typing] = process.argv.slice(2);
const b = await puppeteer.launch({ headless: true, executablePath: CHROMIUM, args: CHROMIUM_ARGS });
const p = await b.newPage(); await p.setViewport({ width: +w, height: +h });
if (process.env.MEDIA) await (await p.createCDPSession()).send('Emulation.setEmulatedMedia', { features: process.env.MEDIA.split(',').map((m) => { const [name, value] = m.split('='); return { name, value }; }) });
await p.goto(url); await p.waitForFunction(() => window.wgzReady !== undefined);
for (let i = 0; i < typing.length; i += 2) {
  if (typing[i].endsWith('-einheit')) await p.select('#' + typing[i], typing[i + 1]);
  else { await p.focus('#' + typing[i]); await p.keyboard.type(typing[i + 1]); }
}
await new Promise(r => setTimeout(r, 400));
if (out.endsWith(".pdf")) await p.pdf({ path: out, preferCSSPageSize: true }); else await p.screenshot({ path: out, fullPage: process.env.FULL !== "0" }); await b.close();
