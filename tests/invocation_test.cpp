// One invocation called in-process, as the fuzzer calls it: arguments far
// beyond what a process can be given, and no state kept between calls.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli.h"

namespace {

struct Captured {
	std::string out;
	int status;
};

// Runs one invocation with standard output caught in a temporary file.
Captured invoke(int argc, const char *const argv[])
{
	std::fflush(stdout);
	int saved = dup(1);
	std::FILE *file = std::tmpfile();
	dup2(fileno(file), 1);
	int status = runCalculator(argc, argv);
	std::fflush(stdout);
	dup2(saved, 1);
	close(saved);

	std::string out;
	std::rewind(file);
	char buffer[65536];
	for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
		out.append(buffer, n);
	std::fclose(file);
	return {out, status};
}

Captured invoke(const std::vector<std::string> &argv)
{
	std::vector<const char *> pointers;
	for (const std::string &arg : argv)
		pointers.push_back(arg.c_str());
	pointers.push_back(nullptr);
	return invoke(static_cast<int>(argv.size()), pointers.data());
}

TEST(Invocation, MegabyteArguments)
{
	const std::string megabyte(1 << 20, '7');
	Captured cost = invoke({"wgz", megabyte, "0.24", "50", "40", "-h"});
	EXPECT_EQ(cost.status, 0);
	EXPECT_NE(cost.out.find("<td class=\"kosten\">inf</td>"), std::string::npos);

	Captured option = invoke({"wgz", "100", "0.24", "50", "40", "-a", "8" + megabyte});
	EXPECT_EQ(option.status, 0);
	EXPECT_NE(option.out.find("von   inf Stunden"), std::string::npos);

	// A megabyte name of ampersands grows fivefold when escaped, seven times.
	const std::string name(1 << 20, '&');
	Captured page = invoke({name, "-bH"});
	EXPECT_EQ(page.status, 257);
	Captured plain = invoke({"wgz", "-bH"});
	EXPECT_EQ(page.out.size(), plain.out.size() + 8 * (5 * name.size() - 3));
}

TEST(Invocation, KeepsNoStateBetweenCalls)
{
	const std::vector<std::string> runs[] = {
		{"wgz", "100", "0.24", "50", "40", "-z", "5", "-i", "2.5", "-a", "8", "-H"},
		{"wgz", "100", "0.24", "50", "50", "-z"},
		{"wgz", "-b"},
		{"wgz", "100", "0.24", "50", "40"},
	};
	std::vector<Captured> first;
	for (const std::vector<std::string> &r : runs)
		first.push_back(invoke(r));
	for (size_t i = 0; i < first.size(); i++) {
		Captured again = invoke(runs[i]);
		EXPECT_EQ(again.out, first[i].out);
		EXPECT_EQ(again.status, first[i].status);
	}
	EXPECT_EQ(first[3].out.find("Zins"), std::string::npos);
}

TEST(Invocation, NoProgramNameAtAll)
{
	// execve() may start a program with no argv[0]: the help then names it.
	const char *const empty[] = {nullptr};
	Captured nameless = invoke(0, empty);
	EXPECT_EQ(nameless.status, 1);
	EXPECT_EQ(nameless.out, invoke({"wiedergewinnszeit"}).out);
}

// What a front end takes from the console texts: every letter of code page
// 850 they use has its UTF-8 form, and each error is about the option or
// the numbers its message names.
TEST(Invocation, ConsoleLettersAndErrorSubjects)
{
	const std::string texts = invoke({"wgz", "1", "1", "5", "5", "-z", "-i", "-a"}).out +
	                          invoke({"wgz", "1", "1", "5", "4", "-a", "0"}).out + invoke({"wgz", "-b"}).out;
	for (unsigned char c : texts) {
		if (c >= 0x80) {
			EXPECT_NE(consoleLetter(c), nullptr) << static_cast<int>(c);
		}
	}
	EXPECT_EQ(consoleLetter('a'), nullptr);
	const struct {
		ReportFlags bit;
		const char *named;
	} errors[] = {{REPORT_ERR_INTEREST, "Option -z"}, {REPORT_ERR_INFLATION, "Option -i"},
	              {REPORT_ERR_HOURS, "Option -a"}, {REPORT_ERR_HOURS_ZERO, "Betriebsdauer"},
	              {REPORT_ERR_SAME_POWER, "Leistung vorher und Leistung hinterher"}};
	const std::string subjects[] = {"-z", "-i", "-a", "-a", "3 4"};
	for (size_t i = 0; i < std::size(errors); i++) {
		ASSERT_NE(errorSubject(errors[i].bit), nullptr);
		EXPECT_EQ(errorSubject(errors[i].bit), subjects[i]);
	}
	EXPECT_EQ(errorSubject(REPORT_USAGE), nullptr);
	EXPECT_EQ(errorSubject(REPORT_EXAMPLES_TEXT), nullptr);
}

}  // namespace
