// Help, error report, encodings, and the two faults the program mends: an
// unescaped program name in HTML, and a failed write reported as success.
#include <signal.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run.h"

namespace {

std::string hint()
{
	return " F\201r Rechenbeispiele geben Sie bitte ein: " + programName() + " -b\n\n";
}

// The help alone: a run without arguments, less its closing hint.
std::string help()
{
	Outcome r = run({});
	EXPECT_EQ(r.out.substr(r.out.size() - hint().size()), hint());
	return r.out.substr(0, r.out.size() - hint().size());
}

std::string errorLine(int number)
{
	static const char *const messages[] = {
		" Bitte geben Sie zur Option -z immer einen Zinssatz an.",
		" Bitte geben Sie zur Option -i immer eine Inflationsrate an.",
		" Bitte geben Sie zur Option -a immer eine t\204gliche Betriebsdauer an.",
		" Die t\204gliche Betriebsdauer darf nicht 0 sein. Sonst w\204re die Wiedergewinnszeit unendlich.",
		" Leistung vorher und Leistung hinterher m\201ssen immer verschieden sein.",
	};
	return " Fehler " + std::to_string(number) + ":" + messages[number - 1] + "\n\n";
}

TEST(Help, Layout)
{
	std::string text = help();
	std::vector<std::string> all = lines(text);
	ASSERT_GT(all.size(), 30u);
	EXPECT_EQ(all[0], "");
	EXPECT_EQ(all[1], " *************************");
	EXPECT_EQ(all[2], " *** Wiedergewinnszeit ***");
	EXPECT_EQ(all[4], all[1]);
	for (int i = 1; i <= 4; i++)
		EXPECT_EQ(all[static_cast<size_t>(i)].size(), 26u) << all[static_cast<size_t>(i)];
	EXPECT_EQ(all[6], " Version 5.0.3, 11.04.2020");
	EXPECT_NE(text.find("\n Syntax: " + programName() + " <Investitionskosten (Eu)> "
	                    "<Strompreis (Eu/kWh)> <Leistung vorher (W)> <Leistung hinterher (W)> "
	                    "[Optionen]\n   oder: " + programName() + " -b oder -bh oder -bH\n\n Optionen"),
	          std::string::npos);
	EXPECT_NE(text.find("\n Dauerleistung = Betriebsleistung * Betriebsstunden im Jahr / 8760\n"
	                    " oder\n"
	                    " Dauerleistung = Betriebsleistung * Anteil der Betriebszeit an der Gesamtzeit\n\n"),
	          std::string::npos);

	int continuation = 0;
	for (const std::string &line : all) {
		if (line.rfind("\t\t\t", 0) == 0)
			continuation++;
		else
			EXPECT_TRUE(line.empty() || line[0] == ' ') << line;
	}
	EXPECT_EQ(continuation, 2);

	// The option block: eleven lines, then a line of two blanks.
	size_t start = 0;
	while (start < all.size() && all[start] != " Optionen (durch Leerzeichen getrennt):")
		start++;
	ASSERT_LT(start + 12, all.size());
	EXPECT_EQ(all[start + 1], "  -z <Zins>\t\tZinssatz f\201r eine alternative Finanzanlage");
	EXPECT_EQ(all[start + 4].substr(0, 8), "  -h \t\t\t");
	EXPECT_EQ(all[start + 9].substr(0, 8), "  -bH\t\t\t");
	EXPECT_EQ(all[start + 11], "  ");
	EXPECT_EQ(all[start + 12], " Bei Zahlen statt eines Kommas (1,5) bitte einen Punkt (1.5) eingeben.");
	EXPECT_EQ(all.back(), "");

	// A sentence that names an option speaks of what the option list says it
	// takes: "-i <Inflation>", so "Option -i ... Inflationsrate".
	int named = 0;
	for (const std::string &line : lines(run({"100", "0.24", "50", "50", "-z", "-i", "-a"}).out)) {
		size_t at = line.find("Option -");
		if (at == std::string::npos)
			continue;
		size_t entry = text.find("\n  " + line.substr(at + 7, 2) + " <");
		ASSERT_NE(entry, std::string::npos) << line;
		EXPECT_NE(line.find(text.substr(entry + 7, text.find('>', entry) - entry - 7), at), std::string::npos)
			<< line;
		named++;
	}
	EXPECT_EQ(named, 6);

	// The page has the help's title and description, in one language.
	std::string page = run({"100", "0.24", "50", "40", "-H"}).out;
	std::string description = all[8].substr(1);
	EXPECT_EQ(description.rfind("Berechnet ", 0), 0u);
	EXPECT_NE(page.find("\"" + description + "\""), std::string::npos);
	EXPECT_NE(page.find("<title>\n" + all[2].substr(5, 17) + "\n</title>"), std::string::npos);
	for (const char *german : {"<html lang=\"de\">", "-language\" content=\"de\">", "=\"language\" content=\"de\">"})
		EXPECT_NE(page.find(german), std::string::npos) << german;
}

struct ReportCase {
	std::vector<std::string> args;
	std::vector<int> errors;
};

TEST(Report, HelpThenEveryErrorInOrderThenHint)
{
	const std::vector<std::string> base = {"100", "0.24", "50", "40"};
	const ReportCase cases[] = {
		{{"100", "0.24", "50"}, {}},
		{{"100", "0.24", "50", "40", "-z", "-a"}, {1, 3}},
		{{"100", "0.24", "50", "40", "-a", "x", "-i", "x", "-z", "x"}, {1, 2, 3}},
		{{"100", "0.24", "50", "50", "-a", "0", "-z"}, {1, 4, 5}},
		{{"100", "0.24", "50", "50", "-z", "x", "-i", "y"}, {1, 2, 5}},
		{{"100", "0.24", "7", "7", "-z", "-i", "-a", "0", "-a"}, {1, 2, 3, 4, 5}},
	};
	const std::string helpText = help();
	for (const ReportCase &c : cases) {
		std::string expected = helpText;
		int status = c.errors.empty() ? 1 : 0;
		for (int number : c.errors) {
			expected += errorLine(number);
			status += 1 << number;
		}
		Outcome r = run(c.args);
		EXPECT_EQ(r.out, expected + hint());
		EXPECT_EQ(r.status, status);
	}
}

TEST(Report, ProgramNameGoesInUnchanged)
{
	if (underRunner())
		GTEST_SKIP() << "the program name cannot be chosen";
	const std::string name = "/usr/local/bin/wgz neu";
	Outcome r = runNamed({"-z"}, name);
	EXPECT_NE(r.out.find(" Syntax: " + name + " <"), std::string::npos);
	EXPECT_NE(r.out.find("   oder: " + name + " -b oder"), std::string::npos);
	EXPECT_NE(r.out.find("ein: " + name + " -b\n\n"), std::string::npos);
}

TEST(Report, ExampleForms)
{
	Outcome text = run({"-b"});
	EXPECT_EQ(text.status, 65);
	EXPECT_EQ(text.out.rfind(help() + " === Einige Beispiele zur Benutzung: ===\n\n", 0), 0u);
	EXPECT_EQ(text.out.find(" F\201r Rechenbeispiele"), std::string::npos);
	EXPECT_EQ(text.out.substr(text.out.size() - 15), "Option -a 12.\n\n");

	Outcome fragment = run({"-bh"});
	EXPECT_EQ(fragment.status, 129);
	EXPECT_EQ(fragment.out.rfind("<h2 class=\"ueber\">Einige Beispiele zur Benutzung:</h2>\n\n<ol>\n", 0),
	          0u);
	EXPECT_EQ(fragment.out.substr(fragment.out.size() - 13), "</li>\n</ol>\n\n");
	size_t items = 0;  // set apart by an empty line
	for (size_t at = 0; (at = fragment.out.find("</li>\n\n<li>\n", at)) != std::string::npos; at++)
		items++;
	EXPECT_EQ(items, 6u);

	Outcome page = run({"-bH"});
	EXPECT_EQ(page.out.rfind("<!doctype html public", 0), 0u);
	EXPECT_EQ(page.out.substr(page.out.size() - 16), "</body>\n</html>\n");
	size_t start = page.out.find("<body>\n\n") + 8;
	EXPECT_EQ(page.out.substr(start, fragment.out.size()), fragment.out);
	EXPECT_EQ(page.out.size(), start + fragment.out.size() + 16);
}

// Console text is code page 850 and HTML is UTF-8; neither may leak into
// the other.
bool onlyCodePage850Letters(const std::string &text)
{
	for (unsigned char c : text)
		if (c >= 0x80 && c != 0x84 && c != 0x94 && c != 0x81 && c != 0xE1)
			return false;
	return true;
}

bool onlyUtf8Letters(const std::string &text)
{
	for (size_t i = 0; i < text.size(); i++) {
		if (static_cast<unsigned char>(text[i]) < 0x80)
			continue;
		std::string letter = text.substr(i, 2);
		if (letter != "\303\244" && letter != "\303\266" && letter != "\303\274" && letter != "\303\237")
			return false;
		i++;
	}
	return true;
}

TEST(Encoding, TextIsCodePage850AndHtmlIsUtf8)
{
	const std::vector<std::string> textRuns[] = {
		{}, {"-b"}, {"100", "0.24", "50", "40", "-z", "-a", "0"}, {"100", "0.24", "50", "40", "-a", "8"},
	};
	for (const std::vector<std::string> &a : textRuns) {
		std::string out = run(a).out;
		EXPECT_TRUE(onlyCodePage850Letters(out));
		EXPECT_NE(out.find('\204'), std::string::npos);
	}
	const std::vector<std::string> htmlRuns[] = {
		{"-bh"}, {"-bH"}, {"100", "0.24", "50", "40", "-a", "8", "-h"},
		{"100", "0.24", "50", "40", "-a", "8", "-H"},
	};
	for (const std::vector<std::string> &a : htmlRuns) {
		std::string out = run(a).out;
		EXPECT_TRUE(onlyUtf8Letters(out));
		EXPECT_NE(out.find("\303\244"), std::string::npos);
	}
}

TEST(MendedFaults, ProgramNameIsEscapedInHtmlOnly)
{
	if (underRunner())
		GTEST_SKIP() << "the program name cannot be chosen";
	const std::string name = "./a&b<c>\"d";
	const std::string escaped = "./a&amp;b&lt;c&gt;&quot;d";

	Outcome page = runNamed({"100", "0.24", "50", "40", "-H"}, name);
	EXPECT_NE(page.out.find("<meta name=\"generator\" content=\"" + escaped + " 5.0.3\">\n"),
	          std::string::npos);
	EXPECT_EQ(page.out.find(name), std::string::npos);

	Outcome examples = runNamed({"-bH"}, name);
	EXPECT_NE(examples.out.find("<div class=\"code\">" + escaped + " 300 0.30 0 -100 -a 12</div>"),
	          std::string::npos);
	EXPECT_EQ(examples.out.find(name), std::string::npos);

	Outcome text = runNamed({"-b"}, name);
	EXPECT_NE(text.out.find("    " + name + " 300 0.30 0 -100 -a 12\n"), std::string::npos);
	EXPECT_EQ(text.out.find(escaped), std::string::npos);

	// A name without special characters stays as it is.
	Outcome plain = runNamed({"-bh"}, "/opt/wgz");
	EXPECT_NE(plain.out.find("<div class=\"code\">/opt/wgz 100 0.24 50 40</div>"), std::string::npos);
}

TEST(MendedFaults, FailedWriteIsNotSuccess)
{
	const std::vector<std::string> forms[] = {
		{"100", "0.24", "50", "40"}, {"100", "0.24", "50", "40", "-z", "5", "-a", "8", "-H"},
		{}, {"-b"}, {"-bH"}, {"100", "0.24", "50", "50"},
	};
	for (const std::vector<std::string> &a : forms) {
		Outcome r = runInto(a, "/dev/full");
		EXPECT_EQ(r.status, 74);
		ASSERT_FALSE(r.err.empty());
		EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
	}
}

TEST(MendedFaults, ClosedPipeEndsTheRunQuietly)
{
	if (underRunner())
		GTEST_SKIP() << "Windows has no SIGPIPE; a write into a closed pipe fails and gives status 74";
	Outcome r = runIntoClosedPipe({"-bH"});
	EXPECT_EQ(r.status, 128 + SIGPIPE);
	EXPECT_EQ(r.err, "");
}

}  // namespace
