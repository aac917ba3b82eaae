// The editor controller: typing rules and limits, keys and mouse, the clipboard, and line painting.
#include "shell/editor_controller.h"

#include <gtest/gtest.h>

#include <string>

using namespace verdin;

namespace {

struct Editor : ::testing::Test {
    MemoryClipboard clipboard;
    EditorController editor{&clipboard};

    void load(std::string_view text, int visibleLines = 20) {
        editor.setVisibleLines(visibleLines);
        ASSERT_TRUE(editor.loadText(text));
    }
    const EditorState& state() const { return editor.state(); }
};

std::string numberedLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r";
    return text;
}

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

// Verify the accepted characters, the 81st character refused, and Enter still working.
TEST_F(Editor, TypingCharacterSetAndEightyColumns) {
    load("");
    for (int c : {1, 10, 27, 123, 127, 191}) EXPECT_EQ(editor.typeChar(static_cast<unsigned char>(c)), EditResult::Ignored);
    editor.typeChar(0xE9);  // an ANSI letter
    editor.typeText(std::string(79, 'x'));
    EXPECT_EQ(editor.typeChar('y'), EditResult::Ignored);
    EXPECT_EQ(editor.typeChar('\r'), EditResult::Done);
    EXPECT_EQ(editor.text(), "\xE9" + std::string(79, 'x') + "\r");
    EXPECT_EQ(state().lastLine, 1);
    EXPECT_TRUE(state().modified);
}

// Verify Tab stops (column 3 gets 5 blanks, column 8 gets 8) and no Tab reaching column 80.
TEST_F(Editor, TypingTabStops) {
    load("");
    editor.typeText("abc\t");
    EXPECT_EQ(editor.text(), "abc     ");
    editor.typeText("\t" + std::string(56, 'x'));
    EXPECT_EQ(editor.typeChar('\t'), EditResult::Ignored);
    EXPECT_EQ(editor.buffer().lineLength(0), 72);
}

// Verify Enter on the bottom row scrolls, Backspace at column 0 joins lines, and
// Backspace at the start does nothing.
TEST_F(Editor, TypingEnterAndBackspace) {
    load("", 3);
    EXPECT_EQ(editor.typeChar('\b'), EditResult::Ignored);
    editor.typeText("a\rb\rc\r");
    EXPECT_EQ(state().topLine, 1);
    editor.typeText("\b");
    EXPECT_EQ(editor.text(), "a\rb\rc");
    EXPECT_EQ(state().caretLine, 2);
    EXPECT_EQ(state().caretColumn, 1);
    EXPECT_EQ(state().lastLine, 2);
}

// Verify Shift+End then a letter replaces the rest of the line; Delete removes the
// character under the caret, at a line end its CR, and at the end of the text nothing.
TEST_F(Editor, TypingOverSelectionAndDelete) {
    load("MVI A,5\rNOP");
    editor.mouseDown(0, 4);
    editor.press(EditorKey::End, true);
    editor.typeChar('B');
    EXPECT_EQ(editor.text(), "MVI B\rNOP");
    editor.press(EditorKey::Delete);
    EXPECT_EQ(editor.text(), "MVI BNOP");
    editor.press(EditorKey::End);
    editor.press(EditorKey::Delete);
    EXPECT_EQ(editor.text(), "MVI BNOP");
}

// Verify lastLine always follows the text's line ends: after a letter or Enter over
// a selection that held line ends, and after Delete of the final CR.
TEST_F(Editor, TypingKeepsLastLineTrue) {
    load("A\rB\rC\r");
    editor.mouseDown(1, 0);
    editor.mouseMove(2, 1, true);
    editor.typeChar('x');
    EXPECT_EQ(editor.text(), "A\rx\r");
    EXPECT_EQ(state().lastLine, 2);
    editor.selectAll();
    editor.typeChar('\r');
    EXPECT_EQ(editor.text(), "\r");
    EXPECT_EQ(state().lastLine, 1);
    EXPECT_EQ(state().caretLine, 1);
    editor.press(EditorKey::Up);
    editor.press(EditorKey::Delete);
    EXPECT_EQ(editor.text(), "");
    EXPECT_EQ(state().lastLine, 0);
    editor.press(EditorKey::Down);  // no line below any more
    EXPECT_EQ(state().caretLine, 0);
}

