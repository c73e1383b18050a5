// Wiring: the model of the form, what the page shows for it and for a
// link, and the buttons. One description of the page (viewOf), shown by
// one function (showView).
import { prepareChart } from './chart.js';
import { batteryOf, comparisonOf } from './compare.js';
import { openCore } from './core.js';
import { describeModel } from './describe.js';
import { fieldFor, fieldOf } from './fields.js';
import { choiceLabel, inFormOrder, labelOf, showForm, startForm } from './form.js';
import { afterPaint, drop, idle, settle } from './later.js';
import { linkOf, readLink, writeLink } from './link.js';
import { LONGEST, emptyModel, modelOfLink } from './model.js';
import { asTyped } from './numbers.js';
import { NO_PAGE_VALUES, readModel } from './read.js';
import { errorId, showScrollSign, showView } from './result.js';

// A view: the message in the answer's place, the fields marked invalid
// ({ id, message }), the core's HTML table, the chart's curve, the command
// line and whether it can be saved as a page, and the examples once opened.
// With offers compared: the comparison, and the command line of each payback.
const EMPTY = { message: { kind: 'none' }, marks: [], table: '', curve: null, command: null, savable: false,
  comparison: null, lines: [], programErrors: [] };

// Why the page does not use a value, for each reason; a field's own words
// for a value without a finite figure or out of range.
const REFUSALS = {
  lang: (problem) => `Der Wert hatte ${problem.length} Zeichen; mehr als ${LONGEST} liest der Rechner nicht. Bitte neu eingeben.`,
  null: () => 'Der Wert enthält ein Nullzeichen, das kein Befehl übergeben kann.',
  zahl: ({ typed }) => (typed === undefined ? 'Das ist keine Zahl.'
    : `„${typed}“ ist keine Zahl. Bitte nur die Zahl eingeben, etwa 450 oder 1.299,50.`),
  unendlich: ({ id }) => fieldOf(id).finite,
  bereich: ({ id }) => fieldOf(id).range,
  vergleich: () => 'Ein Vergleich braucht hier eine endliche Zahl.',
  leer: ({ id }) => fieldOf(id).empty,
  zuviel: ({ id }) => fieldOf(id).too,
};

// Values the page does not pass to the core, each said and its field marked.
const refusal = (problems, label) => ({ ...EMPTY,
  message: { kind: 'errors', errors: problems.map((problem) => ({ labels: [label(problem)],
    text: REFUSALS[problem.reason](problem) })) },
  marks: problems.map((problem, i) => ({ id: problem.id, message: errorId(i) })).filter(({ id }) => id !== undefined) });

// The program's numbered errors at the fields they are about.
// At the field in plain words, by what the error is about; the program's
// own message stays beside its command line (in the sentence where none is
// shown).
const PLAIN_ERRORS = {
  '-z': 'Bitte einen Zinssatz als Zahl eingeben.',
  '-i': 'Bitte eine Inflationsrate als Zahl eingeben.',
  '-a': 'Die tägliche Betriebsdauer muss eine Zahl über 0 Stunden sein.',
  '3 4': 'Vorher und hinterher ist die Leistung gleich: Es gibt nichts zu sparen.',
};
const errorView = (errors, command = null) => {
  const fields = errors.map(({ text, about }) => ({ text, plain: PLAIN_ERRORS[about.join(' ')], ids: about.map(fieldFor) }));
  return { ...EMPTY, command, programErrors: command === null ? [] : errors.map(({ text }) => text),
    message: { kind: 'errors', errors: fields.map(({ text, plain, ids }) => ({ text: command === null || plain === undefined ? text : plain,
      labels: ids.map(labelOf) })) },
    marks: fields.flatMap(({ ids }, i) => ids.map((id) => ({ id, message: errorId(i) }))) };
};

// Resolves in a task of its own, after whatever the browser has waiting.
const nextTask = () => new Promise((resolve) => { setTimeout(resolve); });

// The core, once its module is ready.
let core = null;

// The command line with its output form set to one of -h (the table) and
// -H (the table inside a page), whichever it asked for.
const writing = (form, args) => [...args.map((arg) => (arg === '-h' || arg === '-H' ? form : arg)), form];
const examplesHtml = () => core.run(['-bh']).output;

