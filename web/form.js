// Form and link state: which command line the form and the link fragment
// mean, and how the form and the link are set to show one. A decimal comma
// means a decimal point in both; a field reads numbers as people in Germany
// write them (numbers.js), a link as the program does.
import { asTyped, readNumber } from './numbers.js';
import { laterOffers, nameOf, offerCount, setOffers } from './offers.js';

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

// A field's label; in a further offer, with the offer's name.
export const labelOf = (id) => {
  const label = document.querySelector(`label[for="${id}"]`).textContent;
  const offer = byId(id).closest('fieldset.angebot');
  return offer === null ? label : `${offer.querySelector('legend').textContent}: ${label}`;
};

// The field an argument word of an error is about: an option or a position.
export const fieldFor = (word) => OPTION_FIELDS.find(({ option }) => option === word)?.id
  ?? REQUIRED_FIELDS[Number(word) - 1];

// A value that cannot be used is taken out of its field, which would
// otherwise hold it and slow every keystroke there; the reason is kept until
// the field gets a value again.
const refused = new Map();

// The page's own fields, which the command line does not have: what the old
// device sells for and the device's service life; and each power's and the
// price's unit.
const PAGE_FIELDS = ['erloes', 'nutzungsdauer'];
const POWERS = ['vorher', 'hinterher'];
const CENTS = 'ct/kWh';
// A power given as energy over a time, converted by the core, and its key
// in the link: kWh a year as on an energy label, kWh a day as measured.
const ENERGIES = { 'kWh/Jahr': { convert: 'yearlyPower', key: 'kwh' }, 'kWh/Tag': { convert: 'dailyPower', key: 'kwh-tag' } };
const unitOf = (id) => byId(`${id}-einheit`).value;
// The unit sign that may follow a field's number (see numbers.js), and the
// unit of each field without a unit choice; an offer's cost is in euros.
const SIGNS = { kosten: 'euro', erloes: 'euro', zins: 'prozent', inflation: 'prozent' };
const UNITS = { kosten: 'Euro', erloes: 'Euro', zins: '%', inflation: '%', betriebsdauer: 'Stunden', nutzungsdauer: 'Jahre' };
const generic = (id) => (id.endsWith('-kosten') ? 'kosten' : id);
const signOf = (id) => SIGNS[generic(id)];
const unitFor = (id) => UNITS[generic(id)] ?? unitOf(id);
// The page's own values where the form gives none; read: the fields whose
// value was read otherwise than typed, and as what.
// offers: with more than one, each { name, cost, power } as the command
// lines take them, the first the form's own.
export const NO_PAGE_VALUES = Object.freeze({ life: '', resale: '', powers: {}, yearly: false,
  read: {}, price: '', unusual: false, own: '', offers: [] });

