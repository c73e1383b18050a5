// The three formulas of the calculator: pure functions, no output.
#ifndef WIEDERGEWINNSZEIT_CALC_H
#define WIEDERGEWINNSZEIT_CALC_H

// Exact real rate in percent, (1 + z) / (1 + i) - 1, left in double.
double realInterestRate(float nominalPercent, float inflationPercent);

// The power that gives the same energy in continuous operation.
float dutyPower(float power, float hoursPerDay);

// The terms of one year that paybackYears adds, for front ends that say
// them in words: the energy saved (kWh; negative when the device draws
// more after), what it is worth (Eu), and the interest on the cost at the
// real rate (Eu, negative: it is a cost).
double yearlyEnergy(float powerBefore, float powerAfter);
double yearlySaving(double energy, float price);
double yearlyInterest(float cost, float realRatePercent);

// For front ends that take more than the program's arguments: the average
// power of a device that uses kwhPerYear a year (the inverse of
// yearlyEnergy, as the float a power argument is read as); the cost less
// what the old device sells for; and what is left at the end of a service
// life, the yearly net gain (saving plus interest) over its years less the
// cost (negative: what is missing).
float averagePower(float kwhPerYear);
// The same for a device measured in kWh a day, as plug-in meters give it.
float dailyPower(float kwhPerDay);
// A device that runs hoursPerDay at power and stands by at standby for the
// rest of the day, as the power that gives the same energy around the clock:
// (P * h + S * (24 - h)) / 24.
float standbyPower(float power, float standby, float hoursPerDay);
// A cost or power of count identical devices.
float timesCount(float value, double count);
float netCost(float cost, float resale);
double lifetimeBalance(float serviceYears, double yearlyGain, float cost);
// A price given in cents a kWh, in euros a kWh as the float a price
// argument is read as. The cents come as written, not as a float: rounded
// twice, 32.9 cents would become 0.32899997 euros rather than 0.329.
float euroPrice(double centsPerKwh);
// What one of several devices costs over a service life, to compare them:
// its cost, and for every year the electricity it draws at the power given
// and the interest on its cost at the real rate, as paybackYears charges it.
double lifetimeCost(float serviceYears, float cost, float price, float power,
                    float realRatePercent);

// A payback under two years as a person says it: in whole months, under
// two months in whole days (0: less than a day), and whether the time is a
// little less than that count (-1), about it (0) or a little more (1).
// DURATION_NONE for other times.
enum DurationUnit { DURATION_NONE = 0, DURATION_MONTHS = 1, DURATION_DAYS = 2 };
struct SpokenDuration {
	DurationUnit unit = DURATION_NONE;
	int count = 0;
	int nearness = 0;
};
SpokenDuration spokenDuration(float years);

// Devices compared over a service life: each one's rank by its whole cost,
// 1 for the cheapest; equal totals keep their order, and a total that is
// no number ranks last.
void rankByTotal(const double totals[], int count, int ranks[]);

// The years a chart of devices' costs spans: the service life where one is
// given (> 0), else whole years a quarter past the last of the paybacks
// (each > 0 and finite); 0 without either.
float comparisonSpan(float serviceYears, const float paybacks[], int count);

// Years until the saving has paid back the cost; +inf when the net yearly
// gain is exactly zero, negative when it is negative.
float paybackYears(float cost, float price, float powerBefore, float powerAfter,
                   float realRatePercent);

#endif
