// The form's fields, each said once: reading the form, filling it from a
// link, naming a field in a message, describing it on paper and writing
// the link all take them from here.
//   id        the field's id and its key in the model and the link
//   name      its name in messages and on paper
//   position  its place among the command line's four numbers (0-3)
//   option    the command line's option for it
//   sign      the unit sign a number in it may end with (see numbers.js)
//   unit      its unit in words, or units: the choice beside it, each
//             with the core's conversion (see core.js) and its link key
//   check     the core's reading of a value the page takes itself
//   finite, range   why a value of that kind is refused
//   choice    a select, whose value is its option's
//   raw       a text the core reads itself, not a number (a postal code)

// A power in W as the command line takes it, or as the energy label gives
// it (kWh a year), or as a plug-in meter measures it (kWh a day).
export const POWER_UNITS = [{ unit: 'W' }, { unit: 'kWh/Jahr', convert: 'kwh-jahr', key: 'kwh' },
  { unit: 'kWh/Tag', convert: 'kwh-tag', key: 'kwh-tag' }];
const PRICE_UNITS = [{ unit: 'Eu/kWh' }, { unit: 'ct/kWh', convert: 'ct', key: 'ct' }];
const POWER_FINITE = 'Dieser Verbrauch ergibt keine endliche Leistung.';
const COST_REFUSALS = { finite: 'Die Kosten müssen eine endliche Zahl sein.', range: 'Die Kosten können nicht negativ sein.' };
const STANDBY_RANGE = 'Der Standby-Verbrauch kann nicht negativ sein, und neben ihm läuft das Gerät höchstens 24 Stunden täglich.';
const AMOUNT = 'Der Wert muss größer als 0 sein.';
const PEAK_RANGE = 'Die Modulleistung muss größer als 0 und höchstens 100.000 Wp sein.';

// The values every offer shares, in the order of the form.
export const FIELDS = [
  { id: 'kosten', name: 'Kosten', position: 0, sign: 'euro', unit: 'Euro' },
  { id: 'erloes', name: 'Erlös für das alte Gerät', sign: 'euro', unit: 'Euro', check: 'erloes',
    finite: 'Der Erlös muss eine endliche Zahl sein.', range: 'Der Erlös kann nicht negativ sein.' },
  { id: 'foerderung', name: 'Förderung', sign: 'euro', unit: 'Euro', check: 'erloes',
    finite: 'Die Förderung muss eine endliche Zahl sein.', range: 'Die Förderung kann nicht negativ sein.' },
  { id: 'anzahl', name: 'Anzahl gleicher Geräte', unit: 'Stück',
    range: 'Die Anzahl muss eine ganze Zahl von 1 bis 1.000.000 sein.' },
  { id: 'strompreis', name: 'Strompreis', position: 1, units: PRICE_UNITS,
    finite: 'Dieser Preis ergibt keine endliche Zahl.' },
  { id: 'vorher', name: 'Leistung vorher', position: 2, units: POWER_UNITS, finite: POWER_FINITE },
  { id: 'standby-vorher', name: 'Standby vorher', unit: 'W', range: STANDBY_RANGE },
  { id: 'hinterher', name: 'Leistung hinterher', position: 3, units: POWER_UNITS, finite: POWER_FINITE },
  { id: 'standby-hinterher', name: 'Standby hinterher', unit: 'W', range: STANDBY_RANGE },
  { id: 'zins', name: 'Zins', option: '-z', sign: 'prozent', unit: '%', finite: 'Der Zins muss eine endliche Zahl sein.' },
  { id: 'inflation', name: 'Inflation', option: '-i', sign: 'prozent', unit: '%',
    finite: 'Die Inflation muss eine endliche Zahl sein.' },
  { id: 'betriebsdauer', name: 'Tägliche Betriebsdauer', option: '-a', unit: 'Stunden',
    finite: 'Die Betriebsdauer muss eine endliche Zahl sein.' },
  { id: 'nutzungsdauer', name: 'Nutzungsdauer', unit: 'Jahre', check: 'nutzungsdauer',
    range: 'Die Nutzungsdauer muss größer als 0 und höchstens 100 Jahre sein.' },
];

