// The model read as command lines: which arguments the form means, what is
// still missing, which values cannot be used (each at its field's id), and
// the page's own values (for the answer, the notes below the fields, the
// working and the link's own part). Every number field is read by one
// rule: as people in Germany write it (numbers.js), then wholly a number
// (the core's reading), or refused. Pure but for the core's calls.
import { FIELDS, NOT_SOLAR, OFFER_FIELDS, ONLY_SOLAR, SOLAR_FIELDS, fieldOf, offerId, slotOf, unitId, unitOf } from './fields.js';
import { comparing, solarAsked, tooLongIn, valueOf } from './model.js';
import { readNumber } from './numbers.js';

// The page's own values where the form gives none; read: the fields whose
// value was read otherwise than typed, and as what; powers: the power in W
// a figure of energy stands for; energies: that figure; devices: a power
// with its standby or count; years: the kWh a year a power in W draws,
// unusual: the draw above which it asks whether kWh were meant; offers:
// compared, each { name, typed, cost, power } as the command lines take them.
export const NO_PAGE_VALUES = Object.freeze({ life: '', resale: '', powers: {}, yearly: false, read: {}, price: '',
  unusual: false, own: '', offers: [], solar: null, energies: {}, resaleCost: '', devices: {}, years: {},
  unusualPowers: {}, count: null, counted: null, idleStandby: [], subsidy: '', subsidyCost: '' });

// The groups of the link's own part, in the order they stand in it.
const OWN_GROUPS = ['units', 'price', 'money', 'life', 'device', 'offers'];

const reader = (model, core) => {
  const r = { problems: [], missing: [], read: {}, powers: {}, energies: {}, devices: {}, years: {}, unusualPowers: {},
    own: Object.fromEntries(OWN_GROUPS.map((group) => [group, new URLSearchParams()])) };
  r.keep = (group, key, value) => r.own[group].set(key, value);
  r.refuse = (id, reason, more = {}) => {
    if (!r.problems.some((p) => p.id === id)) r.problems.push({ id, reason, ...more });
  };
  r.unit = (id) => unitOf(fieldOf(id), valueOf(model, unitId(id)));
  // A field's text in the program's form, '' when empty or refused.
  r.text = (id) => {
    const long = tooLongIn(model, id), typed = valueOf(model, id), field = fieldOf(id);
    if (long !== undefined) {
      r.refuse(id, 'lang', { length: long });
      return '';
    }
    if (typed.includes('\0')) {
      r.refuse(id, 'null');
      return '';
    }
    const number = readNumber(typed, field.sign);
    if (number.text === '') return '';
    if (core.convert('zahl', number.text).problem !== undefined) {
      r.refuse(id, 'zahl', { typed: typed.trim() });
      return '';
    }
    if (number.read) r.read[id] = { number: number.text, unit: r.unit(id).unit };
    return number.text;
  };
  // A value the core made of a text with kind, { text: '' } where refused.
  r.made = (id, kind, text, other) => {
    const result = core.convert(kind, text, other);
    if (result.problem === undefined) return result;
    r.refuse(id, result.problem);
    return { text: '', shown: '', cost: '' };
  };
  r.ownText = () => OWN_GROUPS.map((group) => r.own[group].toString()).filter((text) => text !== '').join('&');
  return r;
};

// The options as the command line takes them, -a where it applies.
const OPTIONS = FIELDS.filter(({ option }) => option !== undefined);
const optionsOf = (texts, hours) => OPTIONS.flatMap(({ id, option }) =>
  (texts[id] === '' || (option === '-a' && !hours) ? [] : [option, texts[id]]));

// The price, in cents if so chosen; in euros, whether it looks like cents.
const readPrice = (r, text, page) => {
  if (text === '') return '';
  if (r.unit('strompreis').convert === undefined) {
    page.unusual = r.made('strompreis', 'preis', text).unusual;
    return text;
  }
  const price = r.made('strompreis', 'ct', text);
  page.price = price.shown;
  r.keep('price', 'strompreis-ct', text);
  return price.text;
};

// The service life, kept where the core takes it.
const readLife = (r, text, page) => {
  if (text === '' || r.made('nutzungsdauer', 'nutzungsdauer', text).text === '') return;
  page.life = text;
  r.keep('life', 'nutzungsdauer', text);
};

const offerName = (model, n) => (comparing(model) ? valueOf(model, `angebot${n}-name`).trim() : '') || `Angebot ${n}`;
// The link's key of an offer's value: the plain one for the first.
const linkKey = (n, key) => (n === 1 && OFFER_FIELDS[key].plain !== undefined ? OFFER_FIELDS[key].plain
  : `angebot${n}-${OFFER_FIELDS[key].box}`);

