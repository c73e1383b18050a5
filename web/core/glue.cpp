// The calculator's core as the browser page calls it: the one contract
// between the page's script (web/script/core.js) and the C++. Each export takes
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
//   wgz_solar(words, count)        a plug-in solar system estimated
//   wgz_power(words, count)        a device's power with its standby and
//                                  count, as a command line takes it
//
// Words are the arguments after the program name: count texts, each ended
// by a NUL, one after the other, in memory the page takes with malloc.
// Figures are texts as the table prints them; German words are the
// page's, never the core's. The records are written by record.cpp, the
// comparison's by comparison.cpp.
#include <emscripten/em_macros.h>
#include <wasi/api.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "calc.h"
#include "cli.h"
#include "common.h"
#include "comparison.h"
#include "output.h"
#include "record.h"
#include "solar.h"

namespace {

// Standard output of the module, kept for wgz_run.
Bytes output;

// The error reports of a status, each as the program prints it after its
// help but in UTF-8 ("errors"), with the words it is about ("about").
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
		putBytes("errors", text.data, text.size);
		std::free(text.data);
		put("about", subject);
	}
	output.size = 0;
}

// The page's words for a solar system's orientation and mounting.
struct Named {
	const char *word;
	int value;
};
constexpr Named ORIENTATIONS[] = {{"sued", SOUTH}, {"suedost", SOUTH_EAST}, {"suedwest", SOUTH_WEST},
                                  {"ost", EAST},   {"west", WEST},          {"ostwest", EAST_WEST}};
constexpr Named MOUNTINGS[] = {{"senkrecht", VERTICAL}, {"schraeg", TILTED}};
template <size_t N>
int valueOf(const Named (&names)[N], const char *word)
{
	for (const Named &name : names)
		if (std::strcmp(name.word, word) == 0)
			return name.value;
	return -1;
}

// A figure of a solar system in kWh, Wp or kWh of storage: "" for none
// (0) where that may be, else a finite number above 0 and at most most.
// Returns the problem, null for none.
const char *readAmount(const char *text, bool optional, double most, float &value)
{
	value = 0;
	double number;
	if (optional && *text == '\0')
		return nullptr;
	if (!readWhole(text, number))
		return "zahl";
	if (!(number > 0 && number <= most))
		return "bereich";
	value = static_cast<float>(number);
	return nullptr;
}

// The texts of a solar system, each named as wgz_solar takes them, read
// into input; the problem and the field's word, or false.
bool readSolar(const char *const words[], int count, SolarInput &input, const char *&problem, const char *&field)
{
	auto text = [words, count](const char *name) { return wordNamed(words, count, name); };
	// More than any plug-in system, and short of any roof a page is asked about.
	constexpr double MOST_WATTS = 100000, MOST_KWH = 1e7;
	// A measured self-use answers alone; a known yield needs no module power.
	bool measured = *text("selbst-kwh") != '\0', known = measured || *text("ertrag-kwh") != '\0';
	const struct {
		const char *field;
		bool optional;
		double most;
		float *value;
	} amounts[] = {{"wp", known, MOST_WATTS, &input.peakWatts},
	               {"haushalt-kwh", measured, MOST_KWH, &input.householdKwh},
	               {"speicher-kwh", true, MOST_KWH, &input.batteryKwh},
	               {"ertrag-kwh", true, MOST_KWH, &input.yieldKwh},
	               {"selbst-kwh", true, MOST_KWH, &input.selfUsedKwh}};
	for (const auto &amount : amounts) {
		problem = readAmount(text(amount.field), amount.optional, amount.most, *amount.value);
		field = amount.field;
		if (problem != nullptr)
			return false;
	}
	input.regionFactor = regionalFactor(text("plz"));
	field = "plz";
	problem = "bereich";
	if (input.regionFactor < 0)
		return false;
	int orientation = valueOf(ORIENTATIONS, text("ausrichtung")), mounting = valueOf(MOUNTINGS, text("montage"));
	field = "ausrichtung";
	problem = orientation < 0 && !(input.yieldKwh > 0) && !measured ? "leer" : nullptr;
	input.orientation = orientation < 0 ? SOUTH : static_cast<Orientation>(orientation);
	input.mounting = mounting < 0 ? VERTICAL : static_cast<Mounting>(mounting);
	input.homeByDay = std::strcmp(text("tagsueber"), "weg") != 0;
	return problem == nullptr;
}

