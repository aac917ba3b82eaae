// Part 6.2 character input: accepted characters, the 80-column limit, Enter,
// Backspace, Tab stops, Delete, and refusals at the text's capacity.
#include "shell/editor_controller.h"

#include <gtest/gtest.h>

#include <string>

using verdin::EditorController;
using verdin::EditorKey;
using verdin::EditResult;
using verdin::TextBuffer;

namespace {

EditorController editorWith(std::string_view text, int visibleLines = 20) {
    EditorController editor;
    editor.setVisibleLines(visibleLines);
    EXPECT_TRUE(editor.loadText(text));
    return editor;
}

}  // namespace

// Verify that typed text is stored as typed and control characters are not inserted.
TEST(EditorTyping, AcceptedCharacterSet) {
    EditorController editor = editorWith("");
    editor.typeText("mov a,b");
    for (int c : {1, 10, 27, 123, 126, 127, 191}) EXPECT_EQ(editor.typeChar(static_cast<unsigned char>(c)), EditResult::Ignored);
    EXPECT_EQ(editor.typeChar(0xE9), EditResult::Done);  // ANSI letter
    EXPECT_EQ(editor.text(), "mov a,b\xE9");
    EXPECT_EQ(editor.state().caretColumn, 8);
    EXPECT_TRUE(editor.state().modified);
}

// Verify that the 81st character is refused while Enter still splits the line.
TEST(EditorTyping, EightyColumnLimit) {
    EditorController editor = editorWith("");
    editor.typeText(std::string(80, 'x'));
    EXPECT_EQ(editor.typeChar('y'), EditResult::Ignored);
    EXPECT_EQ(editor.buffer().lineLength(0), 80);
    EXPECT_EQ(editor.typeChar('\r'), EditResult::Done);
    EXPECT_EQ(editor.state().caretLine, 1);
    EXPECT_EQ(editor.state().lastLine, 1);
}

// Verify Tab stops: column 3 gets 5 blanks, column 8 gets 8, and no Tab reaches column 80.
TEST(EditorTyping, TabToEightColumnStops) {
    EditorController editor = editorWith("");
    editor.typeText("abc\t");
    EXPECT_EQ(editor.text(), "abc     ");
    editor.typeChar('\t');
    EXPECT_EQ(editor.state().caretColumn, 16);
    editor.typeText(std::string(56, 'x'));  // column 72
    EXPECT_EQ(editor.typeChar('\t'), EditResult::Ignored);
    EXPECT_EQ(editor.buffer().lineLength(0), 72);
}

// Verify Enter at the bottom row scrolls one line, and Backspace at column 0 joins lines.
TEST(EditorTyping, EnterScrollsAndBackspaceJoins) {
    EditorController editor = editorWith("", 3);
    editor.typeText("a\rb\rc\r");
    EXPECT_EQ(editor.state().topLine, 1);
    EXPECT_EQ(editor.state().caretRow(), 2);
    editor.typeChar('\b');
    EXPECT_EQ(editor.text(), "a\rb\rc");
    EXPECT_EQ(editor.state().caretLine, 2);
    EXPECT_EQ(editor.state().caretColumn, 1);  // the former length of line 2
    EXPECT_EQ(editor.state().lastLine, 2);
    editor.press(EditorKey::Home);
    EXPECT_EQ(editor.typeChar('\b'), EditResult::Done);
    EXPECT_EQ(editor.text(), "a\rbc");
}

// Verify Backspace at the very start does nothing and deletes a selection anywhere.
TEST(EditorTyping, BackspaceAtStartAndOverSelection) {
    EditorController editor = editorWith("one\rtwo");
    EXPECT_EQ(editor.typeChar('\b'), EditResult::Ignored);
    editor.press(EditorKey::End, true);
    editor.press(EditorKey::Down, true);
    editor.typeChar('\b');
    EXPECT_EQ(editor.text(), "");
    EXPECT_EQ(editor.state().lastLine, 0);
}

// Verify Shift+End then a letter replaces the rest of the line.
TEST(EditorTyping, LetterReplacesSelection) {
    EditorController editor = editorWith("MVI A,5\rNOP");
    editor.mouseDown(0, 4);
    editor.press(EditorKey::End, true);
    editor.typeChar('B');
    EXPECT_EQ(editor.text(), "MVI B\rNOP");
    EXPECT_FALSE(editor.state().hasSelection());
}

// Verify Delete removes the character under the caret, and at a line end its CR.
TEST(EditorTyping, DeleteKey) {
    EditorController editor = editorWith("AB\rCD\r");
    editor.press(EditorKey::Delete);
    EXPECT_EQ(editor.text(), "B\rCD\r");
    editor.press(EditorKey::End);
    editor.press(EditorKey::Delete);
    EXPECT_EQ(editor.text(), "BCD\r");
    EXPECT_EQ(editor.state().lastLine, 1);
    editor.press(EditorKey::End);
    editor.press(EditorKey::Delete);  // the final CR: lastLine follows the text
    EXPECT_EQ(editor.text(), "BCD");
    EXPECT_EQ(editor.state().lastLine, 0);
    editor.press(EditorKey::Delete);  // at the very end nothing goes
    EXPECT_EQ(editor.text(), "BCD");
}

// Verify that typing, Enter and Tab into a full text are refused and change nothing.
TEST(EditorTyping, CapacityRefusesTyping) {
    std::string full(TextBuffer::kMaxLength - 4, 'x');
    full[40] = '\r';
    EditorController editor = editorWith(full);
    editor.typeText("abc");
    EXPECT_EQ(editor.typeChar('d'), EditResult::Done);
    const auto before = editor.state();
    EXPECT_EQ(editor.typeChar('e'), EditResult::Refused);
    EXPECT_EQ(editor.typeChar('\r'), EditResult::Refused);
    editor.typeChar('\b');
    editor.typeChar('\b');
    EXPECT_EQ(editor.typeChar('\t'), EditResult::Refused);  // 6 blanks, room for 2
    EXPECT_EQ(editor.buffer().length(), TextBuffer::kMaxLength - 2);
    EXPECT_EQ(editor.state().caretColumn, before.caretColumn - 2);
    EXPECT_EQ(editor.text().substr(0, 2), "ab");
}
