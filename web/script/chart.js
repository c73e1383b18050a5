// The chart: payback time over the electricity price, drawn from the core's
// points alone as the SVG's content, and its caption. Axis values are
// d3-array's round ticks; labels are German numbers from Intl.
import { nice, ticks } from 'd3-array';
import { nothing, svg } from 'lit-html';

// Room around the plot for the labels, in the units of the SVG's viewBox.
const MARGIN = { left: 90, right: 16, top: 16, bottom: 56 };
// The room a label needs along its axis, in the same units, at a phone's
// width where the chart shrinks and its text does not: price labels stand
// side by side, years labels one above the other.
const LABEL_ROOM = { price: 80, years: 50 };
// A labelled region narrower than this gets its label written downwards.
const ACROSS = 120;
// How far from an axis a label written downwards keeps its middle: half a
// phone's text size and a little.
const DOWN_CLEARANCE = 14;

// German numbers, made when first needed: the first use of Intl loads its
// locale data, which takes a browser tens of milliseconds.
let formats = null;
export const prepareChart = () => {
  formats ??= { plain: new Intl.NumberFormat('de-DE', { maximumSignificantDigits: 6, useGrouping: false }),
    scientific: new Intl.NumberFormat('de-DE', { notation: 'scientific', maximumFractionDigits: 2 }) };
  return formats;
};
// A number the page writes itself: plain while its digits stay short.
const numberText = (value) => {
  const { plain, scientific } = prepareChart();
  return (value !== 0 && (Math.abs(value) >= 1e5 || Math.abs(value) < 1e-3) ? scientific : plain).format(value);
};
// The core's own text of a number, with a decimal comma; shortened where it is long.
const coreText = (text) => (text.length > 9 && Number.isFinite(Number(text))
  ? numberText(Number(text)) : text.replace('.', ','));

// (A payback of -0 years is a loss from the first day.)
const pays = (point) => Number.isFinite(point.years) && (point.years > 0 || Object.is(point.years, 0));

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

// What the years axis must show: the entered price's payback three times
// over, so that its point sits near a third of the height; else twice the
// median payback, else 10 years.
const yearsShown = (points, entered) => {
  if (entered !== null && pays(entered) && entered.years > 0) return 3 * entered.years;
  const finite = points.filter(pays).map((point) => point.years).sort((a, b) => a - b);
  const median = finite[finite.length >> 1];
  return median > 0 ? 2 * median : 10;
};

// Round values from 0 to the end of an axis of the given length: as many
// steps as its labels have room for.
const axis = (end, length, room, start = 0) => {
  const count = Math.max(2, Math.floor(length / room));
  const [low, top] = nice(start, end, count);
  return { low, top, values: ticks(low, top, count) };
};

const fixed = (value) => value.toFixed(1);

// A plot's two axes: the lines, the round values of each (labels of the
// class name, a grid line across for each value up the side) and titles.
// The last label along the foot ends at the axis end instead of running past it.
const axes = ({ left, right, top, bottom }, across, up) => svg`
    ${up.values.map((value) => svg`
      <line class="gitter" x1=${left} x2=${right} y1=${fixed(up.at(value))} y2=${fixed(up.at(value))}></line>
      <text class=${up.name} x=${left - 6} y=${fixed(up.at(value))} text-anchor="end" dominant-baseline="middle"
        >${numberText(value)}</text>`)}
    ${across.values.map((value) => svg`
      <text class=${across.name} x=${fixed(across.at(value))} y=${bottom + 18}
        text-anchor=${across.at(value) > right - 30 ? 'end' : 'middle'}>${numberText(value)}</text>`)}
    <line class="achse" x1=${left} y1=${bottom} x2=${right} y2=${bottom}></line>
    <line class="achse" x1=${left} y1=${top} x2=${left} y2=${bottom}></line>
    <text x=${(left + right) / 2} y=${bottom + 44} text-anchor="middle">${across.title}</text>
    <text transform="translate(18 ${(top + bottom) / 2}) rotate(-90)" text-anchor="middle">${up.title}</text>`;

