// The browser page in Chromium, Firefox and WebKit, driven as a person
// would: typed into the form, opened from links. Every table, error, answer
// and chart point it shows must be what the native program prints for the
// same arguments; axe-core finds no accessibility fault at phone and
// desktop widths. One check for each concern (tables and answers, errors
// and refusals, charts, comparisons, links, layout and paper), each a
// table of rows; the engine is a column: every check runs in each one installed.
// Usage: node page_test.mjs PAGE.html NATIVE_PROGRAM
// With WGZ_ALL_ENGINES=1 an engine that is not installed fails the test.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import assert from 'node:assert/strict';
import { ENGINES } from './engines.mjs';

const [page_, native] = process.argv.slice(2);
const url = pathToFileURL(page_).href;
// The same page in a browser without Uint8Array.fromBase64, as older ones are.
const olderPage = join(mkdtempSync(join(tmpdir(), 'wgz-page-')), 'aelter.html');
writeFileSync(olderPage, readFileSync(page_, 'utf8')
  .replace('<head>', '<head><script>delete Uint8Array.fromBase64;</script>'));

// The native program's output; text through iconv, the code page's own decoder.
function program(args) {
  const r = spawnSync(native, args, { argv0: 'wiedergewinnszeit' });
  const text = spawnSync('iconv', ['-f', 'CP850', '-t', 'UTF-8'], { input: r.stdout }).stdout.toString();
  return { status: r.status, text, html: r.stdout.toString('utf8') };
}
const cellsOf = (html) => [...html.matchAll(/<t([dh])(?: class="(\w+)")?[^>]*>(.*?)<\/t[dh]>/g)]
  .map((m) => `${m[2] ?? m[1]}:${m[3].replace(/<br>/g, ' ').replace(/&nbsp;/g, '\u00a0')}`);
const errorsOf = (text) => text.split('\n').filter((l) => l.startsWith(' Fehler ')).map((l) => l.trim());
// The cells of the table the program writes with -h, and a table's last payback time.
const tableOf = (args) => cellsOf(program([...args, '-h']).html);
const lastYears = (cells) => cells.filter((cell) => cell.startsWith('zeit:')).at(-1).slice(5).trim();

// A power in kWh a year as the command line gives it: the float of kWh / 8.76
// in its fewest digits.
const shortestFloat = (x) => [...Array(9).keys()].map((d) => String(Number(Math.fround(x).toPrecision(d + 1))))
  .find((text) => Math.fround(Number(text)) === Math.fround(x));

// Rows typed into the form. typed: what goes into the fields, in form order
// (kosten, strompreis, vorher, hinterher, zins, inflation, betriebsdauer);
// page: the page's own fields and units; args: the command line it means,
// own: the link's own part; notes: what the page says below a field of how
// it read the number there (plain values get none); refilled: the fields as
// the link fills them, where not as typed; says: the answer; life: the
// service life typed.
const TYPED = [
  { typed: ['100', '0.24', '50', '40'], args: ['100', '0.24', '50', '40'] },
  { typed: ['100', '0,24', '50', '40', '5', '2,5', '8'],
    args: ['100', '0.24', '50', '40', '-z', '5', '-i', '2.5', '-a', '8'] },
  { typed: ['300', '0.30', '0', '-100', '', '', '12'], args: ['300', '0.30', '0', '-100', '-a', '12'] },
  { typed: ['100', '0.24', '50', '40', '30'], args: ['100', '0.24', '50', '40', '-z', '30'] },
  { typed: ['438', '0.5', '50', '40', '10'], args: ['438', '0.5', '50', '40', '-z', '10'] },
  { typed: ['100', '3e38', '50', '40'], args: ['100', '3e38', '50', '40'], notes: { strompreis: /Cent gemeint\?/ } },
  { typed: ['3e38', '0.24', '50', '40'], args: ['3e38', '0.24', '50', '40'] },
  { typed: ['100', '1e-30', '50', '40'], args: ['100', '1e-30', '50', '40'] },
  { typed: ['100', '-0,24', '50', '40'], args: ['100', '-0.24', '50', '40'] },
  { typed: ['100', '0.24', '40', '50'], args: ['100', '0.24', '40', '50'] },
  // Nothing to pay and more drawn: a loss from the first day, not "-0,00 Jahre".
  { typed: ['0', '0.3', '50', '60'], args: ['0', '0.3', '50', '60'], says: /^Die Investition macht sich nie bezahlt\. Das Gerät braucht hinterher mehr/ },
  // A fridge by its energy label, over its service life; then sold.
  { typed: ['800', '0,35', '420', '140'], page: { 'vorher-einheit': 'kWh/Jahr', 'hinterher-einheit': 'kWh/Jahr',
    nutzungsdauer: '15' }, args: ['800', '0.35', shortestFloat(420 / 8.76), shortestFloat(140 / 8.76)],
  own: 'vorher-kwh=420&hinterher-kwh=140&nutzungsdauer=15', life: 15 },
  { typed: ['800', '0.35', '420', '16', '4'], page: { 'vorher-einheit': 'kWh/Jahr', erloes: '50', nutzungsdauer: '3' },
    args: ['750', '0.35', shortestFloat(420 / 8.76), '16', '-z', '4'], own: 'vorher-kwh=420&kosten=800&erloes=50&nutzungsdauer=3',
    life: 3 },
  // Numbers as written on price tags and bills.
  { typed: ['1.299', '0.350', '50', '40'], args: ['1299', '0.350', '50', '40'],
    notes: { kosten: /^Gelesen als 1.299 Euro$/ }, refilled: ['1299', '0.350', '50', '40'] },
  { typed: ['1.299,– €', '0,24', '50', '40'], page: { erloes: '99,-' }, args: ['1200', '0.24', '50', '40'],
    own: 'kosten=1299&erloes=99', notes: { kosten: /^Gelesen als 1.299 Euro$/, erloes: /^Gelesen als 99 Euro$/ },
    refilled: ['1299', '0.24', '50', '40'] },
  { typed: ['1.299,50 €', '0,24', '50', '40', '5 %'], args: ['1299.5', '0.24', '50', '40', '-z', '5'],
    notes: { kosten: /^Gelesen als 1.299,5 Euro$/, zins: /^Gelesen als 5 %$/ }, refilled: ['1299.5', '0.24', '50', '40', '5'] },
  { typed: ['12 500', '1.5', '1.100', '-2.000', '', '', '1.5'], args: ['12500', '1.5', '1100', '-2000', '-a', '1.5'],
    notes: { kosten: /^Gelesen als 12.500 Euro$/,
      vorher: /^Gelesen als 1.100 W, ≈ 602,25 kWh\/Jahr$/, hinterher: /^Gelesen als -2.000 W, ≈ -1.095,00 kWh\/Jahr$/ }, refilled: ['12500', '1.5', '1100', '-2000', '', '', '1.5'] },
  { typed: ['800', '32,9', '420', '140'], page: { 'strompreis-einheit': 'ct/kWh', 'vorher-einheit': 'kWh/Jahr',
    'hinterher-einheit': 'kWh/Jahr' }, args: ['800', '0.329', shortestFloat(420 / 8.76), shortestFloat(140 / 8.76)],
  own: 'vorher-kwh=420&hinterher-kwh=140&strompreis-ct=32.9', notes: { strompreis: /^= 0,329 Eu\/kWh$/ } },
  { typed: ['100', '35', '50', '40'], args: ['100', '35', '50', '40'], notes: { strompreis: /Cent gemeint\?/ } },
  // Counts that agree with their nouns; a short payback in months or days;
  // a resale that pays for the new device.
  { typed: ['100', '0.24', '50', '40', '', '', '1'], page: { nutzungsdauer: '1' }, args: ['100', '0.24', '50', '40', '-a', '1'],
    own: 'nutzungsdauer=1', life: 1, says: /^Bei 1 Stunde täglich .* in der Nutzungsdauer von 1 Jahr nicht bezahlt/ },
  { typed: ['100', '0.24', '150', '65'], args: ['100', '0.24', '150', '65'], says: /nach 0,56 Jahren \(knapp 7 Monaten\) bezahlt/ },
  { typed: ['1', '0.3', '70', '0'], args: ['1', '0.3', '70', '0'], says: /nach 0,01 Jahren \(etwa 2 Tagen\) bezahlt/ },
  { typed: ['800', '0.35', '420', '140'], page: { 'vorher-einheit': 'kWh/Jahr', 'hinterher-einheit': 'kWh/Jahr', erloes: '900' },
    args: ['-100', '0.35', shortestFloat(420 / 8.76), shortestFloat(140 / 8.76)],
    own: 'vorher-kwh=420&hinterher-kwh=140&kosten=800&erloes=900',
    says: /^Der Erlös von 900,00 Euro für das alte Gerät bezahlt das neue Gerät und es bleiben 100,00 Euro übrig\. Vom ersten Tag an spart es 280,00 kWh/ },
  // A label's kWh a year typed as W: computed as typed, and asked about.
  { typed: ['800', '0,35', '420', '140'], args: ['800', '0.35', '420', '140'],
    notes: { vorher: /^≈ 3.679,20 kWh\/Jahr, rund um die Uhr mehr als 100 W .*kWh\/Jahr oder kWh\/Tag gemeint\?/, hinterher: /gemeint\?/ } },
  // A television on for 4 hours a day, on standby for the other 20 at 15 W
  // and, new, at 0,5 W: the powers averaged over the day, no -a.
  { typed: ['300', '0,35', '80', '60', '', '', '4'], page: { 'standby-vorher': '15', 'standby-hinterher': '0,5' },
    args: ['300', '0.35', shortestFloat((80 * 4 + 15 * 20) / 24), shortestFloat((60 * 4 + 0.5 * 20) / 24)],
    own: 'vorher=80&hinterher=60&standby-vorher=15&standby-hinterher=0.5&betriebsdauer=4' },
  // Ten halogen spots of 35 W against ten LEDs of 4,9 W at 6 Euro each, 5 hours a day.
  { typed: ['6', '0,3', '35', '4,9', '', '', '5'], page: { anzahl: '10' }, args: ['60', '0.3', '350', '49', '-a', '5'],
    own: 'kosten=6&vorher=35&hinterher=4.9&anzahl=10' },
];

