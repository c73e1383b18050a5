// Argument handling and the report for runs that print no result.
// Console texts are code page 850 (\204 a-umlaut, \224 o-umlaut,
// \201 u-umlaut, \341 sharp s), what the console it was made for shows.
#include "cli.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calc.h"
#include "examples.h"
#include "output.h"

namespace {

constexpr const char *BANNER_BOX = " *************************";

constexpr const char *HELP_DESCRIPTION =
	" Berechnet die Wiedergewinnszeit einer Investition zur Stromeinsparung bei Verbrauchern, "
	"die dauernd oder zeitweise in Betrieb sind.\n"
	"\n";

constexpr const char *HELP_OPTIONS =
	" Optionen (durch Leerzeichen getrennt):\n"
	"  -z <Zins>\t\tZinssatz f\201r eine alternative Finanzanlage\n"
	"  -i <Inflation>\tInflation\n"
	"  -a <Betriebsdauer>\tT\204gliche Betriebsdauer in Stunden\n"
	"  -h \t\t\tHTML-Version, z. B. zum Einbinden der Ausgabe in eine bestehende HTML-Datei\n"
	"  -H \t\t\tHTML-Version mit kompletter HTML-Datei:\n"
	"\t\t\tAm besten mit > in eine Datei mit der Endung .html umleiten und diese mit dem "
	"\201blichen Programm \224ffnen.\n"
	"  -b\t\t\tGibt Beispiele zur Benutzung aus. Falls notwendig, mit | more seitenweise ausgeben.\n"
	"  -bh\t\t\tGibt Beispiele zur Benutzung im HTML-Format aus.\n"
	"  -bH\t\t\tGibt Beispiele zur Benutzung im HTML-Format als komplette HTML-Datei mit "
	"HTML-Kopfdaten aus.\n"
	"\t\t\tAm besten mit > in eine Datei mit der Endung .html umleiten und diese mit dem "
	"\201blichen Programm \224ffnen.\n"
	"  \n"
	" Bei Zahlen statt eines Kommas (1,5) bitte einen Punkt (1.5) eingeben.\n"
	"\n"
	" F\201r Stromerzeuger ist eine negative Leistung anzugeben.\n"
	"\n"
	" Mit der Option -z kann ein Zinssatz angegeben werden.\n"
	" Das ist der Zins, den eine Finanzierung der Investition kosten w\201rde, oder der Ertrag, "
	"den eine risikolose Anlage des Geldes bringen k\224nnte.\n"
	"\n"
	" Mit der Option -i kann eine Inflationsrate angegeben werden.\n"
	"\n"
	" Damit vergleicht das Programm die Kostenersparnis durch die Investition mit den Kosten "
	"ihrer Finanzierung oder mit dem Ertrag einer Geldanlage.\n"
	"\n"
	" F\201r Verbraucher, die nicht dauernd in Betrieb sind, kann statt der tats\204chlichen "
	"Leistung die auf Dauerbetrieb umgerechnete Leistung eingegeben werden:\n"
	" Dauerleistung = Betriebsleistung * Betriebsstunden im Jahr / 8760\n"
	" oder\n"
	" Dauerleistung = Betriebsleistung * Anteil der Betriebszeit an der Gesamtzeit\n"
	"\n"
	" Stattdessen kann mit der Option -a die t\204gliche Betriebsdauer in Stunden angegeben "
	"werden; das Programm rechnet dann selbst um.\n"
	"\n";

// Each error with what it is about: an option, or the positions of the
// numbers ("3 4": both powers).
struct ErrorReport {
	ReportFlags bit;
	int number;
	const char *message;
	const char *subject;
};

constexpr ErrorReport ERROR_REPORTS[] = {
	{REPORT_ERR_INTEREST, 1, " Bitte geben Sie zur Option -z immer einen Zinssatz an.", "-z"},
	{REPORT_ERR_INFLATION, 2, " Bitte geben Sie zur Option -i immer eine Inflationsrate an.", "-i"},
	{REPORT_ERR_HOURS, 3, " Bitte geben Sie zur Option -a immer eine t\204gliche Betriebsdauer an.",
	 "-a"},
	{REPORT_ERR_HOURS_ZERO, 4,
	 " Die t\204gliche Betriebsdauer darf nicht 0 sein. Sonst w\204re die Wiedergewinnszeit "
	 "unendlich.",
	 "-a"},
	{REPORT_ERR_SAME_POWER, 5,
	 " Leistung vorher und Leistung hinterher m\201ssen immer verschieden sein.", "3 4"},
};

// The letters of code page 850 that the console texts use, as UTF-8.
struct ConsoleLetter {
	unsigned char cp850;
	const char *utf8;
};
constexpr ConsoleLetter CONSOLE_LETTERS[] = {
	{0x81, "\303\274"}, {0x84, "\303\244"}, {0x8e, "\303\204"}, {0x94, "\303\266"},
	{0x99, "\303\226"}, {0x9a, "\303\234"}, {0xe1, "\303\237"},
};

void printHelp(const char *programName)
{
	std::printf("\n"
	            "%s\n"
	            " *** Wiedergewinnszeit ***\n"
	            " *** %-17s ***\n"
	            "%s\n"
	            "\n"
	            " Version %s, %s\n"
	            "\n",
	            BANNER_BOX, PROGRAM_AUTHOR, BANNER_BOX, PROGRAM_VERSION, PROGRAM_DATE);
	std::fputs(HELP_DESCRIPTION, stdout);
	std::printf(" Syntax: %s <Investitionskosten (Eu)> <Strompreis (Eu/kWh)> "
	            "<Leistung vorher (W)> <Leistung hinterher (W)> [Optionen]\n"
	            "   oder: %s -b oder -bh oder -bH\n"
	            "\n",
	            programName, programName);
	std::fputs(HELP_OPTIONS, stdout);
}

// Numbers are read as the C library reads them: the longest valid
// beginning counts, so "5abc" is 5 and a decimal comma ends the number
// ("1,5" is 1). The caller rounds the result to float exactly once.
double parseNumber(const char *text)
{
	char *end;
	double value = std::strtod(text, &end);
	// No number at all is 0; some C libraries give -0 for a lone "-".
	return end == text ? 0.0 : value;
}

bool isDigit(char c)
{
	return c >= '0' && c <= '9';
}

// Deliberately looks at two characters only: "-.5" and "+5" fail, "1,5" and
// "5abc" pass.
bool startsLikeNumber(const char *text)
{
	return (text[0] == '-' && isDigit(text[1])) || text[0] == '.' || isDigit(text[0]);
}

// Fewer than four arguments: only the help or one of the example forms.
ReportFlags reportMode(int count, const char *const argv[])
{
	if (count == 0)
		return REPORT_USAGE;
	if (std::strcmp(argv[1], "-b") == 0)
		return REPORT_USAGE | REPORT_EXAMPLES_TEXT;
	if (std::strcmp(argv[1], "-bh") == 0)
		return REPORT_USAGE | REPORT_EXAMPLES_HTML;
	if (std::strcmp(argv[1], "-bH") == 0)
		return REPORT_USAGE | REPORT_EXAMPLES_PAGE;
	return REPORT_USAGE;
}

// The accepted value texts of -z, -i and -a; a later occurrence wins.
struct OptionValues {
	const char *interest = nullptr;
	const char *inflation = nullptr;
	const char *hours = nullptr;
};

// Marks an option as given and keeps its value text; without a value, the
// option's error bit.
ReportFlags takeValue(const char *value, bool &given, const char *&kept, ReportFlags error)
{
	given = true;
	if (value == nullptr)
		return error;
	kept = value;
	return 0;
}

// Visits every argument once. The argument after an option is not skipped:
// at its own position it is looked at like any other, so "-z -h" both fails
// -z and asks for HTML.
ReportFlags scanOptions(int count, const char *const argv[], ResultOptions &options,
                        OptionValues &values)
{
	ReportFlags flags = 0;
	for (int i = 1; i <= count; i++) {
		const char *arg = argv[i];
		const char *value = i < count && startsLikeNumber(argv[i + 1]) ? argv[i + 1] : nullptr;
		if (std::strcmp(arg, "-z") == 0) {
			flags |= takeValue(value, options.haveInterest, values.interest, REPORT_ERR_INTEREST);
		} else if (std::strcmp(arg, "-i") == 0) {
			flags |= takeValue(value, options.haveInflation, values.inflation, REPORT_ERR_INFLATION);
		} else if (std::strcmp(arg, "-a") == 0) {
			// Zero hours would make the payback infinite. Tested before the
			// rounding to float, so 1e-50 passes although it rounds to 0.
			if (value != nullptr && parseNumber(value) == 0) {
				options.haveHours = true;
				flags |= REPORT_ERR_HOURS_ZERO;
			} else {
				flags |= takeValue(value, options.haveHours, values.hours, REPORT_ERR_HOURS);
			}
		} else if (std::strcmp(arg, "-h") == 0) {
			options.htmlOutput = true;
		} else if (std::strcmp(arg, "-H") == 0) {
			options.htmlOutput = true;
			options.fullPage = true;
		}
	}
	return flags;
}

}  // namespace

