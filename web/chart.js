// The chart: payback time over the electricity price, as the SVG's
// elements described from the core's points alone, and its caption. Pure
// functions.
import { element as tag } from './dom.js';

// Room around the plot for the labels, in the units of the SVG's viewBox.
const MARGIN = { left: 90, right: 16, top: 16, bottom: 56 };

const label = (attributes, text) => tag('text', attributes, [text]);

// The smallest 1, 2 or 5 times a power of ten at or above value.
const niceCeiling = (value) => {
  const power = 10 ** Math.floor(Math.log10(value));
  return [1, 2, 5].map((step) => step * power).find((nice) => nice >= value) ?? 10 * power;
};

// Round values from 0 to span, at most about five steps apart.
const ticksOf = (span) => {
  const step = niceCeiling(span / 5);
  const count = Math.floor(span / step * (1 + 1e-9));
  return { step, values: Array.from({ length: count + 1 }, (_, i) => i * step) };
};

// A number as a label: German decimal comma, as many decimals as the step
// needs; a power of ten where the digits would run long.
const numberText = (value, step) => {
  if (value === 0) return '0';
  const long = Math.abs(value) >= 1e5 || step < 1e-3;
  const text = long ? value.toExponential(2).replace(/\.?0+e/, 'e').replace('e+', 'e')
    : value.toFixed(Math.max(0, -Math.floor(Math.log10(step))));
  return text.replace('.', ',');
};
// The entered price to the digits a float holds.
const priceText = (price) => (Math.abs(price) >= 1e5 || (price !== 0 && Math.abs(price) < 1e-3)
  ? numberText(price, 0) : String(Number(price.toPrecision(6))).replace('.', ','));
// The core's own text of a number, shortened the same way when it is long.
const coreText = (text) => (text.length > 9 && Number.isFinite(Number(text))
  ? numberText(Number(text), 1) : text.replace('.', ','));

const pays = (point) => Number.isFinite(point.years) && point.years >= 0;

// Runs of consecutive points for which test holds, as [first, last] indices.
const runsOf = (points, test) => {
  const runs = [];
  points.forEach((point, i) => {
    if (!test(point)) return;
    const last = runs.at(-1);
    if (last !== undefined && last[1] === i - 1) last[1] = i;
    else runs.push([i, i]);
  });
  return runs;
};

// The years at the top of the chart: three times the entered price's
// payback, else twice the median payback, else 10.
const topYears = (points, entered) => {
  if (entered !== null && pays(entered) && entered.years > 0) return niceCeiling(3 * entered.years);
  const finite = points.filter(pays).map((point) => point.years).sort((a, b) => a - b);
  const median = finite[finite.length >> 1];
  return median > 0 ? niceCeiling(2 * median) : 10;
};