// Rows the page answers with an error at a field: the program's own
// (invalid: the fields marked, args: the command line), or a value the page
// refuses itself (refused: the one field marked).
const ERRORS = [
  { typed: ['100', '0.24', '50', '40', '', '', '0'], args: ['100', '0.24', '50', '40', '-a', '0'],
    invalid: ['betriebsdauer'] },
  { typed: ['100', '0.24', '50', '50,0'], args: ['100', '0.24', '50', '50.0'], invalid: ['vorher', 'hinterher'] },
  { typed: ['100', '0.24', '50', '40'], page: { nutzungsdauer: '-5' }, refused: 'nutzungsdauer' },
  { typed: ['100', '0.24', '50', '40'], page: { nutzungsdauer: '1e30' }, refused: 'nutzungsdauer' },
  { typed: ['100', '0.24', '1e39', '40'], page: { 'vorher-einheit': 'kWh/Jahr' }, refused: 'vorher' },
  { typed: ['100', '0.24', '50', '40'], page: { erloes: 'viel' }, refused: 'erloes' },
  // Text is not read as its leading number, in any field.
  { typed: ['ca. 450', '0.24', '50', '40'], refused: 'kosten' },
  { typed: ['1.050 € (mit Speicher)', '0.24', '50', '40'], refused: 'kosten' },
  { typed: ['450 + 600', '0.24', '50', '40'], refused: 'kosten' },
  { typed: ['100', 'ca. 0,35', '50', '40'], refused: 'strompreis' },
  { typed: ['100', '0.24', '50', '40', '800 Wp'], refused: 'zins' },
  { typed: ['100', '0.24', '50', '40'], page: { anzahl: '2,5' }, refused: 'anzahl' },
  { typed: ['100', '0.24', '50', '40', '', '', '8'], page: { 'standby-vorher': '-1' }, refused: 'standby-vorher' },
];

// Offers compared (offers: each one after the first; kwh: each option's
// energy a year, the old device first where there is one; totals, cheapest:
// over the service life typed; refused: the one field marked; remove: the
// offer then removed, after which nothing is marked): three fridges as a
// published comparison adds them up; an old device measured in kWh a day
// against a dearer offer that uses more; values no comparison can be made
// with, in the shared fields and in any offer; two offers at the same cost
// with no price to tell them apart by; a refusal that goes with its offer.
const COMPARISONS = [
  { typed: ['200', '0,27', '', '190'], page: { 'hinterher-einheit': 'kWh/Jahr', nutzungsdauer: '10' },
    offers: [{ cost: '300', power: '143', unit: 'kWh/Jahr' }, { cost: '450', power: '95', unit: 'kWh/Jahr', name: 'Spar A+++ NoFrost' }],
    kwh: [190, 143, 95], totals: ['713,00', '686,10', '706,50'], cheapest: 'Angebot 2', life: 10,
    says: /^Über die Nutzungsdauer von 10 Jahren kostet „Angebot 2“ am wenigsten: 686,10 Euro, 20,40 Euro weniger als „Spar A\+\+\+ NoFrost“/ },
  { typed: ['800', '0,35', '1,15', '140'], page: { 'vorher-einheit': 'kWh/Tag', 'hinterher-einheit': 'kWh/Jahr', nutzungsdauer: '15' },
    offers: [{ cost: '900', power: '200', unit: 'kWh/Jahr', name: '<b>B</b>' }], kwh: [1.15 * 365, 140, 200],
    cheapest: 'Angebot 1', life: 15, says: /„<b>B<\/b>“ kostet 100,00 Euro mehr als „Angebot 1“ und braucht auch mehr Strom/ },
  { typed: ['200', '0,27', '', '190'], page: { 'hinterher-einheit': 'kWh/Jahr' },
    offers: [{ cost: '300', power: '143', unit: 'kWh/Jahr' }, { cost: '450', power: '95', unit: 'kWh/Jahr' }],
    says: /^„Angebot 2“ holt die 100,00 Euro Mehrpreis gegenüber „Angebot 1“ nach 7,88 Jahren herein\.[^]*Kaufpreis 200,00 Euro, Strom 51,30 Euro im Jahr/ },
  { typed: ['200', '0', '', '280'], offers: [{ cost: '200', power: '60', unit: 'W' }],
    says: /^„Angebot 2“ kostet so viel wie „Angebot 1“ und braucht weniger Strom\./ },
  { typed: ['0', '0,3', '50', '60'], page: { nutzungsdauer: '5' }, offers: [{ cost: '100', power: '40', unit: 'W' }],
    kwh: [50 * 8.76, 60 * 8.76, 40 * 8.76], cheapest: 'Angebot 2', life: 5,
    says: /„Angebot 1“: 788,40 Euro in 5 Jahren; gegenüber dem alten Gerät nie bezahlt, am Ende fehlen 131,40 Euro\./ },
  { typed: ['200', 'nan', '', '190'], offers: [{ cost: '300', power: '143', unit: 'W' }, { cost: '450', power: '95', unit: 'W' }],
    refused: 'strompreis' },
  { typed: ['200', 'inf', '', '190'], offers: [{ cost: '300', power: '143', unit: 'W' }, { cost: '450', power: '95', unit: 'W' }],
    refused: 'strompreis' },
  { typed: ['200', '0,27', '', '190', '', '-100'], offers: [{ cost: '300', power: '143', unit: 'W' }], refused: 'inflation' },
  { typed: ['200', '0,27', '', '190'], offers: [{ cost: '-5', power: '143', unit: 'W' }], refused: 'angebot2-kosten' },
  { typed: ['-5', '0,27', '', '190'], offers: [{ cost: '300', power: '143', unit: 'W' }], refused: 'angebot1-kosten' },
  { typed: ['200', '0,27', '', '190'], offers: [{ cost: 'inf', power: '143', unit: 'W' }], refused: 'angebot2-kosten' },
  { typed: ['200', '0,27', '', '190'], offers: [{ cost: '300', power: '1e39', unit: 'kWh/Tag' }], refused: 'angebot2-leistung' },
  { typed: ['200', '0,27', '', '190'], offers: [{ cost: '300', power: 'nan', unit: 'W' }], refused: 'angebot2-leistung' },
  { typed: ['200', '0,27', '', '190'], offers: [{ cost: '1'.repeat(65), power: '143', unit: 'W' }, { cost: '450', power: '95', unit: 'W' }],
    refused: 'angebot2-kosten', remove: 2, says: /^„Angebot 2“ holt die 250,00 Euro Mehrpreis gegenüber „Angebot 1“/ },
];


