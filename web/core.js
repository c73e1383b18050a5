// The core adapter: the one part of the page that talks to the WebAssembly
// module. Arguments in; exit status, output and curve out. Every address it
// reads comes from a function of web/glue.cpp and is read through a typed
// view; nothing here knows a layout, a status bit or a text of the core.
// createCalculator is the factory that the build puts before this script.
export const openCore = async () => {
  const module = await createCalculator();
  const utf8 = new TextDecoder();
  const encoder = new TextEncoder();
  const examplesStatus = module._wgz_examples_status();

  // A process receives each argument up to its first NUL, as C strings end there.
  const pass = (args) => {
    const encoded = args.map((arg) => encoder.encode(arg.split('\0')[0]));
    const size = encoded.reduce((total, bytes) => total + bytes.length + 1, 0);
    const block = new Uint8Array(module.HEAPU8.buffer, module._wgz_arguments(encoded.length, size), size);
    encoded.reduce((at, bytes) => { block.set(bytes, at); return at + bytes.length + 1; }, 0);
  };
  const output = () => new Uint8Array(module.HEAPU8.buffer, module._wgz_output(), module._wgz_output_size());

  return {
    programName: module.UTF8ToString(module._wgz_program_name()),

    // One invocation: its exit status and the bytes it wrote.
    run: (args) => {
      pass(args);
      const status = module._wgz_run();
      return { status, bytes: output().slice() };
    },
    decode: (bytes) => utf8.decode(bytes),
    printedExamples: (status) => (status & examplesStatus) !== 0,

    // The numbered error reports of an exit status, one line each.
    errors: (status) => {
      module._wgz_errors(status);
      return utf8.decode(output()).split('\n').map((line) => line.trim()).filter((line) => line !== '');
    },

    // Payback times over the electricity price, with the years as the table
    // prints them, and the index of the entered price (-1: not marked).
    curve: (args) => {
      pass(args);
      const count = module._wgz_curve();
      const floats = (address) => new Float32Array(module.HEAPF32.buffer, address, count);
      const prices = floats(module._wgz_curve_prices()), years = floats(module._wgz_curve_years());
      const points = Array.from({ length: count }, (_, i) =>
        ({ price: prices[i], years: years[i], text: module.UTF8ToString(module._wgz_curve_text(i)) }));
      return { points, marked: module._wgz_curve_marked() };
    },
  };
};
