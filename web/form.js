// Form and link state: which command line the form and the link fragment
// mean, and how the form and the link are set to show one.
const REQUIRED_FIELDS = ['kosten', 'strompreis', 'vorher', 'hinterher'];
const OPTION_FIELDS = [{ id: 'zins', option: '-z' }, { id: 'inflation', option: '-i' },
  { id: 'betriebsdauer', option: '-a' }];
const byId = (id) => document.getElementById(id);

// The arguments as the form gives them: a decimal comma is a point, an empty
// option is not given. Null while one of the four numbers is missing.
export const formArguments = () => {
  const value = (id) => byId(id).value.trim().replace(/,/g, '.');
  const args = REQUIRED_FIELDS.map(value);
  if (args.includes('')) return null;
  for (const { id, option } of OPTION_FIELDS) {
    if (value(id) !== '') args.push(option, value(id));
  }
  return args;
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
export const linkArguments = () => {
  const fragment = location.hash.slice(1);
  if (fragment === '') return [];
  return fragment.split('%20').map((piece) => {
    try { return decodeURIComponent(piece); } catch { return piece; }
  });
};

// Written once typing pauses: a history entry costs a browser milliseconds,
// more than the whole recalculation. A link opened meanwhile wins.
const LINK_DELAY_MS = 250;
let pendingLink;
export const writeLink = (args) => {
  clearTimeout(pendingLink);
  const opened = location.hash;
  pendingLink = setTimeout(() => {
    if (location.hash !== opened) return;
    history.replaceState(null, '', args === null
      ? location.pathname + location.search : `#${args.map(encodeURIComponent).join('%20')}`);
  }, LINK_DELAY_MS);
};