float toFloat(const char *text)
{
	return static_cast<float>(parseNumber(text));
}

namespace {

// Four or more arguments: the option scan, then the two powers as typed,
// compared at float precision (0 equals -0, a NaN equals nothing).
ReportFlags checkArguments(int count, const char *const argv[], ResultOptions &options,
                           OptionValues &values, PaybackInput &input)
{
	ReportFlags flags = scanOptions(count, argv, options, values);
	input.powerBefore = toFloat(argv[3]);
	input.powerAfter = toFloat(argv[4]);
	if (input.powerBefore == input.powerAfter)
		flags |= REPORT_ERR_SAME_POWER;
	return flags;
}

}  // namespace

ReportFlags readArguments(int argc, const char *const argv[], PaybackInput &input,
                          ResultOptions &options)
{
	int count = argc - 1;  // arguments after the program name
	OptionValues values;
	ReportFlags flags = count < 4 ? reportMode(count, argv)
	                              : checkArguments(count, argv, options, values, input);
	if (flags != 0)
		return flags;

	input.cost = toFloat(argv[1]);
	input.price = toFloat(argv[2]);
	if (options.haveInterest)
		input.interestRate = toFloat(values.interest);
	if (options.haveInflation)
		input.inflationRate = toFloat(values.inflation);
	if (options.haveHours) {
		input.hoursPerDay = toFloat(values.hours);
		input.dutyPowerBefore = dutyPower(input.powerBefore, input.hoursPerDay);
		input.dutyPowerAfter = dutyPower(input.powerAfter, input.hoursPerDay);
	}
	return 0;
}

