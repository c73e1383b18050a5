// The result view: everything below the form, as one template of what the
// page shows (see viewOf in main.js): the answer in words, the table as the
// core writes it with -h, the chart, the command line to copy and the
// examples. Only the core's HTML is set as markup; every other value is
// text or an attribute, which lit-html never reads as markup.
import { html, nothing, render } from 'lit-html';
import { chart, chartCaption, comparisonCaption, comparisonChart } from './chart.js';
import { showHtml } from './html.js';
import { asGerman } from './numbers.js';
import { workingOf } from './working.js';

// Numbers in sentences are the core's texts with a decimal comma, each in a
// <data> element that holds the core's text; a figure with no finite value
// is said in words.
const NOT_FINITE = { inf: 'unendlich viele', '-inf': 'minus unendlich viele', nan: 'nicht bestimmbare',
  '-nan': 'nicht bestimmbare' };
const comma = (number) => NOT_FINITE[number] ?? asGerman(number);
const unsigned = (number) => number.replace(/^-/, '');
// A money figure that prints as zero, of either sign.
const zero = (number) => /^-?0\.00$/.test(number);
const figure = (name, number, shown = number) => html`<data class=${name} value=${number}>${comma(shown)}</data>`;
// A count and its noun, which agree: "1 Stunde", "8 Stunden".
const counted = (count, one, more) => (count === '1' ? one : more);

// Why a never-paying investment never pays, for each kind of answer.
const REASONS = {
  aufgehoben: (a) => html`Ersparnis (${figure('ersparnis', a.saving)} Euro im Jahr) und Zinsen (${
    figure('zinsen', a.interest)} Euro im Jahr) heben sich genau auf.`,
  zinsen: (a) => html`Die Zinsen auf die Kosten (${figure('zinsen', a.interest)} Euro im Jahr) sind höher als die Ersparnis (${
    figure('ersparnis', a.saving)} Euro im Jahr).`,
  mehr: (a) => html`Das Gerät braucht hinterher mehr Strom als vorher (${
    figure('energie', a.energy, unsigned(a.energy))} kWh im Jahr).`,
  keine: (a) => html`Bei diesem Strompreis spart sie nichts (${figure('ersparnis', a.saving)} Euro im Jahr).`,
};
const ALONE = {
  kosten: 'Bei negativen Kosten gibt es nichts zurückzugewinnen.',
  ungueltig: 'Mit diesen Werten lässt sich keine Wiedergewinnszeit berechnen.',
};

// Within a service life: whether it pays, and what is left or missing at its end.
const lifeOf = (a) => {
  const left = !a.balance.startsWith('-') && a.balance !== '0.00';
  const life = html`in der Nutzungsdauer von ${figure('nutzungsdauer', a.life)} ${counted(a.life, 'Jahr', 'Jahren')}`;
  const end = html`Am Ende ${left ? 'bleiben' : 'fehlen'} ${figure('bilanz', a.balance, unsigned(a.balance))} Euro.`;
  return { left, life, end };
};

// A payback under two years as a person says it, worked out by the core:
// " (knapp 7 Monaten)", " (etwa 2 Tagen)".
const DURATIONS = { monate: ['Monat', 'Monaten'], tage: ['Tag', 'Tagen'] };
const NEARNESS = { '-1': 'knapp', 0: 'etwa', 1: 'gut' };
const durationOf = ({ durationCount: count, durationUnit: unit, durationNearness: nearness }) => {
  if (unit === '') return '';
  if (count === '0') return ' (weniger als einem Tag)';
  return ` (${NEARNESS[nearness]} ${count} ${counted(count, ...DURATIONS[unit])})`;
};

// A resale at or above the cost: the sale pays for the new device, which
// saves from its first day.
const paidBySale = (a) => {
  const rest = zero(a.cost) ? 'genau'
    : html`und es bleiben ${figure('rest', a.cost, unsigned(a.cost))} Euro übrig`;
  const then = a.energy.startsWith('-')
    ? html`Das neue braucht aber mehr Strom (${figure('energie', a.energy, unsigned(a.energy))} kWh im Jahr).`
    : html`Vom ersten Tag an spart es ${figure('energie', a.energy)} kWh Strom im Wert von ${
      figure('ersparnis', a.saving)} Euro im Jahr.`;
  return { short: 'Der Verkauf bezahlt das neue Gerät.', figures: nothing,
    sentence: html`<p>Der Erlös von ${figure('erloes', a.resale)} Euro für das alte Gerät bezahlt das neue Gerät ${rest}. ${then}</p>` };
};

// The interest on the cost a year, where there is any: at a real rate below
// zero (inflation above the interest) it earns money.
const interestOf = (a) => (zero(a.interest) ? '' : html`; die Zinsen auf die Kosten zum Realzins von ${
  figure('realzins', a.rate)} % ${a.interest.startsWith('-') ? 'bringen' : 'kosten'} ${
  figure('zinsen', a.interest, unsigned(a.interest))} Euro`);