// The arguments as the form gives them (an empty option is not given), the
// required fields still empty, the fields whose value cannot be used, and
// the page's own values: { life, resale, powers, ... } for the answer and
// the form, and the link's own part. Powers given in kWh a year, a price in
// cents and the cost less a resale are made into arguments by the core.
export const readForm = (core) => {
  const problems = [], missing = [], read = {};
  // A removed offer's fields are gone, and so is what was refused in them.
  for (const id of refused.keys()) if (byId(id) === null) refused.delete(id);
  const value = (id) => {
    const field = byId(id), number = readNumber(field.value, signOf(id));
    const text = number.text, problem = problemOf(text);
    if (number.read && problem === null) read[id] = { number: text, unit: unitFor(id) };
    if (problem !== null) {
      refused.set(id, problem);
      field.value = '';
    } else if (text !== '') {
      refused.delete(id);
    }
    if (refused.has(id)) problems.push({ id, ...refused.get(id) });
    return problem === null ? text : '';
  };
  // A value the core made of a page's value, or '' where it refused it.
  const made = (id, result) => {
    if (result.problem === undefined) return result;
    problems.push({ id, reason: result.problem });
    return { text: '', shown: '' };
  };
  const offers = laterOffers();
  const offerIds = offers.flatMap((n) => [`angebot${n}-kosten`, `angebot${n}-leistung`]);
  const texts = Object.fromEntries([...REQUIRED_FIELDS, ...OPTION_FIELDS.map(({ id }) => id), ...PAGE_FIELDS, ...offerIds]
    .map((id) => [id, value(id)]));
  const powers = [...POWERS, ...offers.map((n) => `angebot${n}-leistung`)];
  // A figure of energy holds how long the device runs: no operating time then.
  const own = new URLSearchParams(), page = { ...NO_PAGE_VALUES, powers: {}, read,
    yearly: powers.some((id) => unitOf(id) in ENERGIES) };
  // Offers compared with each other need no old device.
  const args = REQUIRED_FIELDS.map((id) => {
    if (texts[id] === '' && !(id === 'vorher' && offers.length > 0)) missing.push(id);
    return texts[id];
  });
  // A power as the command line takes it, in W.
  const power = (id) => {
    const energy = ENERGIES[unitOf(id)];
    if (energy === undefined || texts[id] === '') return texts[id];
    const converted = made(id, core[energy.convert](texts[id]));
    if (converted.shown !== '') page.powers[id] = converted.shown;
    own.set(`${id}-${energy.key}`, texts[id]);
    return converted.text;
  };
  [args[2], args[3]] = [power('vorher'), power('hinterher')];
  if (unitOf('strompreis') === CENTS && texts.strompreis !== '') {
    const price = made('strompreis', core.centPrice(texts.strompreis));
    [args[1], page.price] = [price.text, price.shown];
    own.set('strompreis-ct', texts.strompreis);
  } else if (texts.strompreis !== '') {
    page.unusual = core.priceUnusual(texts.strompreis);
  }
  if (texts.erloes !== '' && texts.kosten !== '') {
    const cost = made('erloes', core.netCost(texts.kosten, texts.erloes));
    [args[0], page.resale] = [cost.text, cost.shown];
    own.set('kosten', texts.kosten);
    own.set('erloes', texts.erloes);
  }
  if (texts.nutzungsdauer !== '' && made('nutzungsdauer', core.serviceLife(texts.nutzungsdauer)).text !== '') {
    page.life = texts.nutzungsdauer;
    own.set('nutzungsdauer', texts.nutzungsdauer);
  }
  for (const { id, option } of OPTION_FIELDS) {
    if (texts[id] !== '' && !(page.yearly && option === '-a')) args.push(option, texts[id]);
  }
  // Further offers: each its cost less the resale, and its power; a name
  // given is kept in the link.
  if (offers.length > 0) {
    own.set('angebote', offerCount());
    for (const n of [1, ...offers]) {
      const name = byId(`angebot${n}-name`).value.trim();
      if (name !== '') own.set(`angebot${n}-name`, name);
    }
    page.offers = [{ name: nameOf(1), cost: args[0], power: args[3] }];
    for (const n of offers) {
      const [costId, powerId] = [`angebot${n}-kosten`, `angebot${n}-leistung`];
      for (const id of [costId, powerId]) if (texts[id] === '') missing.push(id);
      let cost = texts[costId] === '' ? '' : made(costId, core.offerValue(texts[costId], true)).text;
      if (cost !== '') own.set(costId, texts[costId]);
      if (cost !== '' && page.resale !== '') cost = core.netCost(cost, texts.erloes).text;
      const energy = ENERGIES[unitOf(powerId)];
      const watts = energy !== undefined || texts[powerId] === '' ? power(powerId)
        : made(powerId, core.offerValue(texts[powerId], false)).text;
      if (energy === undefined && watts !== '') own.set(powerId, texts[powerId]);
      page.offers.push({ name: nameOf(n), cost, power: watts });
    }
  }
  page.own = own.toString();
  return { args, missing, problems, page, own: page.own };
};

// The fields that hold a value, as text for paper: "Kosten: 800 Euro", in
// the form's order, each number as read.
const NAMES = { kosten: 'Kosten', erloes: 'Erlös für das alte Gerät', strompreis: 'Strompreis',
  vorher: 'Leistung vorher', hinterher: 'Leistung hinterher', zins: 'Zins', inflation: 'Inflation',
  betriebsdauer: 'Tägliche Betriebsdauer', nutzungsdauer: 'Nutzungsdauer' };