// A plug-in solar system, asked as such: its fields typed or chosen, the
// cost and the price in the form's own fields. selfUsed: the kWh a
// published simulation gives for the same system, which must lie within
// the spread the page states; yielded: a published yield, within a twentieth; battery: a capacity then typed, which must
// add self-use; refused: the one field marked.
const SOLAR = [
  // 2 x 300 Wp south at 30 degrees, 3000 kWh a year, someone home by day:
  // 506 kWh self-used (ddvo.github.io, "Photovoltaik", second table).
  // (A simulation with Bavarian weather data: at a Bavarian postal code.)
  { typed: { kosten: '600', strompreis: '0,35', wp: '600', plz: '80', 'haushalt-kwh': '3000' },
    chosen: { ausrichtung: 'sued', montage: 'schraeg' }, selfUsed: 506, battery: '1',
    says: /^Das Balkonkraftwerk macht sich zwischen [\d,]+ und [\d,]+ Jahren, am ehesten nach [\d,]+ Jahren/ },
  // 800 Wp on a south railing, nobody home by day, over 20 years.
  { typed: { kosten: '600', strompreis: '35', wp: '800', 'haushalt-kwh': '3000', nutzungsdauer: '20' },
    chosen: { 'strompreis-einheit': 'ct/kWh', ausrichtung: 'sued', tagsueber: 'weg' },
    says: /^Das Balkonkraftwerk macht sich in der Nutzungsdauer von 20 Jahren bezahlt, zwischen/ },
  // Measured: one payback, no spread.
  { typed: { kosten: '450', strompreis: '0,32', wp: '800', 'haushalt-kwh': '2500', 'ertrag-kwh': '650', 'selbst-kwh': '380', zins: '3' },
    chosen: {}, says: /^Das Balkonkraftwerk macht sich nach [\d,]+ Jahren/ },
  // 800 Wp on a south railing in Dortmund: the consumer advice centre of
  // North Rhine-Westphalia says about 560 kWh a year (rp-online.de, dpa 2024-04).
  { typed: { kosten: '600', strompreis: '0,35', wp: '800', plz: '44135', 'haushalt-kwh': '3000' },
    chosen: { ausrichtung: 'sued', montage: 'senkrecht' }, yielded: 560,
    says: /^Das Balkonkraftwerk macht sich zwischen [\d,]+ und [\d,]+ Jahren, am ehesten nach [\d,]+ Jahren/ },
  // A measured self-use is enough: no module power, household or orientation.
  { typed: { kosten: '450', strompreis: '0,32', 'selbst-kwh': '350' }, chosen: {},
    says: /^Das Balkonkraftwerk macht sich nach [\d,]+ Jahren[^]*Der Haushalt nutzt gemessen 350,00 kWh selbst im Wert/ },
  // Beyond the plug-in rules no balcony system; a battery of 2000 asks whether Wh were meant.
  { typed: { kosten: '4000', strompreis: '0,35', wp: '3000', 'haushalt-kwh': '4000', 'speicher-kwh': '2000' },
    chosen: { ausrichtung: 'sued', montage: 'schraeg' }, note: ['speicher-kwh', /waren Wh gemeint\?/],
    says: /^Die Solaranlage macht sich [^]*gewöhnliche Photovoltaikanlage/ },
  // A battery with its price: its own payback, the program's for its own line.
  { typed: { kosten: '900', strompreis: '0,35', wp: '800', 'haushalt-kwh': '3000', 'speicher-kwh': '1,5', 'speicher-preis': '400' },
    chosen: { ausrichtung: 'sued' }, says: /Der Speicher allein \(sein Preis gegen [\d,]+ statt [\d,]+ kWh selbst genutzt\) macht sich/ },
  // A town's subsidy comes off the cost, on the command line too.
  { typed: { kosten: '600', foerderung: '200', strompreis: '0,35', wp: '800', 'haushalt-kwh': '3000' },
    chosen: { ausrichtung: 'sued' }, cost: '400', says: /Die Förderung von 200,00 Euro ist von den Kosten abgezogen/ },
  { typed: { kosten: '600', strompreis: '0,35', wp: '800', plz: 'Köln', 'haushalt-kwh': '3000' }, chosen: { ausrichtung: 'sued' },
    refused: 'plz' },
  { typed: { kosten: '600', strompreis: '0,35', wp: '0', 'haushalt-kwh': '3000' }, chosen: { ausrichtung: 'sued' }, refused: 'wp' },
  { typed: { kosten: '600', strompreis: '0,35', wp: '600', 'haushalt-kwh': '3000', 'selbst-kwh': '5000' },
    chosen: { ausrichtung: 'ost' }, refused: 'selbst-kwh' },
  { typed: { kosten: '600', strompreis: '0,35', wp: '600', 'haushalt-kwh': '3000' }, chosen: {}, refused: 'ausrichtung' },
];
const STATES = { empty: '', result: '#100%200.24%2050%2040%20-z%205%20-a%208', error: '#100%200.24%2050%2050',
  label: '#750%200.35%2047.945206%2015.981735&vorher-kwh=420&hinterher-kwh=140&kosten=800&erloes=50&nutzungsdauer=15',
  cents: '#1299%200.35%2050%2040%20-z%205&strompreis-ct=35',
  offers: '#200%200.27%20%2021.689497&hinterher-kwh=190&nutzungsdauer=10&angebote=3&angebot1-name=A%2B&angebot2-name=A%2B%2B'
    + '&angebot2-kosten=300&angebot2-leistung-kwh=143&angebot3-name=A%2B%2B%2B&angebot3-kosten=450&angebot3-leistung-kwh=95',
  solar: '#&frage=solar&kosten=600&strompreis-ct=35&wp=800&ausrichtung=sued&montage=senkrecht&haushalt-kwh=3000&tagsueber=zuhause&nutzungsdauer=20' };
const AXE_TAGS = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'];
const AXE_RULES = ['region', 'landmark-one-main', 'landmark-unique', 'page-has-heading-one'];
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const FIELDS = ['kosten', 'strompreis', 'vorher', 'hinterher', 'zins', 'inflation', 'betriebsdauer'];

// Run in the page; they must not close over anything.
// The answer and the chart as elements with sorted attributes and texts: a
// page changed keystroke by keystroke must show what a fresh one shows.
const shown = () => ({ html: document.getElementById('ergebnis').innerHTML,
  answer: document.getElementById('antwort').textContent,
  elements: [...document.querySelectorAll('#antwort *, #abbildung, #abbildung *')].map((e) => [e.localName,
    ...[...e.attributes].map((a) => `${a.name}=${a.value}`).sort(),
    ...[...e.childNodes].filter((n) => n.nodeType === Node.TEXT_NODE).map((n) => n.data)].join(' ')) });
const state = () => ({ command: document.getElementById('befehlszeile').textContent,
  chart: document.getElementById('abbildung').textContent, hash: location.hash,
  fields: ['kosten', 'strompreis', 'vorher', 'hinterher', 'zins', 'inflation', 'betriebsdauer']
    .map((id) => document.getElementById(id).value),
  units: [...document.querySelectorAll('select[id$="-einheit"]')].map((e) => e.value),
  invalid: [...document.querySelectorAll('[aria-invalid="true"]')].map((e) =>
    [e.id, document.getElementById(e.getAttribute('aria-describedby').split(' ')[0])?.className]),
  notes: Object.fromEntries([...document.querySelectorAll('#eingabe output')].filter((o) => o.value !== '')
    .map((o) => [o.htmlFor.value.split(' ')[0], o.value])),
  errors: [...document.querySelectorAll('#antwort .fehler')].map((e) => e.textContent.replace(/^[^:]*: /, '')),
  programErrors: [...document.querySelectorAll('#befehl .meldung span')].map((e) => e.textContent),
  figures: Object.fromEntries([...document.querySelectorAll('#antwort data')].map((d) => [d.className, d.value])),
  sentence: document.querySelector('#antwort data.jahre')?.textContent,
  curves: [...document.querySelectorAll('#diagramm polyline')].map((l) => ({ ...l.dataset, points: l.getAttribute('points') })),
  ticks: [...document.querySelectorAll('#diagramm text.preis, #diagramm text.jahre')].map((t) =>
    ({ axis: t.getAttribute('class'), text: t.textContent, x: +t.getAttribute('x'), y: +t.getAttribute('y'),
      inside: ((b, v) => b.x >= v.x && b.y >= v.y && b.x + b.width <= v.x + v.width && b.y + b.height <= v.y + v.height)(
        t.getBBox(), t.ownerSVGElement.viewBox.baseVal) })),
  outside: performance.getEntriesByType('resource').map((r) => r.name).filter((n) => !/^(file|data|blob):/.test(n)),
  scriptErrors: window.wgzErrors });
const choose = (id, value) => { const e = document.getElementById(id); e.value = value;
  e.dispatchEvent(new Event('input', { bubbles: true })); };
const openExamples = () => { document.getElementById('rechenbeispiele').open = true; };
const examples = () => [...document.querySelectorAll('#beispiele li')].map((li) =>
  ({ command: li.querySelector('.code')?.textContent, table: li.querySelector('table')?.outerHTML }));
