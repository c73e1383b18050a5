// "Welches Gerät?": two or three new devices, and the old one kept where
// its power is given, compared over the service life. Every figure comes
// from the core: each option's whole cost and rank, and each payback
// between two devices as the program's own result for a command line (the
// extra price as the cost, the cheaper device as P1, the dearer as P2, the
// options they share).

// The last value of an option in a command line's options, '' for none.
const optionValue = (options, flag) => {
  const at = options.lastIndexOf(flag);
  return at >= 0 && at + 1 < options.length ? options[at + 1] : '';
};

// A payback between two devices: the dearer one's extra price earned back
// by what it saves against the cheaper one, or why it never is.
const paybackOf = (core, cheap, dear, extra, shared, withTable) => {
  const line = [extra.text, shared.price, cheap.power, dear.power, ...shared.options];
  const base = { cheap: cheap.name, dear: dear.name, cheapOption: cheap, extra: extra.shown, line };
  const answer = core.answer(withTable(line));
  // No answer: the line gives no table, and its exit status says why.
  if (answer.kind === '') return { ...base, status: core.run(withTable(line)).status, kind: 'gleich' };
  return { ...base, status: 0, kind: answer.kind, years: answer.years, duration: answer.duration };
};

// The comparison for the form's arguments and offers; or the program's
// errors where the options the lines share give none.
export const comparisonOf = (core, args, page, withTable) => {
  const shared = { price: args[1], options: args.slice(4) };
  const values = { price: args[1], interest: optionValue(shared.options, '-z'),
    inflation: optionValue(shared.options, '-i'), hours: optionValue(shared.options, '-a') };
  const old = args[2] === '' ? [] : [{ name: 'Altes Gerät', cost: '0', power: args[2], keep: true }];
  const options = [...old, ...page.offers];

  // Each pair of offers, the cheaper first; an offer against the old device.
  const pairs = [];
  page.offers.forEach((a, i) => page.offers.slice(i + 1).forEach((b) => {
    const extra = core.costDifference(a.cost, b.cost);
    pairs.push({ ...paybackOf(core, extra.order > 0 ? b : a, extra.order > 0 ? a : b, extra, shared, withTable),
      sameCost: extra.order === 0 });
  }));
  const failed = pairs.find(({ status }) => status !== 0 && (core.errors(status).some(({ about }) => about.join(' ') !== '3 4')));
  if (failed !== undefined) return { failed: failed.line };
  const versusOld = old.length === 0 ? [] : page.offers.map((offer) => {
    const line = [offer.cost, args[1], args[2], offer.power, ...shared.options];
    const answer = core.answer(withTable(line), page.life);
    return { name: offer.name, line, status: answer.kind === '' ? core.run(withTable(line)).status : 0,
      answer: answer.kind === '' ? null : answer };
  });

  const compared = core.compare(values, options, page.life);
  const next = compared.options.findIndex(({ rank }) => rank === 2);
  // The chart runs to the service life, or else just past the last catch-up:
  // where a dearer offer has earned back its extra price, or an offer its
  // cost against the old device kept.
  const catchUps = [...pairs, ...versusOld.map(({ answer }) => ({ ...answer, cheapOption: old[0] }))]
    .filter(({ kind, years }) => kind === 'zahlt' && Number(years) > 0);
  const end = page.life !== '' ? page.life
    : catchUps.length > 0 ? String(1.25 * Math.max(...catchUps.map(({ years }) => Number(years)))) : '';
  const points = catchUps.filter(({ years }) => end !== '' && Number(years) <= Number(end)).map((pair) => ({
    years: Number(pair.years), cost: Number(compared.totalAt(options.indexOf(pair.cheapOption), pair.years)) }));
  return {
    life: page.life, cheapest: compared.cheapest, next, margin: compared.margin,
    options: options.map((option, i) => ({ name: option.name, keep: option.keep === true, ...compared.options[i] })),
    pairs, versusOld,
    lines: [...versusOld.map(({ name, line }) => ({ about: `„${name}“ gegenüber dem alten Gerät`, line })),
      ...pairs.map(({ cheap, dear, line }) => ({ about: `„${dear}“ gegenüber „${cheap}“`, line }))],
    chart: end === '' ? null : { end: Number(end), points,
      lines: options.map((option, i) => ({ name: option.name, start: Number(compared.options[i].cost),
        end: Number(compared.totalAt(i, end)) })) },
  };
};
