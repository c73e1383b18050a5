// Result tables in text and HTML, and the pieces they share with the
// worked examples. Text is code page 850 for the console it was made for;
// HTML is UTF-8, as its charset meta says.
#include "output.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "calc.h"

namespace {

constexpr int TAB_STOP = 8;

// Width of a line on a terminal with tab stops every eight columns.
constexpr int tabbedWidth(const char *line)
{
	int column = 0;
	for (; *line != '\0'; ++line)
		column = *line == '\t' ? (column / TAB_STOP + 1) * TAB_STOP : column + 1;
	return column;
}

constexpr const char *NAMES_PLAIN = "|Kosten\t\t|Strompreis\t|P1\t|P2\t|Wiedergewinnszeit\t|";
constexpr const char *UNITS_PLAIN = "|Eu\t\t|Eu/kWh\t\t|W\t|W\t|Jahre\t\t\t|";
constexpr const char *NAMES_INTEREST =
	"|Kosten\t\t|Strompreis\t|P1\t|P2\t|Zins\t\t|Inflation\t|Realzins\t|Wiedergewinnszeit\t|";
constexpr const char *UNITS_INTEREST =
	"|Eu\t\t|Eu/kWh\t\t|W\t|W\t|%\t\t|%\t\t|%\t\t|Jahre\t\t\t|";
// The rulers are exactly as wide as the header lines.
constexpr int WIDTH_PLAIN = tabbedWidth(NAMES_PLAIN);
constexpr int WIDTH_INTEREST = tabbedWidth(NAMES_INTEREST);
static_assert(WIDTH_PLAIN == 73 && WIDTH_INTEREST == 121);

// The widest ruler; narrower ones print a prefix of it.
constexpr auto RULER = [] {
	std::array<char, WIDTH_INTEREST + 1> line{};
	for (int i = 0; i < WIDTH_INTEREST; i++)
		line[static_cast<size_t>(i)] = '=';
	return line;
}();

constexpr const char *HTML_HEAD_TOP =
	"<!doctype html public \"-//w3c//dtd html 4.01 Transitional//en\" "
	"\"http://www.w3.org/TR/html4/loose.dtd\">\n"
	"<html lang=\"de\">\n"
	"<head>\n"
	"<title>\n"
	"Wiedergewinnszeit\n"
	"</title>\n"
	"<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">\n"
	"<meta http-equiv=\"content-style-type\" content=\"text/css\">\n"
	"<meta http-equiv=\"content-language\" content=\"de\">\n"
	"\n";

constexpr const char *HTML_DESCRIPTION =
	"<meta name=\"language\" content=\"de\">\n"
	"<meta name=\"description\" content=\"Berechnet die Wiedergewinnszeit einer Investition "
	"zur Stromeinsparung bei Verbrauchern, die dauernd oder zeitweise in Betrieb sind.\">\n";

constexpr const char *HTML_STYLE =
	"\n"
	"<style type=\"text/css\">\n"
	"<!--\n"
	"body\t\t{\n"
	"\t\tfont-family:sans-serif;\n"
	"\t\tfont-size:14pt;\n"
	"\t\ttext-align:justify;\n"
	"\t\tcolor:#000099;\n"
	"\t\tbackground-color:#ffe060;\n"
	"\t\t-moz-hyphens:auto;\n"
	"\t\t-ms-hyphens:auto;\n"
	"\t\t-webkit-hyphens:auto;\n"
	"\t\thyphens:auto;\n"
	"\t\t}\n"
	"li\t\t{ margin:5pt;\n"
	"\t\tmargin-top:15pt;\n"
	"\t\t}\n"
	"table, td, th, .text\n"
	"\t\t{ border-style:solid;\n"
	"\t\tborder-width:1px;\n"
	"\t\tborder-color:#000099;\n"
	"\t\tborder-collapse:collapse;\n"
	"\t\tbackground-color:#ffff99;\n"
	"\t\tpadding:15pt;\n"
	"\t\tfont-size:14pt;\n"
	"\t\ttext-align:justify;\n"
	"\t\t}\n"
	"td\t\t{ vertical-align:top;\n"
	"\t\t}\n"
	"th\t\t{ font-weight:bold;\n"
	"\t\ttext-align:center;\n"
	"\t\tvertical-align:middle;\n"
	"\t\t}\n"
	"b\t\t{ color:#008000; }\n"
	"i, u\t\t{ color:#d00000; }\n"
	"strike\t\t{ color:#404040; }\n"
	".li\t\t{ text-align:left; }\n"
	".re\t\t{ text-align:right; }\n"
	".zentr\t\t{ text-align:center; }\n"
	".kosten, .strompreis, .leistung, .zins\n"
	"\t\t{ text-align:right; }\n"
	".zeit\t\t{ text-align:center; }\n"
	".ueber\t\t{ text-align:center; }\n"
	".listenpunktueberschrift\n"
	"\t\t{ color:#d00000;\n"
	"\t\tfont-weight:bold;\n"
	"\t\ttext-decoration:underline;\n"
	"\t\tmargin-bottom:4pt;\n"
	"\t\t}\n"
	".ergibt\t\t{ margin:6pt; }\n"
	".code\t\t{ font-family:monospace;\n"
	"\t\tfont-weight:bold;\n"
	"\t\tcolor:#000000;\n"
	"\t\t}\n"
	"\n"
	"@media print\n"
	"{\n"
	"body, body *, table, td, th, a\n"
	"\t\t{\n"
	"\t\tfont-family:Arial;\n"
	"\t\tcolor:#000000;\n"
	"\t\tbackground-color:#ffffff;\n"
	"\t\tbackground-image:none;\n"
	"\t\tborder-color:#808080;\n"
	"\t\tborder-left-color:#808080;\n"
	"\t\tborder-right-color:#808080;\n"
	"\t\t}\n"
	"li\t\t{ margin:0; }\n"
	"}\n"
	"-->\n"
	"</style>\n"
	"</head>\n"
	"\n"
	"<body>\n"
	"\n";

constexpr const char *HTML_FOOT =
	"</body>\n"
	"</html>\n";

constexpr const char *HTML_TABLE_OPEN =
	"<table>\n"
	"<tr>\n"
	"<th>Kosten<br>Eu</th>\n"
	"<th>Strompreis<br>Eu/kWh</th>\n"
	"<th>P1<br>W</th>\n"
	"<th>P2<br>W</th>\n";
constexpr const char *HTML_TABLE_RATES =
	"<th>Zins<br>%</th>\n"
	"<th>Inflation<br>%</th>\n"
	"<th>Realzins<br>%</th>\n";
constexpr const char *HTML_TABLE_TIME =
	"<th>Wiedergewinnszeit<br>Jahre</th>\n"
	"</tr>\n"
	"\n";

// One result row: the values of the input with the row's powers, the real
// rate printed as computed, and the payback time at that rate as a float.
void printResultRow(const PaybackInput &in, const ResultRow &row, bool withInterest, bool html)
{
	auto years = static_cast<double>(
		paybackYears(in.cost, in.price, row.powerBefore, row.powerAfter, row.rate));
	char text[8][FIGURE_SIZE];
	int n = 0;

	formatFigure(text[n++], static_cast<double>(in.cost));
	std::snprintf(text[n++], FIGURE_SIZE, "%.4f", static_cast<double>(in.price));
	formatPower(text[n++], static_cast<double>(row.powerBefore));
	formatPower(text[n++], static_cast<double>(row.powerAfter));
	if (withInterest) {
		formatFigure(text[n++], static_cast<double>(in.interestRate));
		formatFigure(text[n++], static_cast<double>(in.inflationRate));
		formatFigure(text[n++], row.realRate);
	}
	formatFigure(text[n++], years);

	const char *cells[8];
	for (int i = 0; i < n; i++)
		cells[i] = text[i];
	printTableRow(cells, withInterest, html);
	if (html)
		std::putchar('\n');
}

}  // namespace

