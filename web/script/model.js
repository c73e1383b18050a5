// The form as one model: the question, the values every offer shares, and
// the offers, the first always there (alone, it is the plain form's cost
// and power or module power and battery). Each value is the text as typed
// (a unit choice by its unit, a select by its option's value); a text too
// long to be meant is kept out and its length kept instead, until the
// field gets a value again. Input events update the model; everything the
// page shows of the form is made from it. No DOM here.
import { FIELDS, OFFER_FIELDS, SOLAR_FIELDS, slotOf } from './fields.js';

// How many offers the page compares; the core takes any number.
export const MOST_OFFERS = 3;
// Longer values are no number anyone means; refusing them keeps a pasted
// megabyte out of the link and every later keystroke fast.
export const LONGEST = 64;

let lastKey = 0;
const emptyOffer = () => ({ key: ++lastKey, values: {}, units: {}, tooLong: {} });

// (A value not in the model is '': a select then shows its first option.)
export const emptyModel = () => ({ question: 'geraet', values: {}, units: {}, tooLong: {}, offers: [emptyOffer()] });

export const comparing = (model) => model.offers.length > 1;
export const solarAsked = (model) => model.question === 'solar';

// Where a slot of the model lives: the shared values or an offer's.
const holderOf = (model, { offer }) => (offer === 0 ? model : model.offers[offer - 1]);
export const valueOf = (model, id) => {
  const slot = slotOf(id), holder = holderOf(model, slot);
  return (slot.unit ? holder?.units[slot.key] : holder?.values[slot.key]) ?? '';
};
export const tooLongIn = (model, id) => {
  const slot = slotOf(id);
  return holderOf(model, slot)?.tooLong[slot.key];
};

// The model after a field of id got text. Returns whether the text was
// kept out for its length.
export const setValue = (model, id, text) => {
  const slot = slotOf(id), holder = holderOf(model, slot);
  if (holder === undefined) return false;
  if (slot.unit) {
    holder.units[slot.key] = text;
    return false;
  }
  const long = text.length > LONGEST;
  if (long) holder.tooLong[slot.key] = text.length;
  else if (text.trim() !== '') delete holder.tooLong[slot.key];
  holder.values[slot.key] = long ? '' : text;
  return long;
};

// Another offer, with empty fields; any offer removed, every other one kept
// with its values and refusals (with one left, the plain form shows it).
export const addOffer = (model) => {
  if (model.offers.length < MOST_OFFERS) model.offers.push(emptyOffer());
};
export const removeOffer = (model, n) => {
  if (model.offers.length > 1) model.offers.splice(n - 1, 1);
};
export const setQuestion = (model, question) => {
  model.question = question === 'solar' ? 'solar' : 'geraet';
};

// A model as a link means it: the four numbers from their places, each
// option from its last occurrence; then the page's own values from the
// link's own part, where a typed value stands under its field's id (or, in
// a unit other than the first, under id-unitkey); the offers, the first
// from the plain form's places. typed: a value as it must stand in a field
// to be read back as the link means it.
export const modelOfLink = (args, own, typed) => {
  const model = emptyModel();
  const put = (id, text) => setValue(model, id, typed(text ?? ''));
  for (const { id, position } of FIELDS.filter((field) => field.position !== undefined)) put(id, args[position]);
  for (const { id, option } of FIELDS.filter((field) => field.option !== undefined)) {
    const at = args.lastIndexOf(option);
    put(id, at >= 4 && at + 1 < args.length ? args[at + 1] : '');
  }
  setQuestion(model, own.get('frage'));
  const count = Number(own.get('angebote') ?? 1);
  for (let n = 2; n <= (Number.isInteger(count) ? Math.min(count, MOST_OFFERS) : 1); n++) addOffer(model);
  // A field's value from the link: in the unit it names, or as typed.
  const fill = (id, key, units) => {
    const unit = units?.find((u) => u.key !== undefined && own.has(`${key}-${u.key}`));
    if (unit !== undefined) {
      setValue(model, `${id}-einheit`, unit.unit);
      put(id, own.get(`${key}-${unit.key}`));
    } else if (own.has(key)) {
      put(id, own.get(key));
    }
  };
  for (const field of [...FIELDS, ...SOLAR_FIELDS]) {
    if (field.choice) setValue(model, field.id, own.get(field.id) ?? '');
    else fill(field.id, field.id, field.units);
  }
  model.offers.forEach((_, i) => {
    const n = i + 1;
    setValue(model, `angebot${n}-name`, own.get(`angebot${n}-name`) ?? '');
    if (n === 1) return;
    for (const [key, field] of Object.entries(OFFER_FIELDS)) {
      if (key !== 'name') fill(`angebot${n}-${field.box}`, `angebot${n}-${field.box}`, field.units);
    }
    // Systems compared before each had its own shared the first one's
    // orientation and mounting.
    for (const field of Object.values(OFFER_FIELDS).filter(({ choice }) => choice)) {
      if (!own.has(`angebot${n}-${field.box}`)) setValue(model, `angebot${n}-${field.box}`, valueOf(model, field.plain));
    }
  });
  return model;
};
