// The records the page reads, the words it hands the core, and the payback
// of a command line in the page's terms (see record.h).
#include "record.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calc.h"
#include "cli.h"
#include "common.h"
#include "output.h"

namespace {
Bytes record;
}  // namespace

void append(Bytes &to, const void *bytes, size_t size)
{
	if (to.size + size + 1 > to.capacity) {
		// malloc and copy, not realloc, which would add its code to the page.
		size_t capacity = (to.size + size + 1) * 2;
		auto *grown = static_cast<char *>(std::malloc(capacity));
		if (grown == nullptr)
			std::abort();
		if (to.size > 0)
			std::memcpy(grown, to.data, to.size);
		std::free(to.data);
		to.data = grown;
		to.capacity = capacity;
	}
	std::memcpy(to.data + to.size, bytes, size);
	to.size += size;
	to.data[to.size] = '\0';
}

void beginRecord()
{
	record.size = 0;
	append(record, "", 0);
}

const char *recordText()
{
	return record.data;
}

void putBytes(const char *name, const char *bytes, size_t size)
{
	constexpr const char *HEX = "0123456789ABCDEF";
	if (record.size > 0)
		append(record, "&", 1);
	append(record, name, std::strlen(name));
	append(record, "=", 1);
	for (size_t i = 0; i < size; i++) {
		auto c = static_cast<unsigned char>(bytes[i]);
		bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
		             c == '.' || c == '-' || c == '_';
		if (plain) {
			append(record, &bytes[i], 1);
		} else {
			const char escaped[] = {'%', HEX[c >> 4], HEX[c & 15]};
			append(record, escaped, sizeof escaped);
		}
	}
}

void put(const char *name, const char *value)
{
	putBytes(name, value, std::strlen(value));
}

void putNumber(const char *name, int value)
{
	char text[16];
	std::snprintf(text, sizeof text, "%d", value);
	put(name, text);
}

void putFigure(const char *name, double value)
{
	char text[FIGURE_SIZE];
	formatFigure(text, value);
	put(name, text);
}

// A name with a prefix: "pair-" and "years" give "pair-years".
const char *named(const char *prefix, const char *name)
{
	static char text[48];
	std::snprintf(text, sizeof text, "%s%s", prefix, name);
	return text;
}

// An argument vector: the program name, then count words of block.
const char **lineOf(const char *block, int count)
{
	auto **argv = static_cast<const char **>(std::malloc((static_cast<size_t>(count) + 2) * sizeof(char *)));
	if (argv == nullptr)
		std::abort();
	argv[0] = PROGRAM_NAME;
	for (int i = 1; i <= count; i++) {
		argv[i] = block;
		block += std::strlen(block) + 1;
	}
	argv[count + 1] = nullptr;
	return argv;
}

// A command line of four numbers and the options that lines of a
// comparison share: shared[0] is the price, the rest are options. Freed by
// the caller.
const char **lineWith(const char *cost, const char *before, const char *after,
                      const char *const shared[], int sharedCount)
{
	auto **argv = static_cast<const char **>(std::malloc((static_cast<size_t>(sharedCount) + 5) * sizeof(char *)));
	if (argv == nullptr)
		std::abort();
	const char *numbers[] = {PROGRAM_NAME, cost, shared[0], before, after};
	for (int i = 0; i < 5; i++)
		argv[i] = numbers[i];
	for (int i = 1; i < sharedCount; i++)
		argv[i + 4] = shared[i];
	argv[sharedCount + 4] = nullptr;
	return argv;
}

// A value of the page's own, read as the whole text; and rounded once to float.
bool readWhole(const char *text, double &value)
{
	char *end;
	value = std::strtod(text, &end);
	return end != text && *end == '\0';
}

const char *wordNamed(const char *const words[], int count, const char *name)
{
	size_t length = std::strlen(name);
	for (int i = 0; i < count; i++)
		if (std::strncmp(words[i], name, length) == 0 && words[i][length] == '=')
			return words[i] + length + 1;
	return "";
}

bool readCount(const char *text, double &count)
{
	count = 1;
	if (*text == '\0')
		return true;
	return readWhole(text, count) && count >= 1 && count <= MOST_DEVICES && count == std::floor(count);
}

static bool readWhole(const char *text, float &value)
{
	double number;
	if (!readWhole(text, number))
		return false;
	value = static_cast<float>(number);
	return true;
}

// The fewest plain digits ("750", "0.25", never an exponent) that a run
// reads back as the finite value, at most longest characters; false when
// none is that short. Plain digits run to 39 places before or 45 after the
// point for a float.
bool plainDigits(float value, char *text, int longest)
{
	constexpr int MOST_DECIMALS = 45;
	for (int decimals = 0; decimals <= MOST_DECIMALS; decimals++) {
		int length = std::snprintf(text, static_cast<size_t>(longest) + 1, "%.*f", decimals,
		                           static_cast<double>(value));
		if (length > longest)
			return false;
		if (toFloat(text) == value)
			return true;
	}
	return false;
}