void formatFigure(char (&text)[FIGURE_SIZE], double value)
{
	std::snprintf(text, FIGURE_SIZE, "%.2f", value);
}

void formatPower(char (&text)[FIGURE_SIZE], double value)
{
	std::snprintf(text, FIGURE_SIZE, "%.1f", value);
}

void printTextRuler(bool withInterest)
{
	std::printf("%.*s\n", withInterest ? WIDTH_INTEREST : WIDTH_PLAIN, RULER.data());
}

void printTextTableHead(bool withInterest)
{
	printTextRuler(withInterest);
	std::puts(withInterest ? NAMES_INTEREST : NAMES_PLAIN);
	std::puts(withInterest ? UNITS_INTEREST : UNITS_PLAIN);
	printTextRuler(withInterest);
}

void printTableRow(const char *const c[], bool withInterest, bool html)
{
	if (!html && !withInterest) {
		std::printf("|%7s\t|%6s\t\t|%5s\t|%5s\t|%5s\t\t\t|\n", c[0], c[1], c[2], c[3], c[4]);
	} else if (!html) {
		std::printf("|%7s\t|%6s\t\t|%5s\t|%5s\t|%5s\t\t|%5s\t\t|%5s\t\t|%5s\t\t\t|\n",
		            c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]);
	} else {
		std::printf("<tr>\n"
		            "<td class=\"kosten\">%s</td>\n"
		            "<td class=\"strompreis\">%s</td>\n"
		            "<td class=\"leistung\">%s</td>\n"
		            "<td class=\"leistung\">%s</td>\n",
		            c[0], c[1], c[2], c[3]);
		if (withInterest)
			std::printf("<td class=\"zins\">%s</td>\n"
			            "<td class=\"zins\">%s</td>\n"
			            "<td class=\"zins\">%s</td>\n",
			            c[4], c[5], c[6]);
		std::printf("<td class=\"zeit\">%s</td>\n"
		            "</tr>\n",
		            c[withInterest ? 7 : 4]);
	}
}