// A device's power field: in W from a figure of energy (the link keeps
// that figure), with its standby over the day and times the count where
// they apply (the link keeps the power typed), as the core makes it.
const readPower = (r, core, id, key, day, keepTyped) => {
  const text = r.text(id);
  if (text === '') return '';
  const unit = r.unit(id);
  let word = text;
  if (unit.convert !== undefined) {
    const made = r.made(id, unit.convert, text);
    if (made.text === '') return '';
    r.powers[id] = made.shown;
    r.energies[id] = { energy: text, per: unit.key === 'kwh' ? 'jahr' : 'tag', power: made.shown };
    r.keep('units', `${key}-${unit.key}`, text);
    word = made.text;
  } else if (day.compared) {
    // Compared, every power is read alike: finite, in full.
    if (r.made(id, 'leistung', text).text === '') return '';
  }
  const standby = day.standbyId === null ? '' : r.text(day.standbyId);
  const power = core.power({ leistung: word, standby: day.averaged ? standby || '0' : '', stunden: day.hours,
    anzahl: day.count });
  if (power.problem !== undefined) {
    r.refuse(power.field === 'anzahl' ? 'anzahl' : day.standbyId, power.problem);
    return '';
  }
  if (unit.convert === undefined) {
    r.years[id] = power.year;
    if (power.unusual) r.unusualPowers[id] = power.limit;
    if (keepTyped && power.text !== text) r.keep('device', key, text);
  }
  if (day.averaged || day.count !== '') {
    r.devices[id] = { power: r.powers[id] ?? word, standby: standby || '0', hours: day.hours, rest: power.rest,
      average: power.average, count: day.count, counted: power.shown, averaged: day.averaged };
  }
  return power.text;
};

// A device, or two or three compared: the cost (less the resale, times the
// count) and power of each, the old device's power, the price and options.
// A figure of energy holds how long the device runs: no operating time then;
// with a standby, the powers are averaged over the day instead of -a.
const readDevices = (r, model, core) => {
  const compared = comparing(model), offers = model.offers;
  const shared = Object.fromEntries(FIELDS.filter(({ id }) => slotOf(id).offer === 0 && !ONLY_SOLAR.includes(id))
    .map(({ id }) => [id, r.text(id)]));
  const powerIds = ['vorher', ...offers.map((_, i) => offerId(i + 1, 'power', compared))];
  const yearly = powerIds.some((id) => r.unit(id).convert !== undefined);
  const hours = yearly ? '' : shared.betriebsdauer;
  const standbyIds = ['standby-vorher', ...offers.map((_, i) => offerId(i + 1, 'standby', compared))];
  const averaged = hours !== '' && standbyIds.some((id) => valueOf(model, id).trim() !== '');
  const day = { compared, hours, averaged, count: shared.anzahl };
  // A standby typed where no operating time applies is said to wait for one.
  const idleStandby = averaged ? [] : standbyIds.filter((id) => valueOf(model, id).trim() !== '');
  const page = { ...NO_PAGE_VALUES, yearly, count: shared.anzahl === '' ? null : shared.anzahl, idleStandby };
  const old = readPower(r, core, 'vorher', 'vorher', { ...day, standbyId: yearly ? null : 'standby-vorher' }, true);
  const powers = offers.map((_, i) => readPower(r, core, powerIds[i + 1], linkKey(i + 1, 'power'),
    { ...day, standbyId: yearly ? null : standbyIds[i + 1] }, i === 0));
  const price = readPrice(r, shared.strompreis, page);
  const resale = shared.erloes;
  const costs = offers.map((_, i) => {
    const id = offerId(i + 1, 'cost', compared), typed = r.text(id);
    if (typed === '') return { typed, cost: '' };
    const made = shared.anzahl === '' ? { text: typed } : r.made('anzahl', 'anzahl', shared.anzahl, typed);
    const counted = made.text;
    if (counted === '') return { typed, cost: '' };
    if (shared.anzahl !== '' && i === 0) page.counted = { typed, shown: made.shown };
    if (compared) return { typed, cost: r.made(id, 'kosten', counted, resale).text };
    if (resale === '') return { typed, cost: counted };
    const net = r.made('erloes', 'erloes', resale, counted);
    [page.resale, page.resaleCost] = [net.shown, net.cost];
    return { typed, cost: net.text };
  });
  // The link keeps a cost typed where the command line has another figure.
  if ((resale !== '' || shared.anzahl !== '') && costs[0].typed !== '') r.keep('money', 'kosten', costs[0].typed);
  if (resale !== '' && costs[0].typed !== '') r.keep('money', 'erloes', resale);
  readLife(r, shared.nutzungsdauer, page);
  for (const id of ['anzahl', 'standby-vorher']) if (shared[id] !== '') r.keep('device', id, shared[id]);
  if (!compared && r.text('standby-hinterher') !== '') r.keep('device', 'standby-hinterher', r.text('standby-hinterher'));
  page.offers = compared ? offers.map((offer, i) => {
    const n = i + 1;
    const standby = valueOf(model, offerId(n, 'standby', true)).trim();
    if (n > 1 && costs[i].typed !== '') r.keep('offers', `angebot${n}-kosten`, costs[i].typed);
    if (n > 1 && r.unit(powerIds[n]).key === undefined && powers[i] !== '') r.keep('offers', `angebot${n}-leistung`, r.text(powerIds[n]));
    if (standby !== '') r.keep('device', linkKey(n, 'standby'), r.text(offerId(n, 'standby', true)));
    return { name: offerName(model, n), typed: costs[i].typed, cost: costs[i].cost, power: powers[i] };
  }) : [];
  // Averaged over the day, the command line has no -a: the link keeps the hours.
  if (averaged) r.keep('device', 'betriebsdauer', hours);
  const args = [costs[0].cost, price, old, powers[0], ...optionsOf(shared, hours !== '' && !averaged)];
  for (const id of compared ? [] : ['kosten', 'strompreis', 'vorher', 'hinterher']) if (valueOf(model, id).trim() === '') r.missing.push(id);
  if (compared) {
    if (shared.strompreis === '' && valueOf(model, 'strompreis').trim() === '') r.missing.push('strompreis');
    offers.forEach((_, i) => {
      for (const key of ['cost', 'power']) if (valueOf(model, offerId(i + 1, key, true)).trim() === '') r.missing.push(offerId(i + 1, key, true));
    });
  }
  return { args, page };
};

