// Types and constants shared by every module of the calculator.
#ifndef WIEDERGEWINNSZEIT_COMMON_H
#define WIEDERGEWINNSZEIT_COMMON_H

// The name to show when the system starts the program without one.
inline constexpr const char *PROGRAM_NAME = "wiedergewinnszeit";
inline constexpr const char *PROGRAM_VERSION = "5.0.3";
inline constexpr const char *PROGRAM_DATE = "11.04.2020";
// Banner credit, author meta and last keyword of a page; at most 17 characters.
inline constexpr const char *PROGRAM_AUTHOR = "Entwicklerteam";

// What the argument scan found. Bits are only ever added, and the final
// value is the exit status, so a caller can tell every outcome apart.
using ReportFlags = unsigned;
inline constexpr ReportFlags REPORT_USAGE = 0x001;
inline constexpr ReportFlags REPORT_ERR_INTEREST = 0x002;
inline constexpr ReportFlags REPORT_ERR_INFLATION = 0x004;
inline constexpr ReportFlags REPORT_ERR_HOURS = 0x008;
inline constexpr ReportFlags REPORT_ERR_HOURS_ZERO = 0x010;
inline constexpr ReportFlags REPORT_ERR_SAME_POWER = 0x020;
inline constexpr ReportFlags REPORT_EXAMPLES_TEXT = 0x040;
inline constexpr ReportFlags REPORT_EXAMPLES_HTML = 0x080;
inline constexpr ReportFlags REPORT_EXAMPLES_PAGE = 0x100;

// Exit status when standard output could not be written (EX_IOERR); no sum
// of flags gives it.
inline constexpr int EXIT_WRITE_ERROR = 74;

enum OutputStyle { STYLE_TEXT = 0, STYLE_HTML = 1, STYLE_PAGE = 2 };

// The numbers of one calculation, each rounded once to float as it is read.
struct PaybackInput {
	float cost = 0;           // Eu
	float price = 0;          // Eu/kWh
	float powerBefore = 0;    // W
	float powerAfter = 0;     // W
	float interestRate = 0;   // %
	float inflationRate = 0;  // %
	float hoursPerDay = 1;    // h
	float dutyPowerBefore = 0;  // W in continuous operation, only with -a
	float dutyPowerAfter = 0;   // W in continuous operation, only with -a
};

// Which options the scan saw; they choose the form of the result table.
struct ResultOptions {
	bool haveInterest = false;   // -z
	bool haveInflation = false;  // -i
	bool haveHours = false;      // -a
	bool htmlOutput = false;     // -h or -H
	bool fullPage = false;       // -H
};

#endif