// The SVG's content for a curve ({ points, marked }) in a viewBox of
// box ({ width, height }).
export const chart = ({ points, marked }, box) => {
  const left = MARGIN.left, right = box.width - MARGIN.right;
  const top = MARGIN.top, bottom = box.height - MARGIN.bottom;
  const entered = marked >= 0 ? points[marked] : null;
  const span = points.at(-1).price;
  const years = axis(yearsShown(points, entered), bottom - top, LABEL_ROOM.years);
  const prices = { values: ticks(0, span, Math.max(2, Math.floor((right - left) / LABEL_ROOM.price))) };
  const x = (price) => left + (right - left) * price / span;
  const y = (value) => bottom - (bottom - top) * Math.min(value, 2 * years.top) / years.top;

  // Where the saving never pays back: shaded, the line broken; labelled
  // across the widest such region, or down it where it is too narrow.
  const step = (right - left) / (points.length - 1);
  const regions = runsOf(points, (point) => !pays(point)).map(([first, last]) => ({
    from: Math.max(left, x(points[first].price) - step / 2),
    to: Math.min(right, x(points[last].price) + step / 2) }));
  const widest = regions.reduce((best, region) =>
    (best === null || region.to - region.from > best.to - best.from ? region : best), null);
  // (Written downwards, it keeps clear of the axes.)
  const middle = widest === null ? 0 : fixed(Math.min(right - DOWN_CLEARANCE, Math.max(left + DOWN_CLEARANCE, (widest.from + widest.to) / 2)));
  const never = widest === null ? nothing : widest.to - widest.from >= ACROSS
    ? svg`<text class="nie-text" x=${middle} y=${top + 16} text-anchor="middle">zahlt sich nie aus</text>`
    : svg`<text class="nie-text" transform="translate(${middle} ${top + 8}) rotate(90)" dy="4"
        >zahlt sich nie aus</text>`;

  // The curve, one polyline per stretch that pays back; the data attributes
  // carry the core's numbers for whoever checks the chart.
  const curves = runsOf(points, pays).map(([first, last]) => points.slice(first, last + 1));
  const markAt = entered === null ? 0 : fixed(x(entered.price));

  const plot = { x: left, y: top, width: right - left, height: bottom - top };
  return svg`
    <defs><clipPath id="flaeche">
      <rect x=${plot.x} y=${plot.y} width=${plot.width} height=${plot.height}></rect>
    </clipPath></defs>
    ${regions.map(({ from, to }) => svg`
      <rect class="nie" x=${fixed(from)} y=${top} width=${fixed(to - from)} height=${plot.height}></rect>`)}
    ${never}
    ${axes({ left, right, top, bottom }, { values: prices.values, at: x, name: 'preis', title: 'Strompreis (Eu/kWh)' },
    { values: years.values, at: y, name: 'jahre', title: 'Wiedergewinnszeit (Jahre)' })}
    ${curves.map((line) => svg`
      <polyline class="kurve" clip-path="url(#flaeche)"
        points=${line.map((point) => `${fixed(x(point.price))},${fixed(y(point.years))}`).join(' ')}
        data-preise=${line.map((point) => String(point.price)).join(' ')}
        data-jahre=${line.map((point) => String(point.years)).join(' ')}></polyline>`)}
    ${entered === null ? nothing : svg`
      <line class="marke" x1=${markAt} x2=${markAt} y1=${top} y2=${bottom}></line>`}
    ${entered !== null && pays(entered) && entered.years <= years.top ? svg`
      <circle class="punkt" cx=${markAt} cy=${fixed(y(entered.years))} r="4"></circle>` : nothing}`;
};

// What the mark stands for: the entered price and its payback time, or ''
// where no price is marked.
export const chartCaption = ({ points, marked, markedText }) => {
  if (marked < 0) return '';
  const entered = points[marked];
  return `Ihr Preis ${numberText(entered.price)} Eu/kWh: ${pays(entered) ? `${coreText(markedText)} Jahre`
    : 'zahlt sich nie aus'}`;
};

// Lines told apart without colour: a dash pattern each, and a label.
const DASHES = ['', '10 5', '3 4', '14 4 3 4', '2 2'];
const dashOf = (i) => DASHES[i % DASHES.length];

