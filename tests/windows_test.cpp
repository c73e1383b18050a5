// What only holds for the Windows build, run under wine (WGZ_RUNNER=wine):
// CR LF line ends, the whole exit status, code page 850 bytes as written,
// and wildcard expansion by the start-up code.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run.h"

namespace {

// What cmd.exe reports as the exit status of a command line.
std::string errorLevel(const std::string &commandLine)
{
	Outcome r = runCommand(std::getenv("WGZ_RUNNER"),
	                       {"cmd", "/c", commandLine + " > NUL & echo %errorlevel%"});
	return r.out;
}

// The Windows form of a Unix path, as wine maps it.
std::string windowsPath(std::string path)
{
	for (char &c : path)
		if (c == '/')
			c = '\\';
	return "Z:" + path;
}

TEST(Windows, EveryLineEndsInCrLf)
{
	ASSERT_TRUE(underRunner()) << "run by tests/windows.sh, under wine";
	const std::vector<std::string> forms[] = {
		{}, {"-b"}, {"-bH"}, {"100", "0.24", "50", "40", "-a", "8"},
		{"100", "0.24", "50", "40", "-z", "5", "-H"},
	};
	for (const std::vector<std::string> &args : forms) {
		std::string out = runRaw(args).out;
		size_t lineEnds = 0;
		for (size_t i = 0; i < out.size(); i++) {
			if (out[i] != '\n')
				continue;
			lineEnds++;
			EXPECT_TRUE(i > 0 && out[i - 1] == '\r') << "line " << lineEnds;
		}
		EXPECT_GT(lineEnds, 5u);
		EXPECT_EQ(out.find("\r\r"), std::string::npos);
	}
}

TEST(Windows, ExitStatusIsHandedOverWhole)
{
	ASSERT_TRUE(underRunner()) << "run by tests/windows.sh, under wine";
	const std::string exe = programName();
	EXPECT_EQ(errorLevel(exe + " -bH"), "257\r\n");
	EXPECT_EQ(errorLevel(exe + " -bh"), "129\r\n");
	EXPECT_EQ(errorLevel(exe + " -b"), "65\r\n");
	EXPECT_EQ(errorLevel(exe), "1\r\n");
	EXPECT_EQ(errorLevel(exe + " 100 0.24 50 40"), "0\r\n");
	EXPECT_EQ(errorLevel(exe + " 100 0.24 50 50 -z x -i y"), "38\r\n");
}

TEST(Windows, CodePage850BytesReachTheOutputUnchanged)
{
	ASSERT_TRUE(underRunner()) << "run by tests/windows.sh, under wine";
	std::string help = runRaw({}).out;
	EXPECT_NE(help.find(" F\201r Stromerzeuger ist eine negative Leistung anzugeben.\r\n"),
	          std::string::npos);
	EXPECT_NE(help.find("T\204gliche Betriebsdauer"), std::string::npos);
	EXPECT_EQ(help.find('\303'), std::string::npos);
	std::string page = runRaw({"-bH"}).out;
	EXPECT_NE(page.find("Mit t\303\244glicher Betriebsdauer von 8.00&nbsp;Stunden:"), std::string::npos);
}

TEST(Windows, StartUpCodeExpandsWildcards)
{
	ASSERT_TRUE(underRunner()) << "run by tests/windows.sh, under wine";
	char dir[] = "/tmp/wgz-glob-XXXXXX";
	ASSERT_NE(mkdtemp(dir), nullptr);
	std::string file = std::string(dir) + "/-bh";
	std::fclose(std::fopen(file.c_str(), "w"));
	// "-b?" matches the file "-bh" only when the pattern is expanded.
	EXPECT_EQ(errorLevel("cd /d " + windowsPath(dir) + " & " + programName() + " -b?"), "129\r\n");
	unlink(file.c_str());
	rmdir(dir);
}

}  // namespace