// A plug-in solar system: the payback at the estimated self-use, and
// between those of a lower and a higher one (the higher pays back sooner);
// where the figures come from, what the estimate cannot know, and the rules.
// (The lower self-use pays back later, if ever.)
const spreadOf = (s) => {
  if (s.low.kwh === s.high.kwh) return '';
  const soon = figure('jahre-kurz', s.high.years);
  if (s.low.kind === 'zahlt') return html`zwischen ${soon} und ${figure('jahre-lang', s.low.years)} Jahren, `;
  return s.high.kind === 'zahlt' ? html`bei mehr Eigenverbrauch nach ${soon} Jahren, bei weniger nie, ` : '';
};
const solarSentence = (a, s) => {
  const within = a.life === '' ? null : lifeOf(a);
  // Beyond the plug-in rules, it is no balcony system.
  const subject = s.rule === 'keine' ? 'Die Solaranlage macht sich' : 'Das Balkonkraftwerk macht sich';
  if (a.kind !== 'zahlt') {
    return html`<p>${subject} bei diesem Eigenverbrauch nie bezahlt. ${within === null ? '' : within.end} ${REASONS[a.kind](a)}</p>`;
  }
  const likely = html`${s.low.kwh === s.high.kwh ? '' : 'am ehesten '}nach ${figure('jahre', a.years)} Jahren${durationOf(a)}`;
  return within === null ? html`<p>${subject} ${spreadOf(s)}${likely} bezahlt.</p>`
    : html`<p>${subject} ${within.life} ${within.left ? '' : 'nicht '}bezahlt, ${spreadOf(s)}${likely}. ${within.end}</p>`;
};
const RULES = {
  schuko: '',
  energiestecker: ' Mit mehr als 960 Wp braucht es statt des Schukosteckers einen Energiesteckverbinder.',
  keine: ' Mit mehr als 2.000 Wp gelten diese Regeln nicht: Das ist eine gewöhnliche Photovoltaikanlage.',
};
// The yield: as given, or the module power times the kWh a kWp in Munich
// and the region's factor; none where only the self-use was measured.
const yieldOf = (s) => {
  if (s.yield === '') return '';
  if (s.specific === '') return html`Ertrag: ${figure('ertrag', s.yield)} kWh im Jahr, wie angegeben. `;
  return html`Ertrag: ${comma(s.peak)} Wp × ${figure('spezifisch', s.specific)} kWh je kWp (${s.orientation}, ${s.mounting}, in München) × ${
    figure('region', s.region)} (${s.postcode === '' ? 'Mittel Deutschlands, ohne Postleitzahl' : `Postleitzahl ${s.postcode}${s.postcode.length < 5 ? '…' : ''}`}) = ${
    figure('ertrag', s.yield)} kWh im Jahr. `;
};
// Where the figures come from and what they leave out; s: an estimate
// (its self-use told from the series where it was estimated).
const solarSources = (s) => html`<p class="quellen">Woher die Zahlen kommen: Ertrag je kWp aus PVGIS für
München nach ddvo.github.io, „Photovoltaik – Mini-Solaranlagen für daheim und unterwegs“; der Faktor der Region nach der
ersten Ziffer der Postleitzahl aus der langjährigen Einstrahlung (Mittel Deutschlands 1.055–1.086 kWh/m², München
1.170–1.200, Hamburg 950–965; energieatlas.bayern.de, „Potenzial“; photovoltaik.info, „Solarpotenzial in Ihrer Region“)
und gemessenen Erträgen nach Postleitzahl 2022 (solaranlage-mit-speicher.de, „Ertragsfaktor“): 0,85 im Norden (2…) bis
1,00 in Bayern (8…) und Südbaden (79…), ohne Postleitzahl 0,90. Ein regionales Mittel, auf etwa ±5 % genau; ein einzelnes
Jahr weicht um bis zu +15 % oder −19 % ab (bestkorn.de, gemessen 2010–2022).${s.series === '' ? '' : html` Selbst
genutzt: die Reihe von ddvo.github.io, „Eigenverbrauch – Mini-Solaranlagen“ (850 Wp mit 935 kWh bei Haushalten mit 1.500,
3.000 und 6.000 kWh, dazwischen geradlinig; ist tagsüber niemand zu Hause, 465 statt 620 kWh; nach Ost und West 86 statt
78 % des Ertrags, „Photovoltaik“), die günstigste der veröffentlichten: Für dieselbe Anlage gibt der
Stecker-Solar-Simulator der HTW Berlin 490 statt 620 kWh, die Verbraucherzentrale Nordrhein-Westfalen für 800 Wp am
Geländer rund 350 von 560 kWh (rp-online.de, dpa 2024). Am ehesten ist darum ${figure('mitte', s.likely)} % dieser Reihe;
die Spanne reicht von ${figure('unten', s.lowest)} % bis zu ihr. Ein Speicher nimmt einen Teil des Überschusses auf, nach
dem Stecker-Solar-Simulator der HTW Berlin (wie in GitHub nick81nrw/PVTools, Issue 58, verglichen).`} Nicht enthalten:
Verschattung, wann Ihr Haushalt Strom braucht, die Alterung der Module (etwa 0,5 % im Jahr, ddvo.github.io) und
Preisänderungen.</p>`;
// The rules for plug-in devices, and what they mean for these systems.
const solarRules = (rulesOf) => html`<p class="regeln">Regeln (Stand Dezember 2026): Steckersolargeräte bis 800 VA Wechselrichter und
2.000 Wp Module (960 Wp am Schukostecker) werden nur im Marktstammdatenregister angemeldet; eingespeister Strom wird nicht
vergütet (umweltbundesamt.de, „Steckersolargeräte (Balkonkraftwerke)“; sfv.de, „Organisatorisch-rechtliches Balkonsolar“;
vzhh.de zur Norm DIN VDE V 0126-95).${rulesOf}</p>`;
// A battery is its own investment: its price against the self-use it adds,
// and it may not last as long as the modules.
const BATTERY_LIFE = 'Ein Speicher muss womöglich innerhalb der Lebensdauer der Module ersetzt werden; das ist hier nicht eingerechnet.';
const battery = (s, life, name = '') => {
  if (s.battery === null || s.battery === undefined) return nothing;
  const of = name === '' ? 'Der Speicher' : `Der Speicher von „${name}“`;
  const b = s.battery.answer;
  if (b === null || b === undefined) {
    return html`<p>${of} hebt den selbst genutzten Strom von ${figure('ohne-speicher', s.battery.without.selfUsed)} auf ${
      figure('mit-speicher', s.selfUsed)} kWh im Jahr. Mit seinem Preis („davon für den Speicher“) sagt die Seite, wann er sich
selbst bezahlt macht. ${BATTERY_LIFE}</p>`;
  }
  const within = life === '' || b.balance === '' || !b.balance.startsWith('-');
  const when = b.kind !== 'zahlt' ? 'macht sich nie bezahlt'
    : html`macht sich ${within ? '' : 'erst nach der Nutzungsdauer, '}nach ${figure('jahre-speicher', b.years)} Jahren${durationOf(b)} bezahlt`;
  return html`<p>${of} allein (sein Preis gegen ${figure('mit-speicher', s.selfUsed)} statt ${
    figure('ohne-speicher', s.battery.without.selfUsed)} kWh selbst genutzt) ${when}. ${BATTERY_LIFE}</p>`;
};
const solarFigures = (a, s) => html`
<p>${yieldOf(s)}${s.yield === '' ? 'Der Haushalt nutzt' : 'Davon nutzt der Haushalt'} ${s.low.kwh === s.high.kwh ? 'gemessen' : 'am ehesten'} ${
  figure('selbst', s.selfUsed)} kWh selbst${s.share === '' ? '' : html` (${figure('anteil', s.share)} %)`} im Wert von ${
  figure('ersparnis', a.saving)} Euro im Jahr${interestOf(a)}.
${a.subsidy === '' ? '' : html`Die Förderung von ${figure('foerderung', a.subsidy)} Euro ist von den Kosten abgezogen. `}Was ins Netz fließt, bringt nichts: Steckersolargeräte bekommen keine Vergütung.${s.low.kwh === s.high.kwh ? ''
  : html` Nach den veröffentlichten Schätzungen sind es ${figure('niedrig', s.low.kwh)} bis ${figure('hoch', s.high.kwh)} kWh.`}</p>
${battery(s, a.life)}
${s.yield === '' && s.specific === '' ? nothing : solarSources(s)}
${s.rule === '' ? nothing : solarRules(RULES[s.rule])}`;
const solarAnswerOf = (a, s) => ({
  sentence: solarSentence(a, s),
  short: a.kind === 'zahlt' ? `Bezahlt ${s.low.kwh === s.high.kwh ? '' : 'am ehesten '}nach ${comma(a.years)} Jahren.`
    : 'Macht sich bei diesem Eigenverbrauch nie bezahlt.',
  figures: solarFigures(a, s),
});