const inject = (source) => { const s = document.createElement('script'); s.textContent = source; document.head.append(s); };
const axeViolations = (tags, rules) => window.axe.run(document, { runOnly: { type: 'tag', values: tags },
  rules: Object.fromEntries(rules.map((rule) => [rule, { enabled: true }])) })
  .then((r) => r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
// Where the answer is in sight once the frame after the last keystroke is
// drawn: its short form at the screen's foot, or else the sentence; and
// whether the short form covers the focused field or its label.
const inSight = () => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(() => {
  const short = document.getElementById('kurz'), sentence = document.getElementById('satz');
  const shown = getComputedStyle(short).display === 'none' ? sentence : short;
  const box = shown.getBoundingClientRect(), line = shown.firstElementChild?.getClientRects()[0] ?? box;
  const focused = document.activeElement.matches('input, select') ? document.activeElement : null;
  const label = focused && document.querySelector(`label[for="${focused.id}"]`);
  const covers = (e) => shown === short && e !== null && ((r) => r.bottom > box.top && r.top < box.bottom)(e.getBoundingClientRect());
  resolve({ which: shown.id, text: shown.textContent, top: Math.min(box.top, line.top), bottom: Math.min(box.bottom, line.bottom),
    height: window.visualViewport?.height ?? innerHeight, covers: covers(focused) || covers(label) });
})));
const answerBox = () => { const r = document.getElementById('antwort').getBoundingClientRect();
  return { left: r.left, right: r.right, width: document.documentElement.clientWidth }; };

// Tick labels as numbers; each axis maps values to positions linearly
// through 0, and the curve's points lie where the core's numbers say.
// A number as the page writes it: grouping dots, a decimal comma.
const number = (text) => Number(text.replace(/\.(?=\d{3}(\D|$))/g, '').replace(',', '.'));
function checkChart({ ticks, curves }, what) {
  for (const [axis, pos] of [['preis', 'x'], ['jahre', 'y']]) {
    const marks = ticks.filter((t) => t.axis === axis).map((t) => ({ value: number(t.text), at: t[pos] }));
    assert.ok(marks.length >= 2 && marks[0].value === 0, `${what}: ${axis} ticks`);
    const scale = (marks[1].at - marks[0].at) / marks[1].value;
    const [first, second] = [marks[1].value, marks[2]?.value ?? 2 * marks[1].value];
    assert.ok([1, 2, 5].some((m) => Math.abs(first / 10 ** Math.floor(Math.log10(first)) - m) < 1e-9), `${what}: round step ${first}`);
    assert.ok(Math.abs(second - 2 * first) <= 1e-9 * second, `${what}: even steps`);
    for (const { value, at } of marks) assert.ok(Math.abs(marks[0].at + scale * value - at) < 1.5, `${what}: ${axis} ${value}`);
    for (const t of ticks) assert.ok(t.inside, `${what}: label ${t.text} inside`);
    for (const line of curves) {
      const values = (pos === 'x' ? line.preise : line.jahre).split(' ').map(Number);
      line.points.split(' ').forEach((point, i) => {
        const at = Number(point.split(',')[pos === 'x' ? 0 : 1]);
        // The curve is clipped to the plot; points far above it are not checked.
        const slack = 1.5;
        if (pos === 'x' || values[i] <= marks.at(-1).value * 1.2) {
          assert.ok(Math.abs(marks[0].at + scale * values[i] - at) < slack, `${what}: point ${i} ${axis}`);
        }
      });
    }
  }
}

const addOffer = () => document.getElementById('angebot-neu').click();
const removeOffer = (n) => [...document.querySelectorAll('.entfernen')][n - 1].click();
// A row's fields typed into a fresh page: the command line's, then the page's own.
async function typeRow(tab, c) {
  await tab.load(url);
  for (const [i, id] of FIELDS.entries()) await tab.replace(id, c.typed[i] ?? '');
  for (const [id, value] of Object.entries(c.page ?? {})) {
    if (id.endsWith('-einheit')) await tab.run(choose, id, value);
    else await tab.replace(id, value);
  }
}
const linkOf = (c) => '#' + c.args.map(encodeURIComponent).join('%20') + (c.own === undefined ? '' : `&${c.own}`);

// Tables and answers: the table is the program's; the sentence says its last
// payback time, which its yearly figures give again within the rounding of
// their printed digits; notes below the fields where a number was read
// otherwise than typed; the link, once typing pauses, reopens the same.
async function checkTyped(tab) {
  for (const c of TYPED) {
    await typeRow(tab, c);
    const link = linkOf(c);
    await tab.waitFor((hash) => location.hash === hash, link);
    const table = tableOf(c.args), got = await tab.run(shown), now = await tab.run(state);
    const what = c.args.join(' ');
    assert.deepEqual(cellsOf(got.html), table, what);
    const years = lastYears(table);
    // Over a service life: its years times the net gain, less the cost.
    if (c.life !== undefined) {
      const gain = Number(now.figures.gewinn ?? now.figures.ersparnis);
      assert.ok(Math.abs(Number(now.figures.bilanz) - (c.life * gain - Number(c.args[0]))) <= c.life * 0.005 + 0.005, what);
    }
    if (now.figures.jahre !== undefined) {
      // (Grouped by dots from four digits on.)
      assert.equal(now.sentence.replace(/\./g, ''), years.replace('.', ','), what);
      if (Math.abs(Number(years)) >= 1000) assert.match(now.sentence, /^-?\d{1,3}(\.\d{3})+,\d\d$/, what);
      const [cost, gain] = [Number(c.args[0]), Number(now.figures.gewinn ?? now.figures.ersparnis)];
      if (Number.isFinite(cost / gain) && Math.abs(gain) >= 0.01) {
        const bounds = [cost / (gain - 0.005), cost / (gain + 0.005)];
        assert.ok(Number(years) >= Math.min(...bounds) - 0.005 && Number(years) <= Math.max(...bounds) + 0.005, what);
      }
    } else {
      assert.match(got.answer, /nie bezahlt|keine|nichts|bezahlt das neue Gerät/, what);
    }
    if (c.says !== undefined) assert.match(got.answer, c.says, what);
    assert.doesNotMatch(got.answer, /\binf\b|\bnan\b|\de[+-]?\d/i, what);
    assert.doesNotMatch(got.answer + now.chart, /-0,00|NaN|undefined/, what);
    assert.equal(now.command, ['wiedergewinnszeit', ...c.args].join(' '));
    assert.deepEqual(now.scriptErrors, []);
    const said = (notes, text) => Object.keys(notes).filter((id) => /Gelesen|Cent/.test(text(notes[id]))).sort();
    assert.deepEqual(said(now.notes, String), said(c.notes ?? {}, (note) => note.source), what);
    for (const [id, note] of Object.entries(c.notes ?? {})) assert.match(now.notes[id] ?? '', note, what);
    // Opened, the link shows the same as the typed page; an old link, with
    // the powers in watts.
    await tab.load(url + link);
    assert.deepEqual(await tab.run(shown), got);
    const reopened = await tab.run(state);
    if (c.own === undefined) assert.deepEqual(reopened.units, ['Eu/kWh', 'W', 'W']);
    // (Filled from a link, a field shows a decimal comma, as a German writes it.)
    assert.deepEqual(reopened.fields, (c.refilled ?? c.typed.map((t) => t.replace(',', '.'))).map((t) => t.replace('.', ','))
      .concat(Array(7).fill('')).slice(0, 7));
  }
}

// Errors: the program's at the fields they are about, and the page's own
// refusals at the one field, which keeps every other value.
async function checkErrors(tab) {
  for (const c of ERRORS) {
    await typeRow(tab, c);
    const now = await tab.run(state), got = await tab.run(shown);
    assert.deepEqual(now.scriptErrors, []);
    if (c.refused !== undefined) {
      assert.deepEqual(now.invalid, [[c.refused, 'fehler']], c.refused);
      assert.equal(now.errors.length, 1, c.refused);
      const label = await tab.run((id) => document.querySelector(`label[for="${id}"]`).textContent, c.refused);
      assert.ok(got.answer.startsWith(`${label}: `), got.answer);
      assert.doesNotMatch(got.answer, /NaN|undefined|null/);
      assert.deepEqual(now.fields, c.typed.concat(Array(7).fill('')).slice(0, 7));
      continue;
    }
    await tab.waitFor((hash) => location.hash === hash, linkOf(c));
    const what = c.args.join(' ');
    // In plain words at the field; the program's own message beside its command line.
    assert.deepEqual(now.programErrors, errorsOf(program(c.args).text), what);
    assert.equal(now.errors.length, now.programErrors.length, what);
    for (const text of now.errors) assert.doesNotMatch(text, /Fehler \d|Option -/, what);
    assert.equal(got.html, '', what);
    assert.deepEqual(now.invalid.map(([id]) => id), c.invalid, what);
    assert.ok(now.invalid.every(([, described]) => described === 'fehler'), what);
  }
  // While a value is refused, the address holds no earlier answer's link.
  await tab.load(`${url}#100%200.24%2050%2040`);
  await tab.replace('kosten', 'ca. 450');
  await new Promise((resolve) => setTimeout(resolve, 400));
  assert.equal((await tab.run(state)).hash, '');
}

