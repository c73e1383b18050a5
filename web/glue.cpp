// The calculator's core as the browser page calls it: the one contract
// between the page's script (web/core.js) and the C++. Each export takes
// its inputs as parameters and returns one record, "name=value&..." text
// with every value percent-encoded, which the page reads with
// URLSearchParams; a name given more than once is a list, in order. A
// record stays valid until the next call.
//
//   wgz_program()                  the program's name
//   wgz_run(words, count)          one invocation: its exit status, output
//                                  and error reports
//   wgz_answer(words, count, life) the answer in figures for the row the
//                                  table prints last
//   wgz_curve(words, count)        payback over the electricity price
//   wgz_compare(shared, sharedCount, old, offers, offerCount, life)
//                                  devices compared over a service life
//   wgz_convert(kind, text, other) a value of the page's own made into an
//                                  argument
//
// Words are the arguments after the program name: count texts, each ended
// by a NUL, one after the other, in memory the page takes with malloc. Figures are texts as the table prints
// them; German words are the page's, never the core's.
#include <emscripten/em_macros.h>
#include <wasi/api.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calc.h"
#include "cli.h"
#include "common.h"
#include "output.h"

namespace {

// A growing block of bytes: what the core writes to standard output, and
// the record an export returns.
struct Bytes {
	char *data = nullptr;
	size_t size = 0;
	size_t capacity = 0;
};
Bytes output;
Bytes record;

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

// Record fields. Values are percent-encoded but for the characters that
// URLSearchParams reads as themselves.
void beginRecord()
{
	record.size = 0;
	append(record, "", 0);
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

// A name with a prefix: "paar-" and "jahre" give "paar-jahre".
const char *named(const char *prefix, const char *name)
{
	static char text[32];
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

// A value of the page's own, read as the whole text; and rounded once to float.
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
constexpr int TEXT_SIZE = 64;
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

// The error reports of a status, each as the program prints it after its
// help but in UTF-8 ("fehler"), with the words it is about ("betrifft").
void putErrors(ReportFlags status)
{
	for (ReportFlags bit = 1; bit != 0 && bit <= status; bit <<= 1) {
		const char *subject = errorSubject(bit);
		if ((status & bit) == 0 || subject == nullptr)
			continue;
		output.size = 0;
		printErrors(bit);
		std::fflush(stdout);
		Bytes text;
		for (size_t i = 0; i < output.size; i++) {
			const char *letter = consoleLetter(static_cast<unsigned char>(output.data[i]));
			if (letter == nullptr)
				append(text, &output.data[i], 1);
			else
				append(text, letter, std::strlen(letter));
		}
		putBytes("fehler", text.data, text.size);
		std::free(text.data);
		put("betrifft", subject);
	}
	output.size = 0;
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

// A payback of a command line as the answer gives it, each name after
// prefix: "art" (see answerKind, "" when the line gives no table) and the
// years; under two years also "dauer" with its "dauer-einheit" ("monate",
// "tage") and "dauer-naehe" (-1 a little less, 0 about, 1 a little more);
// with a service life (> 0) the balance at its end ("bilanz"). The rest of
// the answer's figures when all is set.
// Returns the years when it pays back, else NaN.
float putPayback(const char *prefix, const char *const argv[], int argc, float life, bool all)
{
	PaybackInput in;
	ResultOptions options;
	if (readArguments(argc, argv, in, options) != 0) {
		put(named(prefix, "art"), "");
		return NAN;
	}
	ResultRow row = lastResultRow(in, options);
	double energy = yearlyEnergy(row.powerBefore, row.powerAfter);
	double saving = yearlySaving(energy, in.price);
	double interest = yearlyInterest(in.cost, row.rate);
	float years = paybackYears(in.cost, in.price, row.powerBefore, row.powerAfter, row.rate);
	const char *kind = answerKind(years, in.cost, energy, saving, saving + interest);
	put(named(prefix, "art"), kind);
	putFigure(named(prefix, "jahre"), static_cast<double>(years));
	SpokenDuration spoken = spokenDuration(years);
	if (spoken.unit != DURATION_NONE) {
		putNumber(named(prefix, "dauer"), spoken.count);
		put(named(prefix, "dauer-einheit"), spoken.unit == DURATION_MONTHS ? "monate" : "tage");
		putNumber(named(prefix, "dauer-naehe"), spoken.nearness);
	}
	if (life > 0)
		putFigure(named(prefix, "bilanz"), lifetimeBalance(life, saving + interest, in.cost));
	float paidBack = std::strcmp(kind, "zahlt") == 0 ? years : NAN;
	if (!all)
		return paidBack;
	putFigure("energie", energy);
	putFigure("ersparnis", saving);
	putFigure("zinsen", -interest);
	putFigure("gewinn", saving + interest);
	putFigure("realzins", row.realRate);
	putFigure("kosten", static_cast<double>(in.cost));
	char hours[TEXT_SIZE];
	if (options.haveHours && plainDigits(in.hoursPerDay, hours, TEXT_SIZE - 1))
		put("stunden", hours);
	if (row.powerAfter < 0 && row.powerBefore <= 0)
		put("erzeuger", "1");
	return paidBack;
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

// Each device's figures ("kosten", "kwh", "strom" a year and, over a
// service life, "gesamt"), its rank ("rang", 1: cheapest over the life or
// by its price), and with a life the cheapest ("guenstigst"), the next
// ("naechst") and how much less the cheapest costs ("abstand").
void putDevices(const Device devices[], int count, float price, float rate, float life)
{
	auto *totals = static_cast<double *>(std::malloc(static_cast<size_t>(count) * sizeof(double)));
	auto *ranks = static_cast<int *>(std::malloc(static_cast<size_t>(count) * sizeof(int)));
	if (totals == nullptr || ranks == nullptr)
		std::abort();
	for (int i = 0; i < count; i++)
		totals[i] = lifetimeCost(life, devices[i].cost, price, devices[i].power, rate);
	rankByTotal(totals, count, ranks);
	int cheapest = 0, next = -1;
	for (int i = 0; i < count; i++) {
		double kwh = yearlyEnergy(devices[i].power, 0);
		putFigure("kosten", static_cast<double>(devices[i].cost));
		putFigure("kwh", kwh);
		putFigure("strom", yearlySaving(kwh, price));
		if (life > 0)
			putFigure("gesamt", totals[i]);
		putNumber("rang", ranks[i]);
		cheapest = ranks[i] == 1 ? i : cheapest;
		next = ranks[i] == 2 ? i : next;
	}
	if (life > 0 && next >= 0) {
		putNumber("guenstigst", cheapest);
		putNumber("naechst", next);
		putFigure("abstand", totals[next] - totals[cheapest]);
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
// counts pairs from 1, and "paarN-" names "billig" and "teuer" (indices),
// "gleich-teuer" (1: the same cost), "sparsamer" (the index of the one
// drawing less, -1: neither), "mehrpreis", "zeile" (the words of the
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
			char prefix[16], extra[TEXT_SIZE];
			std::snprintf(prefix, sizeof prefix, "paar%d-", ++pair);
			float price = netCost(devices[dear].cost, devices[cheap].cost);
			shortest(price, extra);
			const char **line = lineWith(extra, devices[cheap].powerWord, devices[dear].powerWord, shared, sharedCount);
			putNumber(named(prefix, "billig"), cheap);
			putNumber(named(prefix, "teuer"), dear);
			putNumber(named(prefix, "gleich-teuer"), a.cost == b.cost ? 1 : 0);
			putNumber(named(prefix, "sparsamer"), a.power < b.power ? i : b.power < a.power ? k : -1);
			putFigure(named(prefix, "mehrpreis"), static_cast<double>(price));
			putLine(named(prefix, "zeile"), line, sharedCount + 4);
			float years = putPayback(prefix, line, sharedCount + 4, 0, false);
			std::free(line);
			if (years > 0 && std::isfinite(years))
				catchUps[added++] = {years, cheap};
		}
	}
	return added;
}

// Each offer against the old device kept (devices[0]): "altN-" names its
// "zeile" and payback over the life (putPayback). Returns how many
// catch-ups it added.
int putVersusOld(const Device devices[], int count, const char *const shared[], int sharedCount, float life,
                 CatchUp catchUps[])
{
	int added = 0;
	for (int i = 1; i < count; i++) {
		char prefix[16];
		std::snprintf(prefix, sizeof prefix, "alt%d-", i);
		const char **line = lineWith(devices[i].costWord, devices[0].powerWord, devices[i].powerWord, shared,
		                             sharedCount);
		putLine(named(prefix, "zeile"), line, sharedCount + 4);
		float years = putPayback(prefix, line, sharedCount + 4, life, false);
		std::free(line);
		if (years > 0 && std::isfinite(years))
			catchUps[added++] = {years, 0};
	}
	return added;
}

// The chart of costs over the years: its span ("bis"), each device's cost
// at its end ("linie-bis"), and each catch-up within it ("punkt-jahre",
// "punkt-kosten"); "punkt-alt" 1 when one of them is against the old device.
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
	put("bis", text);
	for (int i = 0; i < count; i++)
		putFigure("linie-bis", lifetimeCost(span, devices[i].cost, price, devices[i].power, rate));
	bool againstOld = false;
	for (int i = 0; i < caught; i++) {
		char when[FIGURE_SIZE];
		formatFigure(when, static_cast<double>(catchUps[i].years));
		if (toFloat(when) > span)
			continue;
		const Device &cheap = devices[catchUps[i].cheap];
		put("punkt-jahre", when);
		putFigure("punkt-kosten", lifetimeCost(catchUps[i].years, cheap.cost, price, cheap.power, rate));
		againstOld = againstOld || (old && catchUps[i].cheap == 0);
	}
	if (againstOld)
		put("punkt-alt", "1");
}

}  // namespace

// Standard output of the module: kept in output instead of going to the
// browser's console, byte for byte (the console texts are code page 850,
// which emscripten's own path would decode as UTF-8).
extern "C" __wasi_errno_t __wasi_fd_write(__wasi_fd_t fd, const __wasi_ciovec_t *iovs,
                                          size_t iovsLen, __wasi_size_t *written)
{
	size_t total = 0;
	for (size_t i = 0; i < iovsLen; i++) {
		if (fd == 1)
			append(output, iovs[i].buf, iovs[i].buf_len);
		total += iovs[i].buf_len;
	}
	*written = static_cast<__wasi_size_t>(total);
	return __WASI_ERRNO_SUCCESS;
}

// What the page may call: the functions marked EMSCRIPTEN_KEEPALIVE, which
// the module exports as _wgz_... on the instance its factory makes.
extern "C" {

// The program's "name", which starts every command line the page shows.
EMSCRIPTEN_KEEPALIVE const char *wgz_program()
{
	beginRecord();
	put("name", PROGRAM_NAME);
	return record.data;
}

// One invocation as from a shell: "status", the exit status; "ausgabe",
// the bytes written (the HTML forms are UTF-8); "beispiele" 1 when it
// printed the worked examples; and the error reports of its status
// ("fehler", "betrifft"; see putErrors).
EMSCRIPTEN_KEEPALIVE const char *wgz_run(const char *words, int count)
{
	const char **argv = lineOf(words, count);
	output.size = 0;
	int status = runCalculator(count + 1, argv);
	std::fflush(stdout);
	std::free(argv);
	beginRecord();
	putNumber("status", status);
	putBytes("ausgabe", output.data, output.size);
	constexpr ReportFlags EXAMPLES = REPORT_EXAMPLES_TEXT | REPORT_EXAMPLES_HTML | REPORT_EXAMPLES_PAGE;
	if ((static_cast<ReportFlags>(status) & EXAMPLES) != 0)
		put("beispiele", "1");
	putErrors(static_cast<ReportFlags>(status));
	return record.data;
}

// The answer in words for the row that the table prints last, with a
// service life ("" for none): its kind ("art"), years and duration, the
// balance at the end of the life, and the figures of a year: "energie"
// (kWh saved), "ersparnis" (what it is worth), "zinsen" (on the cost,
// negative: a cost), "gewinn" (what is left), "realzins" (%), "kosten",
// "stunden" (plain digits, with -a), "erzeuger" 1 for a generator (nothing
// drawn before, power given back after). "art" is "" when the words give
// no table.
EMSCRIPTEN_KEEPALIVE const char *wgz_answer(const char *words, int count, const char *life)
{
	const char **argv = lineOf(words, count);
	beginRecord();
	putPayback("", argv, count + 1, lifeOf(life), true);
	std::free(argv);
	return record.data;
}

// Payback times from price 0 to twice the entered price, for the row that
// the table prints last (the operating-hours row with -a): "preis" and
// "jahre" for each point (as many digits as a float needs), and "marke",
// the index of the entered price, with its years as the table prints them
// ("marke-jahre"). Nothing when the words give no table.
EMSCRIPTEN_KEEPALIVE const char *wgz_curve(const char *words, int count)
{
	constexpr int CURVE_POINTS = 121;
	const char **argv = lineOf(words, count);
	PaybackInput in;
	ResultOptions options;
	bool table = readArguments(count + 1, argv, in, options) == 0;
	std::free(argv);
	beginRecord();
	if (!table)
		return record.data;
	ResultRow row = lastResultRow(in, options);
	// A price that gives no scale is not marked; the chart spans 0 to 1 Eu/kWh.
	// Twice a price near the float limit is no float, so the span stops there
	// and the mark moves right.
	bool scaled = std::isfinite(in.price) && in.price > 0;
	double highest = scaled ? std::fmin(2.0 * static_cast<double>(in.price), FLT_MAX) : 1.0;
	int marked = scaled
		? static_cast<int>(std::lround(static_cast<double>(in.price) / highest * (CURVE_POINTS - 1))) : -1;
	for (int i = 0; i < CURVE_POINTS; i++) {
		float price = i == marked ? in.price : static_cast<float>(highest * i / (CURVE_POINTS - 1));
		float years = paybackYears(in.cost, price, row.powerBefore, row.powerAfter, row.rate);
		char text[TEXT_SIZE];
		std::snprintf(text, TEXT_SIZE, "%.9g", static_cast<double>(price));
		put("preis", text);
		std::snprintf(text, TEXT_SIZE, "%.9g", static_cast<double>(years));
		put("jahre", text);
		if (i == marked) {
			putNumber("marke", i);
			putFigure("marke-jahre", static_cast<double>(years));
		}
	}
	return record.data;
}

// Devices compared over a service life ("" for none): shared, the price and
// the options every command line of the comparison has; old, the power of
// the old device kept ("" for none), which costs nothing; offers, each
// offer's cost and power, two words an offer. With the options' errors
// ("status", "fehler", "betrifft") or a shared value without a finite
// figure ("unendlich", the words it stands for) there is no comparison.
// Else the devices, the old one first (putDevices), each pair of offers
// (putPairs), each offer against the old device (putVersusOld) and the
// chart (putChart).
EMSCRIPTEN_KEEPALIVE const char *wgz_compare(const char *shared, int sharedCount, const char *old,
                                             const char *offers, int offerCount, const char *life)
{
	beginRecord();
	const char **words = lineOf(shared, sharedCount);
	const char *const *common = words + 1;
	const char **probe = lineWith("0", "1", "0", common, sharedCount);
	PaybackInput in;
	ResultOptions options;
	auto status = readArguments(sharedCount + 4, probe, in, options);
	ResultRow row = lastResultRow(in, options);
	const char *infinite = status == 0 ? notFinite(in, options, row) : nullptr;
	if (status != 0) {
		putNumber("status", static_cast<int>(status));
		putErrors(status);
	} else if (infinite != nullptr) {
		put("unendlich", infinite);
	} else {
		int count = offerCount + (*old != '\0' ? 1 : 0);
		size_t pairs = static_cast<size_t>(offerCount * offerCount + count);
		auto *devices = static_cast<Device *>(std::malloc(static_cast<size_t>(count) * sizeof(Device)));
		auto *catchUps = static_cast<CatchUp *>(std::malloc(pairs * sizeof(CatchUp)));
		if (devices == nullptr || catchUps == nullptr)
			std::abort();
		const char **offerWords = lineOf(offers, 2 * offerCount);
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
		float years = lifeOf(life);
		putDevices(devices, count, in.price, row.rate, years);
		int caught = putPairs(devices, count - offerCount, count, common, sharedCount, catchUps);
		if (count > offerCount)
			caught += putVersusOld(devices, count, common, sharedCount, years, catchUps + caught);
		putChart(devices, count, in.price, row.rate, years, catchUps, caught, count > offerCount);
		std::free(offerWords);
		std::free(devices);
		std::free(catchUps);
	}
	std::free(probe);
	std::free(words);
	return record.data;
}

// A value of the page's own, of a kind, made into the word of a command
// line ("wert") and the text the page shows for it ("gezeigt"), or refused
// ("problem": "zahl", no number in full; "unendlich", no finite result;
// "bereich", out of range):
//   kwh-jahr       a power from kWh a year, as an energy label gives it
//   kwh-tag        a power from kWh a day, as a plug-in meter measures it
//   ct             a price in euros from cents a kWh
//   preis          a price as a run reads it: "ungewoehnlich" 1 when it is
//                  above what any household pays, a sign that cents were meant
//   erloes         the cost (other, as a run reads it) less a resale
//   kosten         an offer's cost, not negative, less the resale (other,
//                  "" for none)
//   leistung       an offer's power, of either sign
//   nutzungsdauer  a service life (see lifeOf)
EMSCRIPTEN_KEEPALIVE const char *wgz_convert(const char *kind, const char *text, const char *other)
{
	// Euros a kWh: a few times what households in Europe pay, and far below
	// the 10 or more that a price typed in cents would be.
	constexpr float HIGHEST_USUAL_PRICE = 2;
	beginRecord();
	if (std::strcmp(kind, "preis") == 0) {
		put("ungewoehnlich", toFloat(text) > HIGHEST_USUAL_PRICE ? "1" : "0");
		return record.data;
	}
	double number;
	if (!readWhole(text, number)) {
		put("problem", "zahl");
		return record.data;
	}
	auto value = static_cast<float>(number);
	bool money = std::strcmp(kind, "erloes") == 0 || std::strcmp(kind, "kosten") == 0;
	bool energy = std::strncmp(kind, "kwh", 3) == 0;
	bool life = std::strcmp(kind, "nutzungsdauer") == 0;
	float made = std::strcmp(kind, "kwh-jahr") == 0 ? averagePower(value)
		: std::strcmp(kind, "kwh-tag") == 0 ? dailyPower(value)
		: std::strcmp(kind, "ct") == 0 ? euroPrice(number)
		: std::strcmp(kind, "erloes") == 0 ? netCost(toFloat(other), value)
		: std::strcmp(kind, "kosten") == 0 && *other != '\0' ? netCost(value, toFloat(other)) : value;
	// (A cost without a finite value is the command line's own business.)
	const char *problem = life ? (lifeOf(text) == 0 ? "bereich" : nullptr)
		: !std::isfinite(value) || (!money && !std::isfinite(made)) ? "unendlich"
		: money && value < 0 ? "bereich" : nullptr;
	if (problem != nullptr) {
		put("problem", problem);
		return record.data;
	}
	char word[TEXT_SIZE], shown[FIGURE_SIZE];
	shortest(made, word);
	put("wert", life ? text : word);
	if (money)
		formatFigure(shown, static_cast<double>(value));
	else if (energy)
		formatPower(shown, static_cast<double>(made));
	put("gezeigt", money || energy ? shown : life ? text : word);
	return record.data;
}

}  // extern "C"