// The answer's sentence, its short form (for a phone, where the sentence
// may be out of sight) and the figures of a year behind it; with a service
// life, first whether it pays within it.
const answerOf = (a) => {
  if (a.solar !== null && !(a.kind in ALONE)) return solarAnswerOf(a, a.solar);
  if (a.resale !== '' && (a.kind === 'kosten' || zero(a.cost))) return paidBySale(a);
  if (a.kind in ALONE) return { sentence: html`<p>${ALONE[a.kind]}</p>`, short: ALONE[a.kind], figures: nothing };
  const subject = a.hours !== ''
    ? html`Bei ${figure('stunden', a.hours)} ${counted(a.hours, 'Stunde', 'Stunden')} täglich macht sich die Investition`
    : 'Die Investition macht sich';
  const resale = a.resale === '' ? nothing
    : html`<p>Der Erlös von ${figure('erloes', a.resale)} Euro für das alte Gerät ist von den Kosten abgezogen.</p>`;
  const within = a.life === '' ? null : lifeOf(a);
  if (a.kind !== 'zahlt') {
    return { figures: resale, short: within === null ? 'Macht sich nie bezahlt.' : 'Macht sich auch in der Nutzungsdauer nie bezahlt.',
      sentence: within === null
        ? html`<p>${subject} nie bezahlt. ${REASONS[a.kind](a)}</p>`
        : html`<p>${subject} ${within.life} nicht bezahlt, auch danach nie. ${within.end} ${REASONS[a.kind](a)}</p>` };
  }
  const more = a.energy.startsWith('-');
  const energy = more ? 'braucht sie' : a.generator ? 'erzeugt sie' : 'spart sie';
  const interest = zero(a.interest) ? '.' : html`${interestOf(a)}, es bleiben ${figure('gewinn', a.gain)} Euro.`;
  const years = html`${figure('jahre', a.years)} Jahren${durationOf(a)}`;
  const after = `nach ${comma(a.years)} Jahren${durationOf(a)}`;
  return {
    sentence: within === null ? html`<p>${subject} nach ${years} bezahlt.</p>`
      : within.left ? html`<p>${subject} ${within.life} bezahlt, nach ${years}. ${within.end}</p>`
        : html`<p>${subject} ${within.life} nicht bezahlt, erst nach ${years}. ${within.end}</p>`,
    short: within === null ? `Bezahlt ${after}.`
      : within.left ? `In der Nutzungsdauer bezahlt, ${after}.` : `In der Nutzungsdauer nicht bezahlt, erst ${after}.`,
    figures: html`<p>Jedes Jahr ${energy} ${figure('energie', a.energy, unsigned(a.energy))} kWh Strom${
      more ? ' mehr' : ''} im Wert von ${figure('ersparnis', a.saving, more ? unsigned(a.saving) : a.saving)} Euro${interest}</p>${resale}`,
  };
};

