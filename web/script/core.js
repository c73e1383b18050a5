// The core adapter: the one part of the page that talks to the WebAssembly
// module, through the contract written down in web/core/glue.cpp. Each call
// hands the core its inputs and reads back one record, "name=value&..."
// text, with URLSearchParams; here the records become plain objects.
// Nothing here computes a figure or knows a status bit.
// The build resolves wgz-kern to the module's factory and its bytes.
import createCalculator from 'wgz-kern';
import moduleBase64 from 'wgz-kern/wasm';

// Decoded natively where the browser can, which is many times faster; the
// bytes are gzip-compressed at build time and unpacked by the browser.
const bytesOf = (base64) => Uint8Array.fromBase64?.(base64)
  ?? Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
const unpacked = (bytes) => new Response(new Blob([bytes]).stream()
  .pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();

// A record's fields as an object, each by the core's own name (after
// prefix), '' where the record has none; and lists, each [] where it has
// none. Flags and indices are made booleans and numbers where they are read.
const fieldsOf = (record, names, prefix = '', lists = []) => Object.fromEntries([
  ...names.map((name) => [name, record.get(`${prefix}${name}`) ?? '']),
  ...lists.map((name) => [name, record.getAll(`${prefix}${name}`)])]);

// A payback (see putPayback in web/core/record.cpp): its kind ('' for a
// line that gives no table), years, a payback under two years in months or
// days, the balance at the end of a service life ('' for none); and the
// figures of its working (see putWorking), with rounded, the steps whose
// shown figures give another result by hand.
const PAYBACK = ['kind', 'years', 'balance', 'durationCount', 'durationUnit', 'durationNearness', 'interestRate',
  'inflationRate', 'before', 'after', 'price', 'p1', 'p2', 'energy', 'saving', 'interest', 'gain', 'rate', 'cost', 'hours'];
const paybackOf = (record, prefix = '') => fieldsOf(record, PAYBACK, prefix, ['rounded']);

const wordsOf = (line) => line.split('\0').slice(0, -1);

// The module's side of every call: the inputs of a call are written to one
// block of the module's memory, kept from call to call and taken anew only
// when it is too small, so that a call crosses into the module once.
const adapterOf = (module) => {
  const encoder = new TextEncoder();
  let block = { address: 0, size: 0 };
  const room = (size) => {
    if (size > block.size) {
      module._free(block.address);
      block = { address: module._malloc(2 * size), size: 2 * size };
    }
    return block.address;
  };
  // Calls fn with the address of each block of words, each word a C string
  // (up to its first NUL, as a process receives an argument), and reads
  // the record it returns.
  const call = (blocks, fn) => {
    const encoded = blocks.map((words) => encoder.encode(words.map((word) => `${word.split('\0')[0]}\0`).join('')));
    let at = room(encoded.reduce((size, bytes) => size + bytes.length, 1));
    // (Read after room: taking memory may grow it, which replaces the buffer HEAPU8 views.)
    const starts = encoded.map((bytes) => { module.HEAPU8.set(bytes, at); at += bytes.length; return at - bytes.length; });
    return new URLSearchParams(module.UTF8ToString(fn(...starts)));
  };
  // Words and their count, then single texts.
  const withWords = (words, texts, fn) => call([words, ...texts.map((text) => [text])],
    (first, ...rest) => fn(first, words.length, ...rest));
  return { module, call, withWords };
};
const errorsOf = (record) => record.getAll('errors').map((text, i) => ({ text: text.trim(),
  about: record.getAll('about')[i].split(' ') }));

// One invocation: its exit status, its output as text (the HTML forms are
// UTF-8), whether it printed the examples, and its numbered error reports,
// each with the words of the command line it is about: an option ("-z")
// or number positions ("3 4").
const run = ({ module, withWords }) => (args) => {
  const record = withWords(args, [], module._wgz_run);
  return { status: Number(record.get('status')), output: record.get('output'), examples: record.has('examples'),
    errors: errorsOf(record) };
};

// The answer in words for the table's last row, with a service life (''
// for none): its payback with its working, and whether the device is a
// generator.
const answer = ({ module, withWords }) => (args, life = '') => {
  const record = withWords(args, [life], module._wgz_answer);
  return { ...paybackOf(record), generator: record.has('generator') };
};

// Payback times over the electricity price, the index of the entered price
// (-1: not marked) and its years as the table prints them. The points are
// floats in the module's memory, copied before the next call.
const curve = ({ module, withWords }) => (args) => {
  const record = withWords(args, [], module._wgz_curve);
  const floats = new Float32Array(module.HEAPU8.buffer, Number(record.get('at') ?? 0), 2 * Number(record.get('points') ?? 0));
  return { points: Array.from({ length: floats.length / 2 }, (_, i) => ({ price: floats[2 * i], years: floats[2 * i + 1] })),
    marked: Number(record.get('marked') ?? -1), markedText: record.get('markedText') ?? '' };
};

// The devices (the old one first), each pair's payback and each offer's
// against the old device, as a comparison's record lists them (see
// putComparison in web/core/comparison.cpp).
const DEVICE = ['cost', 'kwh', 'electricity', 'interest', 'total', 'totalRounded', 'rank', 'end'];
const devicesOf = (record) => {
  const lists = fieldsOf(record, [], '', DEVICE);
  return lists.cost.map((_, i) => ({ ...Object.fromEntries(DEVICE.map((name) => [name, lists[name][i] ?? ''])),
    totalRounded: lists.totalRounded[i] === '1', rank: Number(lists.rank[i]) }));
};
const pairsOf = (record) => {
  const pairs = [];
  for (let n = 1; record.has(`pair${n}-kind`); n++) {
    const pair = fieldsOf(record, ['cheap', 'dear', 'sameCost', 'thriftier', 'extra', 'line'], `pair${n}-`);
    pairs.push({ ...paybackOf(record, `pair${n}-`), ...pair, cheap: Number(pair.cheap), dear: Number(pair.dear),
      sameCost: pair.sameCost === '1', thriftier: Number(pair.thriftier), line: wordsOf(pair.line) });
  }
  return pairs;
};
const versusOldOf = (record, count) => Array.from({ length: count }, (_, i) => `old${i + 1}-`)
  .filter((prefix) => record.has(`${prefix}kind`))
  .map((prefix) => ({ ...paybackOf(record, prefix), line: wordsOf(record.get(`${prefix}line`)) }));

// Devices compared over a service life ('' for none): shared, the price and
// the options of every command line; old, the power of the old device kept
// ('' for none); offers, each { cost, power } as command line words. The
// options' errors, or the words of a shared value without a finite figure
// (notFinite); else each device's figures, the old one first, each pair's
// and each offer's payback against the old device with its command line,
// and the chart.
const compare = ({ module, call }) => ({ shared, old, offers, life }) => {
  const record = call([shared, [old], offers.flatMap(({ cost, power }) => [cost, power]), [life]],
    (sharedAt, oldAt, offersAt, lifeAt) => module._wgz_compare(sharedAt, shared.length, oldAt, offersAt,
      offers.length, lifeAt));
  if (record.has('status') || record.has('notFinite')) {
    return { errors: errorsOf(record), notFinite: record.get('notFinite')?.split(' ') ?? null };
  }
  const top = fieldsOf(record, ['cheapest', 'next', 'margin', 'span'], '', ['pointYears', 'pointCost']);
  return { errors: [], notFinite: null, devices: devicesOf(record), pairs: pairsOf(record),
    versusOld: versusOldOf(record, offers.length),
    cheapest: Number(top.cheapest || -1), next: Number(top.next || -1), margin: top.margin,
    chart: top.span === '' ? null : { end: Number(top.span), againstOld: record.has('againstOld'),
      points: top.pointYears.map((years, i) => ({ years: Number(years), cost: Number(top.pointCost[i]) })) } };
};

// Texts by the core's names, as its words "name=text".
const namedWords = (texts) => Object.entries(texts).map(([name, text]) => `${name}=${text}`);

// A plug-in solar system from its texts by name (see wgz_solar): { problem,
// field } or the estimate, each kWh a year as the program prints figures,
// and for each self-use the power of its command line.
const solar = ({ module, withWords }) => (texts) => {
  const record = withWords(namedWords(texts), [], module._wgz_solar);
  if (record.has('problem')) return { problem: record.get('problem'), field: record.get('field') };
  return { ...fieldsOf(record, ['specific', 'region', 'yield', 'selfUsed', 'share', 'low', 'high', 'power', 'powerLow', 'powerHigh',
    'rule', 'ratio', 'series', 'orientationFactor', 'awayFactor', 'likely', 'lowest', 'direct', 'batteryShare', 'stored']),
  rounded: record.getAll('estimateRounded'), batteryUnusual: record.has('batteryUnusual') };
};

// A value of the page's own made into a command line's word: { text, shown }
// (for a resale, the cost as read) or { problem } ('zahl': no number,
// 'unendlich': no finite result, 'bereich': out of range); for kind
// 'preis', { unusual }. The kinds are listed at wgz_convert.
const convert = ({ module, call }) => (kind, text, other = '') => {
  const record = call([[kind], [text], [other]], module._wgz_convert);
  if (record.has('problem')) return { problem: record.get('problem') };
  return { ...fieldsOf(record, ['text', 'shown', 'cost']), unusual: record.get('unusual') === '1' };
};

// A device's power for the command line from its texts by name (see
// wgz_power: leistung, standby, stunden, anzahl): { problem, field } or the
// word (text) and its figure (shown), the average over the day with
// standby and the hours of standby (rest), the kWh a year of one device
// (year), and whether it asks if kWh were meant (unusual, above limit W).
const power = ({ module, withWords }) => (texts) => {
  const record = withWords(namedWords(texts), [], module._wgz_power);
  if (record.has('problem')) return { problem: record.get('problem'), field: record.get('field') };
  return { ...fieldsOf(record, ['text', 'shown', 'average', 'rest', 'year', 'limit']), unusual: record.has('unusual') };
};

// The core's answers depend on their inputs alone: a keystroke changes one
// field, and the values of the others are read as they were a moment ago.
// (Callers never change what they get back.)
const MOST_REMEMBERED = 500;
const remembered = (fn) => {
  const seen = new Map();
  return (...args) => {
    const key = JSON.stringify(args);
    if (!seen.has(key)) {
      if (seen.size >= MOST_REMEMBERED) seen.clear();
      seen.set(key, fn(...args));
    }
    return seen.get(key);
  };
};

export const openCore = async () => {
  const io = adapterOf(await createCalculator({ wasmBinary: await unpacked(bytesOf(moduleBase64)),
    locateFile: (name) => name }));
  return { programName: io.call([], io.module._wgz_program).get('name'), run: run(io), answer: answer(io),
    curve: curve(io), compare: compare(io), solar: remembered(solar(io)), power: remembered(power(io)),
    convert: remembered(convert(io)) };
};
