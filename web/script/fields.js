// The form's fields, each said once: reading the form, filling it from a
// link, naming a field in a message, describing it on paper and writing
// the link all take them from here.
//   id        the field's id; an offer's fields carry the offer's number
//   name      its name in messages and on paper
//   position  its place among the command line's four numbers (0-3)
//   option    the command line's option for it
//   sign      the unit sign a number in it may end with (see numbers.js)
//   unit      its unit in words, or units: the choice beside it, each
//             with the core's conversion (see core.js) and its link key
//   check     the core's reading of a value the page takes itself
//   finite, range   why a value of that kind is refused

// A power in W as the command line takes it, or as the energy label gives
// it (kWh a year), or as a plug-in meter measures it (kWh a day).
export const POWER_UNITS = [{ unit: 'W' }, { unit: 'kWh/Jahr', convert: 'kwh-jahr', key: 'kwh' },
  { unit: 'kWh/Tag', convert: 'kwh-tag', key: 'kwh-tag' }];
const PRICE_UNITS = [{ unit: 'Eu/kWh' }, { unit: 'ct/kWh', convert: 'ct', key: 'ct' }];
const POWER_FINITE = 'Dieser Verbrauch ergibt keine endliche Leistung.';
const COST_REFUSALS = { finite: 'Die Kosten müssen eine endliche Zahl sein.', range: 'Die Kosten können nicht negativ sein.' };

export const FIELDS = [
  { id: 'kosten', name: 'Kosten', position: 0, sign: 'euro', unit: 'Euro' },
  { id: 'erloes', name: 'Erlös für das alte Gerät', sign: 'euro', unit: 'Euro', check: 'erloes',
    finite: 'Der Erlös muss eine endliche Zahl sein.', range: 'Der Erlös kann nicht negativ sein.' },
  { id: 'strompreis', name: 'Strompreis', position: 1, units: PRICE_UNITS,
    finite: 'Dieser Preis ergibt keine endliche Zahl.' },
  { id: 'vorher', name: 'Leistung vorher', position: 2, units: POWER_UNITS, finite: POWER_FINITE },
  { id: 'hinterher', name: 'Leistung hinterher', position: 3, units: POWER_UNITS, finite: POWER_FINITE },
  { id: 'zins', name: 'Zins', option: '-z', sign: 'prozent', unit: '%', finite: 'Der Zins muss eine endliche Zahl sein.' },
  { id: 'inflation', name: 'Inflation', option: '-i', sign: 'prozent', unit: '%',
    finite: 'Die Inflation muss eine endliche Zahl sein.' },
  { id: 'betriebsdauer', name: 'Tägliche Betriebsdauer', option: '-a', unit: 'Stunden',
    finite: 'Die Betriebsdauer muss eine endliche Zahl sein.' },
  { id: 'nutzungsdauer', name: 'Nutzungsdauer', unit: 'Jahre', check: 'nutzungsdauer',
    range: 'Die Nutzungsdauer muss größer als 0 und höchstens 100 Jahre sein.' },
];

// The fields of offer n, in the order a person fills them. Compared, every
// offer's cost and power is read by the same rule, in full.
// A solar system compared has its module power and battery instead of a
// consumption; the first offer's stand in the link where the single
// system's do.
export const offerFields = (n) => ({
  name: { id: `angebot${n}-name`, name: 'Name' },
  cost: { id: `angebot${n}-kosten`, name: 'Kosten', sign: 'euro', unit: 'Euro', check: 'kosten', ...COST_REFUSALS },
  power: { id: `angebot${n}-leistung`, name: 'Verbrauch', units: POWER_UNITS, check: 'leistung', finite: POWER_FINITE },
  wp: { id: `angebot${n}-wp`, name: 'Modulleistung', unit: 'Wp', link: n === 1 ? 'wp' : `angebot${n}-wp`,
    range: 'Die Modulleistung muss größer als 0 und höchstens 100.000 Wp sein.' },
  battery: { id: `angebot${n}-speicher-kwh`, name: 'Speicher', unit: 'kWh', link: n === 1 ? 'speicher-kwh' : `angebot${n}-speicher-kwh`,
    range: 'Der Wert muss größer als 0 sein.' },
});

const byId = (id) => document.getElementById(id);
export const fieldOf = (id) => [...FIELDS, ...SOLAR_FIELDS].find((field) => field.id === id);
export const unitOf = (field) => field.units?.find(({ unit }) => unit === byId(`${field.id}-einheit`).value)
  ?? { unit: field.unit };

// The field an argument word of an error is about: an option or a position.
export const fieldFor = (word) => FIELDS.find(({ option, position }) => option === word || position === Number(word) - 1)?.id;

// A plug-in solar system, as people know it: the module power on the box,
// where and how the modules hang, the household's consumption from its
// bill; optionally a battery, and figures they know better (the yield from
// a yield tool or the inverter's app, the self-used part as measured). In
// the order the core takes them (wgz_solar); the id is the link's key.
const AMOUNT = 'Der Wert muss größer als 0 sein.';
export const SOLAR_FIELDS = [
  { id: 'wp', name: 'Modulleistung', unit: 'Wp', range: 'Die Modulleistung muss größer als 0 und höchstens 100.000 Wp sein.' },
  { id: 'ausrichtung', name: 'Ausrichtung', choice: true, empty: 'Bitte eine Ausrichtung wählen.' },
  { id: 'montage', name: 'Montage', choice: true },
  { id: 'tagsueber', name: 'Tagsüber', choice: true },
  { id: 'haushalt-kwh', name: 'Stromverbrauch des Haushalts', unit: 'kWh/Jahr', range: AMOUNT },
  { id: 'speicher-kwh', name: 'Speicher', unit: 'kWh', range: AMOUNT },
  { id: 'ertrag-kwh', name: 'Ertrag', unit: 'kWh/Jahr', range: AMOUNT },
  { id: 'selbst-kwh', name: 'Selbst genutzt', unit: 'kWh/Jahr', range: AMOUNT,
    too: 'Mehr, als die Anlage erzeugt oder der Haushalt im Jahr verbraucht.' },
];
// The plain fields a solar system has no use for.
export const NOT_SOLAR = ['erloes', 'vorher', 'hinterher', 'betriebsdauer'];
