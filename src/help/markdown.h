// The small Markdown of the help pages, turned into HTML for the help window and
// into plain text for the terminal.
//
// What a page may hold: "# Title" on its first line, "## Heading" and "### Heading",
// paragraphs, "- " lists, "| a | b |" tables (a "|---|" row under the first row makes
// it a header row), fenced code blocks (``` with an optional info word), and inline
// `code`, **bold** and [text](page-id) or [text](page-id#anchor) links.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace verdin::help {

struct Block {
    enum Kind { Title, Heading, Subheading, Paragraph, List, Table, Code };
    Kind kind = Paragraph;
    // Title and headings: one line; paragraph: its lines joined by blanks; list: one
    // entry per item; table: one entry per row, cells separated by '\t'; code: the
    // lines as written.
    std::vector<std::string> lines;
    std::string info;    // the info word of a code block ("asm" for a runnable example)
    std::string anchor;  // headings: the name a link after '#' uses
    bool headerRow = false;  // table: the first row is a header
    int sourceLine = 0;      // 1-based line of the page where the block starts
};

std::vector<Block> parseMarkdown(std::string_view text);

// The anchor of a heading: lower case letters and digits, other runs become '-'.
std::string anchorOf(std::string_view heading);

// The first "# " line without the hashes, or "".
std::string titleOf(std::string_view text);

// A whole page as the body of an HTML document (QTextBrowser's subset).
std::string toHtml(std::string_view text);

// A page for the terminal: headings underlined, lists with "- ", tables aligned,
// code indented by four blanks, links as "text (help TARGET)".
std::string toPlainText(std::string_view text);

// The part of a page under the heading with `anchor`, up to the next heading of the
// same or a higher level, preceded by the page's title line. The whole page when the
// anchor is empty or not found.
std::string sectionOf(std::string_view text, std::string_view anchor);

struct Link {
    std::string text;
    std::string target;  // page-id or page-id#anchor as written
    int sourceLine = 0;
};
std::vector<Link> linksOf(std::string_view text);

// Runnable examples: code blocks with the info word "asm", with the "Expect:" line
// that may follow them (empty when none), and after it the results under the Intel
// 8080 rules, on a line of their own that starts with kIntelExpectPrefix.
constexpr std::string_view kIntelExpectPrefix = "Expect with Intel 8080 arithmetic:";
struct Example {
    std::string code;
    std::string expect;
    std::string intelExpect;
    int sourceLine = 0;
};
std::vector<Example> examplesOf(std::string_view text);

// The text of one line of inline Markdown without its markup (links keep their text).
std::string stripInline(std::string_view line);

}  // namespace verdin::help