// How an estimated self-use was made, each step as the page shows it: the
// yield's ratio to the consumption ("ratio", %), the published series'
// share there ("series", %) with its factors for east and west and for a
// household away by day ("orientationFactor", "awayFactor"), the most
// likely part of it ("likely", %), the direct self-use ("direct") and a
// battery's part of the surplus ("batteryShare", %, and "stored"); and
// "estimateRounded", each of these steps whose shown figures give another
// result by hand ("direct", "stored", "selfUsed").
void putEstimate(const SolarEstimate &e)
{
	constexpr double PERCENT = 100;
	char yield[FIGURE_SIZE], series[FIGURE_SIZE], direct[FIGURE_SIZE], used[FIGURE_SIZE];
	putFigure("ratio", e.ratio * PERCENT);
	formatFigure(series, e.seriesShare * PERCENT);
	put("series", series);
	putFigure("orientationFactor", e.orientationFactor);
	putFigure("awayFactor", e.awayFactor);
	putFigure("likely", e.likelyFactor * PERCENT);
	putFigure("lowest", LOW_OF_SERIES * PERCENT);
	formatFigure(direct, e.directKwh);
	put("direct", direct);
	formatFigure(yield, e.yieldKwh);
	formatFigure(used, e.selfUsedKwh);
	auto number = [](const char *text) { return std::strtod(text, nullptr); };
	// Each step against its shown figures, worked by hand.
	auto rounded = [](const char *step, double byHand, const char *shown) { putIfRounded("estimateRounded", step, byHand, shown); };
	rounded("direct", number(yield) * number(series) / PERCENT * e.orientationFactor * e.awayFactor * e.likelyFactor, direct);
	if (e.batteryShare > 0) {
		char share[FIGURE_SIZE], stored[FIGURE_SIZE];
		formatFigure(share, e.batteryShare * PERCENT);
		put("batteryShare", share);
		formatFigure(stored, e.storedKwh);
		put("stored", stored);
		rounded("stored", (number(yield) - number(direct)) * number(share) / PERCENT, stored);
		rounded("selfUsed", number(direct) + number(stored), used);
	}
}

// A self-used amount as the power a command line gives a generator: minus
// its kWh a year over 8.76, as a power argument is read.
void putGenerator(const char *name, double kwh)
{
	char word[TEXT_SIZE];
	shortest(-averagePower(static_cast<float>(kwh)), word);
	put(name, word);
}

// The chart's points, as wgz_curve hands them to the page.
constexpr int CURVE_POINTS = 121;
float curvePoints[2 * CURVE_POINTS];

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
	return recordText();
}

// One invocation as from a shell: "status", the exit status; "output",
// the bytes written (the HTML forms are UTF-8); "examples" 1 when it
// printed the worked examples; and the error reports of its status
// ("errors", "about"; see putErrors).
EMSCRIPTEN_KEEPALIVE const char *wgz_run(const char *words, int count)
{
	const char **argv = lineOf(words, count);
	output.size = 0;
	int status = runCalculator(count + 1, argv);
	std::fflush(stdout);
	std::free(argv);
	beginRecord();
	putNumber("status", status);
	putBytes("output", output.data, output.size);
	constexpr ReportFlags EXAMPLES = REPORT_EXAMPLES_TEXT | REPORT_EXAMPLES_HTML | REPORT_EXAMPLES_PAGE;
	if ((static_cast<ReportFlags>(status) & EXAMPLES) != 0)
		put("examples", "1");
	putErrors(static_cast<ReportFlags>(status));
	return recordText();
}

// The answer in words for the row that the table prints last, with a
// service life ("" for none): its kind ("kind"), "years" and duration, the
// balance at the end of the life, and the figures of a year: "energy"
// (kWh saved), "saving" (what it is worth), "interest" (on the cost,
// negative: a cost), "gain" (what is left), "rate" (%), "cost",
// "hours" (plain digits, with -a), "generator" 1 for a generator (nothing
// drawn before, power given back after), and the working's figures (see
// putWorking in record.cpp). "kind" is "" when the words give no table.
EMSCRIPTEN_KEEPALIVE const char *wgz_answer(const char *words, int count, const char *life)
{
	const char **argv = lineOf(words, count);
	beginRecord();
	putPayback("", argv, count + 1, lifeOf(life), true);
	std::free(argv);
	return recordText();
}

