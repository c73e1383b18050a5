// Form and link state: which command line the form and the link fragment
// mean, and how the form and the link are set to show one. A decimal comma
// means a decimal point in both; a field reads numbers as people in Germany
// write them (numbers.js), a link as the program does. The fields are
// those of fields.js; the offers those of offers.js.
import { FIELDS, NOT_SOLAR, SOLAR_FIELDS, fieldOf, offerFields, unitOf } from './fields.js';
import { asTyped, readNumber } from './numbers.js';
import { comparing, nameOf, offerCount, offerKey, setOffers } from './offers.js';
import { setQuestion, solarAsked } from './question.js';

const byId = (id) => document.getElementById(id);

// Longer values are no number anyone means; refusing them keeps a pasted
// megabyte out of the link and every later keystroke fast.
export const LONGEST = 64;
const asPoint = (text) => text.replace(/,/g, '.');

// Why an argument cannot be used: too long, or a NUL that no command line
// can carry. Null when it can.
const problemOf = (text) => (text.length > LONGEST ? { reason: 'lang', length: text.length }
  : text.includes('\0') ? { reason: 'null' } : null);

// A field's label; in an offer's box, with the offer's name.
export const labelOf = (id) => {
  const label = document.querySelector(`label[for="${id}"]`).textContent;
  const offer = byId(id).closest('fieldset.angebot');
  return offer === null ? label : `${offer.querySelector('legend').textContent}: ${label}`;
};

// A value that cannot be used is taken out of its field, which would
// otherwise hold it and slow every keystroke there; the reason is kept
// until the field gets a value again. An offer's are kept by the offer's
// key, and go when the offer goes.
const refused = new Map();
const slotOf = (id) => {
  const offer = /^angebot(\d+)-(\w+)$/.exec(id);
  return offer === null ? id : `${offerKey(Number(offer[1]))}:${offer[2]}`;
};
const forgetRemoved = () => {
  const keys = new Set(Array.from({ length: offerCount() }, (_, i) => String(offerKey(i + 1))));
  for (const slot of refused.keys()) if (slot.includes(':') && !keys.has(slot.split(':')[0])) refused.delete(slot);
};

// The page's own values where the form gives none; read: the fields whose
// value was read otherwise than typed, and as what; powers: the power in W
// a figure of energy stands for; offers: compared, each { name, cost,
// power } as the command lines take them.
export const NO_PAGE_VALUES = Object.freeze({ life: '', resale: '', powers: {}, yearly: false,
  read: {}, price: '', unusual: false, own: '', offers: [], solar: null, energies: {}, resaleCost: '' });

// One reading of the form: the texts of its fields, what it could not use,
// what is missing and what the link keeps of the page's own values.
const reader = (core) => {
  const r = { problems: [], missing: [], read: {}, powers: {}, energies: {}, own: new URLSearchParams() };
  // A field's text in the program's form, '' when it cannot be used.
  r.text = (field) => {
    const element = byId(field.id), number = readNumber(element.value, field.sign);
    const problem = problemOf(number.text), slot = slotOf(field.id);
    if (problem !== null) {
      refused.set(slot, problem);
      element.value = '';
    } else if (number.text !== '') {
      refused.delete(slot);
    }
    if (refused.has(slot)) r.problems.push({ id: field.id, ...refused.get(slot) });
    if (number.read && problem === null) r.read[field.id] = { number: number.text, unit: unitOf(field).unit };
    return problem === null ? number.text : '';
  };
  // A value the core made of a field's text with kind, '' where refused.
  r.made = (field, kind, text, other) => {
    const result = core.convert(kind, text, other);
    if (result.problem === undefined) return result;
    r.problems.push({ id: field.id, reason: result.problem });
    return { text: '', shown: '' };
  };
  // A value with its unit, as the command line takes it: in W for a power
  // in kWh, which the link keeps as typed (under key), and as strictly as
  // check says.
  r.value = (field, text, check = field.check, key = field.id) => {
    const unit = unitOf(field);
    if (text === '' || (unit.convert === undefined && check === undefined)) return text;
    if (unit.convert === undefined) return r.made(field, check, text).text;
    const made = r.made(field, unit.convert, text);
    if (made.shown !== '') {
      r.powers[field.id] = made.shown;
      r.energies[field.id] = { energy: text, per: unit.key === 'kwh' ? 'jahr' : 'tag', power: made.shown };
    }
    r.own.set(`${key}-${unit.key}`, text);
    return made.text;
  };
  return r;
};

