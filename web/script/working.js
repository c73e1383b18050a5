// "So wird gerechnet": under every answer, the steps of the model in the
// person's own numbers. Every figure is the core's (the answer's and the
// comparison's records carry them); a step whose shown figures, recomputed
// by hand, would give another last digit says that they are rounded. Each
// step is shown as a formula and read out as a sentence, units in words.
import { html, nothing } from 'lit-html';
import { asGerman } from './numbers.js';

// A figure with its unit; a step is its name, its terms (figures and the
// signs between them, as text) and its result.
const f = (value, unit = '') => ({ value, unit });
const step = (name, terms, result, rounded = false) => ({ name, terms, result, rounded });

// Units and signs as a screen reader should say them.
const SPOKEN_UNITS = { W: 'Watt', Wp: 'Watt Spitzenleistung', kWh: 'Kilowattstunden', 'kWh/kWp': 'Kilowattstunden je Kilowatt',
  'Eu/kWh': 'Euro je Kilowattstunde', '%': 'Prozent', h: 'Stunden', Euro: 'Euro', Jahre: 'Jahre' };
const SPOKEN_SIGNS = [[/·/g, ' mal '], [/\//g, ' geteilt durch '], [/−/g, ' minus '], [/\+/g, ' plus '], [/[()]/g, ' ']];
const spokenSign = (text) => SPOKEN_SIGNS.reduce((said, [sign, word]) => said.replace(sign, word), text);
// A negative figure after a sign stands in brackets, with a true minus.
const shownFigure = ({ value, unit }, i) => {
  const text = `${asGerman(value).replace(/^-/, '−')}${unit === '' ? '' : ` ${unit}`}`;
  return i > 0 && text.startsWith('−') ? `(${text})` : text;
};
const shownTerm = (term, i) => (typeof term === 'string' ? term : shownFigure(term, i));
const formula = (terms) => terms.map(shownTerm).join(' ').replace(/\( /g, '(').replace(/ \)/g, ')');
const spokenTerm = (term) => (typeof term === 'string' ? spokenSign(term)
  : `${asGerman(term.value)}${term.unit === '' ? '' : ` ${SPOKEN_UNITS[term.unit]}`}`);
const ROUNDED = ' (Zahlen gerundet)';

// (The data attributes carry the core's figures for whoever checks them.)
const stepView = ({ name, terms, result, rounded }) => html`<li data-schritt=${name} data-ergebnis=${result.value}
  data-zahlen=${terms.filter((term) => typeof term !== 'string').map(({ value }) => value).join(' ')}><span aria-hidden="true">${name}: ${
  formula(terms)} = ${shownTerm(result, 0)}${rounded ? ROUNDED : ''}</span><span class="vorgelesen">${name}: ${
  terms.map(spokenTerm).join(' ').replace(/\s+/g, ' ')} ergibt ${spokenTerm(result)}.${rounded ? ROUNDED : ''}</span></li>`;

// The real rate, the powers over the day, a power from kWh, the cost after
// the resale: the steps before a payback, where given.
const inputSteps = (w, page) => {
  const steps = [];
  if (w.inflationRate !== '') {
    steps.push(step('Realzins', ['100 · ((1 +', f(w.interestRate || '0'), '/ 100) / (1 +', f(w.inflationRate), '/ 100) − 1)'],
      f(w.rate, '%')));
  }
  for (const [id, name] of [['vorher', 'Leistung vorher'], ['hinterher', 'Leistung hinterher']]) {
    const e = page.energies?.[id];
    if (e === undefined) continue;
    steps.push(e.per === 'jahr' ? step(`${name} aus dem Jahresverbrauch`, [f(e.energy, 'kWh'), '/ 8,76'], f(e.power, 'W'))
      : step(`${name} aus dem Tagesverbrauch`, [f(e.energy, 'kWh'), '· 1000 / 24'], f(e.power, 'W')));
  }
  for (const [id, name] of [['vorher', 'Leistung vorher'], ['hinterher', 'Leistung hinterher']]) {
    const d = page.devices?.[id];
    if (d === undefined) continue;
    if (d.averaged) {
      steps.push(step(`${name} über den Tag, mit Standby`, ['(', f(d.power, 'W'), '·', f(d.hours, 'h'), '+', f(d.standby, 'W'), '·',
        f(d.rest, 'h'), ') / 24 h'], f(d.average, 'W')));
    }
    if (d.count !== '') steps.push(step(`${name} von ${d.count} Geräten`, [f(d.count), '·', f(d.averaged ? d.average : d.power, 'W')], f(d.counted, 'W')));
  }
  if (page.counted !== null && page.counted !== undefined) {
    steps.push(step(`Kosten von ${page.count} Geräten`, [f(page.count), '·', f(page.counted.typed, 'Euro')], f(page.counted.shown, 'Euro')));
  }
  if (w.hours !== '') {
    steps.push(step('Leistung vorher über den Tag', [f(w.before, 'W'), '·', f(w.hours, 'h'), '/ 24 h'], f(w.p1, 'W')));
    steps.push(step('Leistung hinterher über den Tag', [f(w.after, 'W'), '·', f(w.hours, 'h'), '/ 24 h'], f(w.p2, 'W')));
  }
  if (page.subsidy !== '' && page.subsidyCost !== '' && page.subsidy !== undefined) {
    steps.push(step('Kosten nach der Förderung', [f(page.subsidyCost, 'Euro'), '−', f(page.subsidy, 'Euro')], f(w.cost, 'Euro')));
  }
  if (page.resale !== '' && page.resaleCost !== '') {
    steps.push(step('Kosten nach dem Erlös', [f(page.resaleCost, 'Euro'), '−', f(page.resale, 'Euro')], f(w.cost, 'Euro')));
  }
  return steps;
};

// A payback's own steps: the energy and saving of a year, the interest on
// the cost, the payback or why there is none, and the balance at the end
// of a service life. cost: what the cost is called.
const paybackSteps = (w, a, life, cost = 'Kosten', energyGiven = false) => {
  const rounded = (name) => w.rounded.includes(name);
  const interest = Number(w.interest) !== 0;
  const steps = [
    ...(energyGiven ? [] : [step('Strom im Jahr', ['(', f(w.p1, 'W'), '−', f(w.p2, 'W'), ') · 8,76'], f(w.energy, 'kWh'), rounded('energy'))]),
    step('Ersparnis im Jahr', [f(w.energy, 'kWh'), '·', f(w.price, 'Eu/kWh')], f(w.saving, 'Euro'), rounded('saving')),
  ];
  if (interest) steps.push(step('Zinsen im Jahr', [f(w.cost, 'Euro'), '·', f(w.rate, '%')], f(w.interest, 'Euro'), rounded('interest')));
  const gain = interest ? ['(', f(w.saving, 'Euro'), '−', f(w.interest, 'Euro'), ')'] : [f(w.saving, 'Euro')];
  if (a.kind === 'zahlt') {
    steps.push(step('Wiedergewinnszeit', [f(w.cost, 'Euro'), '/', ...gain], f(a.years, 'Jahre'), rounded('years')));
  } else if (interest) {
    steps.push(step(`Was im Jahr bleibt (nicht über 0: die ${cost} kommen nie herein)`, gain.slice(1, -1), f(w.gain, 'Euro')));
  }
  if (life !== '' && a.balance !== '') {
    steps.push(step(`Bilanz nach ${asGerman(life)} Jahren`, [f(life, 'Jahre'), '·', f(w.gain, 'Euro'), '−', f(w.cost, 'Euro')],
      f(a.balance, 'Euro'), rounded('balance')));
  }
  return steps;
};

// A solar system's estimate: its yield, how the part used at home was
// estimated from the published series, and the generator's power of the
// command line (its kWh a year are the self-use itself).
const solarSteps = (s, w) => {
  const steps = [];
  if (s.specific !== '') {
    steps.push(step('Ertrag (kWh je kWp in München aus PVGIS, nach ddvo.github.io; Faktor der Region)',
      [f(s.peak, 'Wp'), '·', f(s.specific, 'kWh/kWp'), '/ 1000 ·', f(s.region)], f(s.yield, 'kWh')));
  }
  if (s.series !== '') {
    const factors = [...(Number(s.orientationFactor) === 1 ? [] : ['·', f(s.orientationFactor)]),
      ...(Number(s.awayFactor) === 1 ? [] : ['·', f(s.awayFactor)])];
    steps.push(step('Verhältnis von Ertrag und Verbrauch', [f(s.yield, 'kWh'), '/', f(s.household, 'kWh'), '· 100'], f(s.ratio, '%')));
    steps.push(step('Anteil nach der Reihe von ddvo.github.io (Haushalte mit 1.500, 3.000 und 6.000 kWh, dazwischen geradlinig)',
      [f(s.ratio, '%'), 'Ertrag gegenüber Verbrauch'], f(s.series, '%')));
    steps.push(step(`Direkt genutzt, am ehesten${factors.length === 0 ? '' : ' (Faktoren: Ost und West, tagsüber niemand zu Hause)'}`,
      [f(s.yield, 'kWh'), '·', f(s.series, '%'), ...factors, '·', f(s.likely, '%')], f(s.direct, 'kWh'), s.rounded.includes('direct')));
    if (s.batteryShare !== '') {
      steps.push(step('Aus dem Speicher (Anteil am Überschuss nach der HTW Berlin)',
        ['(', f(s.yield, 'kWh'), '−', f(s.direct, 'kWh'), ') ·', f(s.batteryShare, '%')], f(s.stored, 'kWh'), s.rounded.includes('stored')));
      steps.push(step('Selbst genutzt', [f(s.direct, 'kWh'), '+', f(s.stored, 'kWh')], f(s.selfUsed, 'kWh'), s.rounded.includes('selfUsed')));
    }
  }
  return steps;
};
// The command line takes the self-use as a generator's power.
const generatorStep = (s, w) => step('Leistung für den Befehl, als Erzeuger negativ', [f(s.selfUsed, 'kWh'), '/ 8,76'],
  f(w.p2.replace(/^-/, ''), 'W'));

// A comparison: each option's whole cost over the life, and each pair's
// payback as the steps of one.
const optionStep = (option, life) => step(`${option.name} über ${asGerman(life)} Jahre`,
  Number(option.interest) === 0 ? [f(option.cost, 'Euro'), '+', f(life, 'Jahre'), '·', f(option.electricity, 'Euro')]
    : [f(option.cost, 'Euro'), '+', f(life, 'Jahre'), '· (', f(option.electricity, 'Euro'), '+', f(option.interest, 'Euro'), ')'],
  f(option.total, 'Euro'), option.totalRounded);

const list = (steps) => html`<ol>${steps.map(stepView)}</ol>`;

// The block for a message: an answer or a comparison; nothing for others.
export const workingOf = (message, page) => {
  if (message.kind === 'answer') {
    const a = message.answer, w = a;
    if (a.solar !== null) {
      return list([...solarSteps(a.solar, w), ...inputSteps(w, page), ...paybackSteps(w, a, a.life, 'Kosten', true),
        generatorStep(a.solar, w)]);
    }
    return list([...inputSteps(w, page), ...paybackSteps(w, a, a.life)]);
  }
  if (message.kind !== 'comparison') return nothing;
  const c = message.comparison;
  return html`${c.life === '' ? nothing : list(c.options.map((option) => optionStep(option, c.life)))}
${c.pairs.filter(({ kind }) => kind !== '').map((pair) => html`<p>„${pair.dear}“ gegenüber „${pair.cheap}“, der Mehrpreis als Kosten:</p>${
  list(paybackSteps(pair, pair, '', 'Mehrkosten'))}`)}
${c.versusOld.filter(({ kind }) => kind !== '').map((old) => html`<p>„${old.name}“ gegenüber ${c.solar ? 'keiner Anlage' : 'dem alten Gerät'}:</p>${
  list(paybackSteps(old, old, c.life))}`)}`;
};
