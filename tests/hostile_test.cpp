// Hostile argument vectors through the real program: each has an outcome
// the rules define, and the program must give exactly that.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run.h"

namespace {

const std::vector<std::string> BASE = {"100", "0.24", "50", "40"};

std::string cell(const char *cls, const std::string &value)
{
	return "<td class=\"" + std::string(cls) + "\">" + value + "</td>\n";
}

TEST(Hostile, HugeArguments)
{
	if (underRunner())
		GTEST_SKIP() << "a Windows command line holds at most 32767 characters";
	const std::string nines(100 * 1024, '9');
	const std::string digitsThenJunk = "5" + std::string(100 * 1024, 'a');

	Outcome cost = run({nines, "0.24", "50", "40", "-h"});
	EXPECT_EQ(cost.status, 0);
	EXPECT_NE(cost.out.find(cell("kosten", "inf")), std::string::npos);

	Outcome rate = run({"100", "0.24", "50", "40", "-z", digitsThenJunk, "-h"});
	EXPECT_EQ(rate.status, 0);
	EXPECT_NE(rate.out.find(cell("zins", "5.00")), std::string::npos);

	Outcome power = run({"100", "0.24", nines, nines});
	EXPECT_EQ(power.status, 32);  // both infinite, so equal

	const std::string name(100 * 1024, 'n');
	Outcome help = runNamed({}, name);
	EXPECT_EQ(help.status, 1);
	EXPECT_EQ(help.out.size(), run({}).out.size() + 3 * (name.size() - programName().size()));
}

TEST(Hostile, HundredThousandArguments)
{
	if (underRunner())
		GTEST_SKIP() << "a Windows command line holds at most 32767 characters";
	std::vector<std::string> html = BASE;
	html.resize(100000, "-h");
	Outcome r = run(html);
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.out, run({"100", "0.24", "50", "40", "-h"}).out);

	// Every -z is followed by another -z, the last by nothing; the two
	// powers are "-z" too, both 0.
	Outcome errors = run(std::vector<std::string>(100000, "-z"));
	EXPECT_EQ(errors.status, 2 + 32);
}

TEST(Hostile, EmptyArgumentsInEveryPosition)
{
	const std::vector<std::string> full = {"100", "0.24", "50", "40", "-z", "5", "-a", "8"};
	const int statuses[] = {0, 0, 0, 0, 0, 2, 0, 8};
	for (size_t i = 0; i < full.size(); i++) {
		std::vector<std::string> a = full;
		a[i] = "";
		EXPECT_EQ(run(a).status, statuses[i]) << i;
	}
	EXPECT_EQ(run({"", "", "", ""}).status, 32);
	EXPECT_EQ(run({"", ""}).status, 1);
	if (underRunner())
		return;  // the name cannot be chosen there
	EXPECT_EQ(runNamed({"100", "0.24", "50", "40"}, "").out.find(" Syntax:"), std::string::npos);
	Outcome nameless = runNamed({}, "");
	EXPECT_EQ(nameless.status, 1);
	EXPECT_NE(nameless.out.find(" Syntax:  <Investitionskosten"), std::string::npos);
}

TEST(Hostile, BytesThatAreNotTextPassThroughUnchanged)
{
	if (underRunner())
		GTEST_SKIP() << "Windows hands arguments over as text in its own code page";
	const std::string odd = "\377\376\001\033[2J\r\t\177";
	Outcome help = runNamed({odd}, odd);
	EXPECT_EQ(help.status, 1);
	EXPECT_NE(help.out.find(" Syntax: " + odd + " <"), std::string::npos);
	EXPECT_NE(help.out.find("ein: " + odd + " -b\n"), std::string::npos);

	Outcome page = runNamed({odd, odd, "1", odd, "-H"}, odd);
	EXPECT_EQ(page.status, 0);
	EXPECT_NE(page.out.find("content=\"" + odd + " 5.0.3\""), std::string::npos);
	EXPECT_NE(page.out.find(cell("kosten", "0.00")), std::string::npos);

	Outcome values = run({"100", "0.24", "50", "40", "-z", odd, "-i", "\001", "-a", "\377"});
	EXPECT_EQ(values.status, 2 + 4 + 8);
}

struct Extreme {
	const char *text;
	double value;      // what the program reads it as, at float precision
	bool passesAsValue;  // whether it starts like a number for -z, -i, -a
};

std::string fixed(const char *format, double value)
{
	char text[400];
	std::snprintf(text, sizeof text, format, value);
	return asPrinted(text);
}

TEST(Hostile, NumbersBeyondFloatRangeInEveryPosition)
{
	const Extreme cases[] = {
		{"1e39", INFINITY, true},      {"-1e39", -INFINITY, true}, {"1e400", INFINITY, true},
		{"0x10", 16, true},            {"3.4e38", 3.4e38f, true},            {"0x1p-149", 1.4e-45, true}, {"1e-50", 0, true},
		{"inf", INFINITY, false},     {"-inf", -INFINITY, false},   {"INFINITY", INFINITY, false},
		{"nan", NAN, false},           {"-nan(123)", -NAN, false},
	};
	for (const Extreme &c : cases) {
		std::string v = c.text;
		Outcome cost = run({v, "0.24", "50", "40", "-h"});
		EXPECT_EQ(cost.status, 0) << v;
		EXPECT_NE(cost.out.find(cell("kosten", fixed("%.2f", c.value))), std::string::npos) << v;

		Outcome price = run({"100", v, "50", "40", "-h"});
		EXPECT_NE(price.out.find(cell("strompreis", fixed("%.4f", c.value))), std::string::npos) << v;

		Outcome before = run({"100", "0.24", v, "40", "-h"});
		EXPECT_NE(before.out.find(cell("leistung", fixed("%.1f", c.value)) + cell("leistung", "40.0")),
		          std::string::npos) << v;

		Outcome after = run({"100", "0.24", "50", v, "-h"});
		EXPECT_NE(after.out.find(cell("leistung", "50.0") + cell("leistung", fixed("%.1f", c.value))),
		          std::string::npos) << v;

		Outcome rate = run({"100", "0.24", "50", "40", "-z", v, "-h"});
		if (c.passesAsValue)
			EXPECT_NE(rate.out.find(cell("zins", fixed("%.2f", c.value))), std::string::npos) << v;
		else
			EXPECT_EQ(rate.status, 2) << v;

		Outcome inflation = run({"100", "0.24", "50", "40", "-i", v});
		EXPECT_EQ(inflation.status, c.passesAsValue ? 0 : 4) << v;

		Outcome hours = run({"100", "0.24", "50", "40", "-a", v, "-h"});
		if (!c.passesAsValue)
			EXPECT_EQ(hours.status, 8) << v;
		else if (std::string(c.text) == "1e-50")
			EXPECT_NE(hours.out.find("von 0.00 Stunden"), std::string::npos);
		else
			EXPECT_NE(hours.out.find("von " + fixed("%.2f", c.value) + " Stunden"), std::string::npos) << v;
	}
}

}  // namespace