// Offers compared: devices, with the old one kept as one possibility; or
// solar systems, with none at all as one. The words of each.
const WORDS = {
  device: { keep: 'das alte Gerät', keepDative: 'dem alten Gerät', keepChoice: 'das alte Gerät zu behalten',
    keepRow: 'Altes Gerät behalten', kwh: 'Verbrauch', electricity: 'Strom', yearly: 'Strom', more: 'und braucht auch mehr Strom',
    same: 'und braucht gleich viel Strom', thrift: 'braucht weniger Strom', bothSame: 'brauchen gleich viel Strom', what: 'Gerät' },
  solar: { keep: 'keine Anlage', keepDative: 'keiner Anlage', keepChoice: 'keine Anlage zu kaufen',
    keepRow: 'Keine Anlage', kwh: 'Selbst genutzt', electricity: 'Strom gespart', yearly: 'spart', more: 'und bringt auch weniger Strom',
    same: 'und bringt gleich viel Strom', thrift: 'bringt mehr Strom', bothSame: 'bringen gleich viel Strom', what: 'Anlage' },
};
const wordsOf = (c) => WORDS[c.solar ? 'solar' : 'device'];
// An option by name, the one kept in words.
const named = (option, w) => (option.keep ? w.keep : `„${option.name}“`);
const capital = (text) => text.charAt(0).toUpperCase() + text.slice(1);
// "von 10 Jahren" (dative), "über 10 Jahre" (accusative).
const yearsOf = (count, plural = 'Jahren') => html`${figure('nutzungsdauer', count)} ${counted(count, 'Jahr', plural)}`;

// A payback between two offers, or why there is none: the dearer one
// draws more, as much ('' : the command line gives no table, for equal
// powers), or saves no more than the interest on the extra price costs.
const NEVER = {
  zinsen: 'und spart weniger, als die Zinsen auf den Mehrpreis kosten',
  aufgehoben: 'und spart genau so viel, wie die Zinsen auf den Mehrpreis kosten',
  keine: 'und spart bei diesem Strompreis nichts',
  ungueltig: 'und lässt sich mit diesen Werten nicht vergleichen',
};
const pairOf = (pair, w, life = '') => {
  const [cheap, dear] = [`„${pair.cheap}“`, `„${pair.dear}“`];
  if (pair.sameCost) {
    if (pair.thriftier === null) return html`${cheap} und ${dear} kosten gleich viel und ${w.bothSame}.`;
    const other = pair.thriftier === pair.dear ? cheap : dear;
    return html`„${pair.thriftier}“ kostet so viel wie ${other} und ${w.thrift}.`;
  }
  if (pair.kind === 'zahlt') {
    // (A catch-up after the service life comes too late.)
    const late = life !== '' && Number(pair.years) > Number(life) ? html`, erst nach der Nutzungsdauer von ${yearsOf(life)}` : '';
    return html`${dear} holt die ${figure('mehrpreis', pair.extra)} Euro Mehrpreis gegenüber ${cheap} nach ${
      figure('jahre', pair.years)} Jahren${durationOf(pair)} herein${late}.`;
  }
  const reason = pair.kind === 'mehr' ? w.more : pair.kind === '' ? w.same : NEVER[pair.kind];
  return html`${dear} kostet ${figure('mehrpreis', pair.extra)} Euro mehr als ${cheap} ${reason}: Es holt den Mehrpreis nie herein.`;
};

