// The three formulas against the worked values and the IEEE edge cases.
#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "calc.h"

namespace {

// As the result table prints a value: fixed point with two decimals.
std::string twoDecimals(double value)
{
	char text[400];
	std::snprintf(text, sizeof text, "%.2f", value);
	return text;
}

struct RealRateCase {
	float nominal, inflation;
	const char *printed;
};

TEST(RealInterestRate, IsTheExactFormulaNotTheDifference)
{
	const RealRateCase cases[] = {
		{0.0f, 0.0f, "0.00"},
		{5.0f, 0.0f, "5.00"},
		{5.0f, 2.5f, "2.44"},    // z - i would give 2.50
		{0.4f, 1.0f, "-0.59"},   // z - i would give -0.60
		{0.0f, 2.5f, "-2.44"},
		{3.0f, 3.0f, "0.00"},
		{100.0f, 100.0f, "0.00"},
		{10.0f, -50.0f, "120.00"},
		// Just below 0.375 in double; a wider type would print 0.38.
		{0.375f, 0.0f, "0.37"},
		// Just above the half: z / 100 + 1 and (z + 100) / 100 differ here,
		// and so do (q - 1) * 100 and q * 100 - 100.
		{35.875f, 0.0f, "35.88"},
		{47.625f, 0.0f, "47.63"},
		// Large rates print every digit of the double, so algebraically equal
		// rewrites show: (q1 - q2) / q2, (z - i) / (100 + i), q1 / q2 * 100 - 100...
		{4.23834553e14f, 13.5f, "373422514024418.00"},
		{3.46510295e16f, -42.5f, "60262659986896888.00"},
	};
	for (const RealRateCase &c : cases)
		EXPECT_EQ(twoDecimals(realInterestRate(c.nominal, c.inflation)), c.printed)
			<< c.nominal << " " << c.inflation;
}

TEST(RealInterestRate, StaysInDoublePrecision)
{
	double rate = realInterestRate(5.0f, 2.5f);
	EXPECT_NE(rate, static_cast<double>(static_cast<float>(rate)));
	EXPECT_NEAR(rate, 2.4390243902439, 1e-12);
}

TEST(RealInterestRate, InflationOfMinus100FollowsIeee)
{
	EXPECT_EQ(realInterestRate(5.0f, -100.0f), INFINITY);
	EXPECT_TRUE(std::isnan(realInterestRate(-100.0f, -100.0f)));
}

TEST(DutyPower, ConvertsToContinuousOperation)
{
	EXPECT_EQ(twoDecimals(dutyPower(50.0f, 8.0f)), "16.67");
	EXPECT_EQ(twoDecimals(dutyPower(40.0f, 8.0f)), "13.33");
	EXPECT_EQ(dutyPower(-100.0f, 12.0f), -50.0f);
	EXPECT_EQ(dutyPower(50.0f, 24.0f), 50.0f);
	EXPECT_EQ(dutyPower(50.0f, -2.0f), static_cast<float>(-100.0 / 24));
	// Rounded once from the exact double quotient, not from a float product.
	EXPECT_EQ(dutyPower(50.0f, 8.0f), static_cast<float>(50.0 * 8.0 / 24.0));
}

// A television on for 4 hours a day at 80 W and on standby for the other
// 20 at 15 W (or 0.5 W) draws on average what these powers draw around the
// clock; without standby it is the duty power of -a, to the bit.
TEST(StandbyPower, AveragesOperationAndStandbyOverTheDay)
{
	const struct {
		float power, standby, hours;
		const char *printed;
	} cases[] = {
		{80, 15, 4, "25.83"}, {80, 0.5f, 4, "13.75"}, {35, 0, 24, "35.00"}, {0, 2, 0, "2.00"}, {-100, 0, 12, "-50.00"},
	};
	for (const auto &c : cases)
		EXPECT_EQ(twoDecimals(standbyPower(c.power, c.standby, c.hours)), c.printed) << c.power << " " << c.standby;
	for (float hours : {8.0f, 1.5f, 23.9f, 0.1f})
		EXPECT_EQ(standbyPower(50, 0, hours), dutyPower(50, hours)) << hours;
	// Ten halogen spots of 35 W against ten LEDs of 4.9 W at 6 Euro each.
	EXPECT_EQ(timesCount(35, 10), 350.0f);
	EXPECT_EQ(timesCount(4.9f, 10), static_cast<float>(static_cast<double>(4.9f) * 10));
	EXPECT_EQ(timesCount(6, 10), 60.0f);
}

// A label's kWh a year back through yearlyEnergy: the same energy, but for
// the one rounding to float; rounded once from the double quotient.
TEST(AveragePower, IsTheInverseOfYearlyEnergy)
{
	for (float kwh : {150.0f, 420.0f, 140.0f, -876.0f, 1e-30f, 3e38f}) {
		float power = averagePower(kwh);
		EXPECT_EQ(power, static_cast<float>(static_cast<double>(kwh) / 8.76)) << kwh;
		EXPECT_NEAR(yearlyEnergy(power, 0) / static_cast<double>(kwh), 1.0, 1e-7) << kwh;
	}
	EXPECT_EQ(averagePower(876.0f), 100.0f);
}

// A device measured with a plug-in meter: a day's kWh, 365 times a year.
TEST(DailyPower, GivesTheDaysEnergyOverAYear)
{
	for (float kwh : {1.1f, 0.25f, 24.0f, -3.0f})
		EXPECT_NEAR(yearlyEnergy(dailyPower(kwh), 0) / (365.0 * static_cast<double>(kwh)), 1.0, 1e-7) << kwh;
	EXPECT_EQ(dailyPower(2.25f), 93.75f);
}

// Three fridges over ten years at 0.27 Eu/kWh, as a published comparison
// adds them up by hand; and an offer against keeping the old device
// differs by the balance of buying it.
TEST(LifetimeCost, AddsCostElectricityAndInterest)
{
	const struct {
		float cost, kwh;
		const char *total;
	} fridges[] = {{200, 190, "713.00"}, {300, 143, "686.10"}, {450, 95, "706.50"}};
	for (const auto &f : fridges)
		EXPECT_EQ(twoDecimals(lifetimeCost(10, f.cost, 0.27f, averagePower(f.kwh), 0)), f.total) << f.cost;
	float before = averagePower(420), after = averagePower(140);
	double gain = yearlySaving(yearlyEnergy(before, after), 0.35f) + yearlyInterest(800, 4);
	EXPECT_NEAR(lifetimeCost(15, 0, 0.35f, before, 4) - lifetimeCost(15, 800, 0.35f, after, 4),
	            lifetimeBalance(15, gain, 800), 1e-9);
}

// A price in cents is the float its euro figure reads as: 32.9 cents, once
// rounded to float, would be 0.32899997 euros.
TEST(EuroPrice, IsTheFloatOfTheEuroFigure)
{
	const struct {
		double cents;
		float euros;
	} cases[] = {{35, 0.35f}, {32.9, 0.329f}, {27.45, 0.2745f}, {0.7, 0.007f}, {-24, -0.24f}, {0, 0}};
	for (const auto &c : cases)
		EXPECT_EQ(euroPrice(c.cents), c.euros) << c.cents;
}

// A fridge by its label (420 and 140 kWh a year) at 0.35 Eu/kWh over 15
// years, sold for 50 Eu; and a service life too short.
TEST(LifetimeBalance, IsTheGainOverTheYearsLessTheCost)
{
	double gain = yearlySaving(yearlyEnergy(averagePower(420), averagePower(140)), 0.35f);
	EXPECT_EQ(twoDecimals(lifetimeBalance(15, gain, 800)), "670.00");
	EXPECT_EQ(twoDecimals(lifetimeBalance(15, gain, netCost(800, 50))), "720.00");
	EXPECT_LT(lifetimeBalance(3, gain, 800), 0);
	EXPECT_EQ(netCost(800, 50), 750.0f);
}

// Short paybacks as people say them: months from two months on, days below,
// rounded to whole ones; "knapp" a tenth or more below, "gut" above.
TEST(SpokenDuration, MonthsOrDaysAndHowNear)
{
	const struct {
		float years;
		DurationUnit unit;
		int count, nearness;
	} cases[] = {
		{0.56f, DURATION_MONTHS, 7, -1},   // 6.72 months
		{0.25f, DURATION_MONTHS, 3, 0},
		{1.99f, DURATION_MONTHS, 24, -1},  // 23.88
		{1.0f / 6, DURATION_MONTHS, 2, 0},  // two months exactly
		{0.16f, DURATION_DAYS, 58, 1},     // 1.92 months: 58.4 days
		{0.01f, DURATION_DAYS, 4, -1},     // 3.65 days
		{0.0055f, DURATION_DAYS, 2, 0},    // 2.0075 days
		{0.3f / 365, DURATION_DAYS, 0, 1},  // less than a day
		{2.0f, DURATION_NONE, 0, 0},
		{0.0f, DURATION_NONE, 0, 0},
		{-0.5f, DURATION_NONE, 0, 0},
		{NAN, DURATION_NONE, 0, 0},
	};
	for (const auto &c : cases) {
		SpokenDuration spoken = spokenDuration(c.years);
		EXPECT_EQ(spoken.unit, c.unit) << c.years;
		EXPECT_EQ(spoken.count, c.count) << c.years;
		EXPECT_EQ(spoken.nearness, c.nearness) << c.years;
	}
}

// The cheapest is first; of equal totals the one listed first ranks first.
TEST(RankByTotal, CheapestFirstTiesInOrder)
{
	const double totals[] = {713, 686.1, 706.5, 686.1, -5};
	int ranks[5];
	rankByTotal(totals, 5, ranks);
	const int expected[] = {5, 2, 4, 3, 1};
	for (int i = 0; i < 5; i++)
		EXPECT_EQ(ranks[i], expected[i]) << i;
}

// A total that is no number (devices at 3e38 W for 100 hours a day at no
// price) ranks after every total that is one, so that the cheapest and the
// next are always two devices; among themselves they keep their order.
TEST(RankByTotal, NotANumberLast)
{
	const struct {
		double totals[3];
		int ranks[3];
	} cases[] = {
		{{NAN, NAN, 5}, {2, 3, 1}},
		{{NAN, NAN, NAN}, {1, 2, 3}},
		{{INFINITY, NAN, -INFINITY}, {2, 3, 1}},
		{{1, NAN, 1}, {1, 3, 2}},
	};
	for (const auto &c : cases) {
		int ranks[3];
		rankByTotal(c.totals, 3, ranks);
		for (int i = 0; i < 3; i++)
			EXPECT_EQ(ranks[i], c.ranks[i]) << c.totals[0] << " " << c.totals[1] << " " << c.totals[2] << " at " << i;
	}
}

// The service life where given; else whole years a quarter past the last
// payback, so that the chart's axis ends on a year (8.16 years: 11).
TEST(ComparisonSpan, LifeOrWholeYearsPastTheLastPayback)
{
	const float paybacks[] = {7.88f, 8.16f, -3, INFINITY, NAN, 0};
	EXPECT_EQ(comparisonSpan(15, paybacks, 6), 15.0f);
	EXPECT_EQ(comparisonSpan(0, paybacks, 6), 11.0f);
	EXPECT_EQ(comparisonSpan(0, paybacks, 1), 10.0f);  // 9.85
	EXPECT_EQ(comparisonSpan(0, paybacks + 2, 4), 0.0f);
	const float tiny[] = {0.01f}, huge[] = {3e38f};
	EXPECT_EQ(comparisonSpan(0, tiny, 1), 1.0f);
	EXPECT_TRUE(std::isfinite(comparisonSpan(0, huge, 1)));
}

struct PaybackCase {
	float cost, price, before, after, nominal, inflation;
	const char *printed;
};

TEST(PaybackYears, WorkedValues)
{
	const PaybackCase cases[] = {
		{100, 0.24f, 50, 40, 0, 0, "4.76"},
		{100, 0.24f, 50, 40, 5.0f, 0, "6.24"},
		{100, 0.24f, 50, 40, 5.0f, 2.5f, "5.38"},
		{100, 0.24f, 50, 40, 0.4f, 1.0f, "4.63"},
		{100, 0.24f, dutyPower(50, 8), dutyPower(40, 8), 0, 0, "14.27"},
		{100, 0.24f, dutyPower(50, 8), dutyPower(40, 8), 5.0f, 2.5f, "21.89"},
		{300, 0.30f, 0, -100, 0, 0, "1.14"},
		{300, 0.30f, 0, dutyPower(-100, 12), 0, 0, "2.28"},
		// Interest outweighs the saving: negative, printed with its sign.
		{100, 0.24f, 50, 40, 30, 0, "-11.14"},
		// More power after than before.
		{100, 0.24f, 40, 50, 0, 0, "-4.76"},
		{0, 0.24f, 50, 40, 5, 0, "0.00"},
		// Nominal equal to inflation: as without interest.
		{100, 0.24f, 50, 40, 2.5f, 2.5f, "4.76"},
		// 100 times the net gain is 876 - 867: not zero, so finite.
		{17, 0.5f, 42, 40, 51, 0, "188.89"},
		// Duty powers formed in double; a float product gives 3805.17.
		{100, 0.24f, dutyPower(3.3f, 0.1f), dutyPower(0.3f, 0.1f), 0, 0, "3805.18"},
		// Nearly cancelling: (p1 - p2) * (8.76 * price) gives -16777232384.00.
		{10, 0.24f, 43, 40, 63.072f, 0, "-16777206784.00"},
		// The quotient is rounded to float once, not its operands first.
		{343.6f, 0.1f, 129, -30, 48.8f, 5.9f, "3737.47"},
	};
	for (const PaybackCase &c : cases) {
		float rate = static_cast<float>(realInterestRate(c.nominal, c.inflation));
		float years = paybackYears(c.cost, c.price, c.before, c.after, rate);
		EXPECT_EQ(twoDecimals(years), c.printed)
			<< c.cost << " " << c.price << " " << c.before << " " << c.after << " "
			<< c.nominal << " " << c.inflation;
		// The yearly terms the page says in words are the ones divided by.
		double gain = yearlySaving(yearlyEnergy(c.before, c.after), c.price) +
		              yearlyInterest(c.cost, rate);
		EXPECT_EQ(static_cast<float>(static_cast<double>(c.cost) / gain), years) << c.printed;
	}
}

TEST(PaybackYears, ExactlyZeroGainIsInfinite)
{
	float rate = static_cast<float>(realInterestRate(10, 0));
	EXPECT_EQ(rate, 10.0f);
	EXPECT_EQ(paybackYears(438, 0.5f, 50, 40, rate), INFINITY);
	EXPECT_EQ(paybackYears(100, 0, 50, 40, 0), INFINITY);
	// Only the comparison at 100 times the gain finds this zero: the gain
	// itself comes out as -7e-15.
	EXPECT_EQ(paybackYears(45, 0.75f, 55, 50, 73), INFINITY);
}

TEST(PaybackYears, NearlyZeroGainIsLargeButFinite)
{
	// 0.24 is not exact in binary, so the test for zero just misses. Where
	// saving and interest nearly cancel, any change to the order of
	// operations, a wider type or a fused multiply-add moves these digits.
	EXPECT_EQ(twoDecimals(paybackYears(100, 0.24f, 50, 40, 21.024f)), "-156796416.00");
	EXPECT_EQ(twoDecimals(paybackYears(438, 0.5f, 50, 40, 10.000001f)), "-104857600.00");
	// Interest as c * r * (1 / -100) gives 552374912.00.
	EXPECT_EQ(twoDecimals(paybackYears(295, 0.25f, 19, -85, 77.20677947998047f)), "552374848.00");
}

TEST(PaybackYears, NotANumberAndInfinityPassThrough)
{
	EXPECT_TRUE(std::isnan(paybackYears(100, 0.24f, NAN, NAN, 0)));
	EXPECT_TRUE(std::isnan(paybackYears(NAN, 0.24f, 50, 40, 0)));
	// Infinite real rate: the interest term swamps the saving.
	float years = paybackYears(100, 0.24f, 50, 40, INFINITY);
	EXPECT_EQ(years, 0.0f);
	EXPECT_TRUE(std::signbit(years));
	// An infinite saving pays back at once; an infinite cost meets 0 * inf.
	EXPECT_EQ(paybackYears(100, INFINITY, 50, 40, 0), 0.0f);
	EXPECT_TRUE(std::isnan(paybackYears(INFINITY, 0.24f, 50, 40, 0)));
}

}  // namespace
