// The core adapter: the one part of the page that talks to the WebAssembly
// module. Arguments in; exit status, output and curve out. Every address it
// reads comes from a function of web/glue.cpp and is read through a typed
// view; nothing here knows a layout, a status bit or a text of the core.
// The build resolves wgz-kern to the module's factory and its bytes.
import createCalculator from 'wgz-kern';
import moduleBase64 from 'wgz-kern/wasm';

// Decoded natively where the browser can, which is many times faster.
const bytesOf = (base64) => Uint8Array.fromBase64?.(base64)
  ?? Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));

export const openCore = async () => {
  // Its bytes are here already: no file to locate or fetch.
  const module = await createCalculator({ wasmBinary: bytesOf(moduleBase64), locateFile: (name) => name });
  const utf8 = new TextDecoder();
  const encoder = new TextEncoder();
  const examplesStatus = module._wgz_examples_status();
  // The names of a compared option's figures, by their numbers.
  const figureNames = module.UTF8ToString(module._wgz_compare_figures()).split(' ');

  // A process receives each argument up to its first NUL, as C strings end
  // there. The core keeps the arguments written last, for as many calls as
  // ask about the same command line.
  let passed = [];
  const pass = (args) => {
    if (args.length === passed.length && args.every((arg, i) => arg === passed[i])) return;
    passed = [...args];
    const bytes = encoder.encode(args.map((arg) => `${arg.split('\0')[0]}\0`).join(''));
    // Asked for first: the block may grow the module's memory, which
    // replaces the buffer that HEAPU8 views.
    const address = module._wgz_arguments(args.length, bytes.length);
    new Uint8Array(module.HEAPU8.buffer, address, bytes.length).set(bytes);
  };
  const text = (address) => module.UTF8ToString(address);
  // Calls fn with the address of text as a C string, on the module's stack.
  const withText = (string, fn) => {
    const top = module.stackSave();
    try {
      const bytes = encoder.encode(`${string.split('\0')[0]}\0`);
      const address = module.stackAlloc(bytes.length);
      module.HEAPU8.set(bytes, address);
      return fn(address);
    } finally {
      module.stackRestore(top);
    }
  };
  const PROBLEMS = ['', 'zahl', 'unendlich', 'bereich'];
  const value = (check) => (check !== 0 ? { problem: PROBLEMS[check] }
    : { text: text(module._wgz_value_text()), shown: text(module._wgz_value_shown()) });
  const output = () => new Uint8Array(module.HEAPU8.buffer, module._wgz_output(), module._wgz_output_size());

  return {
    programName: text(module._wgz_program_name()),

    // One invocation: its exit status and the bytes it wrote.
    run: (args) => {
      pass(args);
      const status = module._wgz_run();
      return { status, bytes: output().slice() };
    },
    decode: (bytes) => utf8.decode(bytes),
    printedExamples: (status) => (status & examplesStatus) !== 0,

    // The numbered error reports of an exit status, each with the words of
    // the command line it is about: an option ("-z") or number positions ("3 4").
    errors: (status) => Array.from({ length: module._wgz_errors(status) }, (_, i) => ({
      text: text(module._wgz_error_text(i)).trim(),
      about: text(module._wgz_error_subject(i)).split(' '),
    })),

    // The answer in words for the table's last row: its kind (see glue.cpp),
    // its figures as the program prints numbers, and whether it is a
    // generator; with a service life ('' for none, already checked by
    // serviceLife) what is left at its end; a payback under two years in
    // months or days.
    answer: (args, life = '') => {
      pass(args);
      withText(life, module._wgz_service_life);
      const kind = text(module._wgz_answer());
      const figure = (i) => text(module._wgz_answer_figure(i));
      return { kind, generator: module._wgz_answer_generator() === 1,
        years: figure(0), energy: figure(1), saving: figure(2), interest: figure(3), gain: figure(4),
        rate: figure(5), hours: figure(6), balance: figure(7), life: figure(8), cost: figure(9),
        duration: { count: figure(10), unit: figure(11), nearness: figure(12) } };
    },

    // The page's own values, each { problem } when the page cannot use it
    // ('zahl': no number, 'unendlich': no finite result, 'bereich': out of
    // range), else what the command line and the page show for it.
    yearlyPower: (kwh) => value(withText(kwh, module._wgz_yearly_power)),
    dailyPower: (kwh) => value(withText(kwh, module._wgz_daily_power)),
    // A further offer's cost or power, read in full.
    offerValue: (text, isCost) => value(withText(text, (address) => module._wgz_offer_value(address, isCost ? 1 : 0))),
    // Which of two costs is dearer (1: the first, -1: the second, 0:
    // neither) and the extra price, for a command line and as shown.
    costDifference: (first, second) => {
      const order = withText(first, (a) => withText(second, (b) => module._wgz_cost_difference(a, b)));
      return { order, text: text(module._wgz_value_text()), shown: text(module._wgz_value_shown()) };
    },
    netCost: (cost, resale) => value(withText(cost, (a) => withText(resale, (b) => module._wgz_net_cost(a, b)))),
    centPrice: (cents) => value(withText(cents, module._wgz_cent_price)),
    // Whether a price in Eu/kWh is so high that cents were likely meant.
    priceUnusual: (price) => withText(price, module._wgz_price_unusual) === 1,
    serviceLife: (years) => {
      const check = withText(years, module._wgz_service_life);
      return check !== 0 ? { problem: PROBLEMS[check] } : { text: years, shown: years };
    },

    // Options compared over years ('' for none): shared, the values of the
    // command line they share ({ price, interest, inflation, hours }, ''
    // where not given); options, each { cost, power } as a run reads them.
    // Each option's figures by name, its rank (1: cheapest over the years),
    // the cheapest one's index (-1 without years) and how much less it costs
    // than the next; and, until the next comparison, an option's whole cost
    // over other years.
    compare: (shared, options, years) => {
      withText(shared.price, (price) => withText(shared.interest, (interest) => withText(shared.inflation,
        (inflation) => withText(shared.hours, (hours) => module._wgz_compare_shared(price, interest, inflation, hours)))));
      for (const { cost, power } of options) withText(cost, (c) => withText(power, (p) => module._wgz_compare_option(c, p)));
      const cheapest = withText(years, module._wgz_compare);
      const figure = (i, name) => text(module._wgz_option_figure(i, figureNames.indexOf(name)));
      return {
        cheapest, margin: text(module._wgz_compare_margin()),
        options: options.map((_, i) => ({ cost: figure(i, 'kosten'), kwh: figure(i, 'kwh'), electricity: figure(i, 'strom'),
          total: figure(i, 'gesamt'), rank: Number(figure(i, 'rang')) })),
        totalAt: (i, over) => withText(over, (address) => text(module._wgz_option_total(i, address))),
      };
    },

    // Payback times over the electricity price, the index of the entered
    // price (-1: not marked) and its years as the table prints them.
    curve: (args) => {
      pass(args);
      const count = module._wgz_curve();
      const floats = (address) => new Float32Array(module.HEAPF32.buffer, address, count);
      const prices = floats(module._wgz_curve_prices()), years = floats(module._wgz_curve_years());
      const points = Array.from({ length: count }, (_, i) => ({ price: prices[i], years: years[i] }));
      const marked = module._wgz_curve_marked();
      return { points, marked, markedText: marked >= 0 ? text(module._wgz_curve_text(marked)) : '' };
    },
  };
};