// Payback times from price 0 to twice the entered price, for the row that
// the table prints last (the operating-hours row with -a): "points", their
// count, and "at", the address of that many pairs of floats (price, years)
// in the module's memory, valid until the next call; "marked", the index
// of the entered price, with its years as the table prints them
// ("markedText"). Nothing when the words give no table. (As text, the 242
// numbers cost a keystroke more than the rest of the call.)
EMSCRIPTEN_KEEPALIVE const char *wgz_curve(const char *words, int count)
{
	const char **argv = lineOf(words, count);
	PaybackInput in;
	ResultOptions options;
	bool table = readArguments(count + 1, argv, in, options) == 0;
	std::free(argv);
	beginRecord();
	if (!table)
		return recordText();
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
		curvePoints[2 * i] = price;
		curvePoints[2 * i + 1] = years;
		if (i == marked) {
			putNumber("marked", i);
			putFigure("markedText", static_cast<double>(years));
		}
	}
	putNumber("points", CURVE_POINTS);
	putNumber("at", static_cast<int>(reinterpret_cast<uintptr_t>(curvePoints)));
	return recordText();
}

// Devices compared over a service life ("" for none): shared, the price and
// the options every command line of the comparison has; old, the power of
// the old device kept ("" for none); offers, each offer's cost and power,
// two words an offer. With the options' errors ("status", "errors",
// "about") or a shared value without a finite figure ("notFinite", the
// words it stands for) there is no comparison; else its figures, as
// putComparison (comparison.h) gives them.
EMSCRIPTEN_KEEPALIVE const char *wgz_compare(const char *shared, int sharedCount, const char *old,
                                             const char *offers, int offerCount, const char *life)
{
	beginRecord();
	const char **words = lineOf(shared, sharedCount);
	const char **probe = lineWith("0", "1", "0", words + 1, sharedCount);
	PaybackInput in;
	ResultOptions options;
	auto status = readArguments(sharedCount + 4, probe, in, options);
	const char *infinite = status == 0 ? notFinite(in, options, lastResultRow(in, options)) : nullptr;
	if (status != 0) {
		putNumber("status", static_cast<int>(status));
		putErrors(status);
	} else if (infinite != nullptr) {
		put("notFinite", infinite);
	} else {
		putComparison(words + 1, sharedCount, in, options, old, offers, offerCount, lifeOf(life));
	}
	std::free(probe);
	std::free(words);
	return recordText();
}

// A value of the page's own, of a kind, made into the word of a command
// line ("text") and the text the page shows for it ("shown"; for a resale
// also the cost as read, "cost"), or refused
// ("problem": "zahl", no number in full; "unendlich", no finite result;
// "bereich", out of range):
//   kwh-jahr       a power from kWh a year, as an energy label gives it
//   kwh-tag        a power from kWh a day, as a plug-in meter measures it
//   ct             a price in euros from cents a kWh
//   preis          a price as a run reads it: "unusual" 1 when it is
//                  above what any household pays, a sign that cents were meant
//   erloes         the cost (other, as a run reads it) less a resale
//   kosten         an offer's cost, not negative, less the resale (other,
//                  "" for none)
//   leistung       an offer's power, of either sign
//   nutzungsdauer  a service life (see lifeOf)
//   zahl           any number field's text: wholly a number ("text" is the
//                  text itself), or "zahl"
//   anzahl         a cost (other) of count (text) identical devices
EMSCRIPTEN_KEEPALIVE const char *wgz_convert(const char *kind, const char *text, const char *other)
{
	// Euros a kWh: a few times what households in Europe pay, and far below
	// the 10 or more that a price typed in cents would be.
	constexpr float HIGHEST_USUAL_PRICE = 2;
	beginRecord();
	if (std::strcmp(kind, "preis") == 0) {
		put("unusual", toFloat(text) > HIGHEST_USUAL_PRICE ? "1" : "0");
		return recordText();
	}
	double number;
	if (!readWhole(text, number)) {
		put("problem", "zahl");
		return recordText();
	}
	if (std::strcmp(kind, "zahl") == 0) {
		put("text", text);
		return recordText();
	}
	if (std::strcmp(kind, "anzahl") == 0) {
		char word[TEXT_SIZE];
		if (!readCount(text, number)) {
			put("problem", "bereich");
			return recordText();
		}
		float cost = timesCount(toFloat(other), number);
		shortest(cost, word);
		put("text", number == 1 ? other : word);
		putFigure("shown", static_cast<double>(cost));
		return recordText();
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
		return recordText();
	}
	char word[TEXT_SIZE], shown[FIGURE_SIZE];
	shortest(made, word);
	put("text", life ? text : word);
	if (std::strcmp(kind, "erloes") == 0)
		putFigure("cost", static_cast<double>(toFloat(other)));
	if (money)
		formatFigure(shown, static_cast<double>(value));
	else if (energy)
		formatPower(shown, static_cast<double>(made));
	put("shown", money || energy ? shown : life ? text : word);
	return recordText();
}

