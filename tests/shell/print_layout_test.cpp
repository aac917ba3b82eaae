#include "shell/print_layout.h"

#include <gtest/gtest.h>

namespace verdin {
namespace {

// Verify which lines land on which sheet, and the sheet order with and without
// collation.
TEST(PrintLayout, PagesOfSeventyLines) {
    const auto sheets = printLayout(75, kLinesPerPage, 1, false);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0], (PrintSheet{0, 0, 0, 70}));
    EXPECT_EQ(sheets[1], (PrintSheet{1, 0, 70, 5}));
    EXPECT_EQ(printLayout(140, kLinesPerPage, 1, false).size(), 2u);
    EXPECT_TRUE(printLayout(0, kLinesPerPage, 3, true).empty());
}

TEST(PrintLayout, CollatedCopiesComeAsWholeSets) {
    const auto sheets = printLayout(75, kLinesPerPage, 2, true);
    ASSERT_EQ(sheets.size(), 4u);
    EXPECT_EQ(sheets[0], (PrintSheet{0, 0, 0, 70}));
    EXPECT_EQ(sheets[1], (PrintSheet{1, 0, 70, 5}));
    EXPECT_EQ(sheets[2], (PrintSheet{0, 1, 0, 70}));
    EXPECT_EQ(sheets[3], (PrintSheet{1, 1, 70, 5}));
}

TEST(PrintLayout, UncollatedCopiesComePageByPage) {
    const auto sheets = printLayout(75, kLinesPerPage, 2, false);
    ASSERT_EQ(sheets.size(), 4u);
    EXPECT_EQ(sheets[0], (PrintSheet{0, 0, 0, 70}));
    EXPECT_EQ(sheets[1], (PrintSheet{0, 1, 0, 70}));
    EXPECT_EQ(sheets[2], (PrintSheet{1, 0, 70, 5}));
    EXPECT_EQ(sheets[3], (PrintSheet{1, 1, 70, 5}));
    EXPECT_EQ(printLayout(10, kLinesPerPage, 0, false).size(), 1u);
}

// Verify that only the empty line after a final line break is left unprinted.
TEST(PrintLayout, PrintableLines) {
    EXPECT_EQ(printableLineCount(11, true), 10);
    EXPECT_EQ(printableLineCount(11, false), 11);
    EXPECT_EQ(printableLineCount(1, true), 0);
    EXPECT_EQ(printableLineCount(0, false), 0);
}

}  // namespace
}  // namespace verdin
