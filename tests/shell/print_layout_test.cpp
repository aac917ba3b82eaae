#include "shell/print_layout.h"

#include <gtest/gtest.h>

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
}

}  // namespace
}  // namespace verdin
