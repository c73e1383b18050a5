// A plug-in solar system estimated from what people know: its module power
// (Wp), where and how it hangs, and the household's consumption. Published
// figures only, each named where it is used; only the part the household
// uses itself saves, the rest flows into the grid unpaid.
#ifndef WIEDERGEWINNSZEIT_SOLAR_H
#define WIEDERGEWINNSZEIT_SOLAR_H

enum Orientation { SOUTH, SOUTH_EAST, SOUTH_WEST, EAST, WEST, EAST_WEST };
enum Mounting { VERTICAL, TILTED };

struct SolarInput {
	float peakWatts = 0;       // Wp of all modules
	Orientation orientation = SOUTH;
	Mounting mounting = VERTICAL;
	float householdKwh = 0;    // the household's consumption a year
	bool homeByDay = true;     // someone is usually home by day
	float batteryKwh = 0;      // 0: none
	float yieldKwh = 0;        // as the person knows it; 0: estimated
	float selfUsedKwh = 0;     // as measured; 0: estimated
	double regionFactor = 1;   // the region's yield against Munich's (regionalFactor)
};

struct SolarEstimate {
	double specificYield = 0;  // kWh a kWp and year at Munich; 0 where the yield was given
	double regionFactor = 0;   // applied to it; 0 where the yield was given
	double yieldKwh = 0;       // a year
	double selfUsedKwh = 0;    // a year, the part the household uses itself
	// A lower and a higher self-use, as far apart as published estimates
	// for comparable systems are; both the self-use where it was given.
	double lowKwh = 0;
	double highKwh = 0;
	// How the self-use was estimated (0 where it was given): the share of
	// the published series at the yield's ratio to the consumption, the
	// factors on it for modules facing east and west and for a household
	// away by day, the factor for
	// the most likely figure, the direct self-use, and the share of the
	// surplus a battery takes up with what it stores.
	double ratio = 0;
	double seriesShare = 0;
	double orientationFactor = 1;  // east and west: spread over the day
	double awayFactor = 1;
	double likelyFactor = 0;
	double directKwh = 0;
	double batteryShare = 0;
	double storedKwh = 0;
};

// kWh a year that 1 kWp of modules yields, by orientation and mounting.
double specificYield(Orientation orientation, Mounting mounting);

// The yield of a region against Munich's, whose figures specificYield
// gives, by the first one or two digits of a German postal code (up to all
// five): a regional mean, good to about 5 %. Germany's mean for none ("");
// -1 for a text that is no postal code's start.
double regionalFactor(const char *postcode);
inline constexpr double GERMANY_MEAN_FACTOR = 0.90;

// The share of the yield that a household uses at the moment it is
// produced, without a battery: falls as the yield grows against the
// household's consumption; lower when nobody is home by day.
double selfUseShare(double yieldKwh, double householdKwh, bool homeByDay);

// The share of what flows into the grid that a battery of the given
// capacity takes up for later, by its capacity per kWp of modules.
double batteryShare(float batteryKwh, float peakWatts);

// Which rules for plug-in devices a system of this module power falls
// under (late 2026): on a Schuko plug up to 960 Wp, with a special energy
// plug up to 2000 Wp (DIN VDE V 0126-95; EEG 3 Nr. 43), else none.
enum PlugInRule { RULE_SCHUKO, RULE_ENERGY_PLUG, RULE_NONE };
PlugInRule plugInRule(float peakWatts);

// The most likely self-use and its spread, against the published series of
// selfUseShare, which is the most optimistic of the published simulations.
inline constexpr double LIKELY_OF_SERIES = 0.825;
inline constexpr double LOW_OF_SERIES = 0.65;

// The whole estimate; never more self-use than the yield or the household's
// consumption (where known: a measured self-use needs neither).
SolarEstimate estimateSolar(const SolarInput &input);

#endif
