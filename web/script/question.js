// Which question the form asks: whether a device pays back, or which one
// (offers.js), or whether a plug-in solar system does; the fields of the
// other question are hidden.
const byId = (id) => document.getElementById(id);
const choices = () => document.querySelectorAll('input[name="frage"]');
export const solarAsked = () => byId('frage-solar').checked;

const show = () => {
  const solar = solarAsked();
  byId('solar').hidden = !solar;
  byId('leistung').hidden = solar;
  changed();
  for (const id of ['erloes-feld', 'betriebsdauer-feld']) byId(id).hidden = solar;
};

// Asks the question a link names ('solar' or none).
export const setQuestion = (name) => {
  byId(name === 'solar' ? 'frage-solar' : 'frage-geraet').checked = true;
  show();
};

// The plain form's hint for a negative power offers the solar question,
// with the cost and the price as they are. changed: after the question
// changed, before the form is read.
let changed = () => {};
export const startQuestion = (onChange, onQuestion) => {
  changed = onQuestion;
  // (On input, which reaches the choice before the form that reads it.)
  for (const choice of choices()) choice.addEventListener('input', show);
  byId('eingabe').addEventListener('click', (event) => {
    if (event.target.id !== 'als-solar') return;
    setQuestion('solar');
    byId('wp').focus();
    onChange();
  });
  show();
};
