// The result view: the table as the core writes it with -h, the core's own
// error lines, the command line to copy, and the examples. Only the core's
// HTML is set as markup; everything else is set as text.
const byId = (id) => document.getElementById(id);
const PROMPT = 'Bitte Kosten, Strompreis und beide Leistungen eingeben.';

export const showMarkup = (html) => { byId('ergebnis').innerHTML = html; };

export const showMessage = (lines) => {
  const message = document.createElement('p');
  message.className = 'fehler';
  message.textContent = lines.length > 0 ? lines.join('\n') : PROMPT;
  byId('ergebnis').replaceChildren(message);
};

// A word as a POSIX shell reads it back: quoted unless it is plain.
const shellWord = (arg) => (/^[A-Za-z0-9._+\-/=:]+$/.test(arg) ? arg : `'${arg.replace(/'/g, "'\\''")}'`);

export const showCommand = (words) => { byId('befehlszeile').textContent = words.map(shellWord).join(' '); };

export const showExamples = (html) => { byId('beispiele').innerHTML = html; };