// The shortest text that a run reads back as value: in plain digits
// ("750", not "7.5e+02") unless a power of ten is shorter. Nine significant
// digits suffice for any float.
void shortest(float value, char (&text)[TEXT_SIZE])
{
	char general[TEXT_SIZE];
	for (int digits = 1; digits <= 9; digits++) {
		std::snprintf(general, TEXT_SIZE, "%.*g", digits, static_cast<double>(value));
		if (toFloat(general) == value)
			break;
	}
	if (!plainDigits(value, text, static_cast<int>(std::strlen(general))))
		std::snprintf(text, TEXT_SIZE, "%s", general);
}

// Which answer a payback gives, as the page words it:
//   zahlt       pays back after the years given (0 for no cost)
//   aufgehoben  saving and interest cancel exactly: never
//   zinsen      the interest is more than the saving: never
//   mehr        the device draws more after than before: never
//   keine       there is no saving for another reason (price)
//   kosten      a negative cost: there is nothing to pay back
//   ungueltig   a number is not a number
const char *answerKind(float years, float cost, double energy, double saving, double gain)
{
	if (std::isnan(years))
		return "ungueltig";
	if (cost < 0)
		return "kosten";
	// A payback of -0 years is a loss from the first day, not a payback.
	if (!std::signbit(years) && (std::isfinite(years) || gain > 0))
		return "zahlt";
	if (std::isinf(years) && saving > 0)
		return "aufgehoben";
	if (saving > 0)
		return "zinsen";
	return energy < 0 ? "mehr" : "keine";
}

namespace {

// A figure as a step of the working shows it, and whether the step's
// result, recomputed from the figures it shows, would print otherwise.
struct Shown {
	char text[FIGURE_SIZE];
	double value;
};
Shown shownFigure(double value)
{
	Shown shown;
	formatFigure(shown.text, value);
	shown.value = std::strtod(shown.text, nullptr);
	return shown;
}
void putRounded(const char *prefix, const char *step, double recomputed, const Shown &result)
{
	putIfRounded(named(prefix, "rounded"), step, recomputed, result.text);
}
void putPlain(const char *name, float value)
{
	char text[TEXT_SIZE];
	if (plainDigits(value, text, TEXT_SIZE - 1))
		put(name, text);
	else
		putFigure(name, static_cast<double>(value));
}

// The terms of one year that paybackYears adds, and the payback, as the
// table's last row gives them.
struct Terms {
	double energy;
	double saving;
	double interest;
	float years;
};

// The figures of a payback's working, each step as the page shows it:
// the rates and powers as given ("interestRate", "inflationRate",
// "before", "after", "price"), the powers the table's
// last row computes with ("p1", "p2"), the terms of a year ("energy",
// "saving", "interest", "gain"), the real rate and the cost; and
// "rounded", each step whose result differs from what its shown figures
// give when recomputed by hand.
void putWorking(const char *prefix, const PaybackInput &in, const ResultOptions &options, const ResultRow &row,
                const Terms &t, float life)
{
	if (options.haveInterest)
		putPlain(named(prefix, "interestRate"), in.interestRate);
	if (options.haveInflation)
		putPlain(named(prefix, "inflationRate"), in.inflationRate);
	putPlain(named(prefix, "before"), in.powerBefore);
	putPlain(named(prefix, "after"), in.powerAfter);
	putPlain(named(prefix, "price"), in.price);
	char power[FIGURE_SIZE];
	formatPower(power, static_cast<double>(row.powerBefore));
	put(named(prefix, "p1"), power);
	double p1 = std::strtod(power, nullptr);
	formatPower(power, static_cast<double>(row.powerAfter));
	put(named(prefix, "p2"), power);
	double p2 = std::strtod(power, nullptr);
	Shown e = shownFigure(t.energy), s = shownFigure(t.saving), z = shownFigure(-t.interest);
	Shown g = shownFigure(t.saving + t.interest);
	Shown c = shownFigure(static_cast<double>(in.cost)), r = shownFigure(row.realRate);
	const struct {
		const char *name;
		const Shown &shown;
	} figures[] = {{"energy", e}, {"saving", s}, {"interest", z}, {"gain", g}, {"rate", r}, {"cost", c}};
	for (const auto &figure : figures)
		put(named(prefix, figure.name), figure.shown.text);
	// Recomputed as a person would, with the formulas' own functions.
	auto cost = static_cast<float>(c.value);
	putRounded(prefix, "energy", yearlyEnergy(static_cast<float>(p1), static_cast<float>(p2)), e);
	putRounded(prefix, "saving", yearlySaving(e.value, in.price), s);
	putRounded(prefix, "interest", -yearlyInterest(cost, static_cast<float>(r.value)), z);
	putRounded(prefix, "years", c.value / (s.value - z.value), shownFigure(static_cast<double>(t.years)));
	if (life > 0)
		putRounded(prefix, "balance", lifetimeBalance(life, g.value, cost),
		           shownFigure(lifetimeBalance(life, t.saving + t.interest, in.cost)));
}

}  // namespace

