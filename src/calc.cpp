// Payback model: the investment lowers a device's power around the clock;
// each year the saved energy is worth (p1 - p2) * 8.76 kWh/W * price, and
// simple interest on the whole cost at the real rate is charged against it.
// The order of operations below fixes the printed digits: keep it.
#include "calc.h"

#include <cfloat>
#include <cmath>
#include <limits>

// A wider evaluation type (the x87 unit of 32-bit x86) rounds twice and
// changes printed digits; the build selects SSE2 arithmetic there.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must be carried out in double");

namespace {

constexpr double PERCENT = 100;
constexpr double HOURS_PER_DAY = 24;
constexpr double WATTS_PER_KW = 1000;
constexpr double KWH_PER_WATT_YEAR = 8.76;       // 8760 h a year / 1000 W a kW
constexpr double KWH_PER_WATT_YEAR_X100 = 876;   // the same, times PERCENT
constexpr double INTEREST_DIVISOR = -100;        // interest is a cost
constexpr double MONTHS_PER_YEAR = 12;
constexpr double DAYS_PER_YEAR = 365;            // 8760 hours, as the model's year
constexpr double ABOUT = 0.1;                    // of one month or day
constexpr double SPAN_PAST_PAYBACK = 1.25;

}  // namespace

// The exact formula, not the usual z - i, which is only good for small rates.
double realInterestRate(float nominalPercent, float inflationPercent)
{
	double q1 = static_cast<double>(nominalPercent) / PERCENT + 1;
	double q2 = static_cast<double>(inflationPercent) / PERCENT + 1;
	return (q1 / q2 - 1) * PERCENT;
}

float dutyPower(float power, float hoursPerDay)
{
	return static_cast<float>(static_cast<double>(power) * static_cast<double>(hoursPerDay) /
	                          HOURS_PER_DAY);
}

double yearlyEnergy(float powerBefore, float powerAfter)
{
	return (static_cast<double>(powerBefore) - static_cast<double>(powerAfter)) * KWH_PER_WATT_YEAR;
}

double yearlySaving(double energy, float price)
{
	return energy * static_cast<double>(price);
}

double yearlyInterest(float cost, float realRatePercent)
{
	return (static_cast<double>(cost) * static_cast<double>(realRatePercent)) / INTEREST_DIVISOR;
}

float averagePower(float kwhPerYear)
{
	return static_cast<float>(static_cast<double>(kwhPerYear) / KWH_PER_WATT_YEAR);
}

float dailyPower(float kwhPerDay)
{
	return static_cast<float>(static_cast<double>(kwhPerDay) * WATTS_PER_KW / HOURS_PER_DAY);
}

float standbyPower(float power, float standby, float hoursPerDay)
{
	auto h = static_cast<double>(hoursPerDay);
	return static_cast<float>((static_cast<double>(power) * h + static_cast<double>(standby) * (HOURS_PER_DAY - h)) /
	                          HOURS_PER_DAY);
}

float timesCount(float value, double count)
{
	return static_cast<float>(static_cast<double>(value) * count);
}

float netCost(float cost, float resale)
{
	return static_cast<float>(static_cast<double>(cost) - static_cast<double>(resale));
}

float euroPrice(double centsPerKwh)
{
	return static_cast<float>(centsPerKwh / PERCENT);
}

double lifetimeCost(float serviceYears, float cost, float price, float power,
                    float realRatePercent)
{
	double electricity = yearlySaving(yearlyEnergy(power, 0), price);
	return static_cast<double>(cost) +
	       static_cast<double>(serviceYears) * (electricity - yearlyInterest(cost, realRatePercent));
}

double lifetimeBalance(float serviceYears, double yearlyGain, float cost)
{
	return static_cast<double>(serviceYears) * yearlyGain - static_cast<double>(cost);
}

float paybackYears(float cost, float price, float powerBefore, float powerAfter,
                   float realRatePercent)
{
	auto c = static_cast<double>(cost), p = static_cast<double>(price);
	auto p1 = static_cast<double>(powerBefore), p2 = static_cast<double>(powerAfter);
	auto r = static_cast<double>(realRatePercent);

	// Compared at 100 times the net gain, where round inputs stay exact, so
	// a gain of exactly zero gives infinity and not a huge finite number.
	if ((p1 - p2) * KWH_PER_WATT_YEAR_X100 * p == c * r)
		return std::numeric_limits<float>::infinity();

	double saving = yearlySaving(yearlyEnergy(powerBefore, powerAfter), price);
	double interest = yearlyInterest(cost, realRatePercent);
	return static_cast<float>(c / (saving + interest));
}

SpokenDuration spokenDuration(float years)
{
	SpokenDuration spoken;
	auto y = static_cast<double>(years);
	if (!(y > 0 && y < 2))
		return spoken;
	double months = y * MONTHS_PER_YEAR;
	spoken.unit = months >= 2 ? DURATION_MONTHS : DURATION_DAYS;
	double units = spoken.unit == DURATION_MONTHS ? months : y * DAYS_PER_YEAR;
	double whole = std::round(units);
	spoken.count = static_cast<int>(whole);
	spoken.nearness = std::fabs(units - whole) <= ABOUT ? 0 : units < whole ? -1 : 1;
	return spoken;
}

// A total that is no number ranks after every one that is: it says nothing
// of what a device costs, and NaN compares false with everything.
void rankByTotal(const double totals[], int count, int ranks[])
{
	auto before = [totals](int k, int i) {
		bool kNumber = !std::isnan(totals[k]), iNumber = !std::isnan(totals[i]);
		if (kNumber != iNumber)
			return kNumber;
		return totals[k] < totals[i] || ((totals[k] == totals[i] || !kNumber) && k < i);
	};
	for (int i = 0; i < count; i++) {
		ranks[i] = 1;
		for (int k = 0; k < count; k++)
			if (before(k, i))
				ranks[i]++;
	}
}

float comparisonSpan(float serviceYears, const float paybacks[], int count)
{
	if (serviceYears > 0)
		return serviceYears;
	double longest = 0;
	for (int i = 0; i < count; i++)
		if (paybacks[i] > 0 && std::isfinite(paybacks[i]))
			longest = std::fmax(longest, static_cast<double>(paybacks[i]));
	return static_cast<float>(std::fmin(std::ceil(longest * SPAN_PAST_PAYBACK), FLT_MAX));
}