// Charts, opened from each typed row's link: axes and points where the
// core's numbers say, and at three prices the payback the program prints
// there, in its last row, to its two decimals.
async function checkCharts(tab) {
  for (const c of TYPED) {
    await tab.load(url + linkOf(c));
    const now = await tab.run(state), what = c.args.join(' ');
    checkChart(now, what);
    assert.ok(now.curves.length > 0 || /nie/.test(now.chart), what);
    for (const line of now.curves) {
      const prices = line.preise.split(' '), years = line.jahre.split(' ');
      for (const i of [0, prices.length >> 1, prices.length - 1]) {
        const printed = lastYears(tableOf([c.args[0], prices[i], ...c.args.slice(2)]));
        assert.ok(Math.abs(Number(years[i]) - Number(printed)) <= 0.005 * (1 + 1e-6),
          `${what} at ${prices[i]}: ${years[i]}, printed ${printed}`);
      }
    }
  }
}

// Offers compared, as the table and the answer show them.
const comparison = () => ({
  rows: [...document.querySelectorAll('#vergleich tbody tr')].map((tr) => [...tr.children].map((cell) => cell.textContent)),
  lines: [...document.querySelectorAll('#befehle code')].map((code) => code.textContent),
  answer: document.getElementById('antwort').textContent, focused: document.activeElement.id,
  chart: [...document.querySelectorAll('#diagramm .gesamt[data-bis], #diagramm circle')].map((e) =>
    (e.localName === 'circle' ? `Punkt ${e.dataset.jahre}` : `Linie ${e.dataset.von} ${e.dataset.bis}`)),
  caption: document.getElementById('marke').textContent,
  names: [...document.querySelectorAll('#diagramm text.name')].map((t) => [...t.children].map((line) => line.textContent).join(' ')),
  scriptErrors: window.wgzErrors,
  paybacks: [...document.querySelectorAll('#antwort data.jahre')].map((d) => d.value).sort() });

// Each option's whole cost over the life: its cost and its electricity.
function checkTotals(c, got, what) {
  const price = Number(c.typed[1].replace(',', '.'));
  const costs = [...(c.typed[2] === '' ? [] : [0]), Number(c.typed[0]), ...c.offers.map(({ cost }) => Number(cost))];
  assert.equal(got.rows.length, costs.length, what);
  got.rows.forEach((row, i) => {
    const total = number(row.at(-1));
    assert.ok(Math.abs(total - (costs[i] + c.life * c.kwh[i] * price)) <= 0.011, `${what}: ${row}`);
    if (c.totals !== undefined) assert.equal(row.at(-1), c.totals[i], what);
    assert.equal(row[0].includes('(am günstigsten)'), row[0].startsWith(c.cheapest), `${what}: ${row}`);
  });
  // The chart: a line for each option from its cost to its whole cost, and
  // a point at each payback within the life.
  assert.deepEqual(got.chart.filter((e) => e.startsWith('Linie')), got.rows.map((row) =>
    `Linie ${number(row[1])} ${number(row.at(-1))}`), what);
  // Each line's name beside it, whole (on two lines where it is long).
  assert.deepEqual([...got.names].sort(), got.rows.map((row) => row[0].replace(' (am günstigsten)', '')
    .replace('Altes Gerät behalten', 'Altes Gerät')).sort(), what);
  assert.deepEqual(got.chart.filter((e) => e.startsWith('Punkt')).map((e) => Number(e.slice(6))).sort(),
    got.paybacks.map(Number).filter((years) => years <= c.life).sort(), what);
}

// Comparisons: each offer typed into its own box; the totals against the
// row's own sum; every payback stated is what the program prints for the
// command line shown; the link reopens the same, names as text. A value no
// comparison can use is said at its field alone, and goes with its offer.
async function checkComparisons(tab) {
  for (const c of COMPARISONS) {
    await typeRow(tab, c);
    const what = `${c.typed.join(' ')} and ${c.offers.length} more`;
    for (const [i, offer] of c.offers.entries()) {
      const n = i + 2;
      await tab.run(addOffer);
      assert.equal((await tab.run(comparison)).focused, `angebot${n}-name`, what);
      await tab.replace(`angebot${n}-kosten`, offer.cost);
      await tab.run(choose, `angebot${n}-leistung-einheit`, offer.unit);
      await tab.replace(`angebot${n}-leistung`, offer.power);
      if (offer.name !== undefined) await tab.replace(`angebot${n}-name`, offer.name);
    }
    if (c.refused !== undefined) {
      const now = await tab.run(state);
      assert.deepEqual(now.invalid, [[c.refused, 'fehler']], what);
      assert.deepEqual(now.scriptErrors, [], what);
      assert.equal((await tab.run(comparison)).rows.length, 0, what);
      if (c.remove === undefined) continue;
      await tab.run(removeOffer, c.remove);
      assert.deepEqual((await tab.run(state)).invalid, [], what);
    }
    // The link is written once typing has paused for its delay.
    await new Promise((resolve) => setTimeout(resolve, 400));
    const got = await tab.run(comparison), hash = await tab.run(() => location.hash);
    assert.match(hash, /angebote=/, what);
    if (c.life !== undefined) checkTotals(c, got, what);
    assert.match(got.answer, c.says, what);
    assert.doesNotMatch(got.answer + got.caption, /unendlich|nicht bestimmbar|-0,00| :|NaN|undefined/, what);
    assert.deepEqual(got.scriptErrors, [], what);
    // Each command line shown, run natively, prints the payback the page states.
    const printed = got.lines.map((line) => program([...line.split(' ').slice(1), '-h']))
      .filter(({ status }) => status === 0).map(({ html }) => lastYears(cellsOf(html)));
    for (const years of got.paybacks) assert.ok(printed.includes(years), `${what}: ${years} in ${printed}`);
    await tab.load(url + hash);
    assert.deepEqual(await tab.run(comparison), { ...got, focused: '' });
    assert.equal(await tab.run(() => document.querySelectorAll('#antwort b, #vergleich b, #diagramm b').length), 0);
  }
  // Powers beyond any float at 100 hours a day and no price: totals that are
  // no number, said as such; the page is ready, with no script error.
  await tab.load(`${url}#100%200%20%203e38%20-a%20100&nutzungsdauer=10&angebote=2&angebot2-kosten=200&angebot2-leistung=2e38`);
  const crash = await tab.run(comparison);
  assert.deepEqual(crash.scriptErrors, []);
  assert.ok(await tab.run(() => window.wgzReady !== undefined));
  assert.match(crash.answer, /^Über die Nutzungsdauer von 10 Jahren lässt sich mit diesen Werten nicht sagen, was am wenigsten kostet/);
  await checkRemoval(tab);
}

// Removing any offer keeps every other offer's name, values and units,
// and with one left, the plain form holds them; a refusal goes with its offer.
const offerValues = () => [...document.querySelectorAll('fieldset.angebot')].map((box) =>
  [...box.querySelectorAll('input, select')].map((e) => e.value).join('|'));
async function checkRemoval(tab) {
  const basis = { name: 'Basis', cost: '379', power: '152' }, spar = { name: 'Spar', cost: '529', power: '104' };
  const third = { name: 'Dritt', cost: '-5', power: '90' };
  for (const [offers, removed, left] of [[[basis, spar], 1, [spar]], [[basis, spar, third], 1, [spar, third]],
    [[basis, spar, third], 2, [basis, third]], [[basis, spar, third], 3, [basis, spar]]]) {
    await tab.load(url);
    await tab.replace('strompreis', '0,3');
    await tab.run(addOffer);
    if (offers.length === 3) await tab.run(addOffer);
    for (const [i, offer] of offers.entries()) {
      await tab.replace(`angebot${i + 1}-name`, offer.name);
      await tab.replace(`angebot${i + 1}-kosten`, offer.cost);
      await tab.run(choose, `angebot${i + 1}-leistung-einheit`, 'kWh/Jahr');
      await tab.replace(`angebot${i + 1}-leistung`, offer.power);
    }
    await tab.run(removeOffer, removed);
    const now = await tab.run(state), what = `${offers.length} offers, ${removed} removed`;
    assert.deepEqual(now.scriptErrors, [], what);
    if (left.length === 1) {
      assert.deepEqual([now.fields[0], now.fields[3], now.units[2]], [left[0].cost, left[0].power, 'kWh/Jahr'], what);
      assert.deepEqual(now.invalid, [], what);
    } else {
      assert.deepEqual(await tab.run(offerValues), left.map((o) => `${o.name}|${o.cost}|${o.power}|kWh/Jahr|`), what);
      // Offer "Dritt" is refused for its negative cost, at its box, wherever it now stands.
      const at = left.indexOf(third) + 1;
      assert.deepEqual(now.invalid, at === 0 ? [] : [[`angebot${at}-kosten`, 'fehler']], what);
    }
  }
}

