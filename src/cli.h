// The command-line front end: one invocation, and the report of help,
// errors and examples.
#ifndef WIEDERGEWINNSZEIT_CLI_H
#define WIEDERGEWINNSZEIT_CLI_H

#include "common.h"

// Runs one invocation on an argument vector as main receives it (argv[argc]
// is null) and returns its ReportFlags, the exit status: 0 after a result.
// Writes to standard output only; keeps no state between calls.
int runCalculator(int argc, const char *const argv[]);

// Reads an argument vector (argc at least 1) as a run does and returns its
// findings; with none, input and options hold the converted numbers. For
// front ends that compute more than one table, such as a chart.
ReportFlags readArguments(int argc, const char *const argv[], PaybackInput &input,
                          ResultOptions &options);

// A number as a run reads each argument: its longest valid beginning ("5abc"
// is 5, "1,5" is 1, none is 0), rounded once to float.
float toFloat(const char *text);

// The numbered error reports whose bits are set, each with an empty line.
void printErrors(ReportFlags flags);

// For front ends that show each error at what it is about: the words of the
// command line that the error report of one bit is about, an option ("-z")
// or the positions of numbers ("3 4"); null for a bit that is no error.
const char *errorSubject(ReportFlags bit);

// A letter of the console texts (code page 850) as UTF-8; null for a byte
// they do not use.
const char *consoleLetter(unsigned char byte);

// Help, the error reports whose bits are set, then the examples or a hint.
void printReport(ReportFlags flags, const char *const argv[]);

#endif
