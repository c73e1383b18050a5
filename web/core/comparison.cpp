// Devices compared over a service life: each one's figures and rank, each
// pair's payback and each offer's against the old device, every one the
// program's own result for a command line, and the chart (comparison.h).
#include "comparison.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calc.h"
#include "cli.h"
#include "output.h"
#include "record.h"

namespace {

// A command line's words after the program name, each ended by a NUL.
void putLine(const char *name, const char *const argv[], int argc)
{
	Bytes words;
	for (int i = 1; i < argc; i++)
		append(words, argv[i], std::strlen(argv[i]) + 1);
	putBytes(name, words.data, words.size);
	std::free(words.data);
}

// A device of a comparison: its words on the command line, and its cost
// and power as a run reads them (the power with the daily hours, as the
// table's last row converts it).
struct Device {
	const char *costWord;
	const char *powerWord;
	float cost;
	float power;
};

// Each device's figures ("cost", "kwh", "electricity" and "interest" a year and,
// over a service life, "total" with "totalRounded"), its rank ("rank", 1: cheapest over the life or
// by its price), and with a life the cheapest ("cheapest"), the next
// ("next") and how much less the cheapest costs ("margin").
void putDevices(const Device devices[], int count, float price, float rate, float life)
{
	auto *totals = static_cast<double *>(std::calloc(static_cast<size_t>(count), sizeof(double)));
	auto *ranks = static_cast<int *>(std::malloc(static_cast<size_t>(count) * sizeof(int)));
	if (totals == nullptr || ranks == nullptr)
		std::abort();
	for (int i = 0; i < count; i++)
		totals[i] = lifetimeCost(life, devices[i].cost, price, devices[i].power, rate);
	rankByTotal(totals, count, ranks);
	int cheapest = 0, next = -1;
	for (int i = 0; i < count; i++) {
		double kwh = yearlyEnergy(devices[i].power, 0);
		putFigure("cost", static_cast<double>(devices[i].cost));
		putFigure("kwh", kwh);
		char electricity[FIGURE_SIZE], interest[FIGURE_SIZE], total[FIGURE_SIZE], again[FIGURE_SIZE];
		formatFigure(electricity, yearlySaving(kwh, price));
		formatFigure(interest, -yearlyInterest(devices[i].cost, rate));
		put("electricity", electricity);
		put("interest", interest);
		if (life > 0) {
			// Whether the shown figures, added by hand, give another total.
			formatFigure(total, totals[i]);
			formatFigure(again, static_cast<double>(devices[i].cost) + static_cast<double>(life) *
			                        (std::strtod(electricity, nullptr) + std::strtod(interest, nullptr)));
			put("total", total);
			put("totalRounded", std::strcmp(total, again) == 0 ? "0" : "1");
		}
		putNumber("rank", ranks[i]);
		cheapest = ranks[i] == 1 ? i : cheapest;
		next = ranks[i] == 2 ? i : next;
	}
	if (life > 0 && next >= 0) {
		putNumber("cheapest", cheapest);
		putNumber("next", next);
		putFigure("margin", totals[next] - totals[cheapest]);
	}
	std::free(totals);
	std::free(ranks);
}

// Where a device has earned back its extra price against a cheaper one,
// for the chart: the years as the answer says them, and the cheaper one's
// cost until then.
struct CatchUp {
	float years;
	int cheap;
};

// Each pair of offers (devices from first on), the cheaper one first: "N"
// counts pairs from 1, and "pairN-" names "cheap" and "dear" (indices),
// "sameCost" (1: the same cost), "thriftier" (the index of the one
// drawing less, -1: neither), "extra", "line" (the words of the
// command line whose result the payback is) and the payback (putPayback).
// Returns how many catch-ups it added.
int putPairs(const Device devices[], int first, int count, const char *const shared[], int sharedCount,
             CatchUp catchUps[])
{
	int pair = 0, added = 0;
	for (int i = first; i < count; i++) {
		for (int k = i + 1; k < count; k++) {
			const Device &a = devices[i], &b = devices[k];
			// Of two at the same cost, the line switches to the one drawing less.
			bool aCheap = a.cost < b.cost || (a.cost == b.cost && a.power >= b.power);
			int cheap = aCheap ? i : k, dear = aCheap ? k : i;
			char prefix[24], extra[TEXT_SIZE];
			std::snprintf(prefix, sizeof prefix, "pair%d-", ++pair);
			float price = netCost(devices[dear].cost, devices[cheap].cost);
			shortest(price, extra);
			const char **line = lineWith(extra, devices[cheap].powerWord, devices[dear].powerWord, shared, sharedCount);
			putNumber(named(prefix, "cheap"), cheap);
			putNumber(named(prefix, "dear"), dear);
			putNumber(named(prefix, "sameCost"), a.cost == b.cost ? 1 : 0);
			putNumber(named(prefix, "thriftier"), a.power < b.power ? i : b.power < a.power ? k : -1);
			putFigure(named(prefix, "extra"), static_cast<double>(price));
			putLine(named(prefix, "line"), line, sharedCount + 4);
			float years = putPayback(prefix, line, sharedCount + 4, 0, true);
			std::free(line);
			if (years > 0 && std::isfinite(years))
				catchUps[added++] = {years, cheap};
		}
	}
	return added;
}

// Each offer against the old device kept (devices[0]): "oldN-" names its
// "line" and payback over the life (putPayback). Returns how many
// catch-ups it added.
int putVersusOld(const Device devices[], int count, const char *const shared[], int sharedCount, float life,
                 CatchUp catchUps[])
{
	int added = 0;
	for (int i = 1; i < count; i++) {
		char prefix[24];
		std::snprintf(prefix, sizeof prefix, "old%d-", i);
		const char **line = lineWith(devices[i].costWord, devices[0].powerWord, devices[i].powerWord, shared,
		                             sharedCount);
		putLine(named(prefix, "line"), line, sharedCount + 4);
		float years = putPayback(prefix, line, sharedCount + 4, life, true);
		std::free(line);
		if (years > 0 && std::isfinite(years))
			catchUps[added++] = {years, 0};
	}
	return added;
}

// The chart of costs over the years: its span ("span"), each device's cost
// at its end ("end"), and each catch-up within it ("pointYears",
// "pointCost"); "againstOld" 1 when one of them is against the old device.
void putChart(const Device devices[], int count, float price, float rate, float life, const CatchUp catchUps[],
              int caught, bool old)
{
	auto *years = static_cast<float *>(std::malloc((static_cast<size_t>(caught) + 1) * sizeof(float)));
	if (years == nullptr)
		std::abort();
	for (int i = 0; i < caught; i++)
		years[i] = catchUps[i].years;
	float span = comparisonSpan(life, years, caught);
	std::free(years);
	if (!(span > 0))
		return;
	char text[TEXT_SIZE];
	shortest(span, text);
	put("span", text);
	for (int i = 0; i < count; i++)
		putFigure("end", lifetimeCost(span, devices[i].cost, price, devices[i].power, rate));
	bool againstOld = false;
	for (int i = 0; i < caught; i++) {
		char when[FIGURE_SIZE];
		formatFigure(when, static_cast<double>(catchUps[i].years));
		if (toFloat(when) > span)
			continue;
		const Device &cheap = devices[catchUps[i].cheap];
		put("pointYears", when);
		putFigure("pointCost", lifetimeCost(catchUps[i].years, cheap.cost, price, cheap.power, rate));
		againstOld = againstOld || (old && catchUps[i].cheap == 0);
	}
	if (againstOld)
		put("againstOld", "1");
}

}  // namespace

