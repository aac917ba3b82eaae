// Where a failed compile leaves the editor, the margin's fault mark, and the help
// context a right click on a word asks for.
#include <gtest/gtest.h>

#include <string>

#include "shell/context_help.h"
#include "shell/editor_controller.h"

using namespace verdin;

namespace {

std::string lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "nop\r";
    return text;
}

}  // namespace

TEST(CompileFault, CompilePagesToTheFaultyLineAndCollapsesTheSelection) {
    EditorController editor;
    editor.setVisibleLines(20);
    ASSERT_TRUE(editor.loadText(lines(60)));
    editor.selectAll();
    editor.showCompileFault(40, true);
    EXPECT_EQ(editor.state().caretLine, 39);
    EXPECT_EQ(editor.state().caretColumn, 0);
    EXPECT_EQ(editor.state().topLine, 20);  // whole pages: 0 -> 20
    EXPECT_FALSE(editor.state().hasSelection());
    EXPECT_EQ(editor.faultLine(), 39);

    // A fault above the page shown brings back the page that holds it.
    editor.scroll(ScrollAction::Thumb, 35);
    editor.showCompileFault(3, true);
    EXPECT_EQ(editor.state().topLine, 0);
    EXPECT_EQ(editor.state().caretLine, 2);
}

TEST(CompileFault, TranslateMovesOnlyTheCaret) {
    EditorController editor;
    editor.setVisibleLines(20);
    ASSERT_TRUE(editor.loadText(lines(60)));
    editor.selectAll();
    editor.showCompileFault(40, false);
    EXPECT_EQ(editor.state().caretLine, 39);
    EXPECT_EQ(editor.state().topLine, 0);
    EXPECT_TRUE(editor.state().hasSelection());
}

TEST(CompileFault, TheMarkLastsUntilTheTextChanges) {
    EditorController editor;
    editor.setVisibleLines(20);
    ASSERT_TRUE(editor.loadText(lines(5)));
    editor.showCompileFault(2, true);
    editor.press(EditorKey::Down);  // moving is no edit
    EXPECT_EQ(editor.faultLine(), 1);
    editor.typeChar('x');
    EXPECT_EQ(editor.faultLine(), -1);
    editor.showCompileFault(99, true);  // past the end: the last line
    EXPECT_EQ(editor.faultLine(), 5);
    editor.clearFault();
    EXPECT_EQ(editor.faultLine(), -1);
}

TEST(ContextHelp, TheWordAroundTheColumnNamesItsMnemonic) {
    EXPECT_EQ(mnemonicHelpContext("        mov     a,b", 10), 175);  // 105 + 5 x 14
    EXPECT_EQ(mnemonicHelpContext("        mov     a,b", 11), 175);  // just after the word
    EXPECT_EQ(mnemonicHelpContext("nop", 0), 105);
    EXPECT_EQ(mnemonicHelpContext("\tSPHL", 5), 105 + 5 * 77);
    EXPECT_EQ(mnemonicHelpContext("        mov     a,b", 17), -1);  // operands
    EXPECT_EQ(mnemonicHelpContext("loop:   jmp loop", 2), -1);     // a label
    EXPECT_EQ(mnemonicHelpContext("        db 1", 9), -1);         // directives have no page
    EXPECT_EQ(mnemonicHelpContext("   ", 1), -1);
    EXPECT_EQ(mnemonicHelpContext("mov", 40), 175);  // a column past the end is the end
}