// A plug-in solar system, as people know it: the module power on the box,
// where and how the modules hang, the household's consumption from its
// bill; optionally a battery, and figures they know better (the yield from
// a yield tool or the inverter's app, the self-used part as measured). The
// id is the core's name for it (wgz_solar) and the link's key.
export const SOLAR_FIELDS = [
  { id: 'wp', name: 'Modulleistung', unit: 'Wp', range: PEAK_RANGE },
  { id: 'ausrichtung', name: 'Ausrichtung', choice: true, empty: 'Bitte eine Ausrichtung wählen.' },
  { id: 'montage', name: 'Montage', choice: true },
  { id: 'tagsueber', name: 'Tagsüber', choice: true },
  { id: 'plz', name: 'Postleitzahl', raw: true,
    range: 'Bitte die Postleitzahl oder ihre ersten Ziffern eingeben, etwa 80331 oder 80; leer: das Mittel Deutschlands.' },
  { id: 'haushalt-kwh', name: 'Stromverbrauch des Haushalts', unit: 'kWh/Jahr', range: AMOUNT },
  { id: 'speicher-kwh', name: 'Speicher', unit: 'kWh', range: AMOUNT },
  { id: 'speicher-preis', name: 'davon für den Speicher', sign: 'euro', unit: 'Euro' },
  { id: 'ertrag-kwh', name: 'Ertrag', unit: 'kWh/Jahr', range: AMOUNT },
  { id: 'selbst-kwh', name: 'Selbst genutzt', unit: 'kWh/Jahr', range: AMOUNT,
    too: 'Mehr, als die Anlage erzeugt oder der Haushalt im Jahr verbraucht.' },
];
// The shared fields a solar system has no use for, and the device's fields
// a solar system has none of.
export const ONLY_SOLAR = ['foerderung'];
export const NOT_SOLAR = ['erloes', 'anzahl', 'vorher', 'standby-vorher', 'hinterher', 'standby-hinterher', 'betriebsdauer'];

// An offer's own values, by key: alone, the plain form's fields (plain) are
// the first offer's; compared, each offer has a box with ids
// angebotN-<box>. Its link key is the plain one for the first offer, the
// box's id for the others.
export const OFFER_FIELDS = {
  name: { box: 'name', name: 'Name' },
  cost: { plain: 'kosten', box: 'kosten', name: 'Kosten', sign: 'euro', unit: 'Euro', check: 'kosten', ...COST_REFUSALS },
  power: { plain: 'hinterher', box: 'leistung', name: 'Verbrauch', units: POWER_UNITS, check: 'leistung', finite: POWER_FINITE },
  standby: { plain: 'standby-hinterher', box: 'standby', name: 'Standby', unit: 'W', range: STANDBY_RANGE },
  wp: { plain: 'wp', box: 'wp', name: 'Modulleistung', unit: 'Wp', range: PEAK_RANGE },
  orientation: { plain: 'ausrichtung', box: 'ausrichtung', name: 'Ausrichtung', choice: true, empty: 'Bitte eine Ausrichtung wählen.' },
  mounting: { plain: 'montage', box: 'montage', name: 'Montage', choice: true },
  battery: { plain: 'speicher-kwh', box: 'speicher-kwh', name: 'Speicher', unit: 'kWh', range: AMOUNT },
  batteryCost: { plain: 'speicher-preis', box: 'speicher-preis', name: 'davon für den Speicher', sign: 'euro', unit: 'Euro',
    check: 'kosten', finite: 'Der Preis des Speichers muss eine endliche Zahl sein.',
    range: 'Der Preis des Speichers kann nicht negativ sein.' },
};
// The keys of an offer's values by question, in the order of its box.
export const OFFER_KEYS = { geraet: ['name', 'cost', 'power', 'standby'],
  solar: ['name', 'cost', 'wp', 'orientation', 'mounting', 'battery', 'batteryCost'] };

// The id of offer n's field key, alone or compared; its unit's id.
export const offerId = (n, key, compared) => (compared || OFFER_FIELDS[key].plain === undefined
  ? `angebot${n}-${OFFER_FIELDS[key].box}` : OFFER_FIELDS[key].plain);
export const unitId = (id) => `${id}-einheit`;
// The field an id shows: { offer (from 1) or 0 for a shared one, key, unit:
// whether it is the field's unit choice }.
const PLAIN_OFFER = Object.fromEntries(Object.entries(OFFER_FIELDS).filter(([, f]) => f.plain !== undefined)
  .map(([key, f]) => [f.plain, key]));
const BOX_KEY = Object.fromEntries(Object.entries(OFFER_FIELDS).map(([key, f]) => [f.box, key]));
export const slotOf = (id) => {
  const unit = id.endsWith('-einheit'), bare = unit ? id.slice(0, -'-einheit'.length) : id;
  const boxed = /^angebot(\d+)-(.+)$/.exec(bare);
  if (boxed !== null && BOX_KEY[boxed[2]] !== undefined) return { offer: Number(boxed[1]), key: BOX_KEY[boxed[2]], unit };
  if (PLAIN_OFFER[bare] !== undefined) return { offer: 1, key: PLAIN_OFFER[bare], unit };
  return { offer: 0, key: bare, unit };
};

// The description of the field an id shows.
const SHARED = Object.fromEntries([...FIELDS, ...SOLAR_FIELDS].map((field) => [field.id, field]));
export const fieldOf = (id) => {
  const { offer, key } = slotOf(id);
  return offer === 0 ? SHARED[key] : { ...OFFER_FIELDS[key], id };
};
// The unit a field's value is in, by the unit chosen ('' for the first).
export const unitOf = (field, chosen) => field.units?.find(({ unit }) => unit === chosen) ?? field.units?.[0]
  ?? { unit: field.unit };

// The field an argument word of an error is about: an option or a position.
export const fieldFor = (word) => FIELDS.find(({ option, position }) => option === word || position === Number(word) - 1)?.id;
