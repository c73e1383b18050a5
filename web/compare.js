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
  const result = core.run(withTable(line));
  const base = { cheap: cheap.name, dear: dear.name, cheapOption: cheap, extra: extra.shown, line };
  if (result.status !== 0) return { ...base, status: result.status, kind: 'gleich' };
  const answer = core.answer(withTable(line));
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
    const result = core.run(withTable(line));
    return { name: offer.name, line, status: result.status,
      answer: result.status === 0 ? core.answer(withTable(line), page.life) : null };
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
  const atEnd = end === '' ? null : core.compare(values, options, end);
  const points = catchUps.filter(({ years }) => end !== '' && Number(years) <= Number(end)).map((pair) => ({
    years: Number(pair.years),
    cost: Number(core.compare(values, [pair.cheapOption], pair.years).options[0].total),
  }));
  return {
    life: page.life, cheapest: compared.cheapest, next, margin: compared.margin,
    options: options.map((option, i) => ({ name: option.name, keep: option.keep === true, ...compared.options[i] })),
    pairs, versusOld,
    lines: [...versusOld.map(({ name, line }) => ({ about: `„${name}“ gegenüber dem alten Gerät`, line })),
      ...pairs.map(({ cheap, dear, line }) => ({ about: `„${dear}“ gegenüber „${cheap}“`, line }))],
    chart: atEnd === null ? null : { end: Number(end), points,
      lines: options.map((option, i) => ({ name: option.name, start: Number(atEnd.options[i].cost),
        end: Number(atEnd.options[i].total) })) },
  };
};