// The elements inside an SVG whose viewBox is box ({ width, height }).
export const chartElements = ({ points, marked }, box) => {
  const left = MARGIN.left, right = box.width - MARGIN.right;
  const top = MARGIN.top, bottom = box.height - MARGIN.bottom;
  if (points.length === 0) return [];
  const entered = marked >= 0 ? points[marked] : null;
  const highest = topYears(points, entered);
  const span = points.at(-1).price;
  const fixed = (value) => value.toFixed(1);
  const x = (price) => left + (right - left) * price / span;
  const y = (years) => bottom - (bottom - top) * Math.min(years, 2 * highest) / highest;
  const clip = tag('defs', {}, [tag('clipPath', { id: 'flaeche' },
    [tag('rect', { x: left, y: top, width: right - left, height: bottom - top })])]);

  // Where the saving never pays back: shaded, the line broken; labelled
  // across the widest such region, or down it where it is too narrow.
  const step = (right - left) / (points.length - 1);
  const regions = runsOf(points, (point) => !pays(point)).map(([first, last]) =>
    ({ from: Math.max(left, x(points[first].price) - step / 2), to: Math.min(right, x(points[last].price) + step / 2) }));
  const shading = regions.map(({ from, to }) =>
    tag('rect', { class: 'nie', x: fixed(from), y: top, width: fixed(to - from), height: bottom - top }));
  const widest = regions.reduce((best, region) =>
    (best === null || region.to - region.from > best.to - best.from ? region : best), null);
  if (widest !== null) {
    const middle = fixed((widest.from + widest.to) / 2);
    shading.push(label(widest.to - widest.from >= 120
      ? { class: 'nie-text', x: middle, y: top + 16, 'text-anchor': 'middle' }
      : { class: 'nie-text', transform: `translate(${middle} ${top + 8}) rotate(90)`, dy: 4 },
    'zahlt sich nie aus'));
  }

  // Grid and labels at round values, each drawn where its value lies; the
  // last price label ends at the axis end instead of running past it.
  const yTicks = ticksOf(highest), xTicks = ticksOf(span);
  const grid = yTicks.values.flatMap((years) => {
    const at = fixed(y(years));
    return [tag('line', { class: 'gitter', x1: left, x2: right, y1: at, y2: at }),
      label({ class: 'jahre', x: left - 6, y: at, 'text-anchor': 'end', 'dominant-baseline': 'middle' },
        numberText(years, yTicks.step))];
  });
  const prices = xTicks.values.map((price) => label({ class: 'preis', x: fixed(x(price)), y: bottom + 18,
    'text-anchor': x(price) > right - 30 ? 'end' : 'middle' }, numberText(price, xTicks.step)));
  const axes = [
    tag('line', { class: 'achse', x1: left, y1: bottom, x2: right, y2: bottom }),
    tag('line', { class: 'achse', x1: left, y1: top, x2: left, y2: bottom }),
    label({ x: (left + right) / 2, y: bottom + 44, 'text-anchor': 'middle' }, 'Strompreis (Eu/kWh)'),
    label({ transform: `translate(18 ${(top + bottom) / 2}) rotate(-90)`, 'text-anchor': 'middle' },
      'Wiedergewinnszeit (Jahre)'),
  ];

  // The curve, one polyline per stretch that pays back; the data attributes
  // carry the core's numbers for whoever checks the chart.
  const curves = runsOf(points, pays).map(([first, last]) => {
    const line = points.slice(first, last + 1);
    return tag('polyline', { class: 'kurve', 'clip-path': 'url(#flaeche)',
      points: line.map((point) => `${fixed(x(point.price))},${fixed(y(point.years))}`).join(' '),
      'data-preise': line.map((point) => String(point.price)).join(' '),
      'data-jahre': line.map((point) => String(point.years)).join(' ') });
  });
  const mark = [];
  if (entered !== null) {
    const at = fixed(x(entered.price));
    mark.push(tag('line', { class: 'marke', x1: at, x2: at, y1: top, y2: bottom }));
    if (pays(entered) && entered.years <= highest) {
      mark.push(tag('circle', { class: 'punkt', cx: at, cy: fixed(y(entered.years)), r: 4 }));
    }
  }
  // Each part whose number of elements varies is a group of its own, so
  // that a keystroke changing one part leaves the elements of the next in place.
  const group = (elements) => tag('g', {}, elements);
  return [clip, group(shading), group(grid), group(prices), ...axes, group(curves), group(mark)];
};

// What the mark stands for: the entered price and its payback time, or ''
// where no price is marked. Shown as the page's text beside the chart: a
// text inside an SVG that changes with every keystroke costs some browsers
// a fifth of the keystroke.
export const chartCaption = ({ points, marked, markedText }) => {
  if (marked < 0) return '';
  const entered = points[marked];
  return `Ihr Preis ${priceText(entered.price)} Eu/kWh: ${pays(entered) ? `${coreText(markedText)} Jahre`
    : 'zahlt sich nie aus'}`;
};
