// Worked examples. Their numbers are fixed text, kept equal to what the
// calculator prints for the same command lines (a test runs them), so they
// double as reference values. Text is code page 850, HTML UTF-8.
#include "examples.h"

#include <cstdio>

#include "output.h"

namespace {

struct Example {
	const char *titleText;
	const char *titleHtml;
	const char *arguments;
	const char *explanationText;  // null: the example explains itself after its table
	const char *explanationHtml;
	bool withInterest;
	const char *hours;  // hours of the sub-row, null without -a
	const char *rows[2][8];  // cell texts of the main row and, with hours, the sub-row
	const char *afterText;  // printed after the table, null for none
	const char *afterHtml;
};

constexpr const char *REAL_RATE_TEXT =
	" Der Realzins ist der Nominalzins mit Ber\201cksichtigung der Inflation. "
	"F\201r kleine Werte gilt ungef\204hr:\n"
	" Realzins ~= Nominalzins - Inflationsrate\n"
	" Dieses Programm verwendet jedoch die genaue Formel:\n"
	" Realzins = 100*((1 + Nominalzins/100) / (1 + Inflationsrate/100) -1)\n"
	"\n"
	" Je h\224her der Realzins ist, desto l\204nger dauert die Wiedergewinnung. "
	"Umgekehrt wird die Wiedergewinnszeit umso k\201rzer, je h\224her der Strompreis ist.\n"
	" Rechnerisch macht es keinen Unterschied, ob die Investition \201ber einen Kredit "
	"finanziert werden muss oder ob eine Geldanlage die Alternative zu ihr ist.\n"
	" In der Realit\204t liegen Kreditzinsen jedoch deutlich h\224her als der Ertrag einer "
	"Geldanlage.\n"
	" Insbesondere darf f\201r einen Vergleich nur der Ertrag einer risikolosen Geldanlage "
	"herangezogen werden.\n"
	"\n"
	" Ist die Inflationsrate h\224her als der Nominalzins, liegt der Realzins unter 0, d. h. "
	"eine Geldanlage verliert trotz ihrer Zinsen an Wert.\n"
	" In diesem Fall wird die Wiedergewinnszeit k\201rzer.\n"
	"\n";

constexpr const char *REAL_RATE_HTML =
	"<p>\n"
	"Der Realzins ist der Nominalzins mit Ber\303\274cksichtigung der Inflation. "
	"F\303\274r kleine Werte gilt ungef\303\244hr:\n"
	"</p>\n"
	"<p class=\"code\">\n"
	"Realzins &ap; Nominalzins - Inflationsrate\n"
	"</p>\n"
	"<p>\n"
	"Dieses Programm verwendet jedoch die genaue Formel:\n"
	"</p>\n"
	"<p class=\"code\">Realzins = 100*((1 + Nominalzins/100) / (1 + Inflationsrate/100) -1)\n"
	"</p>\n"
	"\n"
	"<p>\n"
	"Je h\303\266her der Realzins ist, desto l\303\244nger dauert die Wiedergewinnung. "
	"Umgekehrt wird die Wiedergewinnszeit umso k\303\274rzer, je h\303\266her der Strompreis ist.\n"
	"Rechnerisch macht es keinen Unterschied, ob die Investition \303\274ber einen Kredit "
	"finanziert werden muss oder ob eine Geldanlage die Alternative zu ihr ist.\n"
	"In der Realit\303\244t liegen Kreditzinsen jedoch deutlich h\303\266her als der Ertrag einer "
	"Geldanlage.\n"
	"Insbesondere darf f\303\274r einen Vergleich nur der Ertrag einer <u>risikolosen</u> "
	"Geldanlage herangezogen werden.\n"
	"</p>\n"
	"<p>\n"
	"Ist die Inflationsrate h\303\266her als der Nominalzins, liegt der Realzins unter 0, "
	"d.&nbsp;h. eine Geldanlage verliert trotz ihrer Zinsen an Wert.<br>\n"
	"In diesem Fall wird die Wiedergewinnszeit k\303\274rzer.\n"
	"</p>\n"
	"\n";

// The text form ends the whole output with its empty line.
constexpr const char *GENERATOR_TEXT =
	" Ein Stromerzeuger verbraucht keinen Strom, sondern erzeugt ihn. "
	"Deshalb ist eine negative Leistung einzugeben.\n"
	" Das Beispiel nimmt f\201r ein Solarmodul einen Kaufpreis von 300 Euro und einen "
	"Energiepreis von 0,30 Eu/kWh an.\n"
	" Die Nennleistung des Moduls von 300 W wird \201ber die hellen Stunden gemittelt "
	"zu einem Drittel erreicht, daher -100.\n"
	" Im Jahresmittel ist es 12 Stunden am Tag hell, daraus ergibt sich die Option -a 12.\n"
	"\n";

constexpr const char *GENERATOR_HTML =
	"<p>\n"
	"Ein Stromerzeuger verbraucht keinen Strom, sondern erzeugt ihn. "
	"Deshalb ist eine negative Leistung einzugeben.\n"
	"</p>\n"
	"<p>\n"
	"Das Beispiel nimmt f\303\274r ein Solarmodul einen Kaufpreis von "
	"<span class=\"code\">300&nbsp;Euro</span> und einen Energiepreis von "
	"<span class=\"code\">0,30&nbsp;Eu/kWh</span> an.\n"
	"</p>\n"
	"<p>\n"
	"Die Nennleistung des Moduls von <span class=\"code\">300&nbsp;W</span> wird "
	"\303\274ber die hellen Stunden gemittelt zu einem Drittel erreicht, daher "
	"<span class=\"code\">-100</span>.\n"
	"</p>\n"
	"<p>\n"
	"Im Jahresmittel ist es <span class=\"code\">12&nbsp;Stunden</span> am Tag hell, "
	"daraus ergibt sich die Option <span class=\"code\">-a 12</span>.\n"
	"</p>\n";

constexpr Example EXAMPLES[] = {
	{"Ohne Angabe von Zins und Inflationsrate:",
	 "Ohne Angabe von Zins und Inflationsrate:",
	 "100 0.24 50 40",
	 "    Mit einer Investition von 100 Euro wird der Stromverbrauch von 50 auf 40 W reduziert. "
	 "Der Strompreis betr\204gt 0,24 Eu/kWh.",
	 "Mit einer Investition von 100&nbsp;Euro wird der Stromverbrauch von 50 auf 40&nbsp;W "
	 "reduziert. Der Strompreis betr\303\244gt 0,24&nbsp;Eu/kWh.<br>",
	 false, nullptr,
	 {{"100.00", "0.2400", "50.0", "40.0", "4.76"}},
	 nullptr, nullptr},
	{"Mit Angabe von Zins:",
	 "Mit Angabe von Zins:",
	 "100 0.24 50 40 -z 5.0",
	 "    Wie 1., aber mit einer Verzinsung von 5,0 %. "
	 "Wird keine Inflationsrate angegeben, wird diese als 0 angenommen.",
	 "Wie 1., aber mit einer Verzinsung von 5,0 %. "
	 "Wird keine Inflationsrate angegeben, wird diese als 0 angenommen.<br>",
	 true, nullptr,
	 {{"100.00", "0.2400", "50.0", "40.0", "5.00", "0.00", "5.00", "6.24"}},
	 nullptr, nullptr},
	{"Mit Angabe von Zins und Inflationsrate:",
	 "Mit Angabe von Zins und Inflationsrate:",
	 "100 0.24 50 40 -z 5.0 -i 2.5",
	 "    Wie 2., aber mit Inflationsrate 2,5 %.",
	 "Wie 2., aber mit Inflationsrate 2,5 %.<br>",
	 true, nullptr,
	 {{"100.00", "0.2400", "50.0", "40.0", "5.00", "2.50", "2.44", "5.38"}},
	 nullptr, nullptr},
	{"Mit Niedrigzins unter der Inflationsrate:",
	 "Mit Niedrigzins unter der Inflationsrate:",
	 "100 0.24 50 40 -z 0.4 -i 1.0",
	 "    Wie 3., aber mit Zins 0,4 % und Inflationsrate 1,0 %.",
	 "Wie 3., aber mit Zins 0,4 % und Inflationsrate 1,0 %.<br>",
	 true, nullptr,
	 {{"100.00", "0.2400", "50.0", "40.0", "0.40", "1.00", "-0.59", "4.63"}},
	 nullptr, nullptr},
	{"Mit Angabe der t\204glichen Betriebsdauer:",
	 "Mit Angabe der t\303\244glichen Betriebsdauer:",
	 "100 0.24 50 40 -a 8",
	 "    Wie 1., aber mit einer t\204glichen Betriebsdauer von 8 Stunden.",
	 "Wie 1., aber mit einer t\303\244glichen Betriebsdauer von 8&nbsp;Stunden.<br>",
	 false, "8.00",
	 {{"100.00", "0.2400", "50.0", "40.0", "4.76"},
	  {"100.00", "0.2400", "16.7", "13.3", "14.27"}},
	 nullptr, nullptr},
	{"Mit Angabe von Zins, Inflationsrate und t\204glicher Betriebsdauer:",
	 "Mit Angabe von Zins, Inflationsrate und t\303\244glicher Betriebsdauer:",
	 "100 0.24 50 40 -z 5.0 -i 2.5 -a 8",
	 "    Wie 3., aber mit einer t\204glichen Betriebsdauer von 8 Stunden.",
	 "Wie 3., aber mit einer t\303\244glichen Betriebsdauer von 8&nbsp;Stunden.<br>",
	 true, "8.00",
	 {{"100.00", "0.2400", "50.0", "40.0", "5.00", "2.50", "2.44", "5.38"},
	  {"100.00", "0.2400", "16.7", "13.3", "5.00", "2.50", "2.44", "21.89"}},
	 REAL_RATE_TEXT, REAL_RATE_HTML},
	{"Berechnung f\201r einen Stromerzeuger, z. B. ein Solarmodul:",
	 "Berechnung f\303\274r einen Stromerzeuger, z.&nbsp;B. ein Solarmodul:",
	 "300 0.30 0 -100 -a 12",
	 nullptr, nullptr,
	 false, "12.00",
	 {{"300.00", "0.3000", "0.0", "-100.0", "1.14"},
	  {"300.00", "0.3000", "0.0", "-50.0", "2.28"}},
	 GENERATOR_TEXT, GENERATOR_HTML},
};

// The fixed rows, laid out like a result table's.
void printExampleRows(const Example &e, bool html)
{
	printTableRow(e.rows[0], e.withInterest, html);
	if (e.hours == nullptr)
		return;
	if (html)
		std::putchar('\n');
	printHoursHeading(e.hours, e.withInterest, html, html ? "&nbsp;" : " ");
	printTableRow(e.rows[1], e.withInterest, html);
}

void printExampleText(int number, const Example &e, const char *programName)
{
	std::printf(" %d. %s\n"
	            "    %s %s\n",
	            number, e.titleText, programName, e.arguments);
	if (e.explanationText != nullptr)
		std::puts(e.explanationText);
	printOutputMarker(false);
	printTextTableHead(e.withInterest);
	printExampleRows(e, false);
	printTextRuler(e.withInterest);
	std::putchar('\n');
	if (e.afterText != nullptr)
		std::fputs(e.afterText, stdout);
}

void printExampleHtml(const Example &e, const char *programName, bool last)
{
	std::printf("<li>\n"
	            "<div class=\"listenpunktueberschrift\">%s</div>\n"
	            "\n"
	            "<div class=\"code\">",
	            e.titleHtml);
	printHtmlEscaped(programName);
	std::printf(" %s</div>\n", e.arguments);
	if (e.explanationHtml != nullptr)
		std::puts(e.explanationHtml);
	printOutputMarker(true);
	openHtmlTable(e.withInterest);
	printExampleRows(e, true);
	closeHtmlTable();
	if (e.afterHtml != nullptr)
		std::fputs(e.afterHtml, stdout);
	std::puts(last ? "</li>" : "</li>\n");
}

}  // namespace

void printExamples(const char *const argv[], OutputStyle style)
{
	const char *programName = argv[0];
	int count = static_cast<int>(sizeof EXAMPLES / sizeof EXAMPLES[0]);

	if (style == STYLE_TEXT) {
		std::puts(" === Einige Beispiele zur Benutzung: ===\n");
		for (int i = 0; i < count; i++)
			printExampleText(i + 1, EXAMPLES[i], programName);
		return;
	}

	if (style == STYLE_PAGE)
		printHtmlHead(programName, PROGRAM_VERSION);
	std::puts("<h2 class=\"ueber\">Einige Beispiele zur Benutzung:</h2>\n"
	          "\n"
	          "<ol>");
	for (int i = 0; i < count; i++)
		printExampleHtml(EXAMPLES[i], programName, i == count - 1);
	std::puts("</ol>\n");
	if (style == STYLE_PAGE)
		printHtmlFoot();
}