// An offer against keeping the old device (or having no system), as the
// answer of one offer says it.
const versusOldOf = (answer, w) => {
  if (answer.kind === '') return `; ${w.same.replace('und ', '')} wie ${w.keep}`;
  const balance = answer.balance === '' ? ''
    : html`, am Ende ${answer.balance.startsWith('-') ? 'fehlen' : 'bleiben'} ${figure('bilanz', answer.balance, unsigned(answer.balance))} Euro`;
  return answer.kind === 'zahlt'
    ? html`; gegenüber ${w.keepDative} bezahlt nach ${figure('jahre', answer.years)} Jahren${durationOf(answer)}${balance}`
    : html`; gegenüber ${w.keepDative} nie bezahlt${balance}`;
};

// The answer for offers compared: with a service life, which option costs
// least over it and by how much less than the next; each offer's whole
// cost, and its payback against the old device; each pair's payback.
// Solar systems compared: each one's orientation, mounting, yield and
// self-use; which would be cheapest at the lower or higher self-use where
// that differs; each battery as its own investment; the sources and the
// rules for each system.
const systemOf = (system) => {
  const e = system?.estimate;
  if (e === null || e === undefined || e.problem !== undefined) return '';
  return html` (${e.orientation}, ${e.mounting}: Ertrag ${figure('ertrag', e.yield)} kWh, am ehesten ${
    figure('selbst', e.selfUsed)} kWh selbst genutzt, nach den veröffentlichten Schätzungen ${figure('niedrig', e.low)} bis ${
    figure('hoch', e.high)} kWh)`;
};
const RULES_OF_SYSTEM = {
  energiestecker: (name) => html` ${name}: mit mehr als 960 Wp statt des Schukosteckers ein Energiesteckverbinder.`,
  keine: (name) => html` ${name}: mit mehr als 2.000 Wp gelten diese Regeln nicht, das ist eine gewöhnliche Photovoltaikanlage.`,
};
const systemsSafeguards = (c) => {
  const cheapest = c.options[c.cheapest]?.name;
  const other = (at) => (at !== null && at !== cheapest ? at : null);
  const [low, high] = [other(c.spread.low), other(c.spread.high)];
  const estimated = c.systems.map(({ estimate }) => estimate).filter((e) => e !== null && e.problem === undefined);
  const rules = c.systems.filter(({ estimate }) => RULES_OF_SYSTEM[estimate?.rule] !== undefined)
    .map(({ name, estimate }) => RULES_OF_SYSTEM[estimate.rule](`„${name}“`));
  return html`${low === null && high === null ? nothing : html`<p>Die Spanne des Eigenverbrauchs ändert die Rangfolge: ${
    low === null ? '' : html`Bei weniger Eigenverbrauch wäre „${low}“ am günstigsten. `}${
    high === null ? '' : html`Bei mehr Eigenverbrauch wäre „${high}“ am günstigsten.`}</p>`}
${c.systems.map((system) => (system.estimate === null ? nothing : battery(system.estimate, c.life, system.name)))}
${estimated.length === 0 ? nothing : solarSources(estimated[0])}
${solarRules(rules)}`;
};
// A battery in the cheapest set whose own payback does not come within the
// service life: the headline says so.
const batteryCaveat = (c, option) => {
  const system = c.solar ? c.systems.find(({ name }) => name === option.name) : undefined;
  if (system?.estimate?.battery === null || system?.estimate?.battery === undefined) return '';
  const b = system.estimate.battery.answer;
  if (b === null) return ' Ob sich sein Speicher allein bezahlt macht, sagt die Seite mit dessen Preis.';
  if (b.kind !== 'zahlt') return ' Sein Speicher allein macht sich aber nie bezahlt.';
  return b.balance.startsWith('-')
    ? html` Sein Speicher allein macht sich aber erst nach der Nutzungsdauer bezahlt, nach ${figure('jahre-speicher', b.years)} Jahren.`
    : '';
};