void printHoursHeading(const char *hours, bool withInterest, bool html, const char *gap)
{
	// The hyphens make the line as wide as the ruler for hours up to 99.99.
	if (html)
		std::printf("<tr>\n"
		            "<th class=\"ueber\" colspan=\"%s\">Mit t\303\244glicher Betriebsdauer von "
		            "%s%sStunden:</th>\n"
		            "</tr>\n"
		            "\n",
		            withInterest ? "8" : "5", hours, gap);
	else if (withInterest)
		std::printf("|----------------------------------- Mit t\204glicher Betriebsdauer von "
		            "%5s Stunden: ------------------------------------|\n",
		            hours);
	else
		std::printf("|----------- Mit t\204glicher Betriebsdauer von %5s Stunden: ------------|\n",
		            hours);
}

ResultRow resultRow(const PaybackInput &in, const ResultOptions &options, bool hoursRow)
{
	ResultRow row;
	row.powerBefore = hoursRow ? in.dutyPowerBefore : in.powerBefore;
	row.powerAfter = hoursRow ? in.dutyPowerAfter : in.powerAfter;
	if (options.haveInterest || options.haveInflation)
		row.realRate = realInterestRate(in.interestRate, in.inflationRate);
	row.rate = static_cast<float>(row.realRate);
	return row;
}

ResultRow lastResultRow(const PaybackInput &in, const ResultOptions &options)
{
	return resultRow(in, options, options.haveHours);
}

void printResults(const PaybackInput &in, const ResultOptions &options, const char *programName)
{
	bool withInterest = options.haveInterest || options.haveInflation;
	bool html = options.htmlOutput;

	if (options.fullPage)
		printHtmlHead(programName, PROGRAM_VERSION);
	if (html)
		openHtmlTable(withInterest);
	else
		printTextTableHead(withInterest);

	printResultRow(in, resultRow(in, options, false), withInterest, html);
	if (options.haveHours) {
		char hours[FIGURE_SIZE];
		formatFigure(hours, static_cast<double>(in.hoursPerDay));
		printHoursHeading(hours, withInterest, html, " ");
		printResultRow(in, resultRow(in, options, true), withInterest, html);
	}

	if (html)
		closeHtmlTable();
	else
		printTextRuler(withInterest);
	if (options.fullPage)
		printHtmlFoot();
}

void printHtmlEscaped(const char *text)
{
	for (;;) {
		size_t plain = std::strcspn(text, "&<>\"");
		std::fwrite(text, 1, plain, stdout);
		text += plain;
		switch (*text) {
		case '&': std::fputs("&amp;", stdout); break;
		case '<': std::fputs("&lt;", stdout); break;
		case '>': std::fputs("&gt;", stdout); break;
		case '"': std::fputs("&quot;", stdout); break;
		default: return;
		}
		++text;
	}
}

void printHtmlHead(const char *programName, const char *version)
{
	std::fputs(HTML_HEAD_TOP, stdout);
	std::printf("<meta name=\"author\" content=\"%s\">\n", PROGRAM_AUTHOR);
	std::fputs("<meta name=\"generator\" content=\"", stdout);
	printHtmlEscaped(programName);
	std::printf(" %s\">\n", version);
	std::fputs(HTML_DESCRIPTION, stdout);
	std::printf("<meta name=\"keywords\" content=\"Wiedergewinnszeit, Strom, Strom sparen, %s\">\n",
	            PROGRAM_AUTHOR);
	std::fputs(HTML_STYLE, stdout);
}

void printHtmlFoot()
{
	std::fputs(HTML_FOOT, stdout);
}

void openHtmlTable(bool withInterest)
{
	std::fputs(HTML_TABLE_OPEN, stdout);
	if (withInterest)
		std::fputs(HTML_TABLE_RATES, stdout);
	std::fputs(HTML_TABLE_TIME, stdout);
}

void closeHtmlTable()
{
	std::fputs("</table>\n\n", stdout);
}

void printOutputMarker(bool html)
{
	std::puts(html ? "<div class=\"ergibt\">&rArr; Ergibt folgende Ausgabe:</div>"
	               : "    => Ergibt folgende Ausgabe:");
}
