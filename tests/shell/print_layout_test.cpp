#include "shell/print_layout.h"

#include <gtest/gtest.h>

#include "shell/text_buffer.h"

namespace verdin {
namespace {

using Sheets = std::vector<PrintSheet>;

// Pages of seventy lines; collated copies come as whole sets, uncollated ones page by
// page; fewer than one copy is one, and nothing to print gives no sheet.
TEST(PrintLayout, SheetsInPrintingOrder) {
    const PrintSheet first{0, 0, 0, 70}, last{1, 0, 70, 5}, first2{0, 1, 0, 70}, last2{1, 1, 70, 5};
    EXPECT_EQ(printLayout(75, kLinesPerPage, 1, false), (Sheets{first, last}));
    EXPECT_EQ(printLayout(75, kLinesPerPage, 2, true), (Sheets{first, last, first2, last2}));
    EXPECT_EQ(printLayout(75, kLinesPerPage, 2, false), (Sheets{first, first2, last, last2}));
    EXPECT_EQ(printLayout(140, kLinesPerPage, 1, false), (Sheets{first, {1, 0, 70, 70}}));
    EXPECT_EQ(printLayout(10, kLinesPerPage, 0, false), (Sheets{{0, 0, 0, 10}}));
    EXPECT_TRUE(printLayout(0, kLinesPerPage, 3, true).empty());
}

// Only the empty line after a final line break is left unprinted.
TEST(PrintLayout, PrintableLines) {
    EXPECT_EQ(printableLineCount(11, true), 10);
    EXPECT_EQ(printableLineCount(11, false), 11);
    EXPECT_EQ(printableLineCount(1, true), 0);
    EXPECT_EQ(printableLineCount(0, false), 0);

    TextBuffer text;
    ASSERT_TRUE(text.setText("  mvi a,1\r  hlt\r"));
    EXPECT_EQ(printableLines(text), (std::vector<std::string>{"  mvi a,1", "  hlt"}));
    ASSERT_TRUE(text.setText("  mvi a,1\r\r  hlt"));
    EXPECT_EQ(printableLines(text), (std::vector<std::string>{"  mvi a,1", "", "  hlt"})) << "an empty line inside is printed";
    EXPECT_EQ(printNumberColumns(5), 3);
    EXPECT_EQ(printNumberColumns(1000), 4);
}

}  // namespace
}  // namespace verdin

namespace verdin {
namespace {

// A4 and Letter with the metrics of common fixed fonts (line spacing about 1.2 and
// advance 0.6 of the size): 70 lines and the header fit between margins of at least
// 15 mm, a full 80-column line fits beside its number, and the font never grows
// past 10 pt on a large sheet.
TEST(PrintLayout, PageGeometryKeepsSeventyLinesInsideTheMargins) {
    const struct {
        double width, height, spacing, advance;
    } pages[] = {{595.3, 841.9, 1.17, 0.6}, {612, 792, 1.17, 0.6}, {612, 792, 1.36, 0.62}, {842, 1191, 1.17, 0.6}};
    for (const auto& p : pages) {
        SCOPED_TRACE(std::to_string(p.width) + " x " + std::to_string(p.height));
        const PrintGeometry g = printGeometry(p.width, p.height, p.spacing, p.advance, 75);
        EXPECT_LE(g.fontPoints, kLargestPrintFont);
        EXPECT_NEAR(g.lineSpacing, g.fontPoints * p.spacing, 1e-9);
        EXPECT_GE(g.left, kPrintMarginPoints);
        EXPECT_GE(g.top, kPrintMarginPoints);
        EXPECT_LE(g.bodyTop + kLinesPerPage * g.lineSpacing, p.height - kPrintMarginPoints + 1e-9);
        EXPECT_LE(g.textLeft + kPrintTextColumns * g.fontPoints * p.advance, p.width - kPrintMarginPoints + 1e-9);
        EXPECT_GT(g.textLeft, g.left + 3 * g.fontPoints * p.advance);
    }
    EXPECT_EQ(printGeometry(842, 1191, 1.17, 0.6, 75).fontPoints, kLargestPrintFont);
    // The numbers' column grows with the program, three digits at least.
    EXPECT_EQ(printGeometry(595, 842, 1.2, 0.6, 9).numberColumns, 3);
    EXPECT_EQ(printGeometry(595, 842, 1.2, 0.6, 1200).numberColumns, 4);
}

TEST(PrintLayout, HeaderTextsNumbersAndThePdfName) {
    EXPECT_EQ(printLineNumber(0, 3), "  1");
    EXPECT_EQ(printLineNumber(1233, 3), "1234");
    EXPECT_EQ(printHeaderName("/home/ann/lab1/sort.asm"), "sort.asm");
    EXPECT_EQ(printHeaderName(""), "Untitled");
    EXPECT_EQ(defaultPdfPath("/home/ann/lab1/notes", ""), "/home/ann/lab1/notes.pdf");
    EXPECT_EQ(defaultPdfPath("", "/home/ann/lab2"), "/home/ann/lab2/Untitled.pdf");
}

// Tab-indented lines line up with blank-indented ones on paper as in the editor.
TEST(PrintLayout, PrintedLinesExpandTabsAndStopAtEightyColumns) {
    EXPECT_EQ(printedLineText("\tMVI\tA,5"), "        MVI     A,5");
    EXPECT_EQ(printedLineText("LOOP:\tDCR B"), "LOOP:   DCR B");
    EXPECT_EQ(printedLineText(std::string(79, 'x') + "\tyz"), std::string(79, 'x') + " ");
    EXPECT_EQ(printedLineText(std::string(90, 'a')), std::string(80, 'a'));
}

}  // namespace
}  // namespace verdin
