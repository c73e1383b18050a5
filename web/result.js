// The result view: the answer in words, the table as the core writes it
// with -h, the command line to copy, and the examples. Only the core's HTML
// is set as markup; everything else is set as text. Numbers in sentences
// are the core's texts with a decimal comma. Each keystroke changes only
// what differs from what is shown (dom.js).
import { byId, element, render, renderHtml } from './dom.js';

const comma = (number) => number.replace('.', ',');
const unsigned = (number) => number.replace(/^-/, '');

// A paragraph of text and numbers; each number as <data> with the core's text.
const paragraph = (parts, attributes = {}) => element('p', attributes, parts.map((part) =>
  (typeof part === 'string' ? part : element('data', { class: part.name, value: part.number },
    [comma(part.shown ?? part.number)]))));

// Why a never-paying investment never pays, for each kind of answer.
const REASONS = {
  aufgehoben: (a) => ['Ersparnis (', { name: 'ersparnis', number: a.saving }, ' Euro im Jahr) und Zinsen (',
    { name: 'zinsen', number: a.interest }, ' Euro im Jahr) heben sich genau auf.'],
  zinsen: (a) => ['Die Zinsen auf die Kosten (', { name: 'zinsen', number: a.interest },
    ' Euro im Jahr) sind höher als die Ersparnis (', { name: 'ersparnis', number: a.saving }, ' Euro im Jahr).'],
  mehr: (a) => ['Das Gerät braucht hinterher mehr Strom als vorher (',
    { name: 'energie', number: a.energy, shown: unsigned(a.energy) }, ' kWh im Jahr).'],
  keine: (a) => ['Bei diesem Strompreis spart sie nichts (', { name: 'ersparnis', number: a.saving },
    ' Euro im Jahr).'],
};
const ALONE = {
  kosten: 'Bei negativen Kosten gibt es nichts zurückzugewinnen.',
  ungueltig: 'Mit diesen Werten lässt sich keine Wiedergewinnszeit berechnen.',
};

const answerParagraphs = (a) => {
  if (a.kind in ALONE) return [paragraph([ALONE[a.kind]])];
  const subject = a.hours !== '0'
    ? ['Bei ', { name: 'stunden', number: a.hours }, ' Stunden täglich macht sich die Investition']
    : ['Die Investition macht sich'];
  if (a.kind !== 'zahlt') return [paragraph([...subject, ' nie bezahlt. ', ...REASONS[a.kind](a)])];
  const more = a.energy.startsWith('-');
  const energy = more ? ' braucht sie ' : a.generator ? ' erzeugt sie ' : ' spart sie ';
  // Below zero (inflation above the interest) the real rate earns money.
  const interest = /^-?0\.00$/.test(a.interest) ? ['.'] : ['; die Zinsen auf die Kosten zum Realzins von ',
    { name: 'realzins', number: a.rate }, a.interest.startsWith('-') ? ' % bringen ' : ' % kosten ',
    { name: 'zinsen', number: a.interest, shown: unsigned(a.interest) },
    ' Euro, es bleiben ', { name: 'gewinn', number: a.gain }, ' Euro.'];
  return [
    paragraph([...subject, ' nach ', { name: 'jahre', number: a.years }, ' Jahren bezahlt.']),
    paragraph(['Jedes Jahr', energy, { name: 'energie', number: a.energy, shown: unsigned(a.energy) },
      ' kWh Strom', more ? ' mehr' : '', ' im Wert von ',
      { name: 'ersparnis', number: a.saving, shown: more ? unsigned(a.saving) : a.saving }, ' Euro', ...interest]),
  ];
};

// The sentence into the live region, the figures beside it.
const showInAnswer = (sentence, figures = []) => {
  render(byId('satz'), sentence);
  render(byId('zahlen'), figures);
};

export const showAnswer = (answer) => {
  const [sentence, figures] = answerParagraphs(answer);
  showInAnswer([sentence], figures === undefined ? [] : [figures]);
};
export const clearAnswer = () => showInAnswer([]);

// Error messages, each naming its field; returns the id of each message.
export const showErrors = (errors) => {
  const ids = errors.map((_, i) => `fehler-${i + 1}`);
  showInAnswer(errors.map(({ text, labels }, i) =>
    paragraph([`${labels.join(', ')}: ${text}`], { class: 'fehler', id: ids[i] })));
  return ids;
};

export const showPrompt = (labels) => showInAnswer([paragraph([`Noch einzugeben: ${labels.join(', ')}.`])]);

// The table region, with a sign where it is wider than the window: looked
// at before the next frame, once the whole result is in, so that measuring
// it costs no layout of its own.
let signPending = false;
export const showScrollSign = () => {
  if (signPending) return;
  signPending = true;
  requestAnimationFrame(() => {
    signPending = false;
    const table = byId('ergebnis');
    byId('seitwaerts').hidden = table.hidden || table.scrollWidth <= table.clientWidth;
  });
};
export const showTable = (html) => {
  const table = byId('ergebnis');
  renderHtml(table, html);
  table.hidden = html === '';
  showScrollSign();
};

// A word as a POSIX shell reads it back: quoted unless it is plain.
const shellWord = (arg) => (/^[A-Za-z0-9._+\-/=:]+$/.test(arg) ? arg : `'${arg.replace(/'/g, "'\\''")}'`);

// The command line of what is shown; saving offered only for a result.
export const showCommand = (words, savable) => {
  byId('befehl').hidden = words === null;
  render(byId('befehlszeile'), words === null ? [] : [words.map(shellWord).join(' ')]);
  byId('speichern').hidden = !savable;
};

// The chart and its caption; none without a curve.
export const showChart = (elements, caption) => {
  byId('abbildung').hidden = elements.length === 0;
  render(byId('diagramm'), elements);
  render(byId('marke'), caption === '' ? [] : [caption]);
};

export const showExamples = (html) => { byId('beispiele').innerHTML = html; };