int runCalculator(int argc, const char *const argv[])
{
	static const char *const fallbackArgv[] = {PROGRAM_NAME, nullptr};
	if (argc < 1 || argv[0] == nullptr) {
		argc = 1;
		argv = fallbackArgv;
	}

	PaybackInput input;
	ResultOptions options;
	ReportFlags flags = readArguments(argc, argv, input, options);
	if (flags != 0) {
		printReport(flags, argv);
		return static_cast<int>(flags);
	}
	printResults(input, options, argv[0]);
	return 0;
}

const char *errorSubject(ReportFlags bit)
{
	for (const ErrorReport &report : ERROR_REPORTS)
		if (report.bit == bit)
			return report.subject;
	return nullptr;
}

const char *consoleLetter(unsigned char byte)
{
	for (const ConsoleLetter &letter : CONSOLE_LETTERS)
		if (letter.cp850 == byte)
			return letter.utf8;
	return nullptr;
}

void printErrors(ReportFlags flags)
{
	for (const ErrorReport &report : ERROR_REPORTS)
		if (flags & report.bit)
			std::printf(" Fehler %d:%s\n\n", report.number, report.message);
}

void printReport(ReportFlags flags, const char *const argv[])
{
	const char *programName = argv[0];

	if ((flags & (REPORT_EXAMPLES_HTML | REPORT_EXAMPLES_PAGE)) == 0)
		printHelp(programName);

	printErrors(flags);

	if (flags & REPORT_EXAMPLES_TEXT)
		printExamples(argv, STYLE_TEXT);
	else if (flags & REPORT_EXAMPLES_HTML)
		printExamples(argv, STYLE_HTML);
	else if (flags & REPORT_EXAMPLES_PAGE)
		printExamples(argv, STYLE_PAGE);
	else
		std::printf(" F\201r Rechenbeispiele geben Sie bitte ein: %s -b\n\n", programName);
}
