// Wiring: what the form, the link and the buttons do, from the other parts.
import { chartSvg } from './chart.js';
import { openCore } from './core.js';
import { fillForm, formArguments, linkArguments, writeLink } from './form.js';
import { showCommand, showExamples, showMarkup, showMessage } from './result.js';

const byId = (id) => document.getElementById(id);

openCore().then((core) => {
  let shown = [];  // the arguments of the result on the page

  // The table as -h writes it; -H asks for the same table inside a page.
  const tableArguments = (args) => [...args.map((arg) => (arg === '-H' ? '-h' : arg)), '-h'];
  const examplesHtml = () => core.decode(core.run(['-bh']).bytes);

  // Shows what the arguments give; returns the exit status of the run.
  const show = (args) => {
    shown = args;
    const result = args.length >= 4 ? core.run(tableArguments(args)) : args.length > 0 ? core.run(args) : null;
    if (result === null) showMessage([]);
    // A link to -b, -bh or -bH asks for the examples, shown as -bh writes them.
    else if (core.printedExamples(result.status)) showMarkup(examplesHtml());
    else if (result.status === 0) showMarkup(core.decode(result.bytes));
    else showMessage(core.errors(result.status));
    showCommand([core.programName, ...args]);
    byId('diagramm').innerHTML = chartSvg(args.length >= 4 ? core.curve(args) : { points: [], marked: -1 });
    return result === null ? 1 : result.status;
  };

  const fromForm = () => {
    const args = formArguments();
    writeLink(args);
    show(args ?? []);
  };
  const fromLink = () => {
    const args = linkArguments();
    // A link to the examples leaves the form empty, not "-b" as the cost.
    fillForm(core.printedExamples(show(args)) ? [] : args);
  };

  byId('eingabe').addEventListener('input', fromForm);
  window.addEventListener('hashchange', fromLink);
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
    const page = shown.length >= 4
      ? core.run([...shown.map((arg) => (arg === '-h' ? '-H' : arg)), '-H']) : null;
    if (link.href.startsWith('blob:')) URL.revokeObjectURL(link.href);
    if (page === null || page.status !== 0) {
      event.preventDefault();
      return;
    }
    link.href = URL.createObjectURL(new Blob([page.bytes], { type: 'text/html' }));
  });
  fromLink();
  window.wgzReady = performance.now();
});