// Offers compared: their command lines; or the errors of the options
// they share, or the shared value that has no finite figure.
const comparisonView = (args, page) => {
  const comparison = comparisonOf(core, args, page);
  if (comparison.errors?.length > 0) return errorView(comparison.errors);
  if (comparison.notFinite != null) {
    return refusal([{ id: fieldFor(comparison.notFinite[0]), reason: 'vergleich' }], ({ id }) => labelOf(id));
  }
  return { ...EMPTY, message: { kind: 'comparison', comparison }, comparison, savable: true,
    lines: comparison.lines.map(({ about, line }) => ({ about, line: [core.programName, ...line] })) };
};

// A solar system's estimate with the paybacks of a lower and a higher
// self-use, each the program's result for its own command line.
// With a battery and its price, the battery's own payback: its price
// against the self-use it adds, over the same service life.
const solarOf = (solar, life) => (solar === null ? null
  : { ...solar, low: { kwh: solar.low, ...core.answer(writing('-h', solar.lines.low)) },
    high: { kwh: solar.high, ...core.answer(writing('-h', solar.lines.high)) },
    battery: batteryOf(core, solar.battery, life) });

// What a command line shows: the result of four numbers, the examples, or
// the program's errors at the fields they are about.
const viewOf = (args, page = NO_PAGE_VALUES) => {
  if (page.offers.length > 1) return comparisonView(args, page);
  // The answer and the curve read the same command line as the table.
  const line = args.length >= 4 ? writing('-h', args) : args;
  const result = core.run(line);
  const command = [core.programName, ...args];
  // A link to -b, -bh or -bH asks for the examples, shown as -bh writes them.
  if (result.examples) return { ...EMPTY, table: examplesHtml(), command };
  if (result.status !== 0) return errorView(result.errors, command);
  const solar = page.solar;
  const lines = [...(solar === null || solar.low === solar.high ? [] : [['bei weniger Eigenverbrauch', solar.lines.low],
    ['bei mehr Eigenverbrauch', solar.lines.high]]), ...(solar?.battery?.line ? [['der Speicher allein', solar.battery.line]] : [])]
    .map(([about, words]) => ({ about, line: [core.programName, ...words] }));
  return { ...EMPTY, message: { kind: 'answer', answer: { ...core.answer(line, page.life), life: page.life,
    resale: page.resale, subsidy: page.subsidy, solar: solarOf(solar, page.life) } }, table: result.output, curve: core.curve(line), command,
  savable: true, lines };
};

let shown = { args: [], view: EMPTY, examples: '', page: NO_PAGE_VALUES };
// Whether the working is open: it is made only then, and on paper.
let workingOpen = false;
const showWorking = (open) => {
  if (open === workingOpen) return;
  workingOpen = open;
  show(shown.args, shown.view, shown.page);
};
const on = {
  // Selected as well, for Ctrl+C where the clipboard may not be written.
  copy: (event) => {
    settle();
    const range = document.createRange();
    range.selectNodeContents(event.currentTarget.parentElement.querySelector('code'));
    getSelection().removeAllRanges();
    getSelection().addRange(range);
    navigator.clipboard?.writeText(range.toString()).catch(() => {});
  },
  // What the person sees, as a page of its own, made when it is asked for.
  save: (event) => {
    settle();
    const link = event.currentTarget;
    if (link.href.startsWith('blob:')) URL.revokeObjectURL(link.href);
    if (!shown.view.savable) {
      event.preventDefault();
      return;
    }
    const page = onPaper(keptPage);
    link.href = URL.createObjectURL(new Blob([page], { type: 'text/html' }));
  },
  // The examples are made when their section is first opened.
  examples: (event) => {
    if (!event.currentTarget.open || shown.examples !== '') return;
    show(shown.args, shown.view, shown.page, examplesHtml());
  },
  working: (event) => showWorking(event.currentTarget.open),
};
// At load the page is made in steps, each a task of its own, so that no
// one task keeps the page from answering input for long: the link's
// result (the core's first calls compile its code), the answer and the
// table, the chart's number formats (the first use of Intl loads its
// locale data), then the chart, whose place is kept meanwhile.
let chartLater = true;
// The inputs as text and the link written out are for paper: made only
// before a sheet is printed, not for every key (and kept, unseen, until the
// next sheet).
let printing = false;
let paper = { inputs: [], link: '' };
const show = (args, view, page, examples = shown.examples) => {
  shown = { args, view, examples, page };
  if (printing) {
    const result = view.message.kind === 'answer' || view.message.kind === 'comparison';
    paper = { inputs: result ? describeModel(model, page.yearly, choiceLabel) : [], link: result ? linkOf(args, page.own) : '' };
  }
  showView({ ...view, examples, page, chartLater, workingOpen, ...paper }, on);
};