// Compared, the plain form's cost and power are the first offer's.
const FIRST_OFFER = { kosten: 'cost', hinterher: 'power' };
const POSITIONS = FIELDS.filter(({ position }) => position !== undefined);
const OPTIONS = FIELDS.filter(({ option }) => option !== undefined);
// A figure of energy holds how long the device runs: no operating time then.
const energyIn = (fields) => fields.some((field) => unitOf(field).key?.startsWith('kwh'));

// The arguments as the form gives them (an empty option is not given), the
// required fields still empty, the fields whose value cannot be used, and
// the page's own values (for the answer, the notes below the fields and
// the link's own part). Compared, every offer is read alike, and the old
// device may be left out.
export const readForm = (core) => {
  forgetRemoved();
  if (solarAsked()) return readSolar(reader(core), core);
  const r = reader(core), compared = comparing();
  const texts = Object.fromEntries(FIELDS.filter(({ id }) => !(compared && id in FIRST_OFFER))
    .map((field) => [field.id, r.text(field)]));
  const offers = compared ? readOffers(r, texts.erloes) : [];
  const powers = [fieldOf('vorher'), ...(compared ? offers.map((_, i) => offerFields(i + 1).power) : [fieldOf('hinterher')])];
  const page = { ...NO_PAGE_VALUES, read: r.read, powers: r.powers, energies: r.energies, yearly: energyIn(powers), offers };
  const args = POSITIONS.map(({ id }) => texts[id] ?? '');
  args[2] = r.value(fieldOf('vorher'), texts.vorher, compared ? 'leistung' : undefined);
  if (compared) [texts.kosten, args[0], args[3]] = [offers[0].typed, offers[0].cost, offers[0].power];
  else args[3] = r.value(fieldOf('hinterher'), texts.hinterher);
  readPrice(r, texts.strompreis, args, page);
  readOwn(r, texts, args, page);
  for (const { id, option } of OPTIONS) {
    if (texts[id] !== '' && !(page.yearly && option === '-a')) args.push(option, texts[id]);
  }
  POSITIONS.forEach(({ id }, i) => {
    if (!compared && texts[id] === '') r.missing.push(id);
    if (compared && i === 1 && texts[id] === '') r.missing.push(id);
  });
  page.own = r.own.toString();
  return { args, missing: r.missing, problems: r.problems, page };
};

// A plug-in solar system: the cost, price and options as ever; the power
// of a generator that gives the household the self-used part of the yield,
// as the core estimates it; and the command lines of a lower and a higher
// self-use. Compared, each system has its cost, module power and battery,
// the rest they share, and no system at all is one of the possibilities.
// A choice is its option's value.
const OWN_SYSTEM = ['kosten', 'wp', 'speicher-kwh', 'ertrag-kwh', 'selbst-kwh'];
const readSolar = (r, core) => {
  const compared = comparing(), own = (id) => !(compared && OWN_SYSTEM.includes(id));
  const texts = Object.fromEntries(FIELDS.filter(({ id }) => !NOT_SOLAR.includes(id) && own(id)).map((field) => [field.id, r.text(field)]));
  const solar = Object.fromEntries(SOLAR_FIELDS.map((field) => [field.id,
    !own(field.id) ? '' : field.choice ? byId(field.id).value : r.text(field)]));
  const page = { ...NO_PAGE_VALUES, read: r.read, powers: r.powers, yearly: true, solarCompared: compared };
  const args = [texts.kosten ?? '', texts.strompreis, '0', ''];
  readPrice(r, texts.strompreis, args, page);
  for (const { id, option } of OPTIONS) if (option !== '-a' && texts[id] !== '') args.push(option, texts[id]);
  r.own.set('frage', 'solar');
  for (const [id, value] of Object.entries(solar)) if (value !== '') r.own.set(id, value);
  for (const id of ['kosten', 'strompreis', 'wp', 'haushalt-kwh']) if (own(id) && (texts[id] ?? solar[id]) === '') r.missing.push(id);
  const shared = r.missing.length === 0 && r.problems.length === 0;
  // The texts of one system for the core, in the order it takes them.
  const textsOf = (wp, battery) => SOLAR_FIELDS.map(({ id }) => `${id}=${id === 'wp' ? wp : id === 'speicher-kwh' ? battery : solar[id]}`);
  if (compared) {
    page.offers = readSystems(r, core, shared ? textsOf : null);
    [args[0], args[3]] = [page.offers[0].cost, page.offers[0].power];
  }
  readOwn(r, { ...texts, erloes: '' }, args, page);
  if (!compared && shared) {
    const estimate = core.solar(textsOf(solar.wp, solar['speicher-kwh']));
    if (estimate.problem !== undefined) r.problems.push({ id: estimate.field, reason: estimate.problem });
    const line = (power) => [...args.slice(0, 3), power, ...args.slice(4)];
    args[3] = estimate.power ?? '';
    page.solar = { ...estimate, peak: solar.wp, orientation: byId('ausrichtung').selectedOptions[0].textContent,
      mounting: byId('montage').selectedOptions[0].textContent, lines: { low: line(estimate.powerLow), high: line(estimate.powerHigh) } };
  }
  page.own = r.own.toString();
  return { args, missing: r.missing, problems: r.problems, page };
};

