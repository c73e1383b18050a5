// The calculator's core as the browser page calls it. Everything the page
// reads from the module is declared here, and nowhere else: the arguments
// of one run, the exit status and output it gives, which of those statuses
// are the examples, the error lines of a status and what each is about, the
// answer in figures for the sentences, the payback curve over the
// electricity price for the chart, the page's own values (a power from
// kWh a year or a day, the cost less a resale, a price from cents, whether
// a price looks like cents, a service life), and devices compared over a
// service life (each one's whole cost and rank, the extra price of one
// over another), all computed by the
// same C++ as the program. The page reads the arrays through typed views at the addresses
// these functions return; it never computes an offset itself.
#include <emscripten/em_macros.h>
#include <wasi/api.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "calc.h"
#include "cli.h"
#include "common.h"
#include "output.h"

namespace {

constexpr int CURVE_POINTS = 121;
constexpr int TEXT_SIZE = 64;  // "%.2f" of any float

// The arguments of the next run after the program name; the page writes
// their bytes into one block that wgz_arguments hands out.
char *argumentBytes = nullptr;
const char **argumentVector = nullptr;
int argumentCount = 0;

// What the core writes to standard output, kept for the page to read.
unsigned char *output = nullptr;
size_t outputSize = 0;
size_t outputCapacity = 0;

// The error reports of the last wgz_errors, and what each is about.
struct ErrorSubject {
	ReportFlags bit;
	const char *subject;
};
constexpr ErrorSubject ERROR_SUBJECTS[] = {
	{REPORT_ERR_INTEREST, "-z"}, {REPORT_ERR_INFLATION, "-i"}, {REPORT_ERR_HOURS, "-a"},
	{REPORT_ERR_HOURS_ZERO, "-a"}, {REPORT_ERR_SAME_POWER, "3 4"},
};
struct ErrorLine {
	char text[256];
	const char *subject;
};
ErrorLine errorLines[std::size(ERROR_SUBJECTS)];
int errorCount = 0;

// The figures of the last wgz_answer, as texts.
constexpr int ANSWER_HOURS = 6;
constexpr int ANSWER_BALANCE = 7;
constexpr int ANSWER_LIFE = 8;
constexpr int ANSWER_COST = 9;
constexpr int ANSWER_DURATION = 10;
constexpr int ANSWER_DURATION_UNIT = 11;
constexpr int ANSWER_DURATION_NEARNESS = 12;
constexpr int FIGURE_SIZE = 320;  // "%.2f" of any double
char answerTexts[ANSWER_DURATION_NEARNESS + 1][FIGURE_SIZE];
bool answerGenerator = false;

// The page's own values, beside the command line. Each is read in full as a
// number (an argument "5abc" is 5; such a value here is refused), and what
// the page cannot use is refused with its reason.
enum ValueCheck { VALUE_OK = 0, VALUE_NO_NUMBER = 1, VALUE_NOT_FINITE = 2, VALUE_OUT_OF_RANGE = 3 };
// Longer than any device lasts, and short enough that the balance stays a
// figure a person reads.
constexpr float LONGEST_LIFE = 100;
float serviceLife = 0;  // years; 0: none given
// Euros a kWh: a few times what households in Europe pay, and far below
// the 10 or more that a price typed in cents would be.
constexpr float HIGHEST_USUAL_PRICE = 2;
// The last value made for the command line, and as the page shows it.
char valueText[TEXT_SIZE];
char valueShown[FIGURE_SIZE];

// A comparison of devices over a number of years: the shared values of a
// command line, and each option's cost and power (the old device kept has
// no cost), with what it comes to.
constexpr int MOST_OPTIONS = 4;
constexpr int COMPARE_FIGURE_COUNT = 5;
struct CompareOption {
	float cost;
	float power;
	char texts[COMPARE_FIGURE_COUNT][FIGURE_SIZE];  // in the order COMPARE_FIGURES names them
};
// Their names, in the order of CompareOption::texts, as wgz_compare_figures
// gives them to the page.
constexpr const char *COMPARE_FIGURES = "kosten kwh strom gesamt rang";
PaybackInput compareInput;
ResultOptions compareOptions;
float compareRate = 0;  // the real rate, as the table's last row takes it
CompareOption compareOptionList[MOST_OPTIONS];
int compareCount = 0;
char compareMargin[FIGURE_SIZE];
char compareTotal[FIGURE_SIZE];

// What an option of the comparison costs over span years in all.
double wholeCost(const CompareOption &option, float span)
{
	return lifetimeCost(span, option.cost, compareInput.price, option.power, compareRate);
}

float curvePrices[CURVE_POINTS];
float curveYears[CURVE_POINTS];
char curveText[TEXT_SIZE];
int curveMarked = -1;

void keepOutput(const void *bytes, size_t size)
{
	if (outputSize + size > outputCapacity) {
		// malloc and copy, not realloc, which would add its code to the page.
		size_t capacity = (outputSize + size) * 2;
		auto *grown = static_cast<unsigned char *>(std::malloc(capacity));
		if (grown == nullptr)
			std::abort();
		if (outputSize > 0)
			std::memcpy(grown, output, outputSize);
		std::free(output);
		output = grown;
		outputCapacity = capacity;
	}
	std::memcpy(output + outputSize, bytes, size);
	outputSize += size;
}

// The core's console texts are code page 850; these are the letters it
// uses, so that the page can show its error lines as UTF-8. A letter
// missing here shows as U+FFFD, which the browser test would see.
struct ConsoleLetter {
	unsigned char cp850;
	const char *utf8;
};
constexpr ConsoleLetter CONSOLE_LETTERS[] = {
	{0x81, "\303\274"}, {0x84, "\303\244"}, {0x8e, "\303\204"}, {0x94, "\303\266"},
	{0x99, "\303\226"}, {0x9a, "\303\234"}, {0xe1, "\303\237"},
};
constexpr const char *REPLACEMENT = "\357\277\275";

const char *utf8Of(unsigned char c)
{
	for (const ConsoleLetter &letter : CONSOLE_LETTERS)
		if (letter.cp850 == c)
			return letter.utf8;
	return REPLACEMENT;
}

// Points argv at the program name and the arguments the page wrote, each
// after the last one's NUL.
void takeArguments()
{
	const char *next = argumentBytes;
	argumentVector[0] = PROGRAM_NAME;
	for (int i = 1; i < argumentCount; i++) {
		argumentVector[i] = next;
		next += std::strlen(next) + 1;
	}
}

// A page's own value, read as the whole text; and rounded once to float.
bool readWhole(const char *text, double &value)
{
	char *end;
	value = std::strtod(text, &end);
	return end != text && *end == '\0';
}

bool readWhole(const char *text, float &value)
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
void keepShortest(float value)
{
	char general[TEXT_SIZE];
	for (int digits = 1; digits <= 9; digits++) {
		std::snprintf(general, TEXT_SIZE, "%.*g", digits, static_cast<double>(value));
		if (toFloat(general) == value)
			break;
	}
	if (!plainDigits(value, valueText, static_cast<int>(std::strlen(general))))
		std::snprintf(valueText, TEXT_SIZE, "%s", general);
}

// A payback under two years also in months, under two months in days, as
// a person says it: the whole count and whether the time is a little less
// ("knapp"), about ("etwa") or a little more ("gut"); a count of 0 days is
// less than a day. Nothing for other times.
constexpr double MONTHS_PER_YEAR = 12;
constexpr double DAYS_PER_YEAR = 365;  // the model's year: 8760 hours
constexpr double ABOUT = 0.1;          // of one month or day
void keepDuration(float years, char *count, const char **unit, const char **nearness)
{
	*count = '\0';
	*unit = *nearness = "";
	auto y = static_cast<double>(years);
	if (!(y > 0 && y < 2))
		return;
	double months = y * MONTHS_PER_YEAR;
	double units = months >= 2 ? months : y * DAYS_PER_YEAR;
	*unit = months >= 2 ? "monate" : "tage";
	double whole = std::round(units);
	*nearness = std::fabs(units - whole) <= ABOUT ? "etwa" : units < whole ? "knapp" : "gut";
	std::snprintf(count, FIGURE_SIZE, "%.0f", whole);
}

// A power from a figure of energy, converted by the core: for the command
// line and as the table prints powers. Returns a ValueCheck.
int keepPower(const char *energyText, float (*convert)(float))
{
	float energy;
	if (!readWhole(energyText, energy))
		return VALUE_NO_NUMBER;
	float power = convert(energy);
	if (!std::isfinite(power))
		return VALUE_NOT_FINITE;
	keepShortest(power);
	std::snprintf(valueShown, FIGURE_SIZE, "%.1f", static_cast<double>(power));
	return VALUE_OK;
}

// The arguments written last as a run reads them, and the row its table
// prints last; false when they give no table.
bool readLastRow(PaybackInput &in, ResultOptions &options, ResultRow &row)
{
	takeArguments();
	if (readArguments(argumentCount, argumentVector, in, options) != 0)
		return false;
	row = lastResultRow(in, options);
	return true;
}

}  // namespace

