// Offers compared, each in a box of its own (name, cost, consumption and
// standby, or module power and battery), rendered from the model's list
// with lit's keyed repeat: a box goes where its offer goes, and shows the
// offer's own values. With one offer there is no box; the plain form's
// fields are the offer's.
import { html, render } from 'lit-html';
import { live } from 'lit-html/directives/live.js';
import { repeat } from 'lit-html/directives/repeat.js';
import { POWER_UNITS, offerId, unitId } from './fields.js';
import { comparing, solarAsked, valueOf } from './model.js';

// A number field of a box, its note below it.
const numberField = (model, id, label, placeholder, mode = 'decimal', required = false) => html`
<label for=${id}>${label}</label>
<input id=${id} inputmode=${mode} placeholder=${placeholder} ?required=${required} .value=${live(valueOf(model, id))}>
<output id=${`${id}-hinweis`} for=${id}></output>`;

// A choice of a box, with the options of the plain form's own select.
const choiceField = (model, n, key, label) => {
  const id = offerId(n, key, true), plain = document.getElementById(offerId(n, key, false));
  const value = valueOf(model, id) || plain.options[0].value;
  return html`<label for=${id}>${label}</label>
<select id=${id}>${[...plain.options].map((o) => html`<option value=${o.value} ?selected=${o.value === value}>${o.textContent}</option>`)}</select>`;
};
const solarView = (model, n) => html`
${numberField(model, offerId(n, 'wp', true), 'Modulleistung (Wp)', 'z. B. 800', 'decimal', true)}
${choiceField(model, n, 'orientation', 'Ausrichtung')}
${choiceField(model, n, 'mounting', 'Montage')}
${numberField(model, offerId(n, 'battery', true), 'Speicher (kWh)', 'leer: ohne Speicher')}
${numberField(model, offerId(n, 'batteryCost', true), 'davon für den Speicher (Eu)', 'leer: nicht bekannt')}`;
const deviceView = (model, n) => {
  const id = offerId(n, 'power', true), unit = valueOf(model, unitId(id)) || 'W';
  return html`
<label for=${id}>Verbrauch</label>
<div class="mit-einheit">
<input id=${id} inputmode="text" placeholder="z. B. 143" required .value=${live(valueOf(model, id))}>
<select id=${unitId(id)} aria-label=${`Einheit des Verbrauchs von Angebot ${n}`}>${
  POWER_UNITS.map((u) => html`<option ?selected=${u.unit === unit}>${u.unit}</option>`)}</select>
</div>
<output id=${`${id}-hinweis`} for=${`${id} ${unitId(id)}`}></output>
${numberField(model, offerId(n, 'standby', true), 'Standby (W), wenn aus', 'leer: kein Standby', 'text')}`;
};

const offerView = (model, n, remove) => {
  const name = offerId(n, 'name', true);
  return html`
<fieldset class="angebot">
<legend>Angebot ${n}</legend>
<label for=${name}>Name</label>
<input id=${name} maxlength="40" placeholder=${`leer: Angebot ${n}`} .value=${live(valueOf(model, name))}>
${numberField(model, offerId(n, 'cost', true), 'Kosten (Eu)', 'z. B. 300', 'decimal', true)}
${solarAsked(model) ? solarView(model, n) : deviceView(model, n)}
<button type="button" class="entfernen" @click=${remove}>Angebot ${n} entfernen</button>
</fieldset>`;
};

// The boxes of the model's offers; remove(key) takes an offer out.
export const showOffers = (model, remove) => {
  render(comparing(model) ? repeat(model.offers, ({ key }) => key, ({ key }, i) => offerView(model, i + 1, () => remove(key)))
    : html``, document.getElementById('angebote'));
};