const shownValue = (id) => {
  const field = byId(id), { text } = readNumber(field.value, signOf(id));
  return text === '' || field.disabled ? '' : `${text.replace('.', ',')} ${unitFor(id)}`;
};
export const describeForm = () => {
  const offers = laterOffers();
  const names = offerCount() > 1 ? { ...NAMES, kosten: `Kosten (${nameOf(1)})`, hinterher: `Leistung (${nameOf(1)})` } : NAMES;
  return [...Object.entries(names).map(([id, label]) => ({ label, value: shownValue(id) })),
    ...offers.map((n) => ({ label: nameOf(n), value: [`angebot${n}-kosten`, `angebot${n}-leistung`].map(shownValue)
      .filter((text) => text !== '').join(', ') }))].filter(({ value }) => value !== '');
};

// The four numbers from their places, each option from its last occurrence;
// then the page's own values from the link's own part. Each value as it
// must stand in its field to be read as the link means it.
export const fillForm = (args, own = new URLSearchParams()) => {
  const fill = (id, text) => { byId(id).value = asTyped(text); };
  REQUIRED_FIELDS.forEach((id, i) => fill(id, args[i] ?? ''));
  for (const { id, option } of OPTION_FIELDS) {
    const at = args.lastIndexOf(option);
    fill(id, at >= 4 && at + 1 < args.length ? args[at + 1] : '');
  }
  for (const id of PAGE_FIELDS) fill(id, own.get(id) ?? '');
  if (own.has('kosten')) fill('kosten', own.get('kosten'));
  setOffers(Number(own.get('angebote') ?? 1));
  const offers = laterOffers();
  for (const n of [1, ...offers]) byId(`angebot${n}-name`).value = own.get(`angebot${n}-name`) ?? '';
  for (const n of offers) {
    for (const id of [`angebot${n}-kosten`, `angebot${n}-leistung`]) fill(id, own.get(id) ?? '');
  }
  const powers = [...POWERS, ...offers.map((n) => `angebot${n}-leistung`)];
  for (const id of powers) {
    const [unit, energy] = Object.entries(ENERGIES).find(([, { key }]) => own.has(`${id}-${key}`)) ?? ['W'];
    byId(`${id}-einheit`).value = unit;
    if (energy !== undefined) fill(id, own.get(`${id}-${energy.key}`));
  }
  byId('strompreis-einheit').value = own.has('strompreis-ct') ? CENTS : 'Eu/kWh';
  if (own.has('strompreis-ct')) fill('strompreis', own.get('strompreis-ct'));
};

// A link holds the arguments percent-encoded, separated by "%20", and the
// page's own values after an "&", which no encoded argument contains.
export const readLink = () => {
  const fragment = location.hash.slice(1);
  const at = fragment.indexOf('&');
  const line = at < 0 ? fragment : fragment.slice(0, at);
  const args = line === '' ? [] : line.split('%20').map((piece) => {
    try { return asPoint(decodeURIComponent(piece)); } catch { return asPoint(piece); }
  });
  const problems = args.map(problemOf).filter((problem) => problem !== null);
  return { args, problems, own: at < 0 ? null : new URLSearchParams(fragment.slice(at + 1)) };
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
  const { args, own, opened } = pending;
  pending = null;
  if (location.hash !== opened) return;
  history.replaceState(null, '', args === null ? location.pathname + location.search : fragmentOf(args, own));
};
const fragmentOf = (args, own) => `#${args.map(encodeURIComponent).join('%20')}${own === '' ? '' : `&${own}`}`;
// The whole link that opens a calculation, to be written out.
export const linkOf = (args, own = '') => `${location.href.split('#')[0]}${fragmentOf(args, own)}`;
export const writeLink = (args, own = '') => {
  if (pending === null) setTimeout(write, LINK_DELAY_MS);
  pending = { args, own, due: performance.now() + LINK_DELAY_MS, opened: location.hash };
};
