// The three browser engines behind one small interface, so that the page's
// test is one table of cases with the engine as a column. Each start()
// gives a tab, or the reason it cannot run here:
//   load(url)        navigate (always a new document) and wait for the page
//   replace(id, s)   select a field's text and type s over it, key by key
//   run(fn, ...args) fn's result, fn run in the page on JSON arguments, once
//                    the page has shown what follows from the last key
//   waitFor(fn, ...) fn's result, once it is not empty
//   resize(w, h)     the viewport, as near as the engine allows
//   throttle(rate)   the CPU slowed rate times (Chromium only)
//   pdf()            the page printed, as PDF bytes (Chromium and Firefox)
//   dark()           the next loads in a dark colour scheme (Chromium only)
//   stop()
import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import { createServer } from 'node:net';
import puppeteer from 'puppeteer-core';

export const CHROMIUM = '/usr/bin/chromium';
const FIREFOX = '/usr/bin/firefox-esr';
const WEBKIT_DRIVER = '/usr/bin/WebKitWebDriver';
const MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const WAIT_MS = 20000;

// After each load: the page is ready, and later script errors are kept.
const ready = () => {
  if (window.wgzReady === undefined) return false;
  if (window.wgzErrors === undefined) {
    window.wgzErrors = [];
    window.addEventListener('error', (e) => window.wgzErrors.push(String(e.message)));
  }
  return true;
};
const poll = async (get) => {
  for (const start = Date.now(); Date.now() - start < WAIT_MS;) {
    const value = await get();
    if (value && (!Array.isArray(value) || value.length > 0)) return value;
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  throw new Error('the page did not get ready');
};

// The page shows what follows from a key after the key is painted: a run
// waits for that first, as a person's eyes would.
const caughtUp = () => window.wgzLater?.idle() ?? true;
const settling = (run) => async (fn, ...args) => {
  await poll(() => run(caughtUp));
  return run(fn, ...args);
};

async function puppeteerTab(options, chromium = false) {
  const browser = await puppeteer.launch({ headless: true, ...options });
  const page = await browser.newPage();
  page.on('pageerror', (e) => { throw new Error(`script error: ${e.message}`); });
  const run = settling((fn, ...args) => page.evaluate(fn, ...args));
  return {
    load: async (address) => {
      await page.goto('about:blank');
      await page.goto(address);
      await poll(() => run(ready));
    },
    replace: async (id, text) => {
      await page.focus(`#${id}`);
      await page.keyboard.down('Control');
      await page.keyboard.press('KeyA');
      await page.keyboard.up('Control');
      await page.keyboard.press('Backspace');
      await page.keyboard.type(text);
    },
    run,
    waitFor: (fn, ...args) => poll(() => run(fn, ...args)),
    resize: (width, height) => page.setViewport({ width, height }),
    // Chromium only: the CPU slowed by this factor, as DevTools does.
    throttle: (rate) => page.emulateCPUThrottling(rate),
    pdf: () => page.pdf({ preferCSSPageSize: true }),
    dark: chromium ? () => page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: 'dark' }]) : undefined,
    stop: () => browser.close(),
  };
}

const freePort = () => new Promise((resolve) => {
  const server = createServer().listen(0, () => { const { port } = server.address(); server.close(() => resolve(port)); });
});

// WebKitGTK's driver speaks classic W3C WebDriver over HTTP; its MiniBrowser
// needs a display, so the driver runs under xvfb-run.
async function webkitTab() {
  const port = await freePort();
  const driver = spawn('xvfb-run', ['-a', '-s', '-screen 0 1920x1080x24', WEBKIT_DRIVER, `--port=${port}`],
    { stdio: 'ignore', detached: true });
  const call = async (method, path, body) => {
    const response = await fetch(`http://127.0.0.1:${port}${path}`,
      { method, headers: { 'Content-Type': 'application/json' }, body: body && JSON.stringify(body) });
    const { value } = await response.json();
    if (!response.ok) throw new Error(`WebDriver ${path}: ${value.error}: ${value.message}`);
    return value;
  };
  await poll(() => call('GET', '/status').then((v) => v.ready, () => false));
  const { sessionId } = await call('POST', '/session', { capabilities: { alwaysMatch: {
    'webkitgtk:browserOptions': { binary: MINIBROWSER, args: ['--automation'] } } } });
  const session = (method, path, body) => call(method, `/session/${sessionId}${path}`, body);
  const run = settling((fn, ...args) => session('POST', '/execute/sync', { script: `return (${fn})(...arguments);`, args }));
  // Element Send Keys types nothing after a Ctrl chord here; key actions do.
  const keys = (...values) => session('POST', '/actions', { actions: [{ type: 'key', id: 'keyboard',
    actions: values.flatMap((value) => [{ type: 'keyDown', value }, { type: 'keyUp', value }]) }] });
  const CONTROL = '\uE009', BACKSPACE = '\uE003';
  return {
    // Under a heavy load a navigation of the MiniBrowser has once not come
    // back ready in 20 s (a page that would not start fails the second time
    // too): it is loaded again, and said so, with what the page had.
    load: async (address) => {
      for (let attempt = 1; ; attempt++) {
        await session('POST', '/url', { url: 'about:blank' });
        await session('POST', '/url', { url: address });
        try {
          await poll(() => run(ready));
          return;
        } catch (error) {
          const seen = await run(() => `${document.readyState}, ${location.hash.slice(0, 40)}, ready: ${window.wgzReady}`)
            .catch((e) => e.message);
          if (attempt === 2) throw new Error(`${error.message} (${seen})`);
          console.log(`WebKit: a load was not ready in ${WAIT_MS / 1000} s (${seen}); loading it again`);
        }
      }
    },
    replace: async (id, text) => {
      // A click goes where the field is: once the page has shown the last
      // key's answer, which may move it.
      await run(() => true);
      const element = Object.values(await session('POST', '/element', { using: 'css selector', value: `#${id}` }))[0];
      await session('POST', `/element/${element}/click`, {});
      await session('POST', '/actions', { actions: [{ type: 'key', id: 'keyboard', actions: [
        { type: 'keyDown', value: CONTROL }, { type: 'keyDown', value: 'a' },
        { type: 'keyUp', value: 'a' }, { type: 'keyUp', value: CONTROL }] }] });
      await keys(BACKSPACE, ...text);
      // The driver answers before the page has had every key: wait until the
      // field shows them (or the page took out a value longer than it reads).
      await poll(() => run((field, typed) => document.getElementById(field).value === (typed.length > 64 ? '' : typed), id, text));
    },
    run,
    waitFor: (fn, ...args) => poll(() => run(fn, ...args)),
    // MiniBrowser keeps its window at least about 447 px wide.
    resize: (width, height) => session('POST', '/window/rect', { width, height }),
    stop: async () => {
      await session('DELETE', '').catch(() => {});
      process.kill(-driver.pid);
    },
  };
}

export const CHROMIUM_ARGS = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

export const ENGINES = [
  { name: 'Chromium', start: () => (existsSync(CHROMIUM)
    ? puppeteerTab({ executablePath: CHROMIUM, args: CHROMIUM_ARGS }, true) : `${CHROMIUM} missing`) },
  { name: 'Firefox', start: () => (existsSync(FIREFOX)
    ? puppeteerTab({ browser: 'firefox', executablePath: FIREFOX }) : `${FIREFOX} missing`) },
  { name: 'WebKit', start: () => ([WEBKIT_DRIVER, MINIBROWSER, '/usr/bin/xvfb-run'].every(existsSync)
    ? webkitTab() : `${WEBKIT_DRIVER} or MiniBrowser missing`) },
];