// The SVG's content for offers compared ({ end, lines, points }): each
// option's cost over the years as a line from its price at year 0 to its
// whole cost at the end, labelled at its end; the catch-up points marked.
// Room right of the plot for the lines' names: each on up to two lines of
// words that fit it at a phone's text size, cut only beyond them.
const NAME_ROOM = 110;
const NAME_LINE = 11, LINE_HEIGHT = 20;
const cut = (text) => (text.length > NAME_LINE ? `${text.slice(0, NAME_LINE - 1)}…` : text);
const nameLines = (name) => {
  const lines = [];
  for (const word of name.split(/\s+/).filter((w) => w !== '')) {
    const joined = lines.length === 0 ? word : `${lines.at(-1)} ${word}`;
    if (lines.length > 0 && joined.length <= NAME_LINE) lines[lines.length - 1] = joined;
    else lines.push(word);
  }
  const shown = lines.slice(0, 2).map(cut);
  if (lines.length > 2 && !shown[1].endsWith('…')) shown[1] = `${shown[1].slice(0, NAME_LINE - 1)}…`;
  return shown;
};
export const comparisonChart = ({ end, lines, points }, box) => {
  const left = MARGIN.left, right = box.width - MARGIN.right - NAME_ROOM;
  const top = MARGIN.top, bottom = box.height - MARGIN.bottom;
  // Below 0 where an option gains more than it costs (a solar system).
  const highest = Math.max(...lines.flatMap((line) => [line.start, line.end]));
  const lowest = Math.min(0, ...lines.flatMap((line) => [line.start, line.end]));
  const costs = axis(highest > 0 ? highest : 1, bottom - top, LABEL_ROOM.years, lowest);
  const years = { values: ticks(0, end, Math.max(2, Math.floor((right - left) / LABEL_ROOM.price))) };
  const x = (value) => left + (right - left) * value / end;
  const y = (value) => bottom - (bottom - top) * (value - costs.low) / (costs.top - costs.low);
  // Names beside the lines' ends, centred on them, moved apart where two
  // would overlap.
  const labels = lines.map((line, i) => ({ i, at: y(line.end), words: nameLines(line.name) })).sort((a, b) => a.at - b.at);
  const half = (words) => (words.length - 1) * LINE_HEIGHT / 2;
  labels.forEach((label, k) => {
    if (k > 0) label.at = Math.max(label.at, labels[k - 1].at + half(labels[k - 1].words) + half(label.words) + LINE_HEIGHT);
  });
  return svg`
    ${axes({ left, right, top, bottom }, { values: years.values, at: x, name: 'jahr', title: 'Jahre' },
    { values: costs.values, at: y, name: 'kosten', title: lowest < 0 ? 'Bilanz bis dahin (Euro, unter 0 Gewinn)' : 'Kosten bis dahin (Euro)' })}
    ${lines.map((line, i) => svg`
      <line class="gesamt" x1=${left} y1=${fixed(y(line.start))} x2=${right} y2=${fixed(y(line.end))}
        stroke-dasharray=${dashOf(i)} data-von=${line.start} data-bis=${line.end}></line>`)}
    ${labels.map(({ i, at, words }) => svg`
      <line class="gesamt" x1=${right + 4} x2=${right + 24} y1=${fixed(at)} y2=${fixed(at)} stroke-dasharray=${dashOf(i)}></line>
      <text class="name" y=${fixed(at - half(words))} dominant-baseline="middle">${words.map((line, k) => svg`<tspan
        x=${right + 28} dy=${k === 0 ? 0 : LINE_HEIGHT}>${line}</tspan>`)}</text>`)}
    ${points.map((point) => svg`
      <circle class="punkt" cx=${fixed(x(point.years))} cy=${fixed(y(point.cost))} r="5"
        data-jahre=${point.years} data-kosten=${point.cost}></circle>`)}`;
};

// What the chart shows, and only that: a point against the old device is
// named as such where there is one.
export const comparisonCaption = ({ end, points, againstOld }, solar) => `Kosten über ${numberText(end)} ${
  end === 1 ? 'Jahr' : 'Jahre'}${solar ? ' (unter 0: Gewinn)' : ''}${points.length === 0 ? ''
  : solar ? `; Punkte: wo eine Anlage ihren Preis${againstOld ? '' : ' oder Mehrpreis'} hereingeholt hat`
    : `; Punkte: wo ein teureres Gerät seinen Mehrpreis hereingeholt hat${againstOld ? ', auch gegenüber dem alten' : ''}`}`;