// A payback of a command line as the answer gives it, each name after
// prefix: "kind" (see answerKind, "" when the line gives no table) and the
// years; under two years also "durationCount" with its "durationUnit" ("monate",
// "tage") and "durationNearness" (-1 a little less, 0 about, 1 a little more);
// with a service life (> 0) the balance at its end ("balance"). The rest of
// the answer's figures when all is set.
// Returns the years when it pays back, else NaN.
float putPayback(const char *prefix, const char *const argv[], int argc, float life, bool all)
{
	PaybackInput in;
	ResultOptions options;
	if (readArguments(argc, argv, in, options) != 0) {
		put(named(prefix, "kind"), "");
		return NAN;
	}
	ResultRow row = lastResultRow(in, options);
	double energy = yearlyEnergy(row.powerBefore, row.powerAfter);
	double saving = yearlySaving(energy, in.price);
	double interest = yearlyInterest(in.cost, row.rate);
	float years = paybackYears(in.cost, in.price, row.powerBefore, row.powerAfter, row.rate);
	const char *kind = answerKind(years, in.cost, energy, saving, saving + interest);
	put(named(prefix, "kind"), kind);
	putFigure(named(prefix, "years"), static_cast<double>(years));
	SpokenDuration spoken = spokenDuration(years);
	if (spoken.unit != DURATION_NONE) {
		putNumber(named(prefix, "durationCount"), spoken.count);
		put(named(prefix, "durationUnit"), spoken.unit == DURATION_MONTHS ? "monate" : "tage");
		putNumber(named(prefix, "durationNearness"), spoken.nearness);
	}
	if (life > 0)
		putFigure(named(prefix, "balance"), lifetimeBalance(life, saving + interest, in.cost));
	float paidBack = std::strcmp(kind, "zahlt") == 0 ? years : NAN;
	if (!all)
		return paidBack;
	putWorking(prefix, in, options, row, {energy, saving, interest, years}, life);
	char hours[TEXT_SIZE];
	if (options.haveHours && plainDigits(in.hoursPerDay, hours, TEXT_SIZE - 1))
		put(named(prefix, "hours"), hours);
	if (row.powerAfter < 0 && row.powerBefore <= 0)
		put(named(prefix, "generator"), "1");
	return paidBack;
}

void putIfRounded(const char *name, const char *step, double byHand, const char *shown)
{
	char again[FIGURE_SIZE];
	formatFigure(again, byHand);
	if (std::strcmp(again, shown) != 0)
		put(name, step);
}

// Around the clock a fridge draws 10 to 50 W on average, a router 10;
// above this only heating does, and a label's 420 kWh a year typed as W
// would be 3679 kWh, more than most households use in all.
constexpr float HIGHEST_USUAL_DRAW = 100;

void putPower(const char *power, const char *standby, const char *hours, const char *count)
{
	constexpr float HOURS_PER_DAY = 24;
	float watts = toFloat(power), hoursPerDay = toFloat(hours);
	double n;
	double idle = 0;
	if (*standby != '\0' && !(readWhole(standby, idle) && idle >= 0)) {
		put("problem", readWhole(standby, idle) ? "bereich" : "zahl");
		put("field", "standby");
		return;
	}
	bool averaged = *standby != '\0' && *hours != '\0';
	if (averaged && !(hoursPerDay >= 0 && hoursPerDay <= HOURS_PER_DAY)) {
		put("problem", "bereich");
		put("field", "standby");
		return;
	}
	if (!readCount(count, n)) {
		double number;
		put("problem", readWhole(count, number) ? "bereich" : "zahl");
		put("field", "anzahl");
		return;
	}
	float average = averaged ? standbyPower(watts, static_cast<float>(idle), hoursPerDay)
		: *hours != '\0' ? dutyPower(watts, hoursPerDay) : watts;
	float made = timesCount(averaged ? average : watts, n);
	char word[TEXT_SIZE], shown[FIGURE_SIZE];
	shortest(made, word);
	put("text", averaged || n != 1 ? word : power);
	formatPower(shown, static_cast<double>(made));
	put("shown", shown);
	if (averaged) {
		formatPower(shown, static_cast<double>(average));
		put("average", shown);
		putPlain("rest", HOURS_PER_DAY - hoursPerDay);
	}
	putFigure("year", yearlyEnergy(average, 0));
	putPlain("limit", HIGHEST_USUAL_DRAW);
	if (*hours == '\0' && watts > HIGHEST_USUAL_DRAW)
		put("unusual", "1");
}

// A service life as the page takes it: more than 0 and at most LONGEST_LIFE
// years, longer than any device lasts and short enough that the balance
// stays a figure a person reads. 0 for none or one refused.
constexpr float LONGEST_LIFE = 100;
float lifeOf(const char *text)
{
	float years;
	return readWhole(text, years) && years > 0 && years <= LONGEST_LIFE ? years : 0;
}
