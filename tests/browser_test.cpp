// The pages as a real browser reads them: headless Chromium parses each page,
// and its tables must hold the header cells and the values the calculator
// prints in its text table for the same command.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run.h"

namespace {

using Row = std::vector<std::string>;
struct Table {
	Row header;
	std::vector<Row> data;
};

const char *chromium()
{
	static const char *const candidates[] = {"/usr/bin/chromium", "/usr/bin/chromium-browser"};
	for (const char *path : candidates)
		if (access(path, X_OK) == 0)
			return path;
	return nullptr;
}

// The document as the browser parsed it.
std::string parsedDocument(const std::string &page)
{
	char dir[] = "/tmp/wgz-browser-XXXXXX";
	if (mkdtemp(dir) == nullptr)
		std::abort();
	std::string file = std::string(dir) + "/page.html";
	std::FILE *out = std::fopen(file.c_str(), "w");
	std::fwrite(page.data(), 1, page.size(), out);
	std::fclose(out);
	Outcome dom = runCommand(chromium(), {
		"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
		"--disable-background-networking", "--disable-component-update", "--disable-sync",
		std::string("--user-data-dir=") + dir + "/profile", "--dump-dom", "file://" + file});
	EXPECT_EQ(dom.status, 0) << dom.err;
	std::system(("rm -rf " + std::string(dir)).c_str());
	return dom.out;
}

// Text of an element: tags dropped, <br> read as a blank.
std::string textOf(std::string html)
{
	std::string text;
	for (size_t i = 0; i < html.size(); i++) {
		if (html[i] != '<') {
			text += html[i];
			continue;
		}
		size_t end = html.find('>', i);
		if (html.compare(i, 3, "<br") == 0)
			text += ' ';
		i = end;
	}
	return text;
}

std::vector<Table> tablesOf(const std::string &dom)
{
	std::vector<Table> tables;
	for (size_t at = 0; (at = dom.find("<table", at)) != std::string::npos;) {
		size_t end = dom.find("</table>", at);
		Table table;
		bool first = true;
		for (size_t row = dom.find("<tr", at); row < end; row = dom.find("<tr", row + 1)) {
			size_t rowEnd = dom.find("</tr>", row);
			bool header = dom.compare(dom.find('>', row) + 2, 3, "<th") == 0;
			Row cells;
			for (size_t cell = dom.find("<t", row + 3); cell < rowEnd; cell = dom.find("<t", cell + 1)) {
				size_t open = dom.find('>', cell) + 1;
				size_t close = dom.find("</t", open);
				cells.push_back(textOf(dom.substr(open, close - open)));
				cell = close;
			}
			if (first)
				table.header = cells;
			else if (!header)
				table.data.push_back(cells);
			first = false;
		}
		tables.push_back(table);
		at = end;
	}
	return tables;
}

// The data rows of a text result table, cell by cell, blanks trimmed.
std::vector<Row> textRows(const std::string &out)
{
	std::vector<Row> rows;
	for (const std::string &line : lines(out)) {
		bool data = line.rfind("|", 0) == 0 && line.rfind("|Kosten", 0) != 0 &&
		            line.rfind("|Eu", 0) != 0 && line.rfind("|---", 0) != 0;
		if (!data)
			continue;
		Row cells;
		for (size_t at = 1; at < line.size();) {
			size_t next = line.find('|', at);
			std::string cell = line.substr(at, next - at);
			cell.erase(0, cell.find_first_not_of(" \t"));
			cell.erase(cell.find_last_not_of(" \t") + 1);
			cells.push_back(cell);
			at = next + 1;
		}
		rows.push_back(cells);
	}
	return rows;
}

const Row HEADER_PLAIN = {"Kosten Eu", "Strompreis Eu/kWh", "P1 W", "P2 W", "Wiedergewinnszeit Jahre"};
const Row HEADER_INTEREST = {"Kosten Eu", "Strompreis Eu/kWh", "P1 W", "P2 W", "Zins %",
                             "Inflation %", "Realzins %", "Wiedergewinnszeit Jahre"};

TEST(Browser, ResultPageShowsTheComputedValues)
{
	if (chromium() == nullptr)
		GTEST_SKIP() << "chromium is not installed";
	const std::vector<std::string> commands[] = {
		{"100", "0.24", "50", "40", "-z", "5", "-i", "2.5", "-a", "8"},
		{"300", "0.30", "0", "-100"},
	};
	for (const std::vector<std::string> &args : commands) {
		std::vector<std::string> page = args;
		page.push_back("-H");
		std::vector<Table> tables = tablesOf(parsedDocument(run(page).out));
		ASSERT_EQ(tables.size(), 1u);
		EXPECT_EQ(tables[0].header, args.size() > 4 ? HEADER_INTEREST : HEADER_PLAIN);
		EXPECT_EQ(tables[0].data, textRows(run(args).out));
		EXPECT_EQ(tables[0].data.size(), args.size() > 8 ? 2u : 1u);
	}
}

// Run in the page: every rule of the style sheet, as written, against the
// browser's reading of it. A declaration the browser drops (a misspelt name
// or value; vendor prefixes aside) or a rule it merges (a lost brace) is
// listed in data-css.
constexpr const char *STYLE_CHECK = R"(<script>
var bad = [], rules = [], i = 0;
(function flat(list) { for (var r of list) r.style ? rules.push(r) : flat(r.cssRules); })(
  document.styleSheets[0].cssRules);
for (var m of document.querySelector('style').textContent.replace(/<!--|-->/g, '')
    .matchAll(/([^{}]*)\{([^{}]*)\}/g)) {
  var rule = rules[i++], selector = m[1].replace(/\s+/g, ' ').trim();
  if (!rule || rule.selectorText !== selector) { bad.push('rule ' + selector); continue; }
  for (var d of m[2].split(';')) {
    var name = d.split(':')[0].trim();
    if (name && !/^-(moz|ms|webkit)-/.test(name) && rule.style.getPropertyValue(name) === '')
      bad.push(selector + ' ' + name);
  }
}
if (i !== rules.length) bad.push(i + ' rules of ' + rules.length);
document.body.dataset.css = bad.join('; ');
</script>)";

