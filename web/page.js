// The page around the core: form, link fragment, table, chart and examples.
// Every number shown comes from the C++ core; text that a user or a link
// brings is only ever set as text, and only the core's HTML as markup.
(function () {
  'use strict';
  var PROGRAM = 'wiedergewinnszeit';
  var REQUIRED = ['kosten', 'strompreis', 'vorher', 'hinterher'];
  var OPTIONS = [['zins', '-z'], ['inflation', '-i'], ['betriebsdauer', '-a']];
  // The letters the program writes in code page 850.
  var CP850 = { 0x81: '\u00fc', 0x84: '\u00e4', 0x8e: '\u00c4', 0x94: '\u00f6',
    0x99: '\u00d6', 0x9a: '\u00dc', 0xe1: '\u00df' };
  var utf8 = new TextDecoder('utf-8');
  var encoder = new TextEncoder();
  var current = [];  // the arguments shown now
  var examplesHtml = '';  // what -bh writes
  var EXAMPLES = 0x40 | 0x80 | 0x100;  // the exit status bits of -b, -bh, -bH

  function $(id) { return document.getElementById(id); }

  // Calls fn(argc, argv) with the program name and args in the module's memory.
  function withArgv(args, fn) {
    var all = [PROGRAM].concat(args);
    var texts = all.map(function (arg) {
      var bytes = encoder.encode(arg);
      var at = _malloc(bytes.length + 1);
      HEAPU8.set(bytes, at);
      HEAPU8[at + bytes.length] = 0;
      return at;
    });
    var argv = _malloc(4 * (all.length + 1));
    texts.concat([0]).forEach(function (at, i) { HEAPU32[(argv >> 2) + i] = at; });
    try {
      return fn(all.length, argv);
    } finally {
      texts.forEach(function (at) { _free(at); });
      _free(argv);
    }
  }

  // One run of the program: its exit status and the bytes of its output.
  function run(args) {
    Module.output = [];
    var status = withArgv(args, _wgz_run);
    var size = Module.output.reduce(function (n, chunk) { return n + chunk.length; }, 0);
    var bytes = new Uint8Array(size);
    Module.output.reduce(function (at, chunk) { bytes.set(chunk, at); return at + chunk.length; }, 0);
    return { status: status, bytes: bytes };
  }

  function fromCodePage850(bytes) {
    var text = '';
    for (var i = 0; i < bytes.length; i++)
      text += bytes[i] < 0x80 ? String.fromCharCode(bytes[i]) : (CP850[bytes[i]] || '\ufffd');
    return text;
  }

  // The arguments as a form gives them: a decimal comma is a point, an empty
  // option is not given. Null while one of the four numbers is missing.
  function formArgs() {
    function field(id) { return $(id).value.trim().replace(/,/g, '.'); }
    var args = REQUIRED.map(field);
    if (args.indexOf('') >= 0) return null;
    OPTIONS.forEach(function (option) {
      var value = field(option[0]);
      if (value !== '') args.push(option[1], value);
    });
    return args;
  }

  function fillForm(args) {
    REQUIRED.forEach(function (id, i) { $(id).value = i < args.length ? args[i] : ''; });
    OPTIONS.forEach(function (option) {
      var at = args.lastIndexOf(option[1]);
      $(option[0]).value = at >= 4 && at + 1 < args.length ? args[at + 1] : '';
    });
  }

  function fragmentArgs() {
    var fragment = location.hash.slice(1);
    if (fragment === '') return [];
    return fragment.split('%20').map(function (piece) {
      try { return decodeURIComponent(piece); } catch (e) { return piece; }
    });
  }

  function shellWord(arg) {
    return /^[A-Za-z0-9._+\-\/=:]+$/.test(arg) ? arg : "'" + arg.replace(/'/g, "'\\''") + "'";
  }

  // The table as -h writes it; -H asks for the same table inside a page.
  function tableArgs(args) {
    return args.map(function (arg) { return arg === '-H' ? '-h' : arg; }).concat(['-h']);
  }

  function showResult(args) {
    var ergebnis = $('ergebnis');
    var result = args.length >= 4 ? run(tableArgs(args)) : args.length > 0 ? run(args) : null;
    // A link to -b, -bh or -bH asks for the examples, shown as -bh writes them.
    if (result !== null && (result.status & EXAMPLES) !== 0) {
      ergebnis.innerHTML = examplesHtml;
      return result.status;
    }
    if (result !== null && result.status === 0) {
      ergebnis.innerHTML = utf8.decode(result.bytes);
      return 0;
    }
    var errors = result === null ? [] : fromCodePage850(result.bytes).split('\n')
      .filter(function (line) { return line.indexOf(' Fehler ') === 0; })
      .map(function (line) { return line.trim(); });
    var message = document.createElement('p');
    message.className = 'fehler';
    message.style.whiteSpace = 'pre-line';
    message.textContent = errors.length > 0 ? errors.join('\n')
      : 'Bitte Kosten, Strompreis und beide Leistungen eingeben.';
    ergebnis.replaceChildren(message);
    return result === null ? 1 : result.status;
  }

  // ---- Chart: payback time over the electricity price -------------------
  var LEFT = 64, RIGHT = 584, TOP = 16, BOTTOM = 284;

  function niceCeiling(value) {
    var power = Math.pow(10, Math.floor(Math.log10(value)));
    var steps = [1, 2, 5, 10];
    for (var i = 0; i < steps.length; i++)
      if (steps[i] * power >= value) return steps[i] * power;
    return 10 * power;
  }

  function readCurve(args) {
    var at = withArgv(args, _wgz_curve);
    var count = HEAP32[at >> 2];
    var points = [];
    for (var i = 0; i < count; i++) {
      var text = '';
      for (var c = at + 8 + 8 * count + 64 * i; HEAPU8[c] !== 0; c++)
        text += String.fromCharCode(HEAPU8[c]);
      points.push({ price: HEAPF32[(at >> 2) + 2 + i], years: HEAPF32[(at >> 2) + 2 + count + i],
        text: text });
    }
    return { points: points, marked: HEAP32[(at >> 2) + 1] };
  }

  function drawChart(args) {
    var svg = $('diagramm');
    var curve = args.length >= 4 ? readCurve(args) : { points: [], marked: -1 };
    var p = curve.points;
    if (p.length === 0) {
      svg.innerHTML = '<text x="300" y="170" text-anchor="middle">Keine Werte</text>';
      return;
    }
    function pays(point) { return isFinite(point.years) && point.years >= 0; }
    var entered = curve.marked >= 0 ? p[curve.marked] : null;
    var top;
    if (entered !== null && pays(entered) && entered.years > 0) {
      top = niceCeiling(3 * entered.years);
    } else {
      var finite = p.filter(pays).map(function (q) { return q.years; }).sort(function (a, b) { return a - b; });
      top = finite.length > 0 && finite[finite.length >> 1] > 0 ? niceCeiling(2 * finite[finite.length >> 1]) : 10;
    }
    var right = p[p.length - 1].price;
    function x(price) { return LEFT + (RIGHT - LEFT) * price / right; }
    function y(years) { return BOTTOM - (BOTTOM - TOP) * Math.min(years, 2 * top) / top; }
    function number(value, digits) { return value.toFixed(digits); }
    // Axis labels for steps of span / 5: as many decimals as a step needs,
    // powers of ten where the numbers would be too long to read.
    function tick(value, span) {
      var digits = Math.max(0, -Math.floor(Math.log10(span / 5)));
      if (value === 0) return '0';
      return span >= 1e6 || digits > 4 ? value.toExponential(1) : value.toFixed(digits);
    }

    var out = ['<defs><clipPath id="flaeche"><rect x="' + LEFT + '" y="' + TOP + '" width="' +
      (RIGHT - LEFT) + '" height="' + (BOTTOM - TOP) + '"/></clipPath></defs>'];
    // Where the saving never pays back: shaded, the line broken.
    var step = (RIGHT - LEFT) / (p.length - 1), widest = null;
    for (var i = 0; i < p.length; i++) {
      if (pays(p[i])) continue;
      var first = i;
      while (i + 1 < p.length && !pays(p[i + 1])) i++;
      var from = Math.max(LEFT, x(p[first].price) - step / 2), to = Math.min(RIGHT, x(p[i].price) + step / 2);
      out.push('<rect class="nie" x="' + number(from, 1) + '" y="' + TOP + '" width="' +
        number(to - from, 1) + '" height="' + (BOTTOM - TOP) + '"/>');
      if (widest === null || to - from > widest.to - widest.from) widest = { from: from, to: to };
    }
    // Across the widest such region, or down it where it is too narrow.
    if (widest !== null) {
      var middle = number((widest.from + widest.to) / 2, 1);
      out.push('<text class="nie-text" ' + (widest.to - widest.from >= 120
        ? 'x="' + middle + '" y="' + (TOP + 16) + '" text-anchor="middle"'
        : 'transform="translate(' + middle + ' ' + (TOP + 8) + ') rotate(90)" dy="4"') +
        '>zahlt sich nie aus</text>');
    }
    for (var t = 0; t <= 5; t++) {
      var years = top * t / 5, price = right * t / 5;
      out.push('<line class="gitter" x1="' + LEFT + '" x2="' + RIGHT + '" y1="' + number(y(years), 1) +
        '" y2="' + number(y(years), 1) + '"/>');
      out.push('<text x="' + (LEFT - 6) + '" y="' + number(y(years) + 4, 1) + '" text-anchor="end">' +
        tick(years, top) + '</text>');
      out.push('<text x="' + number(x(price), 1) + '" y="' + (BOTTOM + 16) + '" text-anchor="middle">' +
        tick(price, right) + '</text>');
    }
    out.push('<line class="achse" x1="' + LEFT + '" y1="' + BOTTOM + '" x2="' + RIGHT + '" y2="' + BOTTOM + '"/>');
    out.push('<line class="achse" x1="' + LEFT + '" y1="' + TOP + '" x2="' + LEFT + '" y2="' + BOTTOM + '"/>');
    out.push('<text x="' + ((LEFT + RIGHT) / 2) + '" y="' + (BOTTOM + 40) +
      '" text-anchor="middle">Strompreis (Eu/kWh)</text>');
    out.push('<text transform="translate(16 ' + ((TOP + BOTTOM) / 2) +
      ') rotate(-90)" text-anchor="middle">Wiedergewinnszeit (Jahre)</text>');
    // The curve, one polyline per stretch that pays back.
    for (var s = 0; s < p.length; s++) {
      if (!pays(p[s])) continue;
      var line = [];
      for (; s < p.length && pays(p[s]); s++) line.push(p[s]);
      out.push('<polyline class="kurve" clip-path="url(#flaeche)" points="' + line.map(function (q) {
        return number(x(q.price), 1) + ',' + number(y(q.years), 1);
      }).join(' ') + '" data-preise="' + line.map(function (q) { return String(q.price); }).join(' ') +
        '" data-jahre="' + line.map(function (q) { return q.text; }).join(' ') + '"/>');
    }
    if (entered !== null) {
      var ex = number(x(entered.price), 1);
      out.push('<line class="marke" x1="' + ex + '" x2="' + ex + '" y1="' + TOP + '" y2="' + BOTTOM + '"/>');
      if (pays(entered) && entered.years <= top)
        out.push('<circle class="punkt" cx="' + ex + '" cy="' + number(y(entered.years), 1) + '" r="4"/>');
      out.push('<text x="' + ex + '" y="' + (BOTTOM - 6) + '" dx="4">Ihr Preis: ' + entered.text.replace(/[^0-9.\-a-z]/g, '') +
        ' Jahre</text>');
    }
    svg.innerHTML = out.join('');
  }

  // ---- Putting it together ------------------------------------------------
  // Shows what the arguments give and returns the exit status of the run.
  function show(args) {
    current = args;
    var status = showResult(args);
    $('befehlszeile').textContent = [PROGRAM].concat(args).map(shellWord).join(' ');
    drawChart(args);
    return status;
  }

  function fromForm() {
    var args = formArgs();
    history.replaceState(null, '', args === null ? location.pathname + location.search
      : '#' + args.map(encodeURIComponent).join('%20'));
    show(args || []);
  }

  function fromFragment() {
    var args = fragmentArgs();
    // A link to the examples leaves the form empty, not "-b" as the cost.
    fillForm((show(args) & EXAMPLES) !== 0 ? [] : args);
  }

  function start() {
    $('eingabe').addEventListener('input', fromForm);
    window.addEventListener('hashchange', fromFragment);
    // Selected as well, for Ctrl+C where the clipboard may not be written.
    $('kopieren').addEventListener('click', function () {
      var range = document.createRange();
      range.selectNodeContents($('befehlszeile'));
      getSelection().removeAllRanges();
      getSelection().addRange(range);
      if (navigator.clipboard) navigator.clipboard.writeText(range.toString()).catch(function () {});
    });
    // The complete page, as -H writes it, made when it is asked for.
    $('speichern').addEventListener('click', function (event) {
      var page = current.length >= 4 ? run(current.map(function (arg) {
        return arg === '-h' ? '-H' : arg;
      }).concat(['-H'])) : null;
      if (this.href.indexOf('blob:') === 0) URL.revokeObjectURL(this.href);
      if (page === null || page.status !== 0) { event.preventDefault(); return; }
      this.href = URL.createObjectURL(new Blob([page.bytes], { type: 'text/html' }));
    });
    examplesHtml = utf8.decode(run(['-bh']).bytes);
    $('beispiele').innerHTML = examplesHtml;
    fromFragment();
    window.wgzReady = performance.now();
  }

  if (runtimeInitialized) start();
  else Module.onRuntimeInitialized = start;
})();