const comparisonAnswerOf = (c) => {
  const w = wordsOf(c), cheapest = c.options[c.cheapest], next = c.options[c.next];
  const over = c.life === '' ? null : html`Über die Nutzungsdauer von ${yearsOf(c.life)}`;
  // Totals that are no number (powers beyond any float) rank last; where
  // even the cheapest or the next has none, the answer says so.
  const noSum = (option) => option === undefined || !Number.isFinite(Number(option.total));
  const undecided = c.life !== '' && (noSum(cheapest) || noSum(next));
  const sentence = c.life === ''
    ? html`<p>${c.pairs.length > 0 ? pairOf(c.pairs[0], w) : nothing}</p>`
    : undecided ? html`<p>${over} lässt sich mit diesen Werten nicht sagen, ${noSum(cheapest) ? `was am wenigsten kostet`
      : html`ob ${named(cheapest, w)} (${figure('gesamt', cheapest.total)} Euro) am wenigsten kostet`}: ${
      noSum(cheapest) ? 'Für keine Möglichkeit ergibt sich eine Summe.' : html`Für ${named(next, w)} ergibt sich keine Summe.`}</p>`
    : cheapest.keep
      ? html`<p>${over} ist es am günstigsten, ${w.keepChoice}: ${figure('gesamt', cheapest.total)} Euro, ${
        figure('abstand', c.margin)} Euro weniger als ${named(next, w)}.</p>`
      : cheapest.total.startsWith('-')
        ? html`<p>${over} bringt ${named(cheapest, w)} am meisten: ${figure('gesamt', cheapest.total, unsigned(cheapest.total))} Euro, ${
          figure('abstand', c.margin)} Euro mehr als ${named(next, w)}.${batteryCaveat(c, cheapest)}</p>`
        : html`<p>${over} kostet ${named(cheapest, w)} am wenigsten: ${figure('gesamt', cheapest.total)} Euro, ${
          figure('abstand', c.margin)} Euro weniger als ${named(next, w)}.${batteryCaveat(c, cheapest)}</p>`;
  const offers = c.options.filter((option) => !option.keep);
  const figures = html`
<ul>${offers.map((offer, i) => html`<li>${capital(named(offer, w))}${c.solar ? systemOf(c.systems[i]) : ''}: ${c.life === ''
    ? html`Kaufpreis ${figure('kosten', offer.cost)} Euro, ${w.yearly} ${figure('strom', offer.electricity, unsigned(offer.electricity))} Euro im Jahr`
    : offer.total.startsWith('-') ? html`${figure('gesamt', offer.total, unsigned(offer.total))} Euro Gewinn in ${yearsOf(c.life)}`
      : html`${figure('gesamt', offer.total)} Euro in ${yearsOf(c.life)}`}${
    c.versusOld.length > 0 ? versusOldOf(c.versusOld[i], w) : ''}.</li>`)}</ul>
${(c.life === '' ? c.pairs.slice(1) : c.pairs).map((pair) => html`<p>${pairOf(pair, w, c.life)}</p>`)}
${c.life === '' ? html`<p>Mit einer Nutzungsdauer sagt die Seite, welches ${w.what} über sie insgesamt am wenigsten kostet.</p>` : nothing}
${c.solar ? systemsSafeguards(c) : nothing}`;
  const short = c.life === '' ? `${c.pairs.length > 0 && c.pairs[0].kind === 'zahlt'
    ? `„${c.pairs[0].dear}“ holt den Mehrpreis nach ${comma(c.pairs[0].years)} Jahren herein.` : 'Siehe Vergleich.'}`
    : undecided ? 'Keine Summe für alle Möglichkeiten.'
    : cheapest.total.startsWith('-') ? `${capital(named(cheapest, w))} bringt am meisten: ${comma(unsigned(cheapest.total))} Euro.`
      : `${capital(cheapest.keep ? w.keepChoice : named(cheapest, w))} ist am günstigsten: ${comma(cheapest.total)} Euro.`;
  return { sentence, figures, short };
};

// The table of offers compared, one row for each option; the cheapest over
// the service life said in words. A solar system's kWh and money a year
// are what it brings, shown without their minus.
const comparisonTable = (c) => {
  const w = wordsOf(c), shown = (figure) => comma(c.solar ? unsigned(figure) : figure);
  return html`
<table id="vergleich">
<caption>Vergleich${c.life === '' ? '' : html` über ${yearsOf(c.life, 'Jahre')}`}</caption>
<thead><tr><th scope="col">Möglichkeit</th><th scope="col">Kaufpreis<br>Eu</th><th scope="col">${w.kwh}<br>kWh/Jahr</th>
<th scope="col">${w.electricity}<br>Eu/Jahr</th>${c.life === '' ? nothing : html`<th scope="col">Insgesamt<br>Eu</th>`}</tr></thead>
<tbody>${c.options.map((option, i) => html`<tr class=${i === c.cheapest ? 'guenstigst' : ''}>
<th scope="row">${option.keep ? w.keepRow : option.name}${i === c.cheapest ? ' (am günstigsten)' : ''}</th>
<td data-spalte="Kaufpreis (Eu)">${comma(option.cost)}</td><td data-spalte=${`${w.kwh} (kWh/Jahr)`}>${shown(option.kwh)}</td><td
  data-spalte=${`${w.electricity} (Eu/Jahr)`}>${shown(option.electricity)}</td>${
  c.life === '' ? nothing : html`<td class="insgesamt" data-spalte="Insgesamt (Eu)">${comma(option.total)}</td>`}</tr>`)}</tbody>
</table>`;
};

// The sentence for each kind of message; errors name their fields and get
// the ids that the marked fields point to.
const messageOf = (message) => {
  switch (message.kind) {
  case 'answer': return answerOf(message.answer);
  case 'comparison': return comparisonAnswerOf(message.comparison);
  case 'errors': return { figures: nothing, sentence: message.errors.map(({ text, labels }, i) =>
    html`<p class="fehler" id=${errorId(i)}>${labels.join(', ')}: ${text}</p>`),
  short: `Fehler bei ${[...new Set(message.errors.flatMap(({ labels }) => labels))].join(', ')}.` };
  case 'prompt': return { figures: nothing, short: '', sentence: html`<p>Noch einzugeben: ${message.labels.join(', ')}.</p>` };
  default: return { figures: nothing, short: '', sentence: nothing };
  }
};
export const errorId = (i) => `fehler-${i + 1}`;