// A plug-in solar system from the page's texts, each a word "name=text":
// wp (module power), ausrichtung (sued, suedost, suedwest, ost, west,
// ostwest), montage (senkrecht, schraeg), tagsueber (zuhause, weg),
// haushalt-kwh (consumption a year), speicher-kwh, ertrag-kwh and
// selbst-kwh (a year; not named or "" for none, or for the estimate), plz
// (the first digits of the postal code; "" for Germany's mean). Either "problem" ("zahl": no
// number; "bereich": not above 0, or beyond what any plug-in system or
// household has; "leer": no orientation chosen; "zuviel": more self-used
// than the yield or the consumption) with "field", the word of its field;
// or the estimate (solar.h): "specific" (kWh a kWp at Munich) and "region"
// (the region's factor on it; neither where the yield was given), "yield", "selfUsed", "share" (% of the yield), "low" and
// "high" (kWh a year), and for each the power of the command line that
// pays it back ("power", "powerLow", "powerHigh");
// how the self-use was estimated (putEstimate); "rule", the rules it falls
// under (schuko, energiestecker, keine; not without a module power); and
// "batteryUnusual" for a battery so large that Wh were likely meant. A
// measured self-use needs no module power or household, a known yield no
// module power; neither yield nor share without either.
EMSCRIPTEN_KEEPALIVE const char *wgz_solar(const char *words, int count)
{
	const char **text = lineOf(words, count);
	beginRecord();
	SolarInput input;
	const char *problem = "zahl", *field = "wp";
	if (readSolar(text + 1, count, input, problem, field)) {
		SolarEstimate estimate = estimateSolar(input);
		// (Against what is known: a yield or a consumption of 0 is not given.)
		double most = std::fmin(estimate.yieldKwh > 0 ? estimate.yieldKwh : HUGE_VAL,
		                        input.householdKwh > 0 ? static_cast<double>(input.householdKwh) : HUGE_VAL);
		if (input.selfUsedKwh > 0 && !(estimate.selfUsedKwh <= most))
			problem = "zuviel", field = "selbst-kwh";
		else
			problem = nullptr;
		if (problem == nullptr) {
			if (estimate.specificYield > 0) {
				putFigure("specific", estimate.specificYield);
				putFigure("region", estimate.regionFactor);
			}
			putFigure("selfUsed", estimate.selfUsedKwh);
			if (estimate.yieldKwh > 0) {
				putFigure("yield", estimate.yieldKwh);
				char share[FIGURE_SIZE];
				formatFigure(share, estimate.selfUsedKwh / estimate.yieldKwh * 100);
				put("share", share);
			}
			if (estimate.seriesShare > 0)
				putEstimate(estimate);
			putFigure("low", estimate.lowKwh);
			putFigure("high", estimate.highKwh);
			putGenerator("power", estimate.selfUsedKwh);
			putGenerator("powerLow", estimate.lowKwh);
			putGenerator("powerHigh", estimate.highKwh);
			const char *const RULES[] = {"schuko", "energiestecker", "keine"};
			if (input.peakWatts > 0)
				put("rule", RULES[plugInRule(input.peakWatts)]);
			// Home batteries hold a few kWh, 20 at most: a figure this large was
			// likely meant in Wh.
			constexpr float LARGEST_USUAL_BATTERY = 100;
			if (input.batteryKwh >= LARGEST_USUAL_BATTERY)
				put("batteryUnusual", "1");
		}
	}
	if (problem != nullptr) {
		put("problem", problem);
		put("field", field);
	}
	std::free(text);
	return recordText();
}

// A device's power from the page's texts, each a word "name=text":
// leistung (the power in W as a command line word, converted from kWh
// where so typed), standby (W for the rest of the day; "" for none),
// stunden (the daily hours of operation, "" for around the clock) and
// anzahl (identical devices, "" for one); the fields of putPower
// (record.h).
EMSCRIPTEN_KEEPALIVE const char *wgz_power(const char *words, int count)
{
	const char **text = lineOf(words, count);
	auto named = [text, count](const char *name) { return wordNamed(text + 1, count, name); };
	beginRecord();
	putPower(named("leistung"), named("standby"), named("stunden"), named("anzahl"));
	std::free(text);
	return recordText();
}

}  // extern "C"
