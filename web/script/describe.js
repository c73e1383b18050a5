// The model as text for paper: "Kosten: 800 Euro", the fields that hold a
// value in the form's order, each number as read; compared, each offer in
// a line of its own. Pure.
import { FIELDS, NOT_SOLAR, OFFER_FIELDS, OFFER_KEYS, ONLY_SOLAR, SOLAR_FIELDS, fieldOf, offerId, slotOf, unitId, unitOf } from './fields.js';
import { comparing, solarAsked, valueOf } from './model.js';
import { readNumber } from './numbers.js';

const shownValue = (model, id) => {
  const { text } = readNumber(valueOf(model, id), fieldOf(id).sign);
  return text === '' ? '' : `${text.replace('.', ',')} ${unitOf(fieldOf(id), valueOf(model, unitId(id))).unit}`;
};
// Compared, the plain form's cost and power are the offers'; the operating
// time does not apply where a power is a figure of energy (yearly).
const plainFields = (model, yearly) => {
  const compared = comparing(model), solar = solarAsked(model);
  return [...FIELDS.filter(({ id }) => !(solar ? NOT_SOLAR : ONLY_SOLAR).includes(id)), ...(solar ? SOLAR_FIELDS : [])]
    .filter(({ id }) => !(compared && slotOf(id).offer === 1) && !(compared && /^(ertrag|selbst)-kwh$/.test(id)))
    .filter(({ id }) => !(yearly && id === 'betriebsdauer'));
};

// choiceLabel(id, value): the words of a choice ('' for its placeholder).
export const describeModel = (model, yearly, choiceLabel) => {
  const compared = comparing(model);
  const plain = plainFields(model, yearly).map((field) => ({
    label: compared && field.id === 'vorher' ? 'Altes Gerät behalten' : field.name,
    value: field.choice ? choiceLabel(field.id, valueOf(model, field.id))
      : field.raw ? valueOf(model, field.id).trim() : shownValue(model, field.id) }));
  const keys = OFFER_KEYS[model.question].filter((key) => key !== 'name');
  const offers = compared ? model.offers.map((_, i) => ({
    label: valueOf(model, `angebot${i + 1}-name`).trim() || `Angebot ${i + 1}`,
    value: keys.map((key) => (OFFER_FIELDS[key].choice ? choiceLabel(OFFER_FIELDS[key].plain, valueOf(model, offerId(i + 1, key, true)))
      : shownValue(model, offerId(i + 1, key, true)))).filter((text) => text !== '').join(', ') })) : [];
  return [...plain, ...offers].filter(({ value }) => value !== '');
};
