// Part 6.1: line addressing on the flat text and the two edit primitives.
#include "shell/text_buffer.h"

#include <gtest/gtest.h>

#include <string>

using verdin::EditorState;
using verdin::TextBuffer;

namespace {

TextBuffer bufferWith(std::string_view text) {
    TextBuffer buffer;
    EXPECT_TRUE(buffer.setText(text));
    return buffer;
}

}  // namespace

// Verify the start-up text (one CR) and the empty text after New.
TEST(TextBufferAddressing, StartupAndEmptyText) {
    TextBuffer startup;
    EXPECT_EQ(startup.text(), "\r");
    EXPECT_EQ(startup.lineStart(1), 1);
    EXPECT_EQ(startup.lineLength(0), 0);
    EXPECT_EQ(startup.lineLength(1), 0);
    EXPECT_EQ(startup.countLineEnds(), 1);

    TextBuffer empty = bufferWith("");
    EXPECT_EQ(empty.lineStart(0), 0);
    EXPECT_EQ(empty.lineLength(0), 0);
    EXPECT_EQ(empty.countLineEnds(), 0);
}

// Verify the spec's example A, B, CR, C, D, CR and lines beyond the last CR.
TEST(TextBufferAddressing, LinesOfSixCharacters) {
    TextBuffer buffer = bufferWith("AB\rCD\r");
    EXPECT_EQ(buffer.lineStart(1), 3);
    EXPECT_EQ(buffer.lineLength(1), 2);
    EXPECT_EQ(buffer.lineText(1), "CD");
    EXPECT_EQ(buffer.countLineEnds(), 2);
    EXPECT_EQ(buffer.lineStart(7), buffer.length());
    EXPECT_EQ(buffer.lineLength(7), 0);
    EXPECT_EQ(buffer.lineText(7), "");
    EXPECT_EQ(buffer.at(-1), '\0');
    EXPECT_EQ(buffer.at(99), '\0');
}

// Verify lineOfOffset(lineStart(n)) = n for every line.
TEST(TextBufferAddressing, LineOfLineStartIsTheLine) {
    TextBuffer buffer = bufferWith("MVI A,1\r\rLOOP: DCR A\rJNZ LOOP\r");
    for (int n = 0; n <= buffer.countLineEnds(); ++n) EXPECT_EQ(buffer.lineOfOffset(buffer.lineStart(n)), n);
    EXPECT_EQ(buffer.lineOfOffset(0), 0);
    EXPECT_EQ(buffer.lineOfOffset(-5), 0);
}

// Verify the capacity: 16383 characters fit, one more is refused and nothing changes.
TEST(TextBufferAddressing, CapacityIsEnforced) {
    TextBuffer buffer;
    EXPECT_TRUE(buffer.setText(std::string(TextBuffer::kMaxLength, 'x')));
    EXPECT_FALSE(buffer.replace(0, 0, "y"));
    EXPECT_FALSE(buffer.setText(std::string(TextBuffer::kBufferSize, 'x')));
    EXPECT_EQ(buffer.length(), TextBuffer::kMaxLength);
    EXPECT_FALSE(buffer.replace(5, 1, std::string_view("\0", 1)));
    EXPECT_FALSE(buffer.replace(buffer.length(), 1, ""));
}

// Verify that overwrite replaces one character in the middle and inserts at the line end.
TEST(TextBufferEdits, OverwriteInMiddleAndAtEnd) {
    TextBuffer buffer = bufferWith("ABC\rD");
    EditorState state;
    state.overwriteMode = true;
    state.caretColumn = 1;
    ASSERT_TRUE(insertChar(buffer, state, 'x', 1));
    EXPECT_EQ(buffer.text(), "AxC\rD");
    EXPECT_EQ(state.caretColumn, 2);
    ASSERT_TRUE(insertChar(buffer, state, 'y', 3));
    EXPECT_EQ(buffer.text(), "AxCy\rD");
    ASSERT_TRUE(insertChar(buffer, state, '\r', 0));  // a CR splits, never overwrites
    EXPECT_EQ(buffer.text(), "\rAxCy\rD");
}

// Verify that a typed character replaces a selection, line ends included.
TEST(TextBufferEdits, InsertReplacesSelectionAcrossLines) {
    TextBuffer buffer = bufferWith("AB\rCD\rEF");
    EditorState state;
    state.selectionA = 7;
    state.selectionB = 1;
    ASSERT_TRUE(insertChar(buffer, state, 'z', 0));
    EXPECT_EQ(buffer.text(), "AzF");
    EXPECT_EQ(state.caretLine, 0);
    EXPECT_EQ(state.caretColumn, 2);
    EXPECT_FALSE(state.hasSelection());
}

// Verify deleteBefore at column 0 removes the CR that ends the previous line.
TEST(TextBufferEdits, DeleteBeforeJoinsLines) {
    TextBuffer buffer = bufferWith("AB\rCD");
    EditorState state;
    state.caretLine = 1;
    ASSERT_TRUE(deleteBefore(buffer, state, 0));
    EXPECT_EQ(buffer.text(), "ABCD");
    EXPECT_EQ(state.caretColumn, 0);  // the caller sets the joined column
    state.caretLine = 0;
    EXPECT_FALSE(deleteBefore(buffer, state, 0));  // nothing before the text
    EXPECT_FALSE(deleteBefore(buffer, state, 9));  // beyond the line
    EXPECT_EQ(buffer.text(), "ABCD");
}