// The shared values of a comparison that have no finite value, by the
// words of the command line they stand for ("2": the price); null for none.
const char *notFinite(const PaybackInput &in, const ResultOptions &options, const ResultRow &row)
{
	if (!std::isfinite(in.price))
		return "2";
	if (options.haveInterest && !std::isfinite(in.interestRate))
		return "-z";
	if (options.haveInflation && !std::isfinite(in.inflationRate))
		return "-i";
	if (!std::isfinite(row.rate))
		return options.haveInflation ? "-i" : "-z";
	if (options.haveHours && !std::isfinite(in.hoursPerDay))
		return "-a";
	return nullptr;
}

void putComparison(const char *const shared[], int sharedCount, const PaybackInput &in,
                   const ResultOptions &options, const char *old, const char *offers, int offerCount,
                   float life)
{
	float rate = lastResultRow(in, options).rate;
	int count = offerCount + (*old != '\0' ? 1 : 0);
	size_t pairs = static_cast<size_t>(offerCount * offerCount + count);
	auto *devices = static_cast<Device *>(std::calloc(static_cast<size_t>(count), sizeof(Device)));
	auto *catchUps = static_cast<CatchUp *>(std::malloc(pairs * sizeof(CatchUp)));
	const char **offerWords = lineOf(offers, 2 * offerCount);
	if (devices == nullptr || catchUps == nullptr)
		std::abort();
	for (int i = 0; i < count; i++) {
		bool kept = i == 0 && *old != '\0';
		int at = 2 * (i - (count - offerCount)) + 1;
		Device &device = devices[i];
		device.costWord = kept ? "0" : offerWords[at];
		device.powerWord = kept ? old : offerWords[at + 1];
		device.cost = toFloat(device.costWord);
		PaybackInput one = in;
		one.powerBefore = toFloat(device.powerWord);
		one.dutyPowerBefore = dutyPower(one.powerBefore, one.hoursPerDay);
		device.power = lastResultRow(one, options).powerBefore;
	}
	putDevices(devices, count, in.price, rate, life);
	int caught = putPairs(devices, count - offerCount, count, shared, sharedCount, catchUps);
	if (count > offerCount)
		caught += putVersusOld(devices, count, shared, sharedCount, life, catchUps + caught);
	putChart(devices, count, in.price, rate, life, catchUps, caught, count > offerCount);
	std::free(offerWords);
	std::free(devices);
	std::free(catchUps);
}
