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

// The program name every test uses unless it is about the name itself.
inline const std::string NAME = "wgz";

// Runs the program with argv[0] = name and the given arguments.
Outcome run(const std::vector<std::string> &args, const std::string &name = NAME);

// Same, with standard output sent to the file at outputPath.
Outcome runInto(const std::vector<std::string> &args, const char *outputPath);

// Same, with standard output a pipe whose reading end is closed at once.
Outcome runIntoClosedPipe(const std::vector<std::string> &args);

// Runs another program, such as a browser, the same way.
Outcome runCommand(const std::string &path, const std::vector<std::string> &args);

// Output split at line breaks; the text after the last one is dropped.
std::vector<std::string> lines(const std::string &text);

// Width of a text line with tab stops every eight columns.
int tabbedWidth(const std::string &line);

// Splits at blanks, as a shell splits a simple command line.
std::vector<std::string> words(const std::string &commandLine);

#endif