// A word as a POSIX shell reads it back: quoted unless it is plain.
const shellWord = (arg) => (/^[A-Za-z0-9._+\-/=:]+$/.test(arg) ? arg : `'${arg.replace(/'/g, "'\\''")}'`);

// Everything below the form for a view, with the handlers of its controls.
const resultView = (view, box, on) => {
  const { sentence, figures, short } = messageOf(view.message);
  // The working is made only while it is open.
  const worked = view.message.kind === 'answer' || view.message.kind === 'comparison';
  const working = worked && view.workingOpen ? workingOf(view.message, view.page) : nothing;
  const compared = view.comparison?.chart ?? null;
  // Only the sentence is read out when it changes, as a whole, though only a
  // number of it may change; the figures stay to be read on demand. Its
  // short form, at the foot of a phone's screen while the sentence is out
  // of sight, is for the eye alone. The inputs as text and the link are
  // for paper.
  return html`
<p id="kurz" aria-hidden="true" ?hidden=${short === ''}>${short}</p>
<dl id="eingaben">${view.inputs.map(({ label, value }) => html`<div><dt>${label}:</dt> <dd>${value}</dd></div>`)}</dl>
<section id="antwort" aria-label="Antwort"><div id="satz" aria-live="polite" aria-atomic="true">${sentence}</div><div id="zahlen">${figures}</div>
<details id="rechnung" ?hidden=${!worked} .open=${view.workingOpen} @toggle=${on.working}><summary>So wird gerechnet</summary>${
  working}</details></section>
<div id="ergebnis" role="region" aria-label="Ergebnistabelle" tabindex="0" ?hidden=${view.table === ''}></div>
${view.comparison === null ? nothing : html`<div role="region" aria-label="Vergleichstabelle" tabindex="0" class="breit">${
  comparisonTable(view.comparison)}</div>`}
${view.lines.length === 0 ? nothing : html`<ul id="befehle" aria-label=${view.comparison === null ? 'Weitere Befehle'
  : 'Befehle der Vergleiche'}>${view.lines.map(({ about, line }) => html`<li>${about}:
<code>${line.map(shellWord).join(' ')}</code> <button type="button" aria-label=${`Befehl ${about} kopieren`} @click=${on.copy}>Kopieren</button></li>`)}</ul>`}
<p id="seitwaerts" hidden>Die Tabelle ist breiter als das Fenster: seitwärts wischen oder mit den Pfeiltasten verschieben.</p>
<div id="befehl" ?hidden=${view.command === null}>
<span>Befehl:</span> <code id="befehlszeile">${view.command?.map(shellWord).join(' ') ?? ''}</code>
<button type="button" id="kopieren" aria-label="Befehl kopieren" @click=${on.copy}>Kopieren</button>
${view.programErrors.map((text) => html`<p class="meldung">Das Programm meldet: <span>${text}</span></p>`)}
</div>
<figure id="abbildung" ?hidden=${view.curve === null && compared === null}>
<figcaption id="marke">${view.chartLater ? '' : view.curve !== null ? chartCaption(view.curve)
  : compared !== null ? comparisonCaption(compared, view.comparison.solar) : ''}</figcaption>
<svg id="diagramm" viewBox="0 0 ${box.width} ${box.height}" role="img" aria-label=${compared === null
  ? 'Wiedergewinnszeit über dem Strompreis' : 'Kosten jeder Möglichkeit über die Jahre'}>${view.chartLater ? nothing
  : view.curve !== null ? chart(view.curve, box) : compared !== null ? comparisonChart(compared, box) : nothing}</svg>
</figure>
<p id="behalten" ?hidden=${!view.savable}><a id="speichern" href="#" download="wiedergewinnszeit.html" @click=${on.save}
  >Antwort als HTML-Seite speichern</a></p>
<p id="link" ?hidden=${view.link === ''}>Diese Rechnung: <span>${view.link}</span></p>
<details id="rechenbeispiele" @toggle=${on.examples}>
<summary>Rechenbeispiele</summary>
<div id="beispiele" role="region" aria-label="Rechenbeispiele" tabindex="0" .innerHTML=${view.examples}></div>
</details>`;
};

// The chart's size in the units of its viewBox.
const CHART_BOX = { width: 600, height: 350 };

