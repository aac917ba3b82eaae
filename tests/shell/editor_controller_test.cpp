// What the editor paints: mnemonics, comments and the selection. Typing, keys,
// mouse, scroll bar, clipboard and undo are scripts in tests/golden/editor.
#include "shell/editor_controller.h"

#include <gtest/gtest.h>

#include <string>

using namespace verdin;

namespace {

// One letter per character: m mnemonic, c comment, s selected, . plain.
std::string painted(std::string_view line, int selectionLow = 0, int selectionHigh = 0) {
    std::string result;
    for (CharAttribute a : lineAttributes(line, 0, selectionLow, selectionHigh)) {
        result += a == CharAttribute::Mnemonic ? 'm' : a == CharAttribute::Comment ? 'c'
                : a == CharAttribute::Selected ? 's' : '.';
    }
    return result;
}

}  // namespace

// A selection across a line end paints on both lines: the tail of one, the head of the next.
TEST(EditorPainting, SelectionAcrossALineEnd) {
    MemoryClipboard clipboard;
    EditorController editor{&clipboard};
    editor.setVisibleLines(20);
    ASSERT_TRUE(editor.loadText("AB\rCD\rNOP"));
    editor.mouseDown(0, 1);
    editor.mouseMove(1, 1, true);
    EXPECT_EQ(editor.lineRuns(0).back(), (AttributeRun{1, 1, CharAttribute::Selected}));
    EXPECT_EQ(editor.lineRuns(1).front(), (AttributeRun{0, 1, CharAttribute::Selected}));
}

// Mnemonics as whole words in any case, comments outside quotes, the selection.
TEST(EditorPainting, LineAttributes) {
    EXPECT_EQ(painted("mov a,b"), "mmm....");
    EXPECT_EQ(painted("movx a,b"), "........");
    EXPECT_EQ(painted("L: JNZ L"), "...mmm..");
    EXPECT_EQ(painted(" db 1"), ".....");  // directives are not coloured
    EXPECT_EQ(painted("nop ; x"), "mmm.ccc");
    EXPECT_EQ(painted("cpi ';'"), "mmm....");
    EXPECT_EQ(painted("db 'a;b' ;x"), ".........cc");
    EXPECT_EQ(painted("mov a ;c", 2, 7), "mmsssssc");
    const auto runs = attributeRuns(lineAttributes("hlt ;x", 0, 0, 0));
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[2], (AttributeRun{4, 2, CharAttribute::Comment}));
    EXPECT_EQ(editorMnemonicIndex("MOV"), 14);  // help context 105 + 5 x 14 = 175
}

// A row of the Import report puts the caret at the start of its line, scrolled into
// view; a line past the text leaves the caret alone.
TEST(EditorNavigation, GoToLineShowsTheLineStart) {
    MemoryClipboard clipboard;
    EditorController editor{&clipboard};
    editor.setVisibleLines(2);
    ASSERT_TRUE(editor.loadText("A\rBB\rCCC\rDDDD"));
    editor.goToLine(3);
    EXPECT_EQ(editor.state().caretLine, 3);
    EXPECT_EQ(editor.state().caretColumn, 0);
    EXPECT_LE(editor.state().topLine, 3);
    EXPECT_GT(editor.state().topLine + editor.state().visibleLines, 3);
    editor.goToLine(4);
    EXPECT_EQ(editor.state().caretLine, 3);
}

// A file's lines load joined by the editor's line end, whole or not at all.
TEST(EditorDocument, LoadLinesJoinsThemOrRefusesTheWhole) {
    MemoryClipboard clipboard;
    EditorController editor{&clipboard};
    ASSERT_TRUE(editor.loadLines({"  mvi a,1", "", "  hlt"}));
    EXPECT_EQ(editor.text(), "  mvi a,1\r\r  hlt");
    EXPECT_EQ(editor.state().lastLine, 2);
    EXPECT_FALSE(editor.loadLines({std::string(TextBuffer::kMaxLength, 'x'), "y"}));
    EXPECT_EQ(editor.text(), "  mvi a,1\r\r  hlt") << "a refused text changes nothing";
}