// Each solar system compared: its cost (read as every offer's is), and the
// power of the generator its estimated self-use stands for; in the link,
// the first one's stand where a single system's do.
const readSystems = (r, core, textsOf) => Array.from({ length: offerCount() }, (_, i) => {
  const n = i + 1, { cost, wp, battery } = offerFields(n);
  const [typed, peak, stored] = [r.text(cost), r.text(wp), r.text(battery)];
  for (const field of [cost, wp]) if (byId(field.id).value.trim() === '') r.missing.push(field.id);
  if (n > 1 && typed !== '') r.own.set(cost.id, typed);
  for (const [field, text] of [[wp, peak], [battery, stored]]) if (text !== '') r.own.set(field.link, text);
  const net = typed === '' ? '' : r.made(cost, 'kosten', typed, '').text;
  if (textsOf === null || peak === '') return { name: nameOf(n), typed, cost: net, power: '' };
  const estimate = core.solar(textsOf(peak, stored));
  const fieldIds = { wp: wp.id, 'speicher-kwh': battery.id };
  if (estimate.problem !== undefined) r.problems.push({ id: fieldIds[estimate.field] ?? estimate.field, reason: estimate.problem });
  return { name: nameOf(n), typed, cost: net, power: estimate.power ?? '' };
});

// The price, in cents if so chosen; in euros, whether it looks like cents.
const readPrice = (r, text, args, page) => {
  const field = fieldOf('strompreis');
  if (text === '') return;
  if (unitOf(field).convert !== undefined) {
    const price = r.made(field, 'ct', text);
    [args[1], page.price] = [price.text, price.shown];
    r.own.set('strompreis-ct', text);
  } else {
    page.unusual = r.made(field, 'preis', text).unusual;
  }
};

// The page's own values: the cost less the resale (each offer's, when
// compared), the service life; and the names and count of offers.
const readOwn = (r, texts, args, page) => {
  if (texts.erloes !== '' && texts.kosten !== '') {
    const net = r.made(fieldOf('erloes'), 'erloes', texts.erloes, texts.kosten);
    [page.resale, page.resaleCost] = [net.shown, net.cost];
    if (page.offers.length === 0) args[0] = net.text;
    r.own.set('kosten', texts.kosten);
    r.own.set('erloes', texts.erloes);
  }
  if (texts.nutzungsdauer !== '' && r.made(fieldOf('nutzungsdauer'), 'nutzungsdauer', texts.nutzungsdauer).text !== '') {
    page.life = texts.nutzungsdauer;
    r.own.set('nutzungsdauer', texts.nutzungsdauer);
  }
  if (page.offers.length === 0) return;
  r.own.set('angebote', page.offers.length);
  page.offers.forEach((_, i) => {
    const name = byId(offerFields(i + 1).name.id).value.trim();
    if (name !== '') r.own.set(`angebot${i + 1}-name`, name);
  });
};

// Each offer's cost (less the resale) and power, read alike; in the link,
// the first offer's stand where the plain form's cost and power do.
const readOffers = (r, resale) => Array.from({ length: offerCount() }, (_, i) => {
  const n = i + 1, { cost, power } = offerFields(n);
  const typed = r.text(cost), watts = r.text(power);
  for (const field of [cost, power]) if (byId(field.id).value.trim() === '') r.missing.push(field.id);
  const value = r.value(power, watts, power.check, n === 1 ? 'hinterher' : power.id);
  if (n > 1 && typed !== '') r.own.set(cost.id, typed);
  if (n > 1 && watts !== '' && unitOf(power).key === undefined) r.own.set(power.id, watts);
  const net = typed === '' ? '' : r.made(cost, 'kosten', typed, resale).text;
  return { name: nameOf(n), typed, cost: net, power: value };
});

