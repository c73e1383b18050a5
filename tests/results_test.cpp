// Result tables: the text and HTML variants, with and without the rate
// columns and the operating-hours sub-row, and the complete page.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run.h"

namespace {

const std::string RULER_PLAIN(73, '=');
const std::string RULER_INTEREST(121, '=');

std::string textTable(bool interest, const std::vector<std::string> &body)
{
	const std::string &ruler = interest ? RULER_INTEREST : RULER_PLAIN;
	std::string out = ruler + "\n";
	out += interest ? "|Kosten\t\t|Strompreis\t|P1\t|P2\t|Zins\t\t|Inflation\t|Realzins\t"
	                  "|Wiedergewinnszeit\t|\n"
	                  "|Eu\t\t|Eu/kWh\t\t|W\t|W\t|%\t\t|%\t\t|%\t\t|Jahre\t\t\t|\n"
	                : "|Kosten\t\t|Strompreis\t|P1\t|P2\t|Wiedergewinnszeit\t|\n"
	                  "|Eu\t\t|Eu/kWh\t\t|W\t|W\t|Jahre\t\t\t|\n";
	out += ruler + "\n";
	for (const std::string &line : body)
		out += line + "\n";
	return out + ruler + "\n";
}

// An HTML data row from the texts of its cells.
std::string htmlRow(const std::vector<std::string> &cells)
{
	static const char *const classes5[] = {"kosten", "strompreis", "leistung", "leistung", "zeit"};
	static const char *const classes8[] = {"kosten", "strompreis", "leistung", "leistung",
	                                       "zins",   "zins",       "zins",     "zeit"};
	std::string out = "<tr>\n";
	for (size_t i = 0; i < cells.size(); i++)
		out += std::string("<td class=\"") + (cells.size() == 8 ? classes8 : classes5)[i] + "\">" +
		       cells[i] + "</td>\n";
	return out + "</tr>\n\n";
}

std::string htmlHeading(int columns, const char *hours)
{
	return "<tr>\n<th class=\"ueber\" colspan=\"" + std::to_string(columns) +
	       "\">Mit t\303\244glicher Betriebsdauer von " + hours + " Stunden:</th>\n</tr>\n\n";
}

std::string htmlTableHead(bool interest)
{
	return std::string("<table>\n<tr>\n<th>Kosten<br>Eu</th>\n<th>Strompreis<br>Eu/kWh</th>\n"
	                   "<th>P1<br>W</th>\n<th>P2<br>W</th>\n") +
	       (interest ? "<th>Zins<br>%</th>\n<th>Inflation<br>%</th>\n<th>Realzins<br>%</th>\n" : "") +
	       "<th>Wiedergewinnszeit<br>Jahre</th>\n</tr>\n\n";
}

std::string args(const std::vector<std::string> &a)
{
	std::string s;
	for (const std::string &w : a)
		s += w + " ";
	return s;
}

TEST(ResultTable, WorkedExampleTextIsExactlyEightLines)
{
	Outcome r = run({"100", "0.24", "50", "40", "-z", "5.0", "-i", "2.5", "-a", "8"});
	EXPECT_EQ(r.status, 0);
	EXPECT_EQ(r.err, "");
	EXPECT_EQ(r.out, textTable(true, {
		"| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t| 5.00\t\t| 2.50\t\t| 2.44\t\t| 5.38\t\t\t|",
		"|----------------------------------- Mit t\204glicher Betriebsdauer von  8.00 Stunden: "
		"------------------------------------|",
		"| 100.00\t|0.2400\t\t| 16.7\t| 13.3\t| 5.00\t\t| 2.50\t\t| 2.44\t\t|21.89\t\t\t|"}));
	for (const std::string &line : lines(r.out))
		EXPECT_EQ(tabbedWidth(line), 121) << line;
}

struct TextCase {
	std::vector<std::string> args;
	bool interest;
	std::vector<std::string> body;
};

TEST(ResultTable, TextVariants)
{
	const std::string heading8 = "|----------- Mit t\204glicher Betriebsdauer von  8.00 Stunden: ------------|";
	const TextCase cases[] = {
		{{"100", "0.24", "50", "40"}, false,
		 {"| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t| 4.76\t\t\t|"}},
		{{"100", "0.24", "50", "40", "-a", "8"}, false,
		 {"| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t| 4.76\t\t\t|", heading8,
		  "| 100.00\t|0.2400\t\t| 16.7\t| 13.3\t|14.27\t\t\t|"}},
		{{"100", "0.24", "50", "40", "-z", "5.0", "-i", "2.5"}, true,
		 {"| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t| 5.00\t\t| 2.50\t\t| 2.44\t\t| 5.38\t\t\t|"}},
		// Either rate option selects the rate columns.
		{{"100", "0.24", "50", "40", "-i", "2.5"}, true,
		 {"| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t| 0.00\t\t| 2.50\t\t|-2.44\t\t| 4.26\t\t\t|"}},
		{{"100", "0.24", "50", "40", "-z", "0"}, true,
		 {"| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t| 0.00\t\t| 0.00\t\t| 0.00\t\t| 4.76\t\t\t|"}},
		{{"300", "0.30", "0", "-100", "-a", "12"}, false,
		 {"| 300.00\t|0.3000\t\t|  0.0\t|-100.0\t| 1.14\t\t\t|",
		  "|----------- Mit t\204glicher Betriebsdauer von 12.00 Stunden: ------------|",
		  "| 300.00\t|0.3000\t\t|  0.0\t|-50.0\t| 2.28\t\t\t|"}},
		// The rate 0.375 prints rounded half to even; the real rate, computed
		// in double, lies just below it.
		{{"100", "0.24", "50", "40", "-z", "0.375"}, true,
		 {"| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t| 0.38\t\t| 0.00\t\t| 0.37\t\t| 4.84\t\t\t|"}},
		{{"100", "0.24", "50", "40", "-z", "30"}, true,
		 {"| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t|30.00\t\t| 0.00\t\t|30.00\t\t|-11.14\t\t\t|"}},
		// A net gain of exactly zero: the payback is infinite, the rest prints.
		{{"438", "0.5", "50", "40", "-z", "10"}, true,
		 {"| 438.00\t|0.5000\t\t| 50.0\t| 40.0\t|10.00\t\t| 0.00\t\t|10.00\t\t|  inf\t\t\t|"}},
		{{"100", "0", "50", "40"}, false,
		 {"| 100.00\t|0.0000\t\t| 50.0\t| 40.0\t|  inf\t\t\t|"}},
		{{"1000000.01", "0.24", "50", "40"}, false,
		 {"|1000000.00\t|0.2400\t\t| 50.0\t| 40.0\t|47564.69\t\t\t|"}},
		{{"100", "0.24", "40", "50"}, false,
		 {"| 100.00\t|0.2400\t\t| 40.0\t| 50.0\t|-4.76\t\t\t|"}},
		// 24 hours a day: the sub-row repeats the main row.
		{{"100", "0.24", "50", "40", "-a", "24"}, false,
		 {"| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t| 4.76\t\t\t|",
		  "|----------- Mit t\204glicher Betriebsdauer von 24.00 Stunden: ------------|",
		  "| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t| 4.76\t\t\t|"}},
		// An inflation of -100 % makes the real rate infinite.
		{{"100", "0.24", "50", "40", "-i", "-100"}, true,
		 {"| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t| 0.00\t\t|-100.00\t\t|  inf\t\t|-0.00\t\t\t|"}},
		// 0/0 makes the real rate a NaN of the processor's sign.
		{{"100", "0.24", "50", "40", "-z", "-100", "-i", "-100"}, true,
		 {"| 100.00\t|0.2400\t\t| 50.0\t| 40.0\t|-100.00\t\t|-100.00\t\t| ?nan\t\t| ?nan\t\t\t|"}},
		// Where saving and interest nearly cancel, every rounding shows:
		// arithmetic in a type wider than double (the x87 unit of 32-bit x86)
		// prints other digits here.
		{{"37.5", "0.24", "100", "10", "-z", "504.575989"}, true,
		 {"|  37.50\t|0.2400\t\t|100.0\t| 10.0\t|504.58\t\t| 0.00\t\t|504.58\t\t|-2097150720.00\t\t\t|"}},
		{{"100", "0.24", "100", "40", "-z", "126.143997"}, true,
		 {"| 100.00\t|0.2400\t\t|100.0\t| 40.0\t|126.14\t\t| 0.00\t\t|126.14\t\t|-8388616192.00\t\t\t|"}},
		{{"250", "0.123", "60.5", "0", "-z", "26.0750198"}, true,
		 {"| 250.00\t|0.1230\t\t| 60.5\t|  0.0\t|26.08\t\t| 0.00\t\t|26.08\t\t|-32090466.00\t\t\t|"}},
		{{"100", "0.24", "nan", "-nan"}, false,
		 {"| 100.00\t|0.2400\t\t|  nan\t| -nan\t|  nan\t\t\t|"}},
	};
	for (const TextCase &c : cases) {
		Outcome r = run(c.args);
		EXPECT_EQ(r.status, 0) << args(c.args);
		EXPECT_EQ(r.out, asPrinted(textTable(c.interest, c.body))) << args(c.args);
	}
}

TEST(ResultTable, TextLinesAreAsWideAsTheRulerWhileNumbersFit)
{
	const std::vector<std::string> cases[] = {
		{"100", "0.24", "50", "40", "-a", "8"},
		{"300", "0.30", "0", "-10", "-a", "12"},
		{"100", "0.24", "50", "40", "-z", "5", "-i", "2.5", "-a", "0.5"},
	};
	for (const std::vector<std::string> &c : cases) {
		Outcome r = run(c);
		int width = tabbedWidth(lines(r.out).front());
		for (const std::string &line : lines(r.out))
			EXPECT_EQ(tabbedWidth(line), width) << line;
	}
}

TEST(ResultTable, WorkedExampleHtmlFragment)
{
	Outcome r = run({"100", "0.24", "50", "40", "-z", "5.0", "-i", "2.5", "-a", "8", "-h"});
	EXPECT_EQ(r.status, 0);
	std::string body =
		htmlRow({"100.00", "0.2400", "50.0", "40.0", "5.00", "2.50", "2.44", "5.38"}) +
		htmlHeading(8, "8.00") +
		htmlRow({"100.00", "0.2400", "16.7", "13.3", "5.00", "2.50", "2.44", "21.89"});
	EXPECT_EQ(lines(body).size(), 26u);
	EXPECT_EQ(r.out, htmlTableHead(true) + body + "</table>\n\n");
}

struct HtmlCase {
	std::vector<std::string> args;
	std::string expected;
};

TEST(ResultTable, HtmlVariants)
{
	const HtmlCase cases[] = {
		{{"100", "0.24", "50", "40", "-h"},
		 htmlTableHead(false) + htmlRow({"100.00", "0.2400", "50.0", "40.0", "4.76"})},
		{{"100", "0.24", "50", "40", "-a", "8", "-h"},
		 htmlTableHead(false) + htmlRow({"100.00", "0.2400", "50.0", "40.0", "4.76"}) +
			 htmlHeading(5, "8.00") + htmlRow({"100.00", "0.2400", "16.7", "13.3", "14.27"})},
		{{"-h", "100", "0.24", "50", "40", "-z", "0.4", "-i", "1.0"},
		 htmlTableHead(true) +
			 htmlRow({"0.00", "100.0000", "0.2", "50.0", "0.40", "1.00", "-0.59", "-0.00"})},
		{{"300", "0.30", "0", "-100", "-a", "12", "-h"},
		 htmlTableHead(false) + htmlRow({"300.00", "0.3000", "0.0", "-100.0", "1.14"}) +
			 htmlHeading(5, "12.00") + htmlRow({"300.00", "0.3000", "0.0", "-50.0", "2.28"})},
		// The fourth number is "-h" itself, read as 0.
		{{"100", "0.24", "50", "-h"},
		 htmlTableHead(false) + htmlRow({"100.00", "0.2400", "50.0", "0.0", "0.95"})},
	};
	for (const HtmlCase &c : cases) {
		Outcome r = run(c.args);
		EXPECT_EQ(r.status, 0) << args(c.args);
		EXPECT_EQ(r.out, c.expected + "</table>\n\n") << args(c.args);
	}
}

TEST(ResultPage, WrapsTheFragmentInHeadAndFoot)
{
	const std::vector<std::string> base = {"100", "0.24", "50", "40", "-z", "5", "-i", "2.5", "-a", "8"};
	std::vector<std::string> fragmentArgs = base, pageArgs = base, bothArgs = base;
	fragmentArgs.push_back("-h");
	pageArgs.push_back("-H");
	bothArgs.insert(bothArgs.end(), {"-h", "-H"});
	Outcome fragment = run(fragmentArgs), page = run(pageArgs), both = run(bothArgs);

	EXPECT_EQ(page.status, 0);
	EXPECT_EQ(both.out, page.out);
	const std::string foot = "</body>\n</html>\n";
	ASSERT_GT(page.out.size(), fragment.out.size() + foot.size());
	EXPECT_EQ(page.out.substr(page.out.size() - foot.size()), foot);
	std::string head = page.out.substr(0, page.out.size() - fragment.out.size() - foot.size());
	EXPECT_EQ(page.out, head + fragment.out + foot);

	std::vector<std::string> h = lines(head);
	ASSERT_GE(h.size(), 3u);
	// Exactly one empty line between <body> and the content.
	EXPECT_EQ(h[h.size() - 2], "<body>");
	EXPECT_EQ(h.back(), "");
	// The head up to the style sheet, line for line: without one of them a
	// browser guesses the charset or the language, or shows no title.
	const std::string headLines[] = {
		"<!doctype html public \"-//w3c//dtd html 4.01 Transitional//en\" "
		"\"http://www.w3.org/TR/html4/loose.dtd\">",
		"<html lang=\"de\">",
		"<head>",
		"<title>",
		"Wiedergewinnszeit",
		"</title>",
		"<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">",
		"<meta http-equiv=\"content-style-type\" content=\"text/css\">",
		"<meta http-equiv=\"content-language\" content=\"de\">",
		"",
		"<meta name=\"author\" content=\"Entwicklerteam\">",
		"<meta name=\"generator\" content=\"" + programName() + " 5.0.3\">",
		"<meta name=\"language\" content=\"de\">",
		"<meta name=\"description\" content=\"Berechnet die Wiedergewinnszeit einer Investition zur "
		"Stromeinsparung bei Verbrauchern, die dauernd oder zeitweise in Betrieb sind.\">",
		"<meta name=\"keywords\" content=\"Wiedergewinnszeit, Strom, Strom sparen, Entwicklerteam\">",
		"",
		"<style type=\"text/css\">",
	};
	ASSERT_GE(h.size(), std::size(headLines));
	for (size_t i = 0; i < std::size(headLines); i++)
		EXPECT_EQ(h[i], headLines[i]) << "head line " << i + 1;
}

// The style sheet: every line in one of its six shapes, in the expected count.
TEST(ResultPage, StyleSheetLines)
{
	Outcome r = run({"1", "1", "1", "2", "-H"});
	std::vector<std::string> all = lines(r.out);
	size_t open = 0, close = 0;
	for (size_t i = 0; i < all.size(); i++) {
		if (all[i] == "<!--")
			open = i;
		if (all[i] == "-->")
			close = i;
	}
	ASSERT_LT(open, close);
	std::vector<std::string> sheet(all.begin() + static_cast<long>(open) + 1,
	                               all.begin() + static_cast<long>(close));
	// 51 screen lines, an empty line, "@media print", "{", 11 print lines, "}".
	EXPECT_EQ(sheet.size(), 66u);
	EXPECT_EQ(sheet[0], "body\t\t{");
	EXPECT_EQ(sheet[1], "\t\tfont-family:sans-serif;");
	EXPECT_EQ(sheet[11], "li\t\t{ margin:5pt;");
	EXPECT_EQ(sheet[14], "table, td, th, .text");
	EXPECT_EQ(sheet[15], "\t\t{ border-style:solid;");
	EXPECT_EQ(sheet[24], "td\t\t{ vertical-align:top;");
	EXPECT_EQ(sheet[30], "b\t\t{ color:#008000; }");
	EXPECT_EQ(sheet[36], ".kosten, .strompreis, .leistung, .zins");
	EXPECT_EQ(sheet[37], "\t\t{ text-align:right; }");
	EXPECT_EQ(sheet[50], "\t\t}");
	EXPECT_EQ(sheet[51], "");
	EXPECT_EQ(sheet[52], "@media print");
	EXPECT_EQ(sheet[54], "body, body *, table, td, th, a");
	EXPECT_EQ(sheet[55], "\t\t{");
	EXPECT_EQ(sheet[64], "li\t\t{ margin:0; }");
	EXPECT_EQ(sheet[65], "}");
	for (const std::string &line : sheet) {
		bool declaration = line.rfind("\t\t", 0) == 0;
		bool closes = line.back() == ';' || line.back() == '}' || line.back() == '{';
		EXPECT_TRUE(line.empty() || !declaration || closes) << line;
	}
}

}  // namespace
