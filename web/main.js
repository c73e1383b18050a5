// Wiring: what the form, the link and the buttons do, from the other parts.
import { chartCaption, chartElements } from './chart.js';
import { openCore } from './core.js';
import { byId } from './dom.js';
import { LONGEST, fieldFor, fillForm, labelOf, markFields, readForm, readLink, writeLink } from './form.js';
import {
  clearAnswer, showAnswer, showChart, showCommand, showErrors, showExamples, showPrompt, showScrollSign, showTable,
} from './result.js';

openCore().then((core) => {
  const chartBox = byId('diagramm').viewBox.baseVal;
  let shown = [];  // the arguments of the result on the page

  // The command line with its output form set to one of -h (the table) and
  // -H (the table inside a page), whichever it asked for.
  const writing = (form, args) => [...args.map((arg) => (arg === '-h' || arg === '-H' ? form : arg)), form];
  const examplesHtml = () => core.decode(core.run(['-bh']).bytes);
  const nothing = () => {
    shown = [];
    showTable('');
    showChart([], '');
    showCommand(null, false);
  };

  // Shows what a command line gives: four numbers, or the examples.
  const show = (args) => {
    shown = args;
    // The answer and the curve read the same command line as the table.
    const line = args.length >= 4 ? writing('-h', args) : args;
    const result = core.run(line);
    const words = [core.programName, ...args];
    if (core.printedExamples(result.status)) {
      // A link to -b, -bh or -bH asks for the examples, shown as -bh writes them.
      clearAnswer();
      markFields([]);
      showTable(examplesHtml());
      showChart([], '');
      showCommand(words, false);
    } else if (result.status === 0) {
      showAnswer(core.answer(line));
      markFields([]);
      showTable(core.decode(result.bytes));
      const curve = core.curve(line);
      showChart(chartElements(curve, chartBox), chartCaption(curve));
      showCommand(words, true);
    } else {
      const errors = core.errors(result.status).map(({ text, about }) =>
        ({ text, fields: about.map(fieldFor) }));
      const ids = showErrors(errors.map(({ text, fields }) => ({ text, labels: fields.map(labelOf) })));
      markFields(errors.flatMap(({ fields }, i) => fields.map((id) => ({ id, message: ids[i] }))));
      showTable('');
      showChart([], '');
      showCommand(words, false);
    }
  };

  const refuse = (problems, label) => {
    const ids = showErrors(problems.map((problem) => ({ labels: [label(problem)],
      text: problem.reason === 'lang'
        ? `Der Wert hatte ${problem.length} Zeichen; mehr als ${LONGEST} liest der Rechner nicht. Bitte neu eingeben.`
        : 'Der Wert enthält ein Nullzeichen, das kein Befehl übergeben kann.' })));
    markFields(problems.map((problem, i) => ({ id: problem.id, message: ids[i] }))
      .filter(({ id }) => id !== undefined));
    nothing();
  };

  const fromForm = () => {
    const { args, missing, problems } = readForm();
    if (problems.length > 0) {
      refuse(problems, (problem) => labelOf(problem.id));
      return;
    }
    if (missing.length > 0) {
      writeLink(null);
      showPrompt(missing.map(labelOf));
      markFields([]);
      nothing();
      return;
    }
    writeLink(args);
    show(args);
  };
  const fromLink = () => {
    const { args, problems } = readLink();
    if (problems.length > 0) {
      refuse(problems, () => 'Link');
      return;
    }
    // Four numbers or the examples (which leave the form empty, not "-b" as
    // the cost); anything else is taken as a start of the form.
    const examples = args.length > 0 && args.length < 4 && core.printedExamples(core.run(args).status);
    fillForm(examples ? [] : args);
    if (args.length >= 4 || examples) show(args);
    else fromForm();
  };

  byId('eingabe').addEventListener('input', fromForm);
  window.addEventListener('hashchange', fromLink);
  window.addEventListener('resize', showScrollSign);
  // The examples are made when their section is first opened.
  byId('rechenbeispiele').addEventListener('toggle', (event) => {
    if (event.target.open && byId('beispiele').childElementCount === 0) showExamples(examplesHtml());
  });
  // Selected as well, for Ctrl+C where the clipboard may not be written.
  byId('kopieren').addEventListener('click', () => {
    const range = document.createRange();
    range.selectNodeContents(byId('befehlszeile'));
    getSelection().removeAllRanges();
    getSelection().addRange(range);
    navigator.clipboard?.writeText(range.toString()).catch(() => {});
  });
  // The complete page, as -H writes it, made when it is asked for.
  byId('speichern').addEventListener('click', (event) => {
    const link = event.currentTarget;
    const page = core.run(writing('-H', shown));
    if (link.href.startsWith('blob:')) URL.revokeObjectURL(link.href);
    if (shown.length < 4 || page.status !== 0) {
      event.preventDefault();
      return;
    }
    link.href = URL.createObjectURL(new Blob([page.bytes], { type: 'text/html' }));
  });
  fromLink();
  window.wgzReady = performance.now();
});
