// The calculator's core as the browser page calls it: one run of the
// command line, and the payback curve over the electricity price for the
// chart, both computed by the same C++ as the program.
#include <cfloat>
#include <cmath>
#include <cstdio>

#include "calc.h"
#include "cli.h"
#include "common.h"

namespace {

constexpr int CURVE_POINTS = 121;
constexpr int TEXT_SIZE = 64;  // "%.2f" of any float

// Read by the page straight from memory; the layout is part of the glue.
struct Curve {
	int count;           // points, 0 when the arguments give no table
	int marked;          // index of the point at the entered price
	float price[CURVE_POINTS];  // Eu/kWh
	float years[CURVE_POINTS];
	char text[CURVE_POINTS][TEXT_SIZE];  // years as the table prints them
};

Curve curve;

}  // namespace

extern "C" {

// One invocation as from a shell; the page takes the bytes from fd_write.
int wgz_run(int argc, const char *const argv[])
{
	int status = runCalculator(argc, argv);
	std::fflush(stdout);
	return status;
}

// Payback times from price 0 to twice the entered price, for the row that
// the table prints last: the operating-hours row with -a, else the main row.
const Curve *wgz_curve(int argc, const char *const argv[])
{
	PaybackInput in;
	ResultOptions options;
	curve.count = 0;
	if (readArguments(argc, argv, in, options) != 0)
		return &curve;

	bool withInterest = options.haveInterest || options.haveInflation;
	float rate = withInterest
		? static_cast<float>(realInterestRate(in.interestRate, in.inflationRate)) : 0.0f;
	float before = options.haveHours ? in.dutyPowerBefore : in.powerBefore;
	float after = options.haveHours ? in.dutyPowerAfter : in.powerAfter;
	// A price that gives no scale is not marked; the chart spans 0 to 1 Eu/kWh.
	// Twice a price near the float limit is no float, so the span stops there
	// and the mark moves right.
	bool scaled = std::isfinite(in.price) && in.price > 0;
	double highest = scaled ? std::fmin(2.0 * static_cast<double>(in.price), FLT_MAX) : 1.0;

	curve.count = CURVE_POINTS;
	curve.marked = scaled
		? static_cast<int>(std::lround(static_cast<double>(in.price) / highest * (CURVE_POINTS - 1))) : -1;
	for (int i = 0; i < CURVE_POINTS; i++) {
		float price = i == curve.marked
			? in.price : static_cast<float>(highest * i / (CURVE_POINTS - 1));
		float years = paybackYears(in.cost, price, before, after, rate);
		curve.price[i] = price;
		curve.years[i] = years;
		std::snprintf(curve.text[i], TEXT_SIZE, "%.2f", static_cast<double>(years));
	}
	return &curve;
}

}  // extern "C"
