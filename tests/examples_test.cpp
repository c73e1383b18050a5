// The worked examples print fixed tables; each must equal what the
// calculator prints for the example's own command line.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run.h"

namespace {

const std::vector<std::string> COMMANDS = {
	"100 0.24 50 40",
	"100 0.24 50 40 -z 5.0",
	"100 0.24 50 40 -z 5.0 -i 2.5",
	"100 0.24 50 40 -z 0.4 -i 1.0",
	"100 0.24 50 40 -a 8",
	"100 0.24 50 40 -z 5.0 -i 2.5 -a 8",
	"300 0.30 0 -100 -a 12",
};

void replaceAll(std::string &text, const std::string &from, const std::string &to)
{
	for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
		text.replace(at, from.size(), to);
}

TEST(Examples, TextTablesEqualTheCalculatorsOutput)
{
	std::vector<std::string> all = lines(run({"-b"}).out);
	std::vector<std::string> found;
	for (size_t i = 0; i < all.size(); i++) {
		const std::string prefix = "    " + programName() + " ";
		if (all[i].rfind(prefix, 0) != 0)
			continue;
		std::string command = all[i].substr(prefix.size());
		found.push_back(command);
		// The table starts at the first ruler after the command line and
		// ends at its third ruler.
		size_t start = i;
		while (start < all.size() && all[start].rfind("=====", 0) != 0)
			start++;
		size_t end = start, rulers = 0;
		while (end < all.size() && rulers < 3)
			if (all[end++].rfind("=====", 0) == 0)
				rulers++;
		ASSERT_EQ(rulers, 3u) << command;
		std::vector<std::string> shown(all.begin() + static_cast<long>(start),
		                               all.begin() + static_cast<long>(end));
		Outcome computed = run(words(command));
		EXPECT_EQ(computed.status, 0) << command;
		EXPECT_EQ(shown, lines(computed.out)) << command;
		// The table is followed by one empty line.
		ASSERT_LT(end, all.size());
		EXPECT_EQ(all[end], "") << command;
	}
	EXPECT_EQ(found, COMMANDS);
}

TEST(Examples, HtmlTablesEqualTheCalculatorsOutput)
{
	std::string out = run({"-bh"}).out;
	std::vector<std::string> found;
	const std::string codeStart = "<div class=\"code\">" + programName() + " ";
	for (size_t at = 0; (at = out.find(codeStart, at)) != std::string::npos;) {
		at += codeStart.size();
		std::string command = out.substr(at, out.find("</div>", at) - at);
		found.push_back(command);
		size_t start = out.find("<table>\n", at);
		size_t end = out.find("</table>\n\n", start) + 10;
		ASSERT_NE(start, std::string::npos);
		std::string shown = out.substr(start, end - start);

		std::vector<std::string> args = words(command);
		args.push_back("-h");
		Outcome computed = run(args);
		EXPECT_EQ(computed.status, 0) << command;
		// The two ways the examples differ from a result table: no empty
		// line after the last row, and "&nbsp;" before "Stunden".
		std::string expected = computed.out;
		replaceAll(expected, "</tr>\n\n</table>", "</tr>\n</table>");
		replaceAll(expected, " Stunden:</th>", "&nbsp;Stunden:</th>");
		EXPECT_EQ(shown, expected) << command;
	}
	EXPECT_EQ(found, COMMANDS);
}

// The prose of an example output, line by line, as the reader sees it:
// tables, markup and blank lines dropped, entities and umlauts decoded to
// code page 850, so the text and the HTML form can be compared.
std::vector<std::string> prose(const std::string &out, bool html)
{
	std::vector<std::string> result;
	bool inTable = false;
	for (std::string line : lines(out.substr(out.find(html ? "<h2" : " ===")))) {
		inTable = html ? (inTable || line == "<table>") && line != "</table>" : line[0] == '|';
		for (size_t open; html && (open = line.find('<')) != std::string::npos;)
			line.erase(open, line.find('>', open) + 1 - open);
		const char *entities[][2] = {{"&nbsp;", " "}, {"&rArr;", "=>"}, {"&ap;", "~="},
		                             {"\303\244", "\204"}, {"\303\266", "\224"},
		                             {"\303\274", "\201"}, {"\303\237", "\341"}};
		for (auto &e : entities)
			replaceAll(line, e[0], e[1]);
		line.erase(0, line.find_first_not_of(" ="));
		line.erase(line.find_last_not_of(" =") + 1);
		if (!inTable && !line.empty())
			result.push_back(html || line.find(". ") != 1 ? line : line.substr(3));
	}
	return result;
}

TEST(Examples, TextAndHtmlTellTheSame)
{
	EXPECT_EQ(prose(run({"-b"}).out, false), prose(run({"-bh"}).out, true));

	std::string text = run({"-b"}).out;
	std::string html = run({"-bh"}).out;
	for (int number = 1; number <= 7; number++)
		EXPECT_NE(text.find("\n " + std::to_string(number) + ". "), std::string::npos) << number;
	size_t items = 0;
	for (size_t at = 0; (at = html.find("<li>\n", at)) != std::string::npos; at++)
		items++;
	EXPECT_EQ(items, 7u);
	EXPECT_NE(html.find("z.&nbsp;B. ein Solarmodul:</div>"), std::string::npos);
	EXPECT_NE(text.find(" 7. Berechnung f\201r einen Stromerzeuger, z. B. ein Solarmodul:\n"
	                    "    " + programName() + " 300 0.30 0 -100 -a 12\n"
	                    "    => Ergibt folgende Ausgabe:\n"),
	          std::string::npos);
	EXPECT_NE(html.find("<u>risikolosen</u>"), std::string::npos);
	EXPECT_NE(html.find("d.&nbsp;h. "), std::string::npos);
	size_t spans = 0;
	for (size_t at = 0; (at = html.find("<span class=\"code\">", at)) != std::string::npos; at++)
		spans++;
	EXPECT_EQ(spans, 6u);
}

TEST(Examples, EveryClassHasAStyle)
{
	std::string page = run({"-bH"}).out;
	size_t body = page.find("</style>");
	std::string style = page.substr(0, body);
	for (size_t at = body; (at = page.find(" class=\"", at)) != std::string::npos;) {
		at += 8;
		std::string name = page.substr(at, page.find('"', at) - at);
		EXPECT_TRUE(style.find("." + name + "\t") != std::string::npos ||
		            style.find("." + name + ",") != std::string::npos ||
		            style.find("." + name + "\n") != std::string::npos) << name;
	}
}

}  // namespace