// Verify typing, Enter and Tab into a full text are refused and change nothing.
TEST_F(Editor, TypingRefusedAtCapacity) {
    std::string text(TextBuffer::kMaxLength - 1, 'x');
    text[40] = '\r';
    load(text);
    editor.typeText("a");
    EXPECT_EQ(editor.typeChar('e'), EditResult::Refused);
    EXPECT_EQ(editor.typeChar('\r'), EditResult::Refused);
    editor.typeText("\b");
    EXPECT_EQ(editor.typeChar('\t'), EditResult::Refused);  // 8 blanks, room for 1
    EXPECT_TRUE(editor.text() == text);
}

// Verify Ctrl+Left/Right word jumps, the column clamped on line change, paging
// with and without Ctrl, and scrolling at the edges.
TEST_F(Editor, NavigationKeys) {
    load("LOOP: MOV A,B\rNOP\r" + numberedLines(48), 10);
    editor.press(EditorKey::Right, false, true);
    editor.press(EditorKey::Right, false, true);
    EXPECT_EQ(state().caretColumn, 10);
    editor.press(EditorKey::Left, false, true);
    EXPECT_EQ(state().caretColumn, 6);
    editor.press(EditorKey::Down);
    EXPECT_EQ(state().caretColumn, 3);
    for (int i = 0; i < 9; ++i) editor.press(EditorKey::Down);
    EXPECT_EQ(state().topLine, 1);
    editor.press(EditorKey::PageDown);  // lands on the new top line
    EXPECT_EQ(state().caretLine, 10);
    EXPECT_EQ(state().topLine, 10);
    editor.press(EditorKey::PageDown, false, true);
    EXPECT_EQ(state().caretLine, 50);
    EXPECT_EQ(state().topLine, 41);
    editor.press(EditorKey::PageUp);
    EXPECT_EQ(state().caretLine, 40);
    EXPECT_EQ(state().topLine, 31);
    editor.press(EditorKey::PageUp, false, true);
    EXPECT_EQ(state().caretLine + state().topLine, 0);
}

// Verify Shift selection, Shift+Up past the anchor, and the collapse by the next
// arrow after Shift is released, which also clears copiedFlag.
TEST_F(Editor, NavigationShiftSelection) {
    load("ABCD\rEFGH");
    editor.mouseDown(1, 1);                // A = 6
    editor.press(EditorKey::Right, true);  // B = 7
    editor.keyDown(EditorKey::Shift);
    editor.keyDown(EditorKey::Up);         // B = 2 passes A: A becomes 7
    EXPECT_EQ(editor.shiftState(), 1);
    EXPECT_EQ(state().selectionA, 7);
    EXPECT_EQ(state().selectionB, 2);
    editor.keyUp(EditorKey::Shift);
    editor.copy();
    EXPECT_EQ(clipboard.content, "CD\rEF");
    editor.keyDown(EditorKey::Right);
    EXPECT_FALSE(state().hasSelection());
    EXPECT_EQ(editor.shiftState(), 0);
    EXPECT_FALSE(editor.copiedFlag());
}

// Verify a mouse drag selects, auto-scrolls below the last row, and ends with shiftState 2.
TEST_F(Editor, NavigationMouseDrag) {
    load(numberedLines(30), 10);
    editor.mouseDown(2, 99);
    EXPECT_EQ(state().selectionA, 20);  // limited to the end of "line 2"
    editor.mouseMove(14, 0, true);
    EXPECT_TRUE(editor.autoScrollActive());
    EXPECT_EQ(state().caretLine, 10);
    editor.autoScrollTick();
    EXPECT_EQ(state().topLine, 2);
    EXPECT_EQ(state().selectionB, editor.buffer().lineStart(11));
    editor.mouseUp();
    EXPECT_FALSE(editor.autoScrollActive());
    EXPECT_EQ(editor.shiftState(), 2);
}

// Verify a click below the text lands on the last line even while the view is
// scrolled past it, and releasing the button always stops the auto-scroll.
TEST_F(Editor, NavigationMouseStaysInsideText) {
    load(numberedLines(30), 10);
    editor.press(EditorKey::PageDown, false, true);
    for (int i = 0; i < 5; ++i) editor.press(EditorKey::Up, true);
    editor.press(EditorKey::Delete);
    ASSERT_EQ(state().lastLine, 25);
    ASSERT_EQ(state().topLine, 20);
    editor.mouseDown(29, 3);
    EXPECT_EQ(state().caretLine, 25);
    load("AB", 10);
    editor.mouseDown(0, 0);
    editor.mouseMove(12, 0, true);  // below the last row, nothing to scroll or select
    EXPECT_TRUE(editor.autoScrollActive());
    editor.mouseUp();
    EXPECT_FALSE(editor.autoScrollActive());
    EXPECT_EQ(editor.shiftState(), 0);
}