// A plug-in solar system: the cost, price and options as ever; the power
// of a generator that gives the household the self-used part of the yield,
// as the core estimates it; and the command lines of a lower and a higher
// self-use; with a battery, the same modules without it. Compared, each
// system has its cost, module power, orientation, mounting and battery, the
// rest (household, absence, postal code) they share, and no system at all is
// one of the possibilities.
const readSolar = (r, model, core, choiceLabel) => {
  const compared = comparing(model);
  const shared = Object.fromEntries(FIELDS.filter(({ id }) => !NOT_SOLAR.includes(id) && slotOf(id).offer === 0)
    .map(({ id }) => [id, r.text(id)]));
  const own = SOLAR_FIELDS.filter(({ id }) => slotOf(id).offer === 0 && !(compared && /^(ertrag|selbst)-kwh$/.test(id)));
  const solar = Object.fromEntries(own.map((field) => [field.id,
    field.choice || field.raw ? valueOf(model, field.id).trim() : r.text(field.id)]));
  const page = { ...NO_PAGE_VALUES, yearly: true, solarCompared: compared };
  const price = readPrice(r, shared.strompreis, page);
  r.keep('units', 'frage', 'solar');
  const systems = model.offers.map((_, i) => {
    const n = i + 1;
    const ids = Object.fromEntries(['cost', 'wp', 'orientation', 'mounting', 'battery', 'batteryCost'].map((key) => [key, offerId(n, key, compared)]));
    const [typed, peak, stored, storeCost] = [r.text(ids.cost), r.text(ids.wp), r.text(ids.battery), r.text(ids.batteryCost)];
    const [orientation, mounting] = [valueOf(model, ids.orientation), valueOf(model, ids.mounting)];
    for (const key of ['cost', 'wp']) if (valueOf(model, ids[key]).trim() === '') r.missing.push(ids[key]);
    if (n > 1 && typed !== '') r.keep('offers', `angebot${n}-kosten`, typed);
    for (const [key, text] of [['wp', peak], ['orientation', orientation], ['mounting', mounting], ['battery', stored],
      ['batteryCost', storeCost]]) if (text !== '' && !(n === 1 && OFFER_FIELDS[key].choice)) r.keep('offers', linkKey(n, key), text);
    const system = { n, ids, name: offerName(model, n), typed, cost: '', peak, stored, orientation, mounting,
      storeCost: storeCost === '' ? '' : r.made(ids.batteryCost, 'kosten', storeCost, '').text };
    if (typed === '') return system;
    // A subsidy comes off the cost, as a resale does a device's.
    const subsidy = shared.foerderung;
    system.cost = typed;
    if (compared) {
      system.cost = r.made(ids.cost, 'kosten', typed, subsidy).text;
    } else if (subsidy !== '') {
      const net = r.made('foerderung', 'erloes', subsidy, typed);
      [system.cost, page.subsidy, page.subsidyCost] = [net.text, net.shown, net.cost];
    }
    return system;
  });
  for (const [id, value] of Object.entries(solar)) if (value !== '') r.keep('units', id, value);
  for (const key of ['orientation', 'mounting']) if (systems[0][key] !== '') r.keep('units', OFFER_FIELDS[key].plain, systems[0][key]);
  if (shared.foerderung !== '') {
    if (systems[0].typed !== '') r.keep('money', 'kosten', systems[0].typed);
    r.keep('money', 'foerderung', shared.foerderung);
  }
  // A measured self-use answers alone; a known yield needs no module power.
  const measured = !compared && valueOf(model, 'selbst-kwh').trim() !== '';
  const known = measured || (!compared && valueOf(model, 'ertrag-kwh').trim() !== '');
  if (known) r.missing = r.missing.filter((id) => id !== 'wp');
  for (const id of ['strompreis', ...(measured ? [] : ['haushalt-kwh'])]) if (valueOf(model, id).trim() === '') r.missing.push(id);
  const ready = r.missing.length === 0 && r.problems.length === 0;
  const args = [systems[0].cost, price, '0', '', ...optionsOf(shared, false)];
  const line = (cost, before, after) => [cost, args[1], before, after, ...args.slice(4)];
  // The estimate of one system, its problems at its fields; with a battery,
  // the same modules without it, and the command line of the battery alone
  // (its price against the self-use it adds), where its price is given.
  const estimateOf = (system) => {
    const texts = { ...solar, wp: system.peak, ausrichtung: system.orientation, montage: system.mounting };
    const estimate = core.solar({ ...texts, 'speicher-kwh': system.stored });
    const fields = { wp: system.ids.wp, ausrichtung: system.ids.orientation, 'speicher-kwh': system.ids.battery };
    if (estimate.problem !== undefined) {
      r.refuse(fields[estimate.field] ?? estimate.field, estimate.problem);
      return estimate;
    }
    const labels = { orientation: choiceLabel('ausrichtung', system.orientation), mounting: choiceLabel('montage', system.mounting) };
    if (system.stored === '') return { ...estimate, ...labels, battery: null };
    const without = core.solar(texts);
    return { ...estimate, ...labels, battery: { without, line: system.storeCost === '' ? null
      : line(system.storeCost, without.power, estimate.power) } };
  };
  readLife(r, shared.nutzungsdauer, page);
  if (compared) {
    page.offers = systems.map((system) => {
      const estimate = ready && system.peak !== '' ? estimateOf(system) : null;
      return { name: system.name, typed: system.typed, cost: system.cost, power: estimate?.power ?? '', estimate,
        powerLow: estimate?.powerLow ?? '', powerHigh: estimate?.powerHigh ?? '' };
    });
    args[3] = page.offers[0].power;
  } else if (ready) {
    const estimate = estimateOf(systems[0]);
    const lineAt = (power) => line(args[0], '0', power);
    args[3] = estimate.power ?? '';
    page.solar = { ...estimate, peak: systems[0].peak, postcode: solar.plz, household: solar['haushalt-kwh'],
      lines: { low: lineAt(estimate.powerLow), high: lineAt(estimate.powerHigh) } };
  }
  return { args, page };
};

// The arguments as the model gives them (an empty option is not given),
// the required fields still empty, the fields whose value cannot be used,
// and the page's own values. choiceLabel(id, value): a choice's words.
export const readModel = (model, core, choiceLabel) => {
  const r = reader(model, core);
  const { args, page } = solarAsked(model) ? readSolar(r, model, core, choiceLabel) : readDevices(r, model, core);
  if (page.offers.length > 0) {
    r.keep('offers', 'angebote', page.offers.length);
    page.offers.forEach((_, i) => {
      const name = valueOf(model, `angebot${i + 1}-name`).trim();
      if (name !== '') r.keep('offers', `angebot${i + 1}-name`, name);
    });
  }
  Object.assign(page, { read: r.read, powers: r.powers, energies: r.energies, devices: r.devices, years: r.years,
    unusualPowers: r.unusualPowers, own: r.ownText() });
  return { args, missing: r.missing, problems: r.problems, page };
};
