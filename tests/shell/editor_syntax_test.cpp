// Part 6.2 line attributes: mnemonics, comments, quotes and the selection.
#include "shell/editor_syntax.h"

#include <gtest/gtest.h>

#include <string>

using verdin::AttributeRun;
using verdin::CharAttribute;

namespace {

// One letter per character: m mnemonic, c comment, s selected, . plain.
std::string painted(std::string_view line, int selectionLow = 0, int selectionHigh = 0) {
    std::string result;
    for (CharAttribute a : verdin::lineAttributes(line, 0, selectionLow, selectionHigh)) {
        result += a == CharAttribute::Mnemonic ? 'm' : a == CharAttribute::Comment ? 'c'
                : a == CharAttribute::Selected ? 's' : '.';
    }
    return result;
}

}  // namespace

// Verify mnemonics are whole words in any case, after a blank or at the line start.
TEST(EditorSyntax, MnemonicsAreWholeWords) {
    EXPECT_EQ(painted("mov a,b"), "mmm....");
    EXPECT_EQ(painted("movx a,b"), "........");
    EXPECT_EQ(painted("LOOP: JNZ LOOP"), "......mmm.....");
    EXPECT_EQ(painted("x:ret"), ".....");
    EXPECT_EQ(painted("        db 1"), "............");  // directives are not coloured
}

// Verify a semicolon starts a comment unless it stands inside single quotes.
TEST(EditorSyntax, CommentsAndQuotes) {
    EXPECT_EQ(painted("nop ; done"), "mmm.cccccc");
    EXPECT_EQ(painted("cpi ';'"), "mmm....");
    EXPECT_EQ(painted("db 'a;b' ;x"), ".........cc");
}

// Verify the selection overrides the other attributes and runs cover the line.
TEST(EditorSyntax, SelectionAndRuns) {
    EXPECT_EQ(painted("mov a ;c", 2, 7), "mmsssssc");
    const auto runs = verdin::attributeRuns(verdin::lineAttributes("hlt ;x", 0, 0, 0));
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0], (AttributeRun{0, 3, CharAttribute::Mnemonic}));
    EXPECT_EQ(runs[2], (AttributeRun{4, 2, CharAttribute::Comment}));
    EXPECT_EQ(verdin::editorMnemonicIndex("MOV"), 14);  // help context 105 + 5 x 14 = 175
    EXPECT_EQ(verdin::editorMnemonics().size(), 78u);
}