// Verify the scroll bar range and that scrolling takes the caret to the top line.
TEST_F(Editor, NavigationScrollBar) {
    load(numberedLines(30), 10);
    EXPECT_TRUE(editor.scrollBarVisible());
    EXPECT_EQ(editor.scrollMaximum(), 21);
    editor.scroll(ScrollAction::PageDown);
    EXPECT_EQ(state().caretLine, 10);
    editor.scroll(ScrollAction::Bottom);
    EXPECT_EQ(state().topLine, 21);
    editor.scroll(ScrollAction::Thumb, 3);
    EXPECT_EQ(state().caretLine, 3);
}

// Verify the status texts and Insert switching overwrite mode.
TEST_F(Editor, StatusTexts) {
    load("AB\rCD\r");
    editor.press(EditorKey::Down);
    editor.press(EditorKey::End);
    EXPECT_EQ(editor.statusText(), "Ln 2, Col 2;\tTotal: 3");
    editor.press(EditorKey::Insert);
    EXPECT_EQ(editor.overwriteText(), "OVR");
}

// Verify Copy then Paste only clears the selection and a second Paste inserts.
TEST_F(Editor, ClipboardCopyThenPasteTwice) {
    load("MOV A,B\r");
    editor.press(EditorKey::End, true);
    editor.copy();
    EXPECT_EQ(editor.paste(), EditResult::Done);
    EXPECT_EQ(editor.text(), "MOV A,B\r");
    EXPECT_FALSE(state().hasSelection());
    editor.paste();
    EXPECT_EQ(editor.text(), "MOV A,BMOV A,B\r");
}

// Verify a selection across a line end painted on both lines, Cut, and a pasted text
// ending in CR landing before a new line break, LF dropped.
TEST_F(Editor, ClipboardCutAndPasteLines) {
    load("AB\rCD\rNOP");
    editor.mouseDown(0, 1);
    editor.mouseMove(1, 1, true);
    // The selection paints across the line end: the tail of one line, the head of the next.
    EXPECT_EQ(editor.lineRuns(0).back(), (AttributeRun{1, 1, CharAttribute::Selected}));
    EXPECT_EQ(editor.lineRuns(1).front(), (AttributeRun{0, 1, CharAttribute::Selected}));
    editor.cut();
    EXPECT_EQ(clipboard.content, "B\rC");
    EXPECT_EQ(editor.text(), "AD\rNOP");
    editor.mouseDown(1, 0);
    clipboard.content = "MVI A,1\r\nHLT\r";
    editor.paste();
    EXPECT_EQ(editor.text(), "AD\rMVI A,1\rHLT\rNOP");
    EXPECT_EQ(state().caretLine, 2);
    EXPECT_EQ(state().caretColumn, 3);
    EXPECT_EQ(state().lastLine, 3);
}

// Verify Paste over a selection in overwrite mode, and an unavailable clipboard:
// Copy hands nothing over, Cut still cuts, Paste does nothing.
TEST_F(Editor, ClipboardOverwriteAndUnavailable) {
    load("ABCDEF");
    editor.press(EditorKey::Insert);
    clipboard.content = "xy";
    editor.press(EditorKey::Right);
    editor.press(EditorKey::Right, true);
    editor.paste();
    EXPECT_EQ(editor.text(), "AxyCDEF");
    clipboard.available = false;
    editor.selectAll();
    editor.cut();
    EXPECT_EQ(editor.text(), "");
    EXPECT_EQ(clipboard.content, "xy");
    EXPECT_EQ(editor.paste(), EditResult::Ignored);
}

// Verify a Paste that would exceed the capacity is refused as a whole.
TEST_F(Editor, ClipboardPasteRefusedAtCapacity) {
    std::string text(TextBuffer::kMaxLength - 3, 'x');
    text[10] = '\r';
    load(text);
    clipboard.content = "abcd";
    EXPECT_EQ(editor.paste(), EditResult::Refused);
    EXPECT_TRUE(editor.text() == text);
    EXPECT_FALSE(state().modified);
    clipboard.content = "abc";
    EXPECT_EQ(editor.paste(), EditResult::Done);
}

// Verify mnemonics as whole words in any case, comments outside quotes, the selection.
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
