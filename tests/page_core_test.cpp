// The page's own C++, built natively: the records it reads for an answer,
// its working and a comparison, and a device's power with its standby and
// count. Each figure checked is one a person works out by hand.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calc.h"
#include "cli.h"
#include "comparison.h"
#include "record.h"

namespace {

// The values of a record's field, in order, decoded.
std::vector<std::string> valuesOf(const char *name)
{
	std::vector<std::string> values;
	std::string text = recordText(), key = std::string(name) + "=";
	for (size_t at = 0; at <= text.size();) {
		size_t end = text.find('&', at);
		if (end == std::string::npos)
			end = text.size();
		std::string pair = text.substr(at, end - at);
		if (pair.compare(0, key.size(), key) == 0) {
			std::string value;
			for (size_t i = key.size(); i < pair.size(); i++)
				if (pair[i] == '%' && i + 2 < pair.size()) {
					value += static_cast<char>(std::strtol(pair.substr(i + 1, 2).c_str(), nullptr, 16));
					i += 2;
				} else {
					value += pair[i];
				}
			values.push_back(value);
		}
		at = end + 1;
	}
	return values;
}
std::string valueOf(const char *name)
{
	std::vector<std::string> values = valuesOf(name);
	return values.empty() ? "-" : values[0];
}

// A payback of a command line, as the answer's record has it.
void answer(std::vector<const char *> words, float life = 0)
{
	words.insert(words.begin(), "wiedergewinnszeit");
	beginRecord();
	putPayback("", words.data(), static_cast<int>(words.size()), life, true);
}

// Saving and interest of 876 Euro a year each cancel exactly: never, and
// not because the interest is higher. Every kind as the page words it.
TEST(AnswerKind, EachKindAndExactCancellation)
{
	const struct {
		std::vector<const char *> words;
		const char *kind;
	} rows[] = {
		{{"876", "1", "100", "0", "-z", "100"}, "aufgehoben"},
		{{"876", "1", "100", "0", "-z", "100.1"}, "zinsen"},
		{{"876", "1", "100", "0", "-z", "99.9"}, "zahlt"},
		{{"100", "0.24", "50", "40"}, "zahlt"},
		{{"100", "0.24", "50", "40", "-z", "30"}, "zinsen"},
		{{"100", "0.24", "40", "50"}, "mehr"},
		{{"100", "0", "50", "40"}, "keine"},
		{{"-5", "0.24", "50", "40"}, "kosten"},
		{{"100", "nan", "50", "40"}, "ungueltig"},
		{{"0", "0.3", "50", "60"}, "mehr"},
		{{"100", "0.24", "50", "50"}, ""},
	};
	for (const auto &row : rows) {
		answer(row.words);
		EXPECT_EQ(valueOf("kind"), row.kind) << row.words[0] << " " << row.words.back();
	}
	EXPECT_STREQ(answerKind(INFINITY, 876, 876, 876, 0), "aufgehoben");
}

// A step of the working is said to be rounded only where its shown figures,
// recomputed by hand, give another last digit: 16,7 W and 13,3 W (8 of 24
// hours of 50 and 40 W) give 29,78 kWh by hand, not 29,20.
TEST(Working, RoundedStepsOnlyWhereTheShownFiguresGiveAnother)
{
	const struct {
		std::vector<const char *> words;
		float life;
		std::vector<std::string> rounded;
	} rows[] = {
		{{"100", "0.24", "50", "40"}, 0, {}},
		// 10 years of 16,02 Euro less 100 are 60,20 by hand; of 16,024, 60,24.
		{{"100", "0.24", "50", "40", "-z", "5"}, 10, {"balance"}},
		{{"100", "0.24", "50", "40", "-z", "5"}, 0, {}},
		{{"100", "0.24", "50", "40", "-a", "8"}, 0, {"energy"}},
		{{"876", "1", "100", "0", "-z", "100"}, 0, {}},
	};
	for (const auto &row : rows) {
		answer(row.words, row.life);
		EXPECT_EQ(valuesOf("rounded"), row.rounded) << row.words.back();
	}
	answer({"100", "0.24", "50", "40", "-a", "8"});
	EXPECT_EQ(valueOf("p1"), "16.7");
	EXPECT_EQ(valueOf("energy"), "29.20");
}

// A comparison as the page asks for it: shared, the price and the options.
void compare(std::vector<const char *> shared, const char *old, std::vector<const char *> offers, float life)
{
	std::vector<const char *> probe = {"wiedergewinnszeit", "0", shared[0], "1", "0"};
	probe.insert(probe.end(), shared.begin() + 1, shared.end());
	PaybackInput in;
	ResultOptions options;
	ASSERT_EQ(readArguments(static_cast<int>(probe.size()), probe.data(), in, options), 0u);
	std::string block;
	for (const char *word : offers)
		block.append(word).push_back('\0');
	beginRecord();
	putComparison(shared.data(), static_cast<int>(shared.size()), in, options, old, block.data(),
	              static_cast<int>(offers.size() / 2), life);
}
std::string watts(float kwhPerYear)
{
	char text[TEXT_SIZE];
	shortest(averagePower(kwhPerYear), text);
	return text;
}

// Two offers of 3e38 and 2e38 W for 100 hours a day at no price cost no
// number over the life: both rank after any that does, apart, so that the
// answer has a cheapest and a next.
TEST(Comparison, TotalsThatAreNoNumberRankLast)
{
	compare({"0", "-a", "100"}, "", {"100", "3e38", "200", "2e38"}, 10);
	for (const std::string &total : valuesOf("total"))
		EXPECT_TRUE(std::isnan(std::strtod(total.c_str(), nullptr))) << total;
	EXPECT_EQ(valuesOf("rank"), (std::vector<std::string>{"1", "2"}));
	EXPECT_EQ(valueOf("cheapest"), "0");
	EXPECT_EQ(valueOf("next"), "1");
	compare({"0", "-a", "100"}, "", {"100", "3e38", "200", "20"}, 10);
	EXPECT_EQ(valuesOf("rank"), (std::vector<std::string>{"2", "1"}));
	EXPECT_EQ(valueOf("cheapest"), "1");
}

// Three fridges (200 Euro at 190 kWh a year, 300 at 143, 450 at 95; 0,27
// Eu/kWh): the dearer catches up with the cheaper after 100 / 12,69 = 7,88,
// 250 / 25,65 = 9,75 and 150 / 12,96 = 11,57 years; without a service life
// the chart spans whole years a quarter past the last (14,47: 15), and each
// catch-up is a point on the cheaper one's line.
TEST(Comparison, CatchUpsAndTheChartsSpan)
{
	std::string a = watts(190), b = watts(143), c = watts(95);
	compare({"0.27"}, "", {"200", a.c_str(), "300", b.c_str(), "450", c.c_str()}, 0);
	EXPECT_EQ(valueOf("pair1-years"), "7.88");
	EXPECT_EQ(valueOf("pair2-years"), "9.75");
	EXPECT_EQ(valueOf("pair3-years"), "11.57");
	EXPECT_EQ(valueOf("span"), "15");
	EXPECT_EQ(valuesOf("pointYears"), (std::vector<std::string>{"7.88", "9.75", "11.57"}));
	// The cheaper's cost at the first catch-up: 200 + 7,88 years of 51,30.
	EXPECT_NEAR(std::strtod(valuesOf("pointCost")[0].c_str(), nullptr), 200 + 7.88 * 51.30, 0.3);
	EXPECT_EQ(valuesOf("end"), (std::vector<std::string>{"969.50", "879.15", "834.75"}));
	// Over ten years: the published sums, the one for 300 Euro cheapest.
	compare({"0.27"}, "", {"200", a.c_str(), "300", b.c_str(), "450", c.c_str()}, 10);
	EXPECT_EQ(valuesOf("total"), (std::vector<std::string>{"713.00", "686.10", "706.50"}));
	EXPECT_EQ(valueOf("cheapest"), "1");
	EXPECT_EQ(valueOf("next"), "2");
	EXPECT_EQ(valueOf("margin"), "20.40");
	EXPECT_EQ(valueOf("span"), "10");
	EXPECT_EQ(valuesOf("pointYears"), (std::vector<std::string>{"7.88", "9.75"}));
}

// A device's power for the command line: a television at 80 W for 4 hours
// and 15 W on standby for 20; ten spots of 35 W; a label's 420 typed as W.
TEST(DevicePower, StandbyCountAndTheQuestionOfUnits)
{
	const struct {
		const char *power, *standby, *hours, *count;
		const char *word, *shown, *average, *rest, *year, *unusual;
	} rows[] = {
		{"80", "15", "4", "", "25.833334", "25.8", "25.8", "20", "226.30", "-"},
		{"80", "15", "4", "2", "51.666668", "51.7", "25.8", "20", "226.30", "-"},
		{"80", "0.5", "4", "", "13.75", "13.8", "13.8", "20", "120.45", "-"},
		{"35", "", "", "10", "350", "350.0", "-", "-", "306.60", "-"},
		{"35", "", "6", "10", "350", "350.0", "-", "-", "76.65", "-"},
		{"50.0", "", "", "", "50.0", "50.0", "-", "-", "438.00", "-"},
		{"420", "", "", "", "420", "420.0", "-", "-", "3679.20", "1"},
		{"420", "", "8", "", "420", "420.0", "-", "-", "1226.40", "-"},
		{"-800", "", "", "", "-800", "-800.0", "-", "-", "-7008.00", "-"},
		{"20", "2", "0", "", "2", "2.0", "2.0", "24", "17.52", "-"},
	};
	for (const auto &row : rows) {
		beginRecord();
		putPower(row.power, row.standby, row.hours, row.count);
		std::string what = std::string(row.power) + " " + row.standby + " " + row.hours + " " + row.count;
		EXPECT_EQ(valueOf("text"), row.word) << what;
		EXPECT_EQ(valueOf("shown"), row.shown) << what;
		EXPECT_EQ(valueOf("average"), row.average) << what;
		EXPECT_EQ(valueOf("rest"), row.rest) << what;
		EXPECT_EQ(valueOf("year"), row.year) << what;
		EXPECT_EQ(valueOf("unusual"), row.unusual) << what;
		EXPECT_EQ(valueOf("problem"), "-") << what;
	}
	const struct {
		const char *standby, *hours, *count;
		const char *problem, *field;
	} refused[] = {
		{"-1", "4", "", "bereich", "standby"}, {"ein Watt", "4", "", "zahl", "standby"},
		{"2", "30", "", "bereich", "standby"}, {"2", "nan", "", "bereich", "standby"},
		{"", "", "2.5", "bereich", "anzahl"},  {"", "", "0", "bereich", "anzahl"},
		{"", "", "zehn", "zahl", "anzahl"},    {"", "", "1e7", "bereich", "anzahl"},
	};
	for (const auto &row : refused) {
		beginRecord();
		putPower("80", row.standby, row.hours, row.count);
		EXPECT_EQ(valueOf("problem"), row.problem) << row.standby << " " << row.hours << " " << row.count;
		EXPECT_EQ(valueOf("field"), row.field) << row.standby << " " << row.hours << " " << row.count;
		EXPECT_EQ(valueOf("text"), "-");
	}
}

// The texts of words "name=text", by name.
TEST(WordNamed, FindsTheTextAfterItsName)
{
	const char *words[] = {"wp=800", "ausrichtung=sued", "wp-extra=1", "leer="};
	EXPECT_STREQ(wordNamed(words, 4, "wp"), "800");
	EXPECT_STREQ(wordNamed(words, 4, "ausrichtung"), "sued");
	EXPECT_STREQ(wordNamed(words, 4, "leer"), "");
	EXPECT_STREQ(wordNamed(words, 4, "montage"), "");
	EXPECT_STREQ(wordNamed(words, 2, "wp-extra"), "");
}

}  // namespace
