// Numbers as people in Germany write them, made into the program's form.
// A decimal comma is a point. Grouping dots (or spaces) before each three
// digits are read as such where the value cannot mean a decimal point:
// with a comma after them ("1.299,50"), or with no comma, a first group
// that is not a lone 0 and every later group of exactly three digits
// ("1.299", "12.500", "1.000.000"; not "0.350" or "1.5"). A trailing unit
// sign of the field's own unit is dropped ("800 €", "2,5 %"), and so is a
// price tag's dash for no cents ("1.299,–"). Everything else is passed on
// as typed, with its comma made a point, as before.

// Signs of a field's unit that may follow its number.
const SIGNS = { euro: /\s*(?:€|euro|eur)$/i, prozent: /\s*%$/ };
// A sign, grouped digits (dots or spaces, one kind), a decimal comma's digits.
const GROUPED = /^([+-]?)([1-9]\d{0,2}(?:([. \u00a0\u202f])\d{3})(?:\3\d{3})*)(?:,(\d*))?$/;
const PLAIN = /^[+-]?\d*[.,]?\d+$|^[+-]?\d+[.,]?$/;
const NO_CENTS = /,[-–]$/;

// The decimals of a fraction without trailing zeros: "1.299,50" is 1299.5.
const fraction = (digits = '') => {
  const kept = digits.replace(/0+$/, '');
  return kept === '' ? '' : `.${kept}`;
};

// { text, read }: the value in the program's form, and whether it was read
// otherwise than as typed (grouping or a unit sign), which the page says.
export const readNumber = (typed, sign) => {
  const trimmed = typed.trim();
  const bare = (sign === undefined ? trimmed : trimmed.replace(SIGNS[sign], '')).replace(NO_CENTS, ',');
  const grouped = GROUPED.exec(bare);
  if (grouped !== null) {
    const [, minus, digits, , decimals] = grouped;
    return { text: `${minus}${digits.replace(/\D/g, '')}${fraction(decimals)}`, read: true };
  }
  // A unit sign or a dash for no cents after a plain number.
  if (bare !== trimmed && PLAIN.test(bare)) return { text: bare.replace(',', '.').replace(/\.$/, ''), read: true };
  return { text: trimmed.replace(/,/g, '.'), read: false };
};

// A value of a link, or a value the program read, as it must stand in a
// field to be read back as the same, and as a German writes it: a decimal
// point as a decimal comma ("35.5" is 35,5; "1.299" is 1,299, not 1299).
export const asTyped = (text) => (/^[+-]?\d*\.\d+$/.test(text.trim()) || readNumber(text).read ? text.replace('.', ',') : text);

// A number of the core's as a German reads it: a decimal comma, grouping
// dots from four digits on ("2.136,79"), and a figure that prints as zero
// without a sign. A number with an exponent keeps its digits.
export const asGerman = (text) => {
  const plain = text.replace(/^-(?=0\.0*$)/, '');
  const parts = /^([+-]?)(\d+)(\.\d*)?$/.exec(plain);
  if (parts === null) return plain.replace('.', ',');
  const [, sign, whole, decimals = ''] = parts;
  return `${sign}${whole.length < 4 ? whole : whole.replace(/\B(?=(\d{3})+$)/g, '.')}${decimals.replace('.', ',')}`;
};