// The solar answer, its figures and its command lines.
const solar = () => ({ answer: document.getElementById('antwort').textContent,
  figures: Object.fromEntries([...document.querySelectorAll('#antwort data')].map((d) => [d.className, d.value])),
  command: document.getElementById('befehlszeile').textContent,
  lines: [...document.querySelectorAll('#befehle code')].map((code) => code.textContent), hash: location.hash,
  invalid: [...document.querySelectorAll('[aria-invalid="true"]')].map((e) => e.id), scriptErrors: window.wgzErrors });
// The page saved as the person saw it, read back.
const savedPage = async () => {
  const link = document.getElementById('speichern');
  document.addEventListener('click', (event) => event.preventDefault(), { once: true });
  link.click();
  const text = await (await fetch(link.href)).text();
  const kept = new DOMParser().parseFromString(text, 'text/html'), count = (selector) => kept.querySelectorAll(selector).length;
  return { sentence: kept.getElementById('satz').textContent, open: kept.getElementById('rechnung').open,
    steps: count('#rechnung li'), lines: count('#diagramm polyline, #diagramm line.gesamt'), rows: count('#ergebnis tr, #vergleich tr'),
    controls: count('button, input, select, #rechenbeispiele, #speichern'), link: kept.querySelector('#link span').textContent };
};
const askSolar = () => { document.getElementById('frage-solar').click(); };

