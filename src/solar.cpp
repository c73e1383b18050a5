// Published figures for plug-in solar systems in Germany, and the estimate
// made of them. Between published points the figures are interpolated in a
// straight line; beyond the last, held.
#include "solar.h"

#include <cmath>
#include <cstddef>
#include <iterator>

namespace {

constexpr double WATTS_PER_KW = 1000;

// kWh per kWp and year after system and inverter losses, PVGIS typical year
// for Munich: ddvo.github.io, "Photovoltaik - Mini-Solaranlagen fuer daheim
// und unterwegs", table Azimut/Neigung. Tilted is its 35 degrees, vertical
// its 90; east/west halves yield as either side alone.
struct YieldRow {
	Orientation orientation;
	double tilted;
	double vertical;
};
constexpr YieldRow YIELDS[] = {
	{SOUTH, 1102, 772}, {SOUTH_EAST, 1038, 720}, {SOUTH_WEST, 1038, 720},
	{EAST, 870, 538},   {WEST, 870, 538},        {EAST_WEST, 870, 538},
};

struct Point {
	double x;
	double y;
};

// Straight lines between the points (x rising), held beyond the ends.
template <size_t N>
double between(const Point (&points)[N], double x)
{
	if (!(x > points[0].x))
		return points[0].y;
	for (size_t i = 1; i < N; i++) {
		if (x <= points[i].x) {
			const Point &a = points[i - 1], &b = points[i];
			return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
		}
	}
	return points[N - 1].y;
}

// Self-used kWh for 850 Wp south at 35 degrees (935 kWh a year) in a
// household of 6000, 3000 and 1500 kWh a year (800, 620 and 430 kWh):
// ddvo.github.io, "Eigenverbrauch - Mini-Solaranlagen ...", Typische
// Rentabilitaet. As a share of the yield, over the yield's ratio to the
// household's consumption. Beyond the last point the household uses no
// more than it did there, as a share of its consumption.
constexpr Point SHARES[] = {{935.0 / 6000, 800.0 / 935}, {935.0 / 3000, 620.0 / 935}, {935.0 / 1500, 430.0 / 935}};
// The same system with only 100 W drawn on weekdays from 8 to 16 h: 465
// instead of 620 kWh (same source).
constexpr double AWAY_BY_DAY = 465.0 / 620;

// What a battery adds, 850 Wp at 3000 kWh a year (490 kWh self-used
// without, of about 870 kWh; 613, 685, 723, 754, 775 kWh with 0.5, 1, 1.5,
// 2, 3 kWh): HTW Berlin's Stecker-Solar-Simulator as compared in GitHub
// nick81nrw/PVTools issue 58. As the share of the surplus it takes up, over
// kWh of capacity per kWp.
constexpr double HTW_SURPLUS = 870.0 - 490;
constexpr Point BATTERY[] = {
	{0, 0},
	{0.5 / 0.85, (613 - 490) / HTW_SURPLUS},
	{1 / 0.85, (685 - 490) / HTW_SURPLUS},
	{1.5 / 0.85, (723 - 490) / HTW_SURPLUS},
	{2 / 0.85, (754 - 490) / HTW_SURPLUS},
	{3 / 0.85, (775 - 490) / HTW_SURPLUS},
};

// Modules facing east and west spread their yield over the day: of 2 x 300
// Wp at 30 degrees in a household of 3000 kWh, 86 % is used at home facing
// east and west, 78 % facing south (ddvo.github.io, "Photovoltaik", second
// table), a twentieth more than their smaller yield alone explains.
constexpr double EAST_WEST_SHARE = 1.05;
// The series above is the most optimistic published one. For the same
// 850-Wp system at 3000 kWh HTW Berlin's simulator gives 490 kWh where it
// gives 620 (0.79 of it), and with a battery of 1 kWh 685 where it gives
// 782; for 800 Wp on a south railing the consumer advice centre of North
// Rhine-Westphalia says about 350 of 560 kWh (rp-online.de, dpa 2024-04),
// 0.74 of the series. The spread reaches down to LOW_OF_SERIES of it, below
// each of them; the most likely figure is midway (solar.h).

// The yield of a region against Munich's by the first digit of its postal
// code, as published figures of two kinds support it: long-term irradiation
// (DWD; Germany's mean 1055 to 1086 kWh/m2, Munich's 1170 to 1200, Hamburg's
// 950 to 965: energieatlas.bayern.de, "Potenzial"; photovoltaik.info,
// "Solarpotenzial in Ihrer Region") and measured yields of rooftop systems
// by postal code in 2022 (solaranlage-mit-speicher.de, "Ertragsfaktor",
// from ertragsdatenbank.de), averaged and rounded to a twentieth. Südbaden
// (79) yields as Bavaria does.
constexpr double REGION_BY_FIRST_DIGIT[] = {0.90, 0.90, 0.85, 0.90, 0.90, 0.90, 0.95, 0.95, 1.00, 0.90};
constexpr int SUEDBADEN = 79;
constexpr double SUEDBADEN_FACTOR = 1.00;
constexpr int POSTCODE_DIGITS = 5;

// Module power for plug-in devices: vzhh.de, "Licht und Schatten: Die neue
// Norm fuer Balkonkraftwerke bringt Klarheit" (2026-01-30); umweltbundesamt.de,
// "Steckersolargeraete (Balkonkraftwerke)".
constexpr float MOST_ON_SCHUKO = 960;
constexpr float MOST_PLUG_IN = 2000;

}  // namespace

