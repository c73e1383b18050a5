// The form's markup as a view of the model: input events go into the
// model; what the form shows (the question's fields, the offers' boxes and
// every field's value) is made from it in one place, showForm. The markup
// of the plain form stays static, so that nothing moves at load.
import { FIELDS, OFFER_FIELDS, SOLAR_FIELDS, offerId, unitId } from './fields.js';
import { MOST_OFFERS, addOffer, comparing, removeOffer, setQuestion, setValue, solarAsked, valueOf } from './model.js';
import { showOffers } from './offers.js';

const byId = (id) => document.getElementById(id);

// A field's label; in an offer's box, with the offer's name.
export const labelOf = (id) => {
  const label = document.querySelector(`label[for="${id}"]`).textContent;
  const offer = byId(id).closest('fieldset.angebot');
  return offer === null ? label : `${offer.querySelector('legend').textContent}: ${label}`;
};
// The words of a choice's value, '' for its placeholder.
export const choiceLabel = (id, value) => {
  const select = byId(id), option = [...select.options].find((o) => o.value === value) ?? select.options[0];
  return option.value === '' ? '' : option.textContent;
};
// Ids in the order of the form, for messages that list fields.
export const inFormOrder = (ids) => [...ids].sort((a, b) =>
  (byId(a).compareDocumentPosition(byId(b)) & Node.DOCUMENT_POSITION_FOLLOWING ? -1 : 1));

// The plain form's fields; alone, the first offer's too.
const plainIds = (model) => [...FIELDS, ...SOLAR_FIELDS].map(({ id }) => id)
  .concat(comparing(model) ? [] : Object.values(OFFER_FIELDS).map(({ plain }) => plain).filter(Boolean));
const UNIT_IDS = FIELDS.filter(({ units }) => units !== undefined).map(({ id }) => unitId(id));

// Sets an element to the model's value where it differs; a choice without
// one to its first option.
const showValue = (element, value) => {
  if (element.localName === 'select' && ![...element.options].some((o) => o.value === value)) {
    if (element.selectedIndex !== 0) element.selectedIndex = 0;
  } else if (element.value !== value) {
    element.value = value;
  }
};

let handlers = null;
// Everything the form shows of the model.
export const showForm = (model) => {
  const solar = solarAsked(model), boxes = comparing(model);
  byId(solar ? 'frage-solar' : 'frage-geraet').checked = true;
  byId('solar').hidden = !solar;
  byId('leistung').hidden = solar;
  for (const id of ['erloes-feld', 'anzahl-feld', 'betriebsdauer-feld']) byId(id).hidden = solar;
  byId('foerderung-feld').hidden = !solar;
  for (const id of ['kosten-feld', 'hinterher-feld', 'wp-feld', 'lage-feld', 'speicher-feld', 'ertrag-selbst']) byId(id).hidden = boxes;
  byId('vorher-name').textContent = boxes ? 'Altes Gerät behalten: Verbrauch' : 'Leistung vorher';
  byId('vorher').placeholder = boxes ? 'leer: ohne altes Gerät' : 'z. B. 50';
  for (const button of document.querySelectorAll('.angebot-neu')) button.hidden = model.offers.length === MOST_OFFERS;
  for (const id of [...plainIds(model), ...UNIT_IDS]) showValue(byId(id), valueOf(model, id));
  showOffers(model, handlers.remove);
};

// Input goes into the model; a value too long to be meant is taken out of
// its field, which would otherwise hold it and slow every keystroke there.
// changed: after the model changed, to show what follows from it.
export const startForm = (model, changed) => {
  const form = byId('eingabe');
  const structure = () => {
    showForm(model);
    changed();
  };
  handlers = {
    remove: (key) => {
      removeOffer(model, model.offers.findIndex((offer) => offer.key === key) + 1);
      structure();
      [...document.querySelectorAll('.angebot-neu')].find((button) => button.offsetParent !== null)?.focus();
    },
  };
  form.addEventListener('input', (event) => {
    const { target } = event;
    if (target.name === 'frage') {
      setQuestion(model, target.value);
      structure();
      return;
    }
    if (setValue(model, target.id, target.value)) target.value = '';
    changed();
  });
  for (const button of document.querySelectorAll('.angebot-neu')) {
    button.addEventListener('click', () => {
      addOffer(model);
      structure();
      byId(offerId(model.offers.length, 'name', true)).focus();
    });
  }
  // The plain form's hint for a generator asks the solar question, with the
  // cost, the price and the generator's power as its module power.
  form.addEventListener('click', (event) => {
    if (event.target.id !== 'als-solar') return;
    setQuestion(model, 'solar');
    if (valueOf(model, 'wp') === '') setValue(model, 'wp', valueOf(model, 'hinterher').replace(/^\s*-/, ''));
    structure();
    byId('wp').focus();
  });
  showForm(model);
};
