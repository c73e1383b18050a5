// How the page reads a number as people in Germany write it, in node alone:
// each row is what is typed, with the field's unit sign, and the program's
// form it must become, and whether the page says it read it otherwise.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { asGerman, asTyped, readNumber } from '../../web/script/numbers.js';

const ROWS = [
  // Grouping dots and spaces, before a decimal comma or without one.
  ['1.299', undefined, '1299', true],
  ['1.299,50 €', 'euro', '1299.5', true],
  ['12 500', undefined, '12500', true],
  ['1\u202f000\u202f000', undefined, '1000000', true],
  ['1\u00a0000\u202f000', undefined, '1\u00a0000\u202f000', false],  // one kind of space only
  ['-2.000', undefined, '-2000', true],
  ['1.000.000', undefined, '1000000', true],
  // A point the program reads as a decimal point stays one.
  ['0.350', undefined, '0.350', false],
  ['1.5', undefined, '1.5', false],
  ['1.2345', undefined, '1.2345', false],
  ['2,75', undefined, '2.75', false],
  ['1.2.3', undefined, '1.2.3', false],
  // Unit signs of the field's own unit, and a price tag's dash for no cents.
  ['800 €', 'euro', '800', true],
  ['800 EUR', 'euro', '800', true],
  ['800 Euro', 'euro', '800', true],
  ['2,5 %', 'prozent', '2.5', true],
  ['1.299,–', 'euro', '1299', true],
  ['99,-', 'euro', '99', true],
  ['5 %', undefined, '5 %', false],
  ['800 €', 'prozent', '800 €', false],
  // Anything else as typed, a comma made a point.
  ['', undefined, '', false],
  ['  42  ', undefined, '42', false],
  ['viel', 'euro', 'viel', false],
  ['1e39', undefined, '1e39', false],
  ['nan', undefined, 'nan', false],
];

test('numbers as written on price tags and bills', () => {
  for (const [typed, sign, text, read] of ROWS) assert.deepEqual(readNumber(typed, sign), { text, read }, typed);
});

// A value of a link stands in its field so that it is read back the same:
// 1.299 from a link is 1,299 (the program's 1.299), not 1299.
test('a link value typed back reads the same', () => {
  for (const value of ['1.299', '0.350', '1299.5', '-2.000', '12500', 'abc', '35.5', '-0.24', '1e-30', '.5']) {
    const typed = asTyped(value);
    assert.equal(readNumber(typed).text, value, value);
    assert.ok(!typed.includes('.'), `${value}: ${typed}`);
  }
});

// The core's figures in sentences, as a German reads them.
test('figures with a decimal comma and grouping dots', () => {
  for (const [figure, german] of [['2136.79', '2.136,79'], ['-2308.53', '-2.308,53'], ['0.56', '0,56'], ['-0.00', '0,00'],
    ['999.00', '999,00'], ['1000', '1.000'], ['12500', '12.500'], ['1299.5', '1.299,5'], ['1e-30', '1e-30'], ['3e+38', '3e+38'],
    ['1234567.891', '1.234.567,891']]) assert.equal(asGerman(figure), german, figure);
});