// Solar systems: the yield is the module power times the kWh a kWp stated;
// the command line's generator gives the self-used kWh stated; each
// payback stated is what the program prints for its own command line; a
// battery adds self-use; the link reopens the same. The device form's
// hint for a generator asks the solar question with the cost and price kept.
async function checkSolar(tab) {
  for (const c of SOLAR) {
    await tab.load(url);
    await tab.run(askSolar);
    for (const [id, value] of Object.entries(c.chosen)) await tab.run(choose, id, value);
    for (const [id, text] of Object.entries(c.typed)) await tab.replace(id, text);
    const got = await tab.run(solar), what = JSON.stringify(c.typed);
    assert.deepEqual(got.scriptErrors, [], what);
    if (c.refused !== undefined) {
      assert.deepEqual(got.invalid, [c.refused], what);
      continue;
    }
    assert.match(got.answer, c.says, what);
    const f = got.figures, args = got.command.split(' ').slice(1);
    if (f.spezifisch !== undefined) {
      assert.ok(Math.abs(Number(f.ertrag) - Number(c.typed.wp) * Number(f.spezifisch) * Number(f.region) / 1000) <= 0.005, what);
    }
    if (c.cost !== undefined) assert.equal(args[0], c.cost, what);
    if (c.note !== undefined) assert.match(await tab.run((id) => document.getElementById(`${id}-hinweis`).textContent, c.note[0]), c.note[1]);
    if (c.yielded !== undefined) assert.ok(Math.abs(Number(f.ertrag) - c.yielded) <= c.yielded / 20, `${what}: ${f.ertrag}`);
    assert.ok(Math.abs(-Number(args[3]) * 8.76 - Number(f.selbst)) <= 0.01, `${what}: ${args[3]} ${f.selbst}`);
    if (c.selfUsed !== undefined) assert.ok(Number(f.niedrig) <= c.selfUsed && c.selfUsed <= Number(f.hoch), `${what}: ${f.niedrig}–${f.hoch}`);
    assert.equal(lastYears(tableOf(args)), f.jahre, what);
    const printed = got.lines.map((line) => lastYears(tableOf(line.split(' ').slice(1))));
    assert.deepEqual(printed, [f['jahre-lang'], f['jahre-kurz'], f['jahre-speicher']].filter((years) => years !== undefined), what);
    if (c.typed.nutzungsdauer !== undefined) {
      assert.ok(Math.abs(Number(f.bilanz) - (Number(c.typed.nutzungsdauer) * Number(f.ersparnis) - Number(args[0]))) <= 0.1, what);
    }
    await new Promise((resolve) => setTimeout(resolve, 400));
    const hash = await tab.run(() => location.hash);
    assert.match(hash, /frage=solar/, what);
    if (c.battery !== undefined) {
      await tab.replace('speicher-kwh', c.battery);
      assert.ok(Number((await tab.run(solar)).figures.selbst) > Number(f.selbst), what);
    }
    await tab.load(url + hash);
    const reopened = await tab.run(solar);
    assert.deepEqual({ ...reopened, hash: '' }, { ...got, hash: '' }, what);
  }
  await tab.load(`${url}#600%200.35%200%20-800`);
  assert.equal(await tab.run(() => document.getElementById('als-solar-hinweis').hidden), false);
  await tab.run(() => document.getElementById('als-solar').click());
  assert.deepEqual(await tab.run(() => [document.getElementById('frage-solar').checked, document.getElementById('solar').hidden,
    document.getElementById('kosten').value, document.getElementById('strompreis').value]), [true, false, '600', '0,35']);
  // Systems compared, one of them with a battery: every payback stated, the
  // battery's own among them, is the program's for a command line shown.
  await tab.load(`${url}#&frage=solar&kosten=500&strompreis-ct=35&wp=800&ausrichtung=sued&montage=senkrecht&haushalt-kwh=3000`
    + '&nutzungsdauer=20&angebote=3&angebot2-kosten=900&angebot2-wp=800&angebot2-speicher-kwh=1.5&angebot3-kosten=300&angebot3-wp=400');
  const systems = await tab.run(comparison);
  assert.deepEqual(systems.scriptErrors, []);
  assert.equal(systems.rows.length, 4);
  assert.match(systems.answer, /„Angebot 2“ holt die 400,00 Euro Mehrpreis gegenüber „Angebot 1“ nach [\d,]+ Jahren herein/);
  const printed = systems.lines.map((line) => lastYears(tableOf(line.split(' ').slice(1))));
  for (const years of systems.paybacks) assert.ok(printed.includes(years), `${years} in ${printed}`);
  // Each system with its own mounting, yield and self-use; a battery with its
  // price judged on its own, by the program's result for its own line; the
  // rules for each system.
  await tab.load(`${url}#&frage=solar&kosten=500&strompreis-ct=35&wp=800&ausrichtung=sued&montage=senkrecht&haushalt-kwh=3000`
    + '&nutzungsdauer=20&angebote=3&angebot2-kosten=900&angebot2-wp=800&angebot2-speicher-kwh=1.5&angebot2-speicher-preis=400'
    + '&angebot3-kosten=450&angebot3-wp=1000&angebot3-montage=schraeg');
  const own = await tab.run(comparison), own2 = await tab.run(solar);
  assert.deepEqual(own.scriptErrors, []);
  assert.match(own.answer, /„Angebot 1“ \(Süd, senkrecht an Geländer oder Wand: Ertrag [\d,]+ kWh, am ehesten [\d,]+ kWh selbst genutzt/);
  assert.match(own.answer, /„Angebot 3“ \(Süd, schräg aufgeständert, etwa 30°: Ertrag 991,80 kWh/);
  assert.match(own.answer, /Der Speicher von „Angebot 2“ allein .* macht sich .*bezahlt\. Ein Speicher muss womöglich/);
  assert.match(own.answer, /„Angebot 3“: mit mehr als 960 Wp statt des Schukosteckers/);
  const batteryLine = own.lines.find((line) => line.startsWith('wiedergewinnszeit 400 '));
  assert.equal(lastYears(tableOf(batteryLine.split(' ').slice(1))), own2.figures['jahre-speicher']);
  // The link of the page's own values alone, with no command part.
  await tab.load(`${url}#&frage=solar&kosten=600&strompreis-ct=35&wp=800&ausrichtung=sued&montage=senkrecht&haushalt-kwh=3000&tagsueber=zuhause`);
  const linked = await tab.run(solar);
  assert.equal(lastYears(tableOf(linked.command.split(' ').slice(1))), linked.figures.jahre);
}

// The working, opened: each step by name with its figures and result.
const openWorking = () => { document.getElementById('rechnung').open = true; };
const working = () => (document.querySelector('#rechnung li') === null ? null : {
  command: document.getElementById('befehlszeile').textContent,
  lines: [...document.querySelectorAll('#befehle code')].map((code) => code.textContent),
  totals: [...document.querySelectorAll('#vergleich tbody tr')].map((tr) => tr.lastElementChild.textContent),
  steps: [...document.querySelectorAll('#rechnung li')].map((li) => ({ name: li.dataset.schritt,
    figures: li.dataset.zahlen.split(' '), result: li.dataset.ergebnis, rounded: li.textContent.includes('gerundet'),
    width: li.getBoundingClientRect().right <= document.documentElement.clientWidth })) });
// States whose working is checked: interest, inflation and hours; a label's
// figures with a resale and a life; three offers; a solar system.
const WORKING = [`#100%200.24%2050%2040%20-z%205%20-i%202.5%20-a%208`, STATES.label, STATES.offers, STATES.solar,
  '#&frage=solar&kosten=600&strompreis-ct=35&wp=800&ausrichtung=ostwest&montage=senkrecht&haushalt-kwh=3000&tagsueber=weg'
    + '&speicher-kwh=1&plz=20095&foerderung=100',
  '#300%200.35%2025.833334%2010.416667&vorher=80&hinterher=60&standby-vorher=15&standby-hinterher=0.5&betriebsdauer=4'];
const near = (a, b) => Math.abs(Number(a) - Number(b)) <= 0.005 * (1 + 1e-9);

// Working: each step's figures are the native table's for the command
// shown (cost, real rate, the powers of its last row), the chain ends in
// the table's payback; a step not said to be rounded adds up by hand; no
// line is wider than a phone.
async function checkWorking(tab) {
  await tab.resize(360, 740);
  for (const hash of WORKING) {
    await tab.load(url + hash);
    await tab.run(openWorking);
    const got = await tab.waitFor(working), byName = (start) => got.steps.filter(({ name }) => name.startsWith(start));
    assert.ok(got.steps.length > 0 && got.steps.every(({ width }) => width), hash);
    const lines = [got.command, ...got.lines].filter((line) => line !== '').map((line) => line.split(' ').slice(1));
    const paybacks = lines.map((args) => lastYears(tableOf(args)));
    for (const s of byName('Wiedergewinnszeit')) assert.ok(paybacks.includes(s.result), `${hash}: ${s.result} in ${paybacks}`);
    for (const s of byName('Strom im Jahr')) {
      if (!s.rounded) assert.ok(near(s.result, (Number(s.figures[0]) - Number(s.figures[1])) * 8.76), `${hash}: ${s.name}`);
    }
    for (const s of [...byName('Ersparnis'), ...byName('Zinsen')]) {
      const [a, b] = s.figures.map(Number);
      if (!s.rounded) assert.ok(near(s.result, s.name.startsWith('Zinsen') ? a * b / 100 : a * b), `${hash}: ${s.name}`);
    }
    for (const s of byName('Wiedergewinnszeit')) {
      const [cost, saving, interest = 0] = s.figures.map(Number);
      if (!s.rounded) assert.ok(near(s.result, cost / (saving - interest)), `${hash}: ${s.name}`);
    }
    if (got.command !== '') {
      // One device: the table of the command shown holds the same figures.
      const cells = tableOf(got.command.split(' ').slice(1)), last = (cls) => cells.filter((c) => c.startsWith(`${cls}:`)).at(-1).slice(cls.length + 1).trim();
      assert.equal(byName('Wiedergewinnszeit').at(-1)?.result ?? got.steps.at(-1).result, last('zeit'), hash);
      const powers = cells.filter((c) => c.startsWith('leistung:')).slice(-2).map((c) => c.slice(9).trim());
      // (A solar system's kWh are its self-use: no step from W back to kWh.)
      if (!hash.includes('frage=solar')) assert.deepEqual(byName('Strom im Jahr')[0].figures, powers, hash);
      for (const s of byName('Realzins')) assert.equal(s.result, last('zins'), hash);
      for (const s of byName('Leistung vorher über')) assert.equal(s.result, powers[0], hash);
      for (const s of byName('Zinsen')) assert.equal(s.figures[0], cells.find((c) => c.startsWith('kosten:')).slice(7).trim(), hash);
    } else {
      // Compared: each option's total is the table's.
      const totals = got.steps.filter(({ name }) => / über \d+ Jahre$/.test(name)).map(({ result }) => Number(result));
      assert.deepEqual(totals, got.totals.map(number), hash);
    }
    // The estimate's own steps, where not said to be rounded, add up by hand.
  const product = (figures) => figures.reduce((a, b) => a * b, 1);
  for (const s of byName('Direkt genutzt')) {
    if (!s.rounded) assert.ok(near(s.result, product(s.figures.map(Number)) / 100 / 100), `${hash}: ${s.name}`);
  }
  for (const s of byName('Aus dem Speicher')) {
    const [y, d, share] = s.figures.map(Number);
    if (!s.rounded) assert.ok(near(s.result, (y - d) * share / 100), `${hash}: ${s.name}`);
  }
  for (const s of byName('Selbst genutzt')) if (!s.rounded) assert.ok(near(s.result, s.figures.map(Number).reduce((a, b) => a + b)), hash);
  for (const s of byName('Ertrag')) assert.ok(near(s.result, Number(s.figures[0]) * Number(s.figures[1]) / 1000 * Number(s.figures[2])), hash);
  }
}

// Links: a crafted one runs nothing; the examples as -bh writes them; a
// decimal comma; a link the page wrote before; an older browser; a link
// longer than the module's first memory; a NUL; a pasted megabyte.
async function checkLinks(tab) {
  // A crafted link shows text at most and runs nothing.
  await tab.load(url + '#<img src=x onerror=alert(1)>');
  assert.equal(await tab.run(() => document.querySelectorAll('img, #ergebnis *:not(p)').length), 0);
  // A link to the examples shows them, as -bh writes them, and leaves the form empty.
  await tab.load(url + '#-bh');
  assert.equal(await tab.run(() => document.querySelectorAll('#ergebnis li table').length), 7);
  assert.equal((await tab.run(state)).fields.join(''), '');
  // The examples section, made when opened: each example's table is what the
  // program and the page give for the example's own command line.
  await tab.load(url);
  assert.equal(await tab.run(() => document.getElementById('beispiele').innerHTML), '');
  await tab.run(openExamples);
  const listed = await tab.waitFor(examples);
  assert.equal(listed.length, 7);
  // (The examples keep "8.00" and "Stunden" together with a no-break space.)
  const spaced = (html) => cellsOf(html).map((cell) => cell.replace(/\u00a0/g, ' '));
  for (const { command, table } of listed) {
    const args = command.split(' ').slice(1);
    assert.deepEqual(spaced(table), spaced(program([...args, '-h']).html), command);
    await tab.load(`${url}#${args.join('%20')}`);
    assert.deepEqual(spaced((await tab.run(shown)).html), spaced(table), command);
  }

  // A decimal comma in a link means a point, as in a field; a NUL, which no
  // command line carries, and a pasted megabyte are refused, and said so.
  await tab.load(`${url}#100%201,5%2050%2040`);
  assert.equal((await tab.run(state)).command, 'wiedergewinnszeit 100 1.5 50 40');
  assert.deepEqual(cellsOf((await tab.run(shown)).html), tableOf(['100', '1.5', '50', '40']));
  // A link reads numbers as the program does: a link the page wrote before
  // with a cost of 1.299 Euro still means that, and so does the form it fills.
  await tab.load(`${url}#1.299%200.24%2050%2040`);
  assert.equal((await tab.run(state)).fields[0], '1,299');
  await tab.replace('zins', '5');
  await tab.waitFor(() => location.hash.includes('-z'));
  assert.equal((await tab.run(state)).command, 'wiedergewinnszeit 1.299 0.24 50 40 -z 5');
  // Without the browser's own base64 decoder, the page decodes the module itself.
  await tab.load(`${pathToFileURL(olderPage).href}#100%200.24%2050%2040`);
  assert.deepEqual(cellsOf((await tab.run(shown)).html), tableOf(['100', '0.24', '50', '40']));
  // A link with more arguments than the module's first memory holds: it grows.
  const many = ['100', '0.24', '50', '40', ...Array(50000).fill('1')];
  await tab.load(`${url}#${many.join('%20')}`);
  assert.deepEqual(cellsOf((await tab.run(shown)).html), tableOf(many));
  await tab.load(`${url}#100%200.24%2050%2040%00`);
  const withNul = await tab.run(shown);
  assert.equal(withNul.html, '');
  assert.match(withNul.answer, /Nullzeichen/);
  await tab.load(`${url}#100%200.24%2050%2040`);
  await tab.run(() => { const field = document.getElementById('strompreis');
    field.value = '1'.repeat(1 << 20); field.dispatchEvent(new Event('input', { bubbles: true })); });
  await new Promise((resolve) => setTimeout(resolve, 400));  // the link's delay
  const pasted = await tab.run(state);
  assert.ok(pasted.hash.length < 4096 && pasted.fields[0] === '100' && pasted.fields[2] === '50');
  assert.match((await tab.run(shown)).answer, /hatte \d{6,} Zeichen/);  // WebKit keeps 524288 of them
  assert.deepEqual(pasted.invalid, [['strompreis', 'fehler']]);
}

// Layout and paper: axe-core at a phone's and a desktop's width (dark too,
// where the engine can ask for it); the answer in sight on a phone after
// each field; one printed sheet.
async function checkLayout(tab) {
  // No accessibility violation in four states, at a phone's width and a
  // desktop's; on the phone the answer is readable without scrolling sideways.
  for (const [width, height] of [[360, 800], [1280, 900]]) {
    await tab.resize(width, height);
    for (const [name, hash] of [...Object.entries(STATES), ['examples', '']]) {
      await tab.load(url + hash);
      if (name === 'examples') await tab.run(openExamples);
      // The working open, where there is one.
      await tab.run(openWorking);
      await new Promise((resolve) => setTimeout(resolve, 100));
      await tab.run(inject, axeSource);
      assert.deepEqual(await tab.run(axeViolations, AXE_TAGS, AXE_RULES), [], `${name} at ${width} px`);
      const box = await tab.run(answerBox);
      assert.ok(box.left >= 0 && box.right <= box.width, `${name} at ${width} px: answer inside`);
      // Each option of a comparison within the screen, and the payback's column of the table in sight.
      const cut = await tab.run(() => {
        const width = document.documentElement.clientWidth, table = document.getElementById('ergebnis');
        const last = [...table.querySelectorAll('tr')].at(-1)?.lastElementChild?.getBoundingClientRect();
        const seen = table.getBoundingClientRect();
        return { rows: [...document.querySelectorAll('#vergleich tr')].filter((tr) => tr.getBoundingClientRect().right > width).length,
          payback: last === undefined || table.hidden || (last.left >= seen.left - 1 && last.right <= seen.right + 1) };
      });
      if (width <= 480 || name !== 'offers') assert.equal(cut.rows, 0, `${name} at ${width} px: comparison rows inside`);
      assert.ok(cut.payback, `${name} at ${width} px: payback in sight`);
    }
  }
  // Dark, in the engine that can ask for it: no accessibility violation either.
  if (tab.dark !== undefined) {
    await tab.dark();
    for (const [width, height] of [[360, 800], [1280, 900]]) {
      await tab.resize(width, height);
      for (const [name, hash] of Object.entries(STATES)) {
        await tab.load(url + hash);
        await tab.run(inject, axeSource);
        assert.deepEqual(await tab.run(axeViolations, AXE_TAGS, AXE_RULES), [], `dark: ${name} at ${width} px`);
      }
    }
  }
  assert.deepEqual((await tab.run(state)).outside, []);

  // On a phone, with and without its keyboard up, and on a laptop: once the
  // four numbers are in, the answer (or its short form) is in sight after each field typed,
  // and never over the field or its label; so it is at once for a link.
  const typing = [['kosten', '800'], ['strompreis', '0,35'], ['vorher', '420'], ['hinterher', '140'],
    ['zins', '4'], ['inflation', '2'], ['betriebsdauer', '12'], ['erloes', '50'], ['nutzungsdauer', '15']];
  for (const [width, height] of [[360, 740], [360, 400], [1366, 768], [1280, 800]]) {
    await tab.resize(width, height);
    await tab.load(url);
    for (const [i, [id, text]] of typing.entries()) {
      await tab.replace(id, text);
      if (i < 3) continue;
      const years = lastYears(tableOf((await tab.run(state)).command.split(' ').slice(1)));
      const sight = await tab.run(inSight), what = `${width}x${height} after ${id}: ${JSON.stringify(sight)}`;
      assert.ok(sight.top >= 0 && sight.bottom <= sight.height, what);
      assert.ok(sight.text.includes(years.replace('.', ',')), what);
      assert.ok(!sight.covers, what);
    }
    await tab.load(url + STATES.result);
    const sight = await tab.run(inSight);
    const linked = lastYears(tableOf(decodeURIComponent(STATES.result.slice(1)).split(' ')));
    assert.ok(sight.top >= 0 && sight.bottom <= sight.height && sight.text.includes(linked.replace('.', ',')),
      `link at ${width}x${height}: ${JSON.stringify(sight)}`);
  }

  // On paper: one sheet each, with the answer's sentence, the working and
  // the link written out.
  if (tab.pdf !== undefined) {
    await tab.resize(1280, 900);
    for (const [name, hash, entered] of [['label', STATES.label, /Kosten: 800 Euro/], ['offers', STATES.offers, /Strompreis: 0,27/],
      ['solar', STATES.solar, /Modulleistung: 800 Wp/],
      // Three offers and the old device with long names: still one sheet.
      ['long names', `${STATES.offers.replace('%20%2021', '%20420%2021')}&vorher-kwh=420`.replace(/angebot(\d)-name=[^&]*/g,
        (_, n) => `angebot${n}-name=${encodeURIComponent(['Kühlschrank Basis Modell 2026', 'Kühlschrank Spar mit Gefrierfach',
          'Kühlschrank Premium A+++ NoFrost'][n - 1])}`), /Kühlschrank Spar mit Gefrierfach: 300 Euro/]]) {
      await tab.load(url + hash);
      const sentence = (await tab.run(shown)).answer.split('.')[0];
      const file = join(mkdtempSync(join(tmpdir(), 'wgz-print-')), 'seite.pdf');
      writeFileSync(file, await tab.pdf());
      assert.match(spawnSync('pdfinfo', [file]).stdout.toString(), /^Pages:\s+1$/m, name);
      // (Firefox's PDF may join "fi" into one ligature.)
      const printed = spawnSync('pdftotext', ['-layout', file, '-']).stdout.toString().normalize('NFKC').replace(/\s+/g, ' ');
      assert.ok(printed.includes(sentence.replace(/\s+/g, ' ')), printed);
      const link = await tab.run(() => document.querySelector('#link span').textContent);
      assert.ok(link.startsWith(url) && printed.replace(/ /g, '').includes(link), printed);
      assert.match(printed, entered);
      assert.match(printed, /So wird gerechnet.*Wiedergewinnszeit: /, name);
      assert.doesNotMatch(printed, /Kopieren|Rechenbeispiele|leer:/);
      // Saved as a page: what is seen, the working open, the table, the chart, the link; no control.
      const kept = await tab.run(savedPage), live = await tab.run(() => document.getElementById('satz').textContent);
      assert.deepEqual([kept.sentence, kept.open, kept.controls, kept.link], [live, true, 0, link], name);
      assert.ok(kept.steps > 3 && kept.lines > 0 && kept.rows > 1, name);
    }
  }
}

// WGZ_ENGINES=Chromium,WebKit and WGZ_CHECKS=typed,links run those alone,
// for a quicker look.
const only = process.env.WGZ_ENGINES?.split(',');
const onlyChecks = process.env.WGZ_CHECKS?.split(',');
const CHECKS = { typed: checkTyped, errors: checkErrors, charts: checkCharts, comparisons: checkComparisons,
  solar: checkSolar, working: checkWorking, links: checkLinks, layout: checkLayout };

let ran = 0;
for (const engine of ENGINES.filter(({ name }) => only === undefined || only.includes(name))) {
  const tab = await engine.start();
  if (typeof tab === 'string') {
    console.log(`${engine.name}: skipped (${tab})`);
    if (process.env.WGZ_ALL_ENGINES === '1') process.exitCode = 1;
    continue;
  }
  try {
    for (const [name, checkOf] of Object.entries(CHECKS).filter(([name]) => onlyChecks?.includes(name) ?? true)) {
      await checkOf(tab);
      console.log(`${engine.name}: ${name} passed`);
    }
    ran++;
  } finally {
    await tab.stop();
  }
}
if (ran === 0 && process.exitCode === undefined) process.exitCode = 77;