// The fields that hold a value, as text for paper: "Kosten: 800 Euro", in
// the form's order, each number as read; compared, each offer in a line.
const shownValue = (field) => {
  const element = byId(field.id), { text } = readNumber(element.value, field.sign);
  return text === '' || element.disabled ? '' : `${text.replace('.', ',')} ${unitOf(field).unit}`;
};
// Each offer compared in a line: its name and the figures of its box.
const describeOffers = (keys) => (comparing() ? Array.from({ length: offerCount() }, (_, i) => {
  const fields = offerFields(i + 1);
  return { label: nameOf(i + 1), value: keys.map((key) => shownValue(fields[key])).filter((text) => text !== '').join(', ') };
}) : []);
const describeSolar = () => {
  const compared = comparing();
  const plain = [...FIELDS.filter(({ id }) => !NOT_SOLAR.includes(id)), ...SOLAR_FIELDS]
    .filter(({ id }) => !(compared && OWN_SYSTEM.includes(id)))
    .map((field) => ({ label: field.name, value: field.choice ? byId(field.id).selectedOptions[0].textContent : shownValue(field) }));
  return [...plain, ...describeOffers(['cost', 'wp', 'battery'])].filter(({ value }) => value !== '' && value !== 'bitte wählen');
};
export const describeForm = () => {
  if (solarAsked()) return describeSolar();
  const compared = comparing();
  const plain = FIELDS.filter(({ id }) => !(compared && id in FIRST_OFFER)).map((field) => ({
    label: compared && field.id === 'vorher' ? 'Altes Gerät behalten' : field.name, value: shownValue(field) }));
  return [...plain, ...describeOffers(['cost', 'power'])].filter(({ value }) => value !== '');
};

// Sets a field to a text as it must stand there to be read as the link
// means it, and a field with units to the unit the link names.
const fill = (id, text) => { byId(id).value = asTyped(text ?? ''); };
const fillWithUnit = (field, own, key = field.id, plain = own.get(key)) => {
  const unit = field.units.find((u) => u.key !== undefined && own.has(`${key}-${u.key}`)) ?? field.units[0];
  byId(`${field.id}-einheit`).value = unit.unit;
  fill(field.id, unit.key === undefined ? plain : own.get(`${key}-${unit.key}`));
};

// The four numbers from their places, each option from its last occurrence;
// then the page's own values from the link's own part; and the offers,
// the first from the plain form's cost and power.
export const fillForm = (args, own = new URLSearchParams()) => {
  for (const { id, position } of POSITIONS) fill(id, args[position]);
  for (const { id, option } of OPTIONS) {
    const at = args.lastIndexOf(option);
    fill(id, at >= 4 && at + 1 < args.length ? args[at + 1] : '');
  }
  for (const id of ['erloes', 'nutzungsdauer']) fill(id, own.get(id));
  if (own.has('kosten')) fill('kosten', own.get('kosten'));
  for (const id of ['strompreis', 'vorher', 'hinterher']) fillWithUnit(fieldOf(id), own, id, byId(id).value);
  setQuestion(own.get('frage'));
  for (const field of SOLAR_FIELDS) {
    if (field.choice) byId(field.id).value = own.get(field.id) ?? byId(field.id).options[0].value;
    else fill(field.id, own.get(field.id));
  }
  setOffers(Number(own.get('angebote') ?? 1));
  if (!comparing()) return;
  for (let n = 1; n <= offerCount(); n++) {
    const { name, cost, power, wp, battery } = offerFields(n);
    byId(name.id).value = own.get(name.id) ?? '';
    if (solarAsked()) {
      fill(cost.id, n === 1 ? byId('kosten').value : own.get(cost.id));
      for (const field of [wp, battery]) fill(field.id, own.get(field.link));
    } else if (n === 1) {
      fill(cost.id, byId('kosten').value);
      fillWithUnit(power, own, 'hinterher', byId('hinterher').value);
    } else {
      fill(cost.id, own.get(cost.id));
      fillWithUnit(power, own);
    }
  }
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
let pending = null;  // { args, own, due, opened }
const fragmentOf = (args, own) => `#${args.map(encodeURIComponent).join('%20')}${own === '' ? '' : `&${own}`}`;
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
// The whole link that opens a calculation, to be written out.
export const linkOf = (args, own = '') => `${location.href.split('#')[0]}${fragmentOf(args, own)}`;
export const writeLink = (args, own = '') => {
  if (pending === null) setTimeout(write, LINK_DELAY_MS);
  pending = { args, own, due: performance.now() + LINK_DELAY_MS, opened: location.hash };
};