// Standard output of the module: kept for wgz_output instead of going to
// the browser's console, byte for byte (the console texts are code page
// 850, which emscripten's own path would decode as UTF-8).
extern "C" __wasi_errno_t __wasi_fd_write(__wasi_fd_t fd, const __wasi_ciovec_t *iovs,
                                          size_t iovsLen, __wasi_size_t *written)
{
	size_t total = 0;
	for (size_t i = 0; i < iovsLen; i++) {
		if (fd == 1)
			keepOutput(iovs[i].buf, iovs[i].buf_len);
		total += iovs[i].buf_len;
	}
	*written = static_cast<__wasi_size_t>(total);
	return __WASI_ERRNO_SUCCESS;
}

extern "C" {

// What the page may call: the functions marked EMSCRIPTEN_KEEPALIVE, which
// the module exports as _wgz_... on the instance its factory makes.

// The name that starts every command line the program shows.
EMSCRIPTEN_KEEPALIVE const char *wgz_program_name()
{
	return PROGRAM_NAME;
}

// A block of size bytes for count arguments after the program name, each
// ended by a NUL, to be filled by the page before the next wgz_run,
// wgz_answer or wgz_curve.
EMSCRIPTEN_KEEPALIVE char *wgz_arguments(int count, int size)
{
	std::free(argumentBytes);
	std::free(argumentVector);
	argumentBytes = static_cast<char *>(std::malloc(static_cast<size_t>(size) + 1));
	argumentVector = static_cast<const char **>(
		std::malloc((static_cast<size_t>(count) + 2) * sizeof(const char *)));
	if (argumentBytes == nullptr || argumentVector == nullptr)
		std::abort();
	std::memset(argumentBytes, 0, static_cast<size_t>(size) + 1);
	argumentVector[count + 1] = nullptr;
	argumentCount = count + 1;
	return argumentBytes;
}

// One invocation as from a shell with the arguments written last; its
// output is then in wgz_output.
EMSCRIPTEN_KEEPALIVE int wgz_run()
{
	takeArguments();
	outputSize = 0;
	int status = runCalculator(argumentCount, argumentVector);
	std::fflush(stdout);
	return status;
}

EMSCRIPTEN_KEEPALIVE const unsigned char *wgz_output()
{
	return output;
}

EMSCRIPTEN_KEEPALIVE int wgz_output_size()
{
	return static_cast<int>(outputSize);
}

// The exit status bits that mean a run printed the worked examples.
EMSCRIPTEN_KEEPALIVE int wgz_examples_status()
{
	return REPORT_EXAMPLES_TEXT | REPORT_EXAMPLES_HTML | REPORT_EXAMPLES_PAGE;
}

// The error reports of a status, one at a time: each as the program prints
// it after its help, but in UTF-8, and the words of the command line it is
// about, an option or the positions of the numbers ("3 4": both powers).
EMSCRIPTEN_KEEPALIVE int wgz_errors(int status)
{
	errorCount = 0;
	for (const ErrorSubject &error : ERROR_SUBJECTS) {
		if ((static_cast<ReportFlags>(status) & error.bit) == 0)
			continue;
		outputSize = 0;
		printErrors(error.bit);
		std::fflush(stdout);
		ErrorLine &line = errorLines[errorCount++];
		size_t used = 0;
		for (size_t i = 0; i < outputSize && used + 4 < sizeof line.text; i++) {
			const char *letter = output[i] < 0x80 ? reinterpret_cast<const char *>(&output[i]) : utf8Of(output[i]);
			size_t size = output[i] < 0x80 ? 1 : std::strlen(letter);
			std::memcpy(line.text + used, letter, size);
			used += size;
		}
		line.text[used] = '\0';
		line.subject = error.subject;
	}
	outputSize = 0;
	return errorCount;
}

EMSCRIPTEN_KEEPALIVE const char *wgz_error_text(int i)
{
	if (i < 0 || i >= errorCount)
		return "";
	return errorLines[i].text;
}

EMSCRIPTEN_KEEPALIVE const char *wgz_error_subject(int i)
{
	if (i < 0 || i >= errorCount)
		return "";
	return errorLines[i].subject;
}

// The answer in words, for the row the table prints last: what kind of
// answer it is, and its figures as texts. Returns the kind, "" when the
// arguments give no table:
//   "zahlt"       pays back after the years given (0 for no cost)
//   "aufgehoben"  saving and interest cancel exactly: never
//   "zinsen"      the interest is more than the saving: never
//   "mehr"        the device draws more after than before: never
//   "keine"       the saving is not positive for another reason (price)
//   "kosten"      a negative cost: there is nothing to pay back
//   "ungueltig"   a number is not a number
EMSCRIPTEN_KEEPALIVE const char *wgz_answer()
{
	PaybackInput in;
	ResultOptions options;
	ResultRow row;
	if (!readLastRow(in, options, row))
		return "";
	double energy = yearlyEnergy(row.powerBefore, row.powerAfter);
	double saving = yearlySaving(energy, in.price);
	double interest = yearlyInterest(in.cost, row.rate);
	float years = paybackYears(in.cost, in.price, row.powerBefore, row.powerAfter, row.rate);
	const double figures[] = {
		static_cast<double>(years), energy, saving, -interest, saving + interest, row.realRate,
	};
	for (size_t i = 0; i < std::size(figures); i++)
		std::snprintf(answerTexts[i], FIGURE_SIZE, "%.2f", figures[i]);
	if (!options.haveHours || !plainDigits(in.hoursPerDay, answerTexts[ANSWER_HOURS], FIGURE_SIZE - 1))
		std::snprintf(answerTexts[ANSWER_HOURS], FIGURE_SIZE, "0");
	answerGenerator = row.powerAfter < 0 && row.powerBefore <= 0;
	answerTexts[ANSWER_BALANCE][0] = answerTexts[ANSWER_LIFE][0] = '\0';
	if (serviceLife > 0) {
		std::snprintf(answerTexts[ANSWER_BALANCE], FIGURE_SIZE, "%.2f",
		              lifetimeBalance(serviceLife, saving + interest, in.cost));
		plainDigits(serviceLife, answerTexts[ANSWER_LIFE], FIGURE_SIZE - 1);
	}
	std::snprintf(answerTexts[ANSWER_COST], FIGURE_SIZE, "%.2f", static_cast<double>(in.cost));
	const char *unit, *nearness;
	keepDuration(years, answerTexts[ANSWER_DURATION], &unit, &nearness);
	std::snprintf(answerTexts[ANSWER_DURATION_UNIT], FIGURE_SIZE, "%s", unit);
	std::snprintf(answerTexts[ANSWER_DURATION_NEARNESS], FIGURE_SIZE, "%s", nearness);

	if (std::isnan(years))
		return "ungueltig";
	if (in.cost < 0)
		return "kosten";
	if (years >= 0 && (std::isfinite(years) || saving + interest > 0))
		return "zahlt";
	if (years > 0)
		return "aufgehoben";
	if (saving > 0)
		return "zinsen";
	return energy < 0 ? "mehr" : "keine";
}

// The figures of the last answer as the table prints numbers: 0 years,
// 1 energy saved (kWh a year), 2 what it is worth, 3 interest on the cost,
// 4 net gain (Eu a year), 5 real rate (%); 6 the daily hours (plain
// digits, "0" without -a); with a service life (wgz_service_life), 7 what
// is left at its end (Eu, negative: missing) and 8 its years (plain
// digits), else ""; 9 the cost; a payback under two years as a person says
// it (see keepDuration), else "": 10 its count, 11 "monate" or "tage",
// 12 "knapp", "etwa" or "gut".
EMSCRIPTEN_KEEPALIVE const char *wgz_answer_figure(int i)
{
	if (i < 0 || i > ANSWER_DURATION_NEARNESS)
		return "";
	return answerTexts[i];
}

// Whether the last answer is about a generator: nothing drawn before, power
// given back after.
EMSCRIPTEN_KEEPALIVE int wgz_answer_generator()
{
	return answerGenerator ? 1 : 0;
}

// A power given as the energy label gives it, kWh a year: the average
// power it stands for, in wgz_value_text for the command line and as the
// table prints powers in wgz_value_shown. Returns a ValueCheck.
EMSCRIPTEN_KEEPALIVE int wgz_yearly_power(const char *kwhPerYear)
{
	return keepPower(kwhPerYear, averagePower);
}

// The cost (read as a run reads it) less what the old device sells for:
// in wgz_value_text for the command line, and the resale as the table
// prints money in wgz_value_shown. Returns a ValueCheck.
EMSCRIPTEN_KEEPALIVE int wgz_net_cost(const char *cost, const char *resale)
{
	float value;
	if (!readWhole(resale, value))
		return VALUE_NO_NUMBER;
	if (!std::isfinite(value))
		return VALUE_NOT_FINITE;
	if (value < 0)
		return VALUE_OUT_OF_RANGE;
	keepShortest(netCost(toFloat(cost), value));
	std::snprintf(valueShown, FIGURE_SIZE, "%.2f", static_cast<double>(value));
	return VALUE_OK;
}

// A price given in cents a kWh: the price a run reads, in wgz_value_text
// for the command line and in wgz_value_shown, which is the same text.
// Returns a ValueCheck.
EMSCRIPTEN_KEEPALIVE int wgz_cent_price(const char *centsPerKwh)
{
	double cents;
	if (!readWhole(centsPerKwh, cents))
		return VALUE_NO_NUMBER;
	float price = euroPrice(cents);
	if (!std::isfinite(price))
		return VALUE_NOT_FINITE;
	keepShortest(price);
	std::snprintf(valueShown, FIGURE_SIZE, "%s", valueText);
	return VALUE_OK;
}

// Whether a price argument, as a run reads it, is above what any
// household pays a kWh: a sign that cents were meant. 1 or 0.
EMSCRIPTEN_KEEPALIVE int wgz_price_unusual(const char *price)
{
	return toFloat(price) > HIGHEST_USUAL_PRICE ? 1 : 0;
}

// A power measured in kWh a day: as wgz_yearly_power.
EMSCRIPTEN_KEEPALIVE int wgz_daily_power(const char *kwhPerDay)
{
	return keepPower(kwhPerDay, dailyPower);
}

// A further offer's cost (not negative) or power (any sign), read in full:
// in wgz_value_text and wgz_value_shown as the command line gives it.
// Returns a ValueCheck.
EMSCRIPTEN_KEEPALIVE int wgz_offer_value(const char *text, int isCost)
{
	float value;
	if (!readWhole(text, value))
		return VALUE_NO_NUMBER;
	if (!std::isfinite(value))
		return VALUE_NOT_FINITE;
	if (isCost != 0 && value < 0)
		return VALUE_OUT_OF_RANGE;
	keepShortest(value);
	std::snprintf(valueShown, FIGURE_SIZE, "%s", valueText);
	return VALUE_OK;
}

// Which of two costs (read as a run reads a cost) is dearer: 1 the first,
// -1 the second, 0 neither; the extra price in wgz_value_text, as the cost
// of the command line that pays it back, and in wgz_value_shown as the
// table prints money.
EMSCRIPTEN_KEEPALIVE int wgz_cost_difference(const char *first, const char *second)
{
	float a = toFloat(first), b = toFloat(second);
	float extra = a > b ? netCost(a, b) : netCost(b, a);
	keepShortest(extra);
	std::snprintf(valueShown, FIGURE_SIZE, "%.2f", static_cast<double>(extra));
	return a > b ? 1 : a < b ? -1 : 0;
}

// A comparison begins with the values all options share, each read as a
// run reads it ("" for an option not given): price, interest, inflation,
// daily hours.
EMSCRIPTEN_KEEPALIVE void wgz_compare_shared(const char *price, const char *interest,
                                             const char *inflation, const char *hours)
{
	compareInput = PaybackInput{};
	compareOptions = ResultOptions{};
	compareCount = 0;
	compareInput.price = toFloat(price);
	compareOptions.haveInterest = *interest != '\0';
	compareOptions.haveInflation = *inflation != '\0';
	compareOptions.haveHours = *hours != '\0';
	compareInput.interestRate = compareOptions.haveInterest ? toFloat(interest) : 0;
	compareInput.inflationRate = compareOptions.haveInflation ? toFloat(inflation) : 0;
	if (compareOptions.haveHours)
		compareInput.hoursPerDay = toFloat(hours);
	compareRate = lastResultRow(compareInput, compareOptions).rate;
}

// One option: its cost and its power, as a run reads them (with the daily
// hours, converted as the table's last row converts them). Returns its
// index, -1 when there are already as many as a comparison holds.
EMSCRIPTEN_KEEPALIVE int wgz_compare_option(const char *cost, const char *power)
{
	if (compareCount == MOST_OPTIONS)
		return -1;
	PaybackInput in = compareInput;
	in.powerBefore = toFloat(power);
	in.dutyPowerBefore = dutyPower(in.powerBefore, in.hoursPerDay);
	CompareOption &option = compareOptionList[compareCount];
	option.cost = toFloat(cost);
	option.power = lastResultRow(in, compareOptions).powerBefore;
	return compareCount++;
}

// What each option comes to over the years given (read in full; "" or a
// text that is no number: none), as the table prints money: its cost
// ("kosten"), its kWh a year ("kwh"), their price a year ("strom") and its
// whole cost over the years ("gesamt", "" without years); and its rank,
// 1 for the cheapest over the years ("rang"). Returns the cheapest
// option's index, -1 without years.
EMSCRIPTEN_KEEPALIVE int wgz_compare(const char *years)
{
	float span = 0;
	bool overYears = readWhole(years, span);
	float price = compareInput.price;
	double totals[MOST_OPTIONS];
	for (int i = 0; i < compareCount; i++) {
		CompareOption &option = compareOptionList[i];
		double kwh = yearlyEnergy(option.power, 0);
		totals[i] = wholeCost(option, span);
		const double figures[] = {static_cast<double>(option.cost), kwh, yearlySaving(kwh, price), totals[i]};
		for (size_t k = 0; k < std::size(figures); k++)
			std::snprintf(option.texts[k], FIGURE_SIZE, "%.2f", figures[k]);
		if (!overYears)
			option.texts[3][0] = '\0';
	}
	// Ranked by the whole cost; equal costs keep their order.
	int cheapest = -1, next = -1;
	for (int i = 0; i < compareCount; i++) {
		int rank = 1;
		for (int k = 0; k < compareCount; k++)
			if (totals[k] < totals[i] || (totals[k] == totals[i] && k < i))
				rank++;
		std::snprintf(compareOptionList[i].texts[4], FIGURE_SIZE, "%d", rank);
		if (rank == 1)
			cheapest = i;
		if (rank == 2)
			next = i;
	}
	compareMargin[0] = '\0';
	if (!overYears)
		return -1;
	if (next >= 0)
		std::snprintf(compareMargin, FIGURE_SIZE, "%.2f", totals[next] - totals[cheapest]);
	return cheapest;
}

// The names of an option's figures (see wgz_compare), in the order of the
// figure's number in wgz_option_figure, separated by spaces.
EMSCRIPTEN_KEEPALIVE const char *wgz_compare_figures()
{
	return COMPARE_FIGURES;
}

// Figure k of option i, "" for none.
EMSCRIPTEN_KEEPALIVE const char *wgz_option_figure(int i, int k)
{
	if (i < 0 || i >= compareCount || k < 0 || k >= COMPARE_FIGURE_COUNT)
		return "";
	return compareOptionList[i].texts[k];
}

// Option i's whole cost over the years given (read in full), as the table
// prints money: where two lines of the comparison's chart meet, and where
// they end. "" for no such option or no number.
EMSCRIPTEN_KEEPALIVE const char *wgz_option_total(int i, const char *years)
{
	float span;
	if (i < 0 || i >= compareCount || !readWhole(years, span))
		return "";
	std::snprintf(compareTotal, FIGURE_SIZE, "%.2f", wholeCost(compareOptionList[i], span));
	return compareTotal;
}

// How much less the cheapest option costs over the years than the next.
EMSCRIPTEN_KEEPALIVE const char *wgz_compare_margin()
{
	return compareMargin;
}

EMSCRIPTEN_KEEPALIVE const char *wgz_value_text()
{
	return valueText;
}

EMSCRIPTEN_KEEPALIVE const char *wgz_value_shown()
{
	return valueShown;
}

// The device's service life in years for the next wgz_answer, "" for none.
// Returns a ValueCheck; a value refused leaves none.
EMSCRIPTEN_KEEPALIVE int wgz_service_life(const char *years)
{
	serviceLife = 0;
	if (*years == '\0')
		return VALUE_OK;
	float value;
	if (!readWhole(years, value))
		return VALUE_NO_NUMBER;
	if (!(value > 0 && value <= LONGEST_LIFE))
		return VALUE_OUT_OF_RANGE;
	serviceLife = value;
	return VALUE_OK;
}

// Payback times from price 0 to twice the entered price, for the row that
// the table prints last: the operating-hours row with -a, else the main
// row. Returns the number of points, 0 when the arguments give no table.
EMSCRIPTEN_KEEPALIVE int wgz_curve()
{
	PaybackInput in;
	ResultOptions options;
	ResultRow row;
	curveMarked = -1;
	if (!readLastRow(in, options, row))
		return 0;
	// A price that gives no scale is not marked; the chart spans 0 to 1 Eu/kWh.
	// Twice a price near the float limit is no float, so the span stops there
	// and the mark moves right.
	bool scaled = std::isfinite(in.price) && in.price > 0;
	double highest = scaled ? std::fmin(2.0 * static_cast<double>(in.price), FLT_MAX) : 1.0;

	curveMarked = scaled
		? static_cast<int>(std::lround(static_cast<double>(in.price) / highest * (CURVE_POINTS - 1))) : -1;
	for (int i = 0; i < CURVE_POINTS; i++) {
		float price = i == curveMarked
			? in.price : static_cast<float>(highest * i / (CURVE_POINTS - 1));
		float years = paybackYears(in.cost, price, row.powerBefore, row.powerAfter, row.rate);
		curvePrices[i] = price;
		curveYears[i] = years;
	}
	return CURVE_POINTS;
}

EMSCRIPTEN_KEEPALIVE const float *wgz_curve_prices()
{
	return curvePrices;
}

EMSCRIPTEN_KEEPALIVE const float *wgz_curve_years()
{
	return curveYears;
}

// The years of point i as the table prints them, made when asked for: the
// chart needs only the entered price's.
EMSCRIPTEN_KEEPALIVE const char *wgz_curve_text(int i)
{
	if (i < 0 || i >= CURVE_POINTS)
		return "";
	std::snprintf(curveText, TEXT_SIZE, "%.2f", static_cast<double>(curveYears[i]));
	return curveText;
}

// The index of the point at the entered price, -1 when it is not marked.
EMSCRIPTEN_KEEPALIVE int wgz_curve_marked()
{
	return curveMarked;
}

}  // extern "C"