// What the page says below a field: how it read a number written with
// grouping or a unit sign, the power a yearly figure stands for, the price
// a figure in cents stands for, and a price so high that cents were likely meant.
const noteOf = (id, page) => {
  const read = page.read[id], parts = [];
  if (read !== undefined) parts.push(`gelesen als ${comma(read.number)} ${read.unit}`);
  if (page.powers[id] !== undefined) parts.push(`≈ ${comma(page.powers[id])} W`);
  if (page.years[id] !== undefined) parts.push(`≈ ${comma(page.years[id])} kWh/Jahr${page.count === null ? '' : ' je Gerät'}`);
  if (page.unusualPowers[id] !== undefined) {
    parts.push(`rund um die Uhr mehr als ${comma(page.unusualPowers[id])} W braucht kaum ein Haushaltsgerät – waren kWh/Jahr oder kWh/Tag gemeint? Dann die Einheit daneben wählen.`);
  }
  if (/speicher-kwh$/.test(id) && page.solar?.batteryUnusual) parts.push('so groß ist kaum ein Speicher im Haus – waren Wh gemeint? Dann durch 1.000 teilen.');
  if (page.idleStandby.includes(id)) parts.push('gilt nur mit einer täglichen Betriebsdauer, für die Stunden außer Betrieb');
  if (id === 'strompreis' && page.price !== '') parts.push(`= ${comma(page.price)} Eu/kWh`);
  if (id === 'strompreis' && page.unusual) parts.push('ungewöhnlich hoch für eine kWh – waren Cent gemeint? Dann „ct/kWh“ wählen.');
  const note = parts.join(', ');
  return note.charAt(0).toUpperCase() + note.slice(1);
};

const setWhereChanged = (element, name, value) => {
  if (element[name] !== value) element[name] = value;
};

// Shows a view: below each field what the page read there; whether the
// operating time applies; the fields its errors are about marked invalid,
// each described by its message and its note; and everything below the form.
export const showView = (view, on) => {
  // A generator in the device form counts every hour: the solar question
  // asks what people know of one.
  const answer = view.message.kind === 'answer' ? view.message.answer : null;
  const hint = document.getElementById('als-solar-hinweis'), hidden = !(answer?.generator && answer.solar === null);
  // Shown anew, it scrolls clear of the short answer at a phone's foot.
  if (hint.hidden && !hidden) requestAnimationFrame(() => hint.scrollIntoView({ block: 'nearest' }));
  // (Set only where they change: setting an attribute to its own value
  // still makes the browser look at the page's style again.)
  setWhereChanged(hint, 'hidden', hidden);
  setWhereChanged(document.getElementById('betriebsdauer'), 'disabled', view.page.yearly);
  setWhereChanged(document.getElementById('betriebsdauer-entfaellt'), 'hidden', !view.page.yearly);
  for (const input of document.querySelectorAll('#eingabe input:not([type="radio"]), #eingabe select:not([id$="-einheit"])')) {
    // (A name field has no note.)
    const output = document.getElementById(`${input.id}-hinweis`);
    const note = output === null ? '' : noteOf(input.id, view.page);
    // Set only when it changes: a new text would make the form be laid out again.
    if (output !== null && output.textContent !== note) output.textContent = note;
    const message = view.marks.find(({ id }) => id === input.id)?.message;
    const described = [message, note === '' ? undefined : output.id].filter((id) => id !== undefined).join(' ');
    // (Set only where they change, as the notes are.)
    const invalid = message !== undefined;
    if ((input.getAttribute('aria-invalid') === 'true') !== invalid) {
      if (invalid) input.setAttribute('aria-invalid', 'true');
      else input.removeAttribute('aria-invalid');
    }
    if ((input.getAttribute('aria-describedby') ?? '') !== described) {
      if (described === '') input.removeAttribute('aria-describedby');
      else input.setAttribute('aria-describedby', described);
    }
  }
  render(resultView(view, CHART_BOX, on), document.getElementById('ausgabe'));
  showHtml(document.getElementById('ergebnis'), view.table);
  showScrollSign(view.table);
  watchSentence();
};

// The short form shows while the sentence is not wholly in sight, and on a
// phone whose keyboard covers the page's foot, above the keyboard. A field
// that gets the focus scrolls clear of it (the page's scroll padding): a
// tap on the short form goes through to what is beneath.
let watching = false;
const watchSentence = () => {
  if (watching) return;
  watching = true;
  const short = document.getElementById('kurz');
  new IntersectionObserver(([entry]) => short.classList.toggle('im-blick', entry.intersectionRatio >= 0.99),
    { threshold: [0.99] }).observe(document.getElementById('satz'));
  const viewport = window.visualViewport;
  const keepAbove = () => {
    short.style.bottom = `${Math.max(0, innerHeight - viewport.height - viewport.offsetTop)}px`;
  };
  viewport?.addEventListener('resize', keepAbove);
  viewport?.addEventListener('scroll', keepAbove);
  document.getElementById('eingabe').addEventListener('focusin', (event) => {
    event.target.scrollIntoView({ block: 'nearest' });
  });
};

// A sign where the table is wider than the window: looked at before the
// next frame, once the result is in, so that measuring it costs no layout
// of its own.
// A table anew, wider than the window, shows its last column first: the
// payback is the one that must not be hidden.
let lastTable = '';
export const showScrollSign = (shown) => requestAnimationFrame(() => {
  const table = document.getElementById('ergebnis');
  const wide = !table.hidden && table.scrollWidth > table.clientWidth;
  setWhereChanged(document.getElementById('seitwaerts'), 'hidden', !wide);
  if (wide && typeof shown === 'string' && shown !== lastTable) table.scrollLeft = table.scrollWidth;
  if (typeof shown === 'string') lastTable = shown;
});
