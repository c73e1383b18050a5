// Form and link state: which command line the form and the link fragment
// mean, and how the form and the link are set to show one. A decimal comma
// means a decimal point in both.

const byId = (id) => document.getElementById(id);

const REQUIRED_FIELDS = ['kosten', 'strompreis', 'vorher', 'hinterher'];
const OPTION_FIELDS = [{ id: 'zins', option: '-z' }, { id: 'inflation', option: '-i' },
  { id: 'betriebsdauer', option: '-a' }];
// Longer values are no number anyone means; refusing them keeps a pasted
// megabyte out of the link and every later keystroke fast.
export const LONGEST = 64;
const asPoint = (text) => text.replace(/,/g, '.');

// Why an argument cannot be used: too long, or a NUL that no command line
// can carry. Null when it can.
const problemOf = (text) => (text.length > LONGEST ? { reason: 'lang', length: text.length }
  : text.includes('\0') ? { reason: 'null' } : null);

export const labelOf = (id) => document.querySelector(`label[for="${id}"]`).textContent;

// The field an argument word of an error is about: an option or a position.
export const fieldFor = (word) => OPTION_FIELDS.find(({ option }) => option === word)?.id
  ?? REQUIRED_FIELDS[Number(word) - 1];

// A value that cannot be used is taken out of its field, which would
// otherwise hold it and slow every keystroke there; the reason is kept until
// the field gets a value again.
const refused = new Map();

// The arguments as the form gives them (an empty option is not given), the
// required fields still empty, and the fields whose value cannot be used.
export const readForm = () => {
  const problems = [], missing = [];
  const value = (id) => {
    const field = byId(id), text = asPoint(field.value.trim()), problem = problemOf(text);
    if (problem !== null) {
      refused.set(id, problem);
      field.value = '';
    } else if (text !== '') {
      refused.delete(id);
    }
    if (refused.has(id)) problems.push({ id, ...refused.get(id) });
    return problem === null ? text : '';
  };
  const args = REQUIRED_FIELDS.map((id) => {
    const text = value(id);
    if (text === '') missing.push(id);
    return text;
  });
  for (const { id, option } of OPTION_FIELDS) {
    const text = value(id);
    if (text !== '') args.push(option, text);
  }
  return { args, missing, problems };
};

// The four numbers from their places, each option from its last occurrence.
export const fillForm = (args) => {
  REQUIRED_FIELDS.forEach((id, i) => { byId(id).value = args[i] ?? ''; });
  for (const { id, option } of OPTION_FIELDS) {
    const at = args.lastIndexOf(option);
    byId(id).value = at >= 4 && at + 1 < args.length ? args[at + 1] : '';
  }
};

// A link holds the arguments percent-encoded, separated by "%20".
export const readLink = () => {
  const fragment = location.hash.slice(1);
  const args = fragment === '' ? [] : fragment.split('%20').map((piece) => {
    try { return asPoint(decodeURIComponent(piece)); } catch { return asPoint(piece); }
  });
  const problems = args.map(problemOf).filter((problem) => problem !== null);
  return { args, problems };
};

// Written once typing pauses: a history entry costs a browser milliseconds,
// more than the whole recalculation. A link opened meanwhile wins. One
// timer at a time, put off while keystrokes come, rather than one per keystroke.
const LINK_DELAY_MS = 250;
let pending = null;  // { args, due, opened }
const write = () => {
  const wait = pending.due - performance.now();
  if (wait > 0) {
    setTimeout(write, wait);
    return;
  }
  const { args, opened } = pending;
  pending = null;
  if (location.hash !== opened) return;
  history.replaceState(null, '', args === null
    ? location.pathname + location.search : `#${args.map(encodeURIComponent).join('%20')}`);
};
export const writeLink = (args) => {
  if (pending === null) setTimeout(write, LINK_DELAY_MS);
  pending = { args, due: performance.now() + LINK_DELAY_MS, opened: location.hash };
};
