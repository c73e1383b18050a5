// Further offers to compare: the first offer is the form's "Kosten" and
// "Leistung hinterher"; up to two more, each with a name, a cost and a
// power in the units of the other power fields, can be added and removed.
// Their fields are made here; the form reads them like any other.
import { html, render } from 'lit-html';

export const MOST_OFFERS = 3;
export const UNITS = ['W', 'kWh/Jahr', 'kWh/Tag'];
let count = 1;  // offers shown, the first included

const byId = (id) => document.getElementById(id);
export const offerCount = () => count;
// The numbers of the offers after the first, as shown.
export const laterOffers = () => Array.from({ length: count - 1 }, (_, i) => i + 2);
export const nameOf = (n) => byId(`angebot${n}-name`).value.trim() || `Angebot ${n}`;
// The fields of offer n (2 or 3) in the order a person fills them.
export const offerFields = (n) => [`angebot${n}-name`, `angebot${n}-kosten`, `angebot${n}-leistung`];

const offerView = (n, remove) => html`
<fieldset class="angebot" id=${`angebot${n}`}>
<legend>Angebot ${n}</legend>
<label for=${`angebot${n}-name`}>Name</label>
<input id=${`angebot${n}-name`} maxlength="40" placeholder=${`leer: Angebot ${n}`}>
<label for=${`angebot${n}-kosten`}>Kosten (Eu)</label>
<input id=${`angebot${n}-kosten`} inputmode="decimal" placeholder="z. B. 300" required>
<output id=${`angebot${n}-kosten-hinweis`} for=${`angebot${n}-kosten`}></output>
<label for=${`angebot${n}-leistung`}>Leistung</label>
<div class="mit-einheit">
<input id=${`angebot${n}-leistung`} inputmode="text" placeholder="z. B. 143" required>
<select id=${`angebot${n}-leistung-einheit`} aria-label=${`Einheit der Leistung von Angebot ${n}`}>${
  UNITS.map((unit) => html`<option>${unit}</option>`)}</select>
</div>
<output id=${`angebot${n}-leistung-hinweis`} for=${`angebot${n}-leistung angebot${n}-leistung-einheit`}></output>
<button type="button" class="entfernen" @click=${() => remove(n)}>Angebot ${n} entfernen</button>
</fieldset>`;

// The offers' fieldsets, the first offer's name once there are more, and
// the control that adds one (in the page from the start, so that nothing
// moves at load); changed tells the form that its values changed.
let changed = () => {};
const show = () => {
  byId('angebot1').hidden = count < 2;
  byId('angebot-neu').hidden = count === MOST_OFFERS;
  render(html`${laterOffers().map((n) => offerView(n, remove))}`, byId('angebote'));
};
function add() {
  count++;
  show();
  byId(`angebot${count}-name`).focus();
  changed();
}
// The later offer moves up into the place of the one removed; the focus
// goes to the control that adds an offer, which is there again.
// (Declared as functions: the template above and they refer to each other.)
function remove(n) {
  for (let k = n; k < count; k++) {
    for (const [i, id] of offerFields(k).entries()) byId(id).value = byId(offerFields(k + 1)[i]).value;
    byId(`angebot${k}-leistung-einheit`).value = byId(`angebot${k + 1}-leistung-einheit`).value;
  }
  count--;
  show();
  byId('angebot-neu').focus();
  changed();
}

// Shows n offers (a link's), with every field of the later ones empty.
export const setOffers = (n) => {
  count = Number.isInteger(n) ? Math.min(Math.max(n, 1), MOST_OFFERS) : 1;
  show();
  for (let k = 2; k <= count; k++) {
    for (const id of offerFields(k)) byId(id).value = '';
    byId(`angebot${k}-leistung-einheit`).value = 'W';
  }
};

export const startOffers = (onChange) => {
  changed = onChange;
  byId('angebot-neu').addEventListener('click', add);
  show();
};
