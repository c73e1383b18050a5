// The link: a calculation's arguments percent-encoded, separated by "%20",
// and the page's own values after an "&", which no encoded argument
// contains. A decimal comma in a link means a decimal point; otherwise a
// link reads numbers as the program does.
import { LONGEST } from './model.js';

const asPoint = (text) => text.replace(/,/g, '.');

// Why an argument cannot be used: too long, or a NUL that no command line
// can carry. Null when it can.
const problemOf = (text) => (text.length > LONGEST ? { reason: 'lang', length: text.length }
  : text.includes('\0') ? { reason: 'null' } : null);

// A fragment's arguments, what cannot be used of them, and its own part
// (null for none).
export const readLink = (hash) => {
  const fragment = hash.slice(1);
  const at = fragment.indexOf('&');
  const line = at < 0 ? fragment : fragment.slice(0, at);
  const args = line === '' ? [] : line.split('%20').map((piece) => {
    try { return asPoint(decodeURIComponent(piece)); } catch { return asPoint(piece); }
  });
  const problems = args.map(problemOf).filter((problem) => problem !== null);
  return { args, problems, own: at < 0 ? null : new URLSearchParams(fragment.slice(at + 1)) };
};

const fragmentOf = (args, own) => `#${args.map(encodeURIComponent).join('%20')}${own === '' ? '' : `&${own}`}`;
// The whole link that opens a calculation, to be written out.
export const linkOf = (args, own = '') => `${location.href.split('#')[0]}${fragmentOf(args, own)}`;

// Written once typing pauses: a history entry costs a browser milliseconds,
// more than the whole recalculation. A link opened meanwhile wins. One
// timer at a time, put off while keystrokes come. Null args: no
// calculation, and the address holds none.
const LINK_DELAY_MS = 250;
let pending = null;  // { args, own, due, opened }
const write = () => {
  const wait = pending.due - performance.now();
  if (wait > 0) {
    setTimeout(write, wait);
    return;
  }
  const { args, own, opened } = pending;
  pending = null;
  if (location.hash !== opened) return;
  history.replaceState(null, '', args === null ? location.pathname + location.search : fragmentOf(args, own));
};
export const writeLink = (args, own = '') => {
  if (pending === null) setTimeout(write, LINK_DELAY_MS);
  pending = { args, own, due: performance.now() + LINK_DELAY_MS, opened: location.hash };
};
