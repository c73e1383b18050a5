// Runs the built program as a user would and collects what it wrote.
#ifndef WIEDERGEWINNSZEIT_TEST_RUN_H
#define WIEDERGEWINNSZEIT_TEST_RUN_H

#include <string>
#include <vector>

struct Outcome {
	std::string out;  // standard output, byte for byte
	std::string err;  // standard error
	int status;       // exit status, or 128 + signal number
};

// True when the program runs under another program, such as wine for the
// Windows build (environment variable WGZ_RUNNER); not for a user-mode
// emulator such as qemu (WGZ_EMULATOR), under which a Linux build of another
// processor runs as it would natively. Output is then compared
// with line ends normalised, and the program name cannot be chosen.
bool underRunner();

// The program name that run() gives the program: "wgz", or under a runner
// whatever name that runner passes on.
const std::string &programName();

// Runs the program with the given arguments, as programName().
Outcome run(const std::vector<std::string> &args);

// Runs the program with argv[0] = name; not possible under a runner.
Outcome runNamed(const std::vector<std::string> &args, const std::string &name);

// Runs the program under the runner without normalising line ends.
Outcome runRaw(const std::vector<std::string> &args);

// Same, with standard output sent to the file at outputPath.
Outcome runInto(const std::vector<std::string> &args, const char *outputPath);

// Same, with standard output a pipe whose reading end is closed at once.
Outcome runIntoClosedPipe(const std::vector<std::string> &args);

// Runs another program, such as a browser, the same way.
Outcome runCommand(const std::string &path, const std::vector<std::string> &args);

// Expected output as this platform prints it: Windows prints a negative NaN
// as "nan", glibc as "-nan", each padded to its field. "?nan" stands for a
// NaN that arithmetic made (0/0, inf - inf), right-aligned in its field: its
// sign is the processor's, negative on x86 and positive on most others.
std::string asPrinted(std::string expected);

// Output split at line breaks; the text after the last one is dropped.
std::vector<std::string> lines(const std::string &text);

// Width of a text line with tab stops every eight columns.
int tabbedWidth(const std::string &line);

// Splits at blanks, as a shell splits a simple command line.
std::vector<std::string> words(const std::string &commandLine);

#endif
