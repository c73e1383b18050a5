// Argument handling: mode by count, the option scan, the value checks, the
// equal-powers test and the exit status, through the real program.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run.h"

namespace {

struct Case {
	std::vector<std::string> args;
	int status;
	// A piece the output must contain; for results, the main row or part of it.
	std::string shows;
};

std::string joined(const std::vector<std::string> &args)
{
	std::string s;
	for (const std::string &a : args)
		s += "[" + a + "]";
	return s;
}

void check(const Case &c)
{
	Outcome r = run(c.args);
	EXPECT_EQ(r.status, c.status) << joined(c.args);
	EXPECT_NE(r.out.find(c.shows), std::string::npos) << joined(c.args) << "\n" << r.out;
	EXPECT_EQ(r.err, "") << joined(c.args);
}

const std::string HELP = " *** Wiedergewinnszeit ***\n";
const std::string HINT = " F\201r Rechenbeispiele geben Sie bitte ein: ";
const std::string TEXT_EXAMPLES = " === Einige Beispiele zur Benutzung: ===\n";
const std::string HTML_EXAMPLES = "<h2 class=\"ueber\">";
const std::string ROW_PLAIN = "| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t| 4.76\t\t\t|\n";

// Everything but -z in the row, with its rate, inflation, real rate and years.
std::string rateRow(const char *rate, const char *years)
{
	return std::string("| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t|") + rate + "\t\t| 0.00\t\t|" + rate +
	       "\t\t|" + years + "\t\t\t|\n";
}

TEST(Arguments, ModeByCount)
{
	const Case cases[] = {
		{{}, 1, HINT},
		{{"-b"}, 65, TEXT_EXAMPLES},
		{{"-bh"}, 129, HTML_EXAMPLES},
		{{"-b", "x"}, 65, TEXT_EXAMPLES},
		{{"-b", "x", "y"}, 65, TEXT_EXAMPLES},
		{{"-bh", "x", "y"}, 129, HTML_EXAMPLES},
		{{"-B"}, 1, HINT},
		{{"-bhH"}, 1, HINT},
		{{"--help"}, 1, HINT},
		{{"x", "-b"}, 1, HINT},
		{{""}, 1, HINT},
		// Three arguments: no option is seen and no error is tested.
		{{"100", "0.24", "50"}, 1, HINT},
		{{"-h", "100", "0.24"}, 1, HINT},
		{{"100", "0.24", "-z"}, 1, HINT},
		// Four arguments compute, even when the first is an example form.
		{{"-b", "1", "2", "3"}, 0, "|   0.00\t|1.0000\t\t|  2.0\t|  3.0\t|"},
	};
	for (const Case &c : cases)
		check(c);
}

TEST(Arguments, ExamplePageStatusShowsAsOneOnLinux)
{
	// The shell sees only the low eight bits of 257.
	Outcome r = run({"-bH"});
	EXPECT_EQ(r.status, 257 & 0xff);
	EXPECT_EQ(r.out.rfind("<!doctype", 0), 0u);
}

TEST(Arguments, PositionalNumbersComeFromFixedPlaces)
{
	const Case cases[] = {
		{{"100", "0.24", "50", "40"}, 0, ROW_PLAIN},
		// Options before the numbers count as numbers too; 50 and 40 are ignored.
		{{"-z", "5", "100", "0.24", "50", "40"}, 0,
		 "|   0.00\t|5.0000\t\t|100.0\t|  0.2\t| 5.00\t\t| 0.00\t\t| 5.00\t\t| 0.00\t\t\t|\n"},
		{{"100", "0.24", "50", "40", "-x", "--help", "7"}, 0, ROW_PLAIN},
		{{"100", "0.24", "50", "40", "-Z", "5", "-z5"}, 0, ROW_PLAIN},
		{{"abc", "xyz", "50", "40"}, 0, "|   0.00\t|0.0000\t\t| 50.0\t| 40.0\t|  inf\t\t\t|\n"},
		{{"1e3", "0x.8p1", "50", "40"}, 0, "|1000.00\t|1.0000\t\t| 50.0\t| 40.0\t|11.42\t\t\t|\n"},
		{{" 100", "0.24xyz", "50W", "40,9"}, 0, ROW_PLAIN},
		{{"1e39", "0.24", "50", "40"}, 0, "|    inf\t|0.2400\t\t| 50.0\t| 40.0\t|"},
		{{"100", "0.24", "50", "-h"}, 0, "<td class=\"leistung\">0.0</td>"},
		{{"100", "0.24", "inf", "40"}, 0, "|  inf\t| 40.0\t| 0.00\t\t\t|\n"},
	};
	for (const Case &c : cases)
		check(c);
	// The program name is not an argument, whatever it looks like.
	if (underRunner())
		return;  // the name cannot be chosen there
	for (const char *name : {"-H", "-z", "-a"})
		EXPECT_EQ(runNamed({"100", "0.24", "50", "40"}, name).out, run({"100", "0.24", "50", "40"}).out)
			<< name;
}

// The four numbers of the worked example, then the given arguments.
std::vector<std::string> afterNumbers(const std::vector<std::string> &tail)
{
	std::vector<std::string> args = {"100", "0.24", "50", "40"};
	args.insert(args.end(), tail.begin(), tail.end());
	return args;
}

TEST(Arguments, OptionValues)
{
	struct Option {
		std::vector<std::string> tail;
		int status;
		std::string shows;
	};
	const Option cases[] = {
		{{"-z", "-5"}, 0, rateRow("-5.00", " 3.84")},
		{{"-z", ".5"}, 0, rateRow(" 0.50", " 4.87")},
		{{"-z", "5abc"}, 0, rateRow(" 5.00", " 6.24")},
		{{"-z", "1,5"}, 0, rateRow(" 1.00", " 4.99")},
		{{"-z", "."}, 0, rateRow(" 0.00", " 4.76")},
		{{"-z", "0x10"}, 0, rateRow("16.00", "19.90")},
		{{"-z", "9"}, 0, rateRow(" 9.00", " 8.32")},
		{{"-z", "3", "-z", "4"}, 0, rateRow(" 4.00", " 5.87")},
		{{"-a", ".5"}, 0, "Betriebsdauer von  0.50 Stunden"},
		{{"-a", "-2"}, 0, "| -4.2\t| -3.3\t|-57.08\t\t\t|\n"},
		// Not zero as a double, zero as a float: both duty powers are 0.
		{{"-a", "1e-50"}, 0, "|  0.0\t|  0.0\t|  inf\t\t\t|\n"},
		{{"-a", "48"}, 0, "|100.0\t| 80.0\t| 2.38\t\t\t|\n"},
		{{"-a", "12", "-a", "8"}, 0, "von  8.00 Stunden"},
	};
	for (const Option &c : cases)
		check({afterNumbers(c.tail), c.status, c.shows});
}

TEST(Arguments, ErrorsAddUpInTheStatus)
{
	struct Bad {
		std::vector<std::string> tail;
		int status;
	};
	const Bad cases[] = {
		{{"-z"}, 2},
		{{"-z", "-.5"}, 2},
		{{"-z", "+5"}, 2},
		{{"-z", "x"}, 2},
		{{"-z", ""}, 2},
		{{"-z", "-"}, 2},
		{{"-z", "inf"}, 2},
		{{"-z", " 5"}, 2},
		{{"-z", "-h"}, 2},
		{{"-z", "3", "-z", "x"}, 2},
		{{"-z", "x", "-z", "3"}, 2},
		{{"-i"}, 4},
		{{"-i", "x"}, 4},
		{{"-a"}, 8},
		{{"-a", "x"}, 8},
		{{"-a", "0"}, 16},
		{{"-a", "0.0"}, 16},
		{{"-a", "-0"}, 16},
		{{"-a", ".0"}, 16},
		{{"-a", "."}, 16},
		{{"-a", "0", "-a", "x"}, 24},
		{{"-z", "-i", "-a"}, 14},
	};
	for (const Bad &c : cases) {
		std::vector<std::string> a = afterNumbers(c.tail);
		// Reports are always plain text, even with -h or -H in the line.
		check({a, c.status, HINT});
		a.push_back("-H");
		check({a, c.status, HINT});
	}
}

TEST(Arguments, EqualPowers)
{
	const Case cases[] = {
		{{"100", "0.24", "50", "50.0"}, 32, " Fehler 5:"},
		{{"100", "0.24", "50", "50.000001"}, 32, " Fehler 5:"},
		{{"100", "0.24", "abc", "xyz"}, 32, " Fehler 5:"},
		{{"100", "0.24", "0", "-0"}, 32, " Fehler 5:"},
		{{"100", "0.24", "1e39", "1e40"}, 32, " Fehler 5:"},
		{{"100", "0.24", "50", "40", "-a", "8", "-a", "x"}, 8, " Fehler 3:"},
		// Compared as typed, before the operating-hours conversion.
		{{"100", "0.24", "50", "50", "-a", "8"}, 32, " Fehler 5:"},
		{{"100", "0.24", "50", "50", "-z", "x", "-i", "y"}, 38, " Fehler 5:"},
		// Four arguments: "-z" is last (error 1) and reads as power 0.
		{{"100", "0.24", "50", "-z"}, 2, " Fehler 1:"},
		{{"100", "0.24", "0", "-z"}, 34, " Fehler 5:"},
		// A NaN equals nothing, itself included: the run computes.
		{{"100", "0.24", "nan", "nan"}, 0, "|  nan\t|  nan\t|  nan\t\t\t|"},
	};
	for (const Case &c : cases)
		check(c);
}

}  // namespace
