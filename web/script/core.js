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

// A payback as the core gives it, its names after prefix: its kind ('' for
// a line that gives no table), years, a payback under two years in months
// or days, and the balance at the end of a service life ('' for none).
const paybackOf = (record, prefix = '') => {
  const get = (name) => record.get(`${prefix}${name}`) ?? '';
  return { kind: get('art'), years: get('jahre'), balance: get('bilanz'),
    duration: { count: get('dauer'), unit: get('dauer-einheit'), nearness: get('dauer-naehe') } };
};
// The figures of a payback's working (see putWorking in web/core/record.cpp):
// each as the page shows it, and the steps whose results are rounded.
const workingOf = (record, prefix = '') => {
  const get = (name) => record.get(`${prefix}${name}`) ?? '';
  return { interestRate: get('zins-wert'), inflationRate: get('inflation-wert'), before: get('vorher-wert'),
    after: get('hinterher-wert'), price: get('preis-wert'), p1: get('p1'), p2: get('p2'), energy: get('energie'),
    saving: get('ersparnis'), interest: get('zinsen'), gain: get('gewinn'), rate: get('realzins'), cost: get('kosten'),
    hours: get('stunden'), rounded: record.getAll(`${prefix}gerundet`) };
};
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
const errorsOf = (record) => record.getAll('fehler').map((text, i) => ({ text: text.trim(),
  about: record.getAll('betrifft')[i].split(' ') }));

// One invocation: its exit status, its output as text (the HTML forms are
// UTF-8), whether it printed the examples, and its numbered error reports,
// each with the words of the command line it is about: an option ("-z")
// or number positions ("3 4").
const run = ({ module, withWords }) => (args) => {
  const record = withWords(args, [], module._wgz_run);
  return { status: Number(record.get('status')), output: record.get('ausgabe'),
    examples: record.has('beispiele'), errors: errorsOf(record) };
};

// The answer in words for the table's last row, with a service life ('' for
// none): the payback (see paybackOf), the figures of a year as the program
// prints numbers, and the working's figures.
const answer = ({ module, withWords }) => (args, life = '') => {
  const record = withWords(args, [life], module._wgz_answer);
  const get = (name) => record.get(name) ?? '';
  return { ...paybackOf(record), generator: record.has('erzeuger'), energy: get('energie'),
    saving: get('ersparnis'), interest: get('zinsen'), gain: get('gewinn'), rate: get('realzins'),
    cost: get('kosten'), hours: get('stunden'), working: workingOf(record) };
};

// Payback times over the electricity price, the index of the entered price
// (-1: not marked) and its years as the table prints them.
const curve = ({ module, withWords }) => (args) => {
  const record = withWords(args, [], module._wgz_curve);
  const years = record.getAll('jahre');
  // Each a float's nine digits, read back as that float.
  const float = (text) => Math.fround(Number(text));
  return { points: record.getAll('preis').map((price, i) => ({ price: float(price), years: float(years[i]) })),
    marked: Number(record.get('marke') ?? -1), markedText: record.get('marke-jahre') ?? '' };
};