TEST(Browser, ExamplePageShowsEveryTable)
{
	if (chromium() == nullptr)
		GTEST_SKIP() << "chromium is not installed";
	std::string page = run({"-bH"}).out;
	std::string dom = parsedDocument(page.insert(page.rfind("</body>"), STYLE_CHECK));
	std::vector<Table> tables = tablesOf(dom);
	// The page's charset is what its bytes are.
	EXPECT_NE(dom.find("Mit t\303\244glicher Betriebsdauer"), std::string::npos);
	size_t css = dom.find(" data-css=\"");
	EXPECT_EQ(dom.substr(css, dom.find('"', css + 11) + 1 - css), " data-css=\"\"");
	// Each example's command line, as the page itself gives it.
	std::vector<std::string> commands;
	const std::string open = "<div class=\"code\">" + programName() + " ", close = "</div>";
	for (size_t at = page.find(open); at != std::string::npos; at = page.find(open, at + 1))
		commands.push_back(page.substr(at + open.size(), page.find(close, at) - at - open.size()));
	ASSERT_EQ(commands.size(), 7u);
	ASSERT_EQ(tables.size(), 7u);
	for (size_t i = 0; i < tables.size(); i++) {
		bool interest = commands[i].find(" -z ") != std::string::npos;
		EXPECT_EQ(tables[i].header, interest ? HEADER_INTEREST : HEADER_PLAIN) << commands[i];
		EXPECT_EQ(tables[i].data, textRows(run(words(commands[i])).out)) << commands[i];
		EXPECT_FALSE(tables[i].data.empty());
	}
}

}  // namespace
