#include "help/markdown.h"

#include <gtest/gtest.h>

namespace verdin::help {
namespace {

const char* const kPage =
    "# ADD: add\n"
    "\n"
    "Text with `a<b` and **bold** and [the flags](flags#same-as-the-8080).\n"
    "continued here.\n"
    "\n"
    "## Two words\n"
    "\n"
    "- first item\n"
    "  goes on\n"
    "- second\n"
    "\n"
    "| Written | Bytes |\n"
    "|---|---|\n"
    "| `ADD B` | 80H |\n"
    "| `ORA A` | B7H |\n"
    "\n"
    "```asm\n"
    "MVI A,1   ; one\n"
    "```\n"
    "Expect: A=01H\n"
    "\n"
    "### Deeper\n"
    "\n"
    "```\n"
    "not run\n"
    "```\n"
    "\n"
    "## Last\n"
    "\n"
    "End.\n";

TEST(Markdown, BlocksAnchorsAndTitle) {
    std::vector<Block> blocks = parseMarkdown(kPage);
    ASSERT_EQ(blocks.size(), 11u);
    EXPECT_EQ(blocks[1].lines[0],
              "Text with `a<b` and **bold** and [the flags](flags#same-as-the-8080). continued here.");
    EXPECT_EQ(blocks[2].anchor, "two-words");
    EXPECT_EQ(blocks[3].lines, (std::vector<std::string>{"first item goes on", "second"}));
    EXPECT_TRUE(blocks[4].headerRow);
    EXPECT_EQ(blocks[4].lines[1], "`ADD B`\t80H");
    EXPECT_EQ(titleOf(kPage), "ADD: add");
    EXPECT_EQ(anchorOf("File doesn't exist."), "file-doesn-t-exist");
}

TEST(Markdown, HtmlEscapesTextAndKeepsLinksAndAnchors) {
    std::string html = toHtml(kPage);
    EXPECT_NE(html.find("<code>a&lt;b</code>"), std::string::npos);
    EXPECT_NE(html.find("<b>bold</b>"), std::string::npos);
    EXPECT_NE(html.find("<a href=\"flags#same-as-the-8080\">the flags</a>"), std::string::npos);
    EXPECT_NE(html.find("<h2><a name=\"two-words\"></a>Two words</h2>"), std::string::npos);
    EXPECT_NE(html.find("<th>Written</th>"), std::string::npos);
    EXPECT_NE(html.find("<pre>MVI A,1   ; one\n</pre>"), std::string::npos);
    EXPECT_NE(html.find("After a Run: A=01H"), std::string::npos);
}

TEST(Markdown, PlainTextAlignsTablesAndNamesLinkTargets) {
    std::string text = toPlainText(kPage);
    EXPECT_EQ(text.substr(0, 18), "ADD: add\n========\n");
    EXPECT_NE(text.find("the flags (help flags#same-as-the-8080)"), std::string::npos);
    EXPECT_NE(text.find("  Written  Bytes\n  --------------\n  ADD B    80H\n  ORA A    B7H\n"), std::string::npos);
    EXPECT_NE(text.find("    MVI A,1   ; one\n"), std::string::npos);
    EXPECT_NE(text.find("  - first item goes on\n"), std::string::npos);
    std::string longLine(40, 'x');
    std::string wrapped = toPlainText(longLine + " " + longLine + " " + longLine);
    EXPECT_EQ(wrapped, longLine + "\n" + longLine + "\n" + longLine + "\n");  // 81 columns would not fit
}

// Running text always names the topic a link leads to; a table cell that is its own
// topic does not repeat it, so the index of mnemonics stays narrow.
TEST(Markdown, PlainTextLinksNameTheirTopicUnlessATableCellIsTheTopic) {
    std::string text = toPlainText("See [Directives](directives).\n\n- [Arithmetic](arithmetic)\n\n"
                                   "| Page |\n|---|\n| [MOV](mov) |\n| [Moves](mov) |\n");
    EXPECT_NE(text.find("See Directives (help directives)."), std::string::npos) << text;
    EXPECT_NE(text.find("  - Arithmetic (help arithmetic)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  MOV\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Moves (help mov)\n"), std::string::npos) << text;
}

TEST(Markdown, AnExampleMayStateItsResultsUnderTheIntelRulesToo) {
    const std::string page = "```asm\nMVI A,3\nSUI 5\n```\nExpect: A=02H\n\nExpect with Intel 8080 arithmetic: A=0FEH\n";
    std::vector<Example> examples = examplesOf(page);
    ASSERT_EQ(examples.size(), 1u);
    EXPECT_EQ(examples[0].expect, "A=02H");
    EXPECT_EQ(examples[0].intelExpect, "A=0FEH");
    EXPECT_NE(toPlainText(page).find("After a Run with Intel 8080 arithmetic: A=0FEH"), std::string::npos);
}

// Links and examples are read from every real page by the help pages' tests.
TEST(Markdown, ASectionRunsToTheNextHeadingOfItsLevel) {
    std::string section = sectionOf(kPage, "two-words");
    EXPECT_EQ(section.substr(0, 12), "# ADD: add\n\n");
    EXPECT_NE(section.find("### Deeper"), std::string::npos);  // a subsection belongs to its section
    EXPECT_EQ(section.find("## Last"), std::string::npos);
    EXPECT_EQ(sectionOf(kPage, "deeper").find("first item"), std::string::npos);
    EXPECT_EQ(sectionOf(kPage, "missing"), kPage);
}

}  // namespace
}  // namespace verdin::help
