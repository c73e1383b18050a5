// Result tables, and the table and page pieces that the worked examples
// print around their fixed rows.
#ifndef WIEDERGEWINNSZEIT_OUTPUT_H
#define WIEDERGEWINNSZEIT_OUTPUT_H

#include "common.h"

// One row of the result table: the powers it computes with, and the real
// rate as printed and as the payback formula takes it (rounded to float).
struct ResultRow {
	float powerBefore = 0;  // W
	float powerAfter = 0;   // W
	double realRate = 0;    // %, 0 without -z and -i
	float rate = 0;         // %
};

// The main row, or with hoursRow the one that -a adds, with the powers
// converted to the hours given.
ResultRow resultRow(const PaybackInput &input, const ResultOptions &options, bool hoursRow);

// Room for any double in "%.2f": sign, 309 digits, point, decimals.
inline constexpr int FIGURE_SIZE = 320;
// A figure as the table prints money, rates, hours and years (two
// decimals), and as it prints a power (one).
void formatFigure(char (&text)[FIGURE_SIZE], double value);
void formatPower(char (&text)[FIGURE_SIZE], double value);

// The row the table prints last, which front ends put in words.
ResultRow lastResultRow(const PaybackInput &input, const ResultOptions &options);

// The whole result of one calculation, as text, HTML table or HTML page.
void printResults(const PaybackInput &input, const ResultOptions &options,
                  const char *programName);

// Text table: ruler, two header lines, ruler; and the closing ruler.
void printTextTableHead(bool withInterest);
void printTextRuler(bool withInterest);

// One data row from the texts of its cells, in column order: cost, price,
// the two powers, with interest the three rates, and the payback time.
// The HTML row ends with "</tr>"; the caller decides on an empty line.
void printTableRow(const char *const cells[], bool withInterest, bool html);

// The heading of the operating-hours sub-row; gap stands between the hours
// and "Stunden:" in HTML.
void printHoursHeading(const char *hours, bool withInterest, bool html, const char *gap);

void printHtmlHead(const char *programName, const char *version);
void printHtmlFoot();
void openHtmlTable(bool withInterest);
void closeHtmlTable();
void printOutputMarker(bool html);

// Writes text with &, <, > and " escaped, so any program name is safe in HTML.
void printHtmlEscaped(const char *text);

#endif
