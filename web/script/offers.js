// Offers compared: a list, each offer with a key of its own. With one
// offer the form is the plain one, its "Kosten" and "Leistung hinterher"
// (or a solar system's module power and battery) the offer; with more,
// each offer has a box of its own (name, cost, consumption or module power
// and battery), rendered from one template with lit's keyed repeat, so
// that an offer's fields, with what they hold and what was refused in
// them, go where the offer goes.
import { html, render } from 'lit-html';
import { repeat } from 'lit-html/directives/repeat.js';
import { POWER_UNITS, offerFields } from './fields.js';
import { solarAsked } from './question.js';

// How many offers the page compares; the core takes any number.
export const MOST_OFFERS = 3;

const byId = (id) => document.getElementById(id);
let offers = [{ key: 1 }];
let lastKey = 1;
let changed = () => {};

export const offerCount = () => offers.length;
export const comparing = () => offers.length > 1;
// Offer n's key (n from 1), which stays the same while the offer is shown.
export const offerKey = (n) => offers[n - 1].key;
export const nameOf = (n) => (comparing() ? byId(offerFields(n).name.id).value.trim() : '') || `Angebot ${n}`;

// A solar system's own figures in its box: its module power and battery.
const solarView = ({ wp, battery }) => html`
<label for=${wp.id}>Modulleistung (Wp)</label>
<input id=${wp.id} inputmode="decimal" placeholder="z. B. 800" required>
<output id=${`${wp.id}-hinweis`} for=${wp.id}></output>
<label for=${battery.id}>Speicher (kWh)</label>
<input id=${battery.id} inputmode="decimal" placeholder="leer: ohne Speicher">
<output id=${`${battery.id}-hinweis`} for=${battery.id}></output>`;
const deviceView = ({ power }, n) => html`
<label for=${power.id}>Verbrauch</label>
<div class="mit-einheit">
<input id=${power.id} inputmode="text" placeholder="z. B. 143" required>
<select id=${`${power.id}-einheit`} aria-label=${`Einheit des Verbrauchs von Angebot ${n}`}>${
  POWER_UNITS.map(({ unit }) => html`<option>${unit}</option>`)}</select>
</div>
<output id=${`${power.id}-hinweis`} for=${`${power.id} ${power.id}-einheit`}></output>`;

const offerView = (n, remove) => {
  const fields = offerFields(n), { name, cost } = fields;
  return html`
<fieldset class="angebot">
<legend>Angebot ${n}</legend>
<label for=${name.id}>Name</label>
<input id=${name.id} maxlength="40" placeholder=${`leer: Angebot ${n}`}>
<label for=${cost.id}>Kosten (Eu)</label>
<input id=${cost.id} inputmode="decimal" placeholder="z. B. 300" required>
<output id=${`${cost.id}-hinweis`} for=${cost.id}></output>
${solarAsked() ? solarView(fields) : deviceView(fields, n)}
<button type="button" class="entfernen" @click=${() => remove(n)}>Angebot ${n} entfernen</button>
</fieldset>`;
};

// The plain form's fields of the one offer, and offer n's, by question;
// the values they hold, carried between them.
const plainIds = () => (solarAsked() ? { cost: 'kosten', wp: 'wp', battery: 'speicher-kwh' }
  : { cost: 'kosten', power: 'hinterher', unit: 'hinterher-einheit' });
const idsOf = (n) => {
  const fields = offerFields(n);
  return solarAsked() ? { cost: fields.cost.id, wp: fields.wp.id, battery: fields.battery.id }
    : { cost: fields.cost.id, power: fields.power.id, unit: `${fields.power.id}-einheit` };
};
const valuesOf = (ids) => Object.fromEntries(Object.entries(ids).map(([key, id]) => [key, byId(id).value]));
const setValues = (ids, values) => {
  for (const [key, id] of Object.entries(ids)) byId(id).value = values[key] ?? (key === 'unit' ? 'W' : '');
};

// Compared, the plain form's cost and power (or a solar system's module
// power, battery and known figures) give way to the offers' boxes; the old
// device's power says that it is the device kept.
export const showOffers = () => {
  const boxes = comparing();
  for (const id of ['kosten-feld', 'hinterher-feld', 'wp-feld', 'speicher-feld', 'ertrag-selbst']) byId(id).hidden = boxes;
  byId('vorher-name').textContent = boxes ? 'Altes Gerät behalten: Verbrauch' : 'Leistung vorher';
  byId('vorher').placeholder = boxes ? 'leer: ohne altes Gerät' : 'z. B. 50';
  for (const button of document.querySelectorAll('.angebot-neu')) button.hidden = offers.length === MOST_OFFERS;
  render(boxes ? repeat(offers, ({ key }) => key, (_, i) => offerView(i + 1, remove)) : html``, byId('angebote'));
};

// The one offer's values move into a box of its own, and back.
function add() {
  const plain = offers.length === 1 ? valuesOf(plainIds()) : null;
  offers = [...offers, { key: ++lastKey }];
  showOffers();
  if (plain !== null) setValues(idsOf(1), plain);
  byId(offerFields(offers.length).name.id).focus();
  changed();
}
// (Declared as functions: the template above and they refer to each other.)
function remove(n) {
  offers = offers.filter((_, i) => i !== n - 1);
  const left = offers.length === 1 ? valuesOf(idsOf(1)) : null;
  showOffers();
  if (left !== null) setValues(plainIds(), left);
  [...document.querySelectorAll('.angebot-neu')].find((button) => button.offsetParent !== null)?.focus();
  changed();
}

// Shows n offers (a link's), each field of their boxes empty.
export const setOffers = (n) => {
  const count = Number.isInteger(n) ? Math.min(Math.max(n, 1), MOST_OFFERS) : 1;
  offers = Array.from({ length: count }, () => ({ key: ++lastKey }));
  showOffers();
  for (let k = 1; k <= (count > 1 ? count : 0); k++) {
    setValues(idsOf(k), {});
    byId(offerFields(k).name.id).value = '';
  }
};

export const startOffers = (onChange) => {
  changed = onChange;
  for (const button of document.querySelectorAll('.angebot-neu')) button.addEventListener('click', add);
  showOffers();
};