PlugInRule plugInRule(float peakWatts)
{
	return peakWatts <= MOST_ON_SCHUKO ? RULE_SCHUKO : peakWatts <= MOST_PLUG_IN ? RULE_ENERGY_PLUG : RULE_NONE;
}

double specificYield(Orientation orientation, Mounting mounting)
{
	for (const YieldRow &row : YIELDS)
		if (row.orientation == orientation)
			return mounting == TILTED ? row.tilted : row.vertical;
	return 0;
}

double regionalFactor(const char *postcode)
{
	int digits = 0;
	while (postcode[digits] >= '0' && postcode[digits] <= '9')
		digits++;
	if (postcode[digits] != '\0' || digits > POSTCODE_DIGITS)
		return -1;
	if (digits == 0)
		return GERMANY_MEAN_FACTOR;
	int first = postcode[0] - '0';
	if (digits >= 2 && first * 10 + (postcode[1] - '0') == SUEDBADEN)
		return SUEDBADEN_FACTOR;
	return REGION_BY_FIRST_DIGIT[first];
}

double selfUseShare(double yieldKwh, double householdKwh, bool homeByDay)
{
	double ratio = yieldKwh / householdKwh;
	const Point &last = SHARES[std::size(SHARES) - 1];
	double share = ratio > last.x ? last.x * last.y / ratio : between(SHARES, ratio);
	return homeByDay ? share : share * AWAY_BY_DAY;
}

double batteryShare(float batteryKwh, float peakWatts)
{
	if (!(batteryKwh > 0) || !(peakWatts > 0))
		return 0;
	return between(BATTERY, static_cast<double>(batteryKwh) / (static_cast<double>(peakWatts) / WATTS_PER_KW));
}

namespace {

// The self-use of a direct share of the yield, with a battery's part of the
// surplus, within most.
double selfUse(double yieldKwh, double direct, double battery, double most)
{
	return std::fmin(direct + (yieldKwh - direct) * battery, most);
}

}  // namespace

SolarEstimate estimateSolar(const SolarInput &input)
{
	SolarEstimate estimate;
	auto household = static_cast<double>(input.householdKwh);
	if (input.yieldKwh > 0) {
		estimate.yieldKwh = static_cast<double>(input.yieldKwh);
	} else if (input.peakWatts > 0) {
		estimate.specificYield = specificYield(input.orientation, input.mounting);
		estimate.regionFactor = input.regionFactor;
		estimate.yieldKwh = static_cast<double>(input.peakWatts) / WATTS_PER_KW * estimate.specificYield * input.regionFactor;
	}
	if (input.selfUsedKwh > 0) {
		estimate.selfUsedKwh = estimate.lowKwh = estimate.highKwh = static_cast<double>(input.selfUsedKwh);
		return estimate;
	}
	double most = std::fmin(estimate.yieldKwh, household);
	estimate.ratio = estimate.yieldKwh / household;
	estimate.seriesShare = selfUseShare(estimate.yieldKwh, household, true);
	estimate.awayFactor = input.homeByDay ? 1 : AWAY_BY_DAY;
	estimate.orientationFactor = input.orientation == EAST_WEST ? EAST_WEST_SHARE : 1;
	estimate.likelyFactor = LIKELY_OF_SERIES;
	double share = estimate.seriesShare * estimate.orientationFactor * estimate.awayFactor;
	estimate.batteryShare = batteryShare(input.batteryKwh, input.peakWatts);
	estimate.directKwh = estimate.yieldKwh * share * LIKELY_OF_SERIES;
	estimate.storedKwh = (estimate.yieldKwh - estimate.directKwh) * estimate.batteryShare;
	estimate.selfUsedKwh = std::fmin(estimate.directKwh + estimate.storedKwh, most);
	estimate.lowKwh = selfUse(estimate.yieldKwh, estimate.yieldKwh * share * LOW_OF_SERIES, estimate.batteryShare, most);
	estimate.highKwh = selfUse(estimate.yieldKwh, estimate.yieldKwh * share, estimate.batteryShare, most);
	return estimate;
}