// On paper (and in a page saved) the working is open, made before the sheet
// is, with the inputs as text and the link; afterwards as it was.
const paperOn = () => {
  settle();
  const before = workingOpen;
  printing = true;
  if (workingOpen) show(shown.args, shown.view, shown.page);
  else showWorking(true);
  return before;
};
const paperOff = (before) => {
  printing = false;
  showWorking(before);
};
const onPaper = (make) => {
  const before = paperOn();
  const made = make();
  paperOff(before);
  return made;
};
// The answer as shown, its working, the tables, the chart, the command, the
// inputs and the link, in the page's own style; without its controls.
const keptPage = () => {
  const kept = document.getElementById('ausgabe').cloneNode(true);
  for (const control of kept.querySelectorAll('button, [hidden], #kurz, #seitwaerts, #behalten, #rechenbeispiele')) control.remove();
  kept.querySelector('#rechnung')?.setAttribute('open', '');
  return `<!DOCTYPE html>
<html lang="de" class="gespeichert"><head><meta charset="utf-8"><meta name="viewport" content="width=device-width, initial-scale=1">
<title>Wiedergewinnszeit</title><style>${document.querySelector('style').textContent}</style></head>
<body><main><h1>Wiedergewinnszeit</h1>${kept.outerHTML}</main></body></html>
`;
};

// The form's model: the one state of what the form holds.
const model = emptyModel();

// What the form shows, and what a link shows: [args, view, page] for show.
// While a value cannot be used or is missing, the address holds no link.
const formView = () => {
  const { args, missing, problems, page } = readModel(model, core, choiceLabel);
  if (problems.length > 0) {
    writeLink(null);
    return [[], refusal(problems, (problem) => labelOf(problem.id)), page];
  }
  if (missing.length > 0) {
    writeLink(null);
    return [[], { ...EMPTY, message: { kind: 'prompt', labels: inFormOrder(missing).map(labelOf) } }, page];
  }
  writeLink(args, page.own);
  return [args, viewOf(args, page), page];
};
const linkView = () => {
  const { args, problems, own } = readLink(location.hash);
  if (problems.length > 0) return [[], refusal(problems, () => 'Link'), NO_PAGE_VALUES];
  // Four numbers or the examples (which leave the form empty, not "-b" as
  // the cost); anything else is taken as a start of the form, and so is a
  // link with the page's own values, which the form makes arguments of.
  const examples = args.length > 0 && args.length < 4 && core.run(args).examples;
  Object.assign(model, modelOfLink(examples ? [] : args, own ?? new URLSearchParams(), asTyped));
  showForm(model);
  if ((args.length >= 4 && own === null) || examples) return [args, viewOf(args), NO_PAGE_VALUES];
  return formView();
};
// A key's answer waits until the key itself is painted; a link opened
// makes whatever waits pointless.
const fromForm = () => afterPaint(() => show(...formView()));
const fromLink = () => {
  drop();
  show(...linkView());
};

const start = async (opened) => {
  core = opened;
  startForm(model, fromForm);
  window.addEventListener('hashchange', fromLink);
  window.addEventListener('resize', showScrollSign);
  let before = false;
  window.addEventListener('beforeprint', () => {
    before = paperOn();
  });
  window.addEventListener('afterprint', () => paperOff(before));
  await nextTask();
  const first = linkView();
  await nextTask();
  // Unless typing or another link has shown something newer meanwhile.
  if (shown.view === EMPTY) show(...first);
  await nextTask();
  prepareChart();
  await nextTask();
  chartLater = false;
  show(shown.args, shown.view, shown.page);
  window.wgzReady = performance.now();
  window.wgzLater = { settle, idle };
};
openCore().then(start);
