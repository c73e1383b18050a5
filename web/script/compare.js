// "Welches Gerät?": two or three new devices, and the old one kept where
// its power is given, compared over the service life in one call of the
// core, which works out every figure: each option's whole cost and rank,
// each payback between two devices as the program's own result for a
// command line (the extra price as the cost, the cheaper device as P1, the
// dearer as P2, the options they share), and the chart's span and points.
// Here the figures get their devices' names.

// A battery with its price judged as its own investment: the program's
// answer for its own command line (its price against the self-use it adds)
// over the service life; null for no battery, answer null without a price.
export const batteryOf = (core, battery, life) => (battery === null || battery === undefined ? null
  : { ...battery, answer: battery.line === null ? null : core.answer([...battery.line, '-h'], life) });

// The comparison for the form's arguments and offers: { errors } of the
// options every line shares, { notFinite } with the words of a shared
// value that has no finite figure, or the comparison.
export const comparisonOf = (core, args, page) => {
  const shared = [args[1], ...args.slice(4)];
  const old = args[2];
  const result = core.compare({ shared, old, offers: page.offers, life: page.life });
  if (result.errors.length > 0 || result.notFinite !== null) return result;
  // Solar systems are compared with having none (a power of 0 before).
  const solar = page.solarCompared === true;
  const options = [...(old === '' ? [] : [{ name: solar ? 'Keine Anlage' : 'Altes Gerät', keep: true }]), ...page.offers]
    .map(({ name, keep }, i) => ({ name, keep: keep === true, ...result.devices[i] }));
  const pairs = result.pairs.map((pair) => ({ ...pair, cheap: options[pair.cheap].name, dear: options[pair.dear].name,
    thriftier: pair.thriftier < 0 ? null : options[pair.thriftier].name }));
  const versusOld = result.versusOld.map((payback, i) => ({ ...payback, name: page.offers[i].name }));
  // Solar systems: each one's estimate and its battery's own payback; and
  // which would cost least at the lower and at the higher self-use.
  const systems = solar ? page.offers.map(({ name, estimate }) => ({ name,
    estimate: estimate === null ? null : { ...estimate, battery: batteryOf(core, estimate.battery, page.life) } })) : [];
  const cheapestAt = (key) => {
    if (!solar || page.life === '') return null;
    const other = core.compare({ shared, old, offers: page.offers.map((offer) => ({ cost: offer.cost, power: offer[key] })), life: page.life });
    return other.errors.length > 0 || other.notFinite !== null || other.cheapest < 0 ? null : options[other.cheapest].name;
  };
  const spread = { low: cheapestAt('powerLow'), high: cheapestAt('powerHigh') };
  const batteryLines = systems.filter(({ estimate }) => estimate?.battery?.line)
    .map(({ name, estimate }) => ({ about: `der Speicher von „${name}“ allein`, line: estimate.battery.line }));
  return {
    solar, life: page.life, cheapest: result.cheapest, next: result.next, margin: result.margin, options, pairs, versusOld,
    systems, spread,
    lines: [...versusOld.map(({ name, line }) => ({ about: `„${name}“ gegenüber ${solar ? 'keiner Anlage' : 'dem alten Gerät'}`, line })),
      ...pairs.map(({ cheap, dear, line }) => ({ about: `„${dear}“ gegenüber „${cheap}“`, line })), ...batteryLines],
    chart: result.chart === null ? null : { ...result.chart,
      lines: options.map(({ name, cost, end }) => ({ name, start: Number(cost), end: Number(end) })) },
  };
};