// The devices, each pair's payback and each offer's against the old device,
// as a comparison's record lists them.
const devicesOf = (record) => {
  const list = (name) => record.getAll(name);
  const totals = list('gesamt'), ends = list('linie-bis'), rounded = list('gesamt-gerundet');
  return list('kosten').map((cost, i) => ({ cost, kwh: list('kwh')[i], electricity: list('strom')[i],
    interest: list('zinsen')[i], total: totals[i] ?? '', totalRounded: rounded[i] === '1', rank: Number(list('rang')[i]),
    end: ends[i] ?? '' }));
};
const pairsOf = (record) => {
  const pairs = [];
  for (let n = 1; record.has(`paar${n}-art`); n++) {
    const get = (name) => record.get(`paar${n}-${name}`);
    pairs.push({ ...paybackOf(record, `paar${n}-`), cheap: Number(get('billig')), dear: Number(get('teuer')),
      sameCost: get('gleich-teuer') === '1', thriftier: Number(get('sparsamer')), extra: get('mehrpreis'),
      line: wordsOf(get('zeile')), working: workingOf(record, `paar${n}-`) });
  }
  return pairs;
};
const versusOldOf = (record, count) => Array.from({ length: count }, (_, i) => `alt${i + 1}-`)
  .filter((prefix) => record.has(`${prefix}art`))
  .map((prefix) => ({ ...paybackOf(record, prefix), line: wordsOf(record.get(`${prefix}zeile`)), working: workingOf(record, prefix) }));

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
  if (record.has('status') || record.has('unendlich')) {
    return { errors: errorsOf(record), notFinite: record.get('unendlich')?.split(' ') ?? null };
  }
  const costs = record.getAll('punkt-kosten');
  return { errors: [], notFinite: null, devices: devicesOf(record), pairs: pairsOf(record),
    versusOld: versusOldOf(record, offers.length),
    cheapest: Number(record.get('guenstigst') ?? -1), next: Number(record.get('naechst') ?? -1),
    margin: record.get('abstand') ?? '',
    chart: record.has('bis') ? { end: Number(record.get('bis')), againstOld: record.has('punkt-alt'),
      points: record.getAll('punkt-jahre').map((years, i) => ({ years: Number(years), cost: Number(costs[i]) })) } : null };
};

// Texts by the core's names, as its words "name=text".
const namedWords = (texts) => Object.entries(texts).map(([name, text]) => `${name}=${text}`);

// A plug-in solar system from its texts by name (see wgz_solar): { problem,
// field } or the estimate, each kWh a year as the program prints figures,
// and for each self-use the power of its command line.
const solar = ({ module, withWords }) => (texts) => {
  const record = withWords(namedWords(texts), [], module._wgz_solar);
  if (record.has('problem')) return { problem: record.get('problem'), field: record.get('feld') };
  const get = (name) => record.get(name) ?? '';
  return { specific: get('spezifisch'), yield: get('ertrag'), selfUsed: get('selbst'), share: get('anteil'),
    low: get('niedrig'), high: get('hoch'), power: get('leistung'), powerLow: get('leistung-niedrig'),
    powerHigh: get('leistung-hoch'), rule: get('regel'), selfUsedRounded: record.has('selbst-gerundet') };
};

// A value of the page's own made into a command line's word: { text, shown }
// or { problem } ('zahl': no number, 'unendlich': no finite result,
// 'bereich': out of range); for kind 'preis', { unusual }. The kinds are
// listed at wgz_convert.
const convert = ({ module, call }) => (kind, text, other = '') => {
  const record = call([[kind], [text], [other]], module._wgz_convert);
  if (record.has('problem')) return { problem: record.get('problem') };
  return { text: record.get('wert') ?? '', shown: record.get('gezeigt') ?? '', unusual: record.get('ungewoehnlich') === '1',
    cost: record.get('kosten') ?? '' };
};

// A device's power for the command line from its texts by name (see
// wgz_power: leistung, standby, stunden, anzahl): { problem, field } or the
// word (text) and its figure (shown), the average over the day with
// standby and the hours of standby (rest), the kWh a year of one device,
// and whether it asks if kWh were meant (unusual, above limit W).
const power = ({ module, withWords }) => (texts) => {
  const record = withWords(namedWords(texts), [], module._wgz_power);
  if (record.has('problem')) return { problem: record.get('problem'), field: record.get('feld') };
  const get = (name) => record.get(name) ?? '';
  return { text: get('wert'), shown: get('gezeigt'), average: get('mittel'), rest: get('rest'), year: get('jahr'),
    limit: get('grenze'), unusual: record.has('ungewoehnlich') };
};

export const openCore = async () => {
  const io = adapterOf(await createCalculator({ wasmBinary: await unpacked(bytesOf(moduleBase64)),
    locateFile: (name) => name }));
  return { programName: io.call([], io.module._wgz_program).get('name'), run: run(io), answer: answer(io),
    curve: curve(io), compare: compare(io), solar: solar(io), power: power(io), convert: convert(io) };
};
