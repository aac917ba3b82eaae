// Line addressing on the flat text and overwrite over a selection; typing, Backspace
// and the capacity as a person meets them are scripts in tests/golden/editor.
#include "shell/text_buffer.h"

#include <gtest/gtest.h>

using verdin::EditorState;
using verdin::TextBuffer;

namespace {

TextBuffer bufferWith(std::string_view text) {
    TextBuffer buffer;
    EXPECT_TRUE(buffer.setText(text));
    return buffer;
}

}  // namespace

// The start-up text is one CR; lines beyond the last CR are empty and at the end.
TEST(TextBufferAddressing, StartupAndSmallTexts) {
    TextBuffer startup;
    EXPECT_EQ(startup.text(), "\r");
    EXPECT_EQ(startup.lineStart(1), 1);
    EXPECT_EQ(startup.lineLength(0) + startup.lineLength(1), 0);
    EXPECT_EQ(bufferWith("").lineStart(0) + bufferWith("").lineLength(0), 0);

    TextBuffer buffer = bufferWith("AB\rCD\r");
    EXPECT_EQ(buffer.lineStart(1), 3);
    EXPECT_EQ(buffer.lineLength(1), 2);
    EXPECT_EQ(buffer.lineText(1), "CD");
    EXPECT_EQ(buffer.countLineEnds(), 2);
    EXPECT_EQ(buffer.lineStart(7), buffer.length());
    EXPECT_EQ(buffer.lineText(7), "");
    EXPECT_EQ(buffer.at(99), '\0');
}

TEST(TextBufferAddressing, LineOfLineStartIsTheLine) {
    TextBuffer buffer = bufferWith("MVI A,1\r\rLOOP: DCR A\rJNZ LOOP\r");
    for (int n = 0; n <= buffer.countLineEnds(); ++n) EXPECT_EQ(buffer.lineOfOffset(buffer.lineStart(n)), n);
    EXPECT_EQ(buffer.lineOfOffset(-5), 0);
}

// 16383 characters fit; anything more, a NUL or a bad span is refused unchanged.
TEST(TextBufferAddressing, CapacityIsEnforced) {
    TextBuffer buffer = bufferWith(std::string(TextBuffer::kMaxLength, 'x'));
    EXPECT_FALSE(buffer.replace(0, 0, "y"));
    EXPECT_FALSE(buffer.setText(std::string(TextBuffer::kBufferSize, 'x')));
    EXPECT_FALSE(buffer.replace(5, 1, std::string_view("\0", 1)));
    EXPECT_FALSE(buffer.replace(buffer.length(), 1, ""));
    EXPECT_EQ(buffer.text(), std::string(TextBuffer::kMaxLength, 'x'));
}

// Overwrite replaces in the middle, inserts at the line end and splits on a CR; over
// a selection it also takes the character after it.
TEST(TextBufferEdits, Overwrite) {
    TextBuffer buffer = bufferWith("ABC\rD");
    EditorState state;
    state.overwriteMode = true;
    ASSERT_TRUE(insertChar(buffer, state, 'x', 1));
    ASSERT_TRUE(insertChar(buffer, state, 'y', 3));
    ASSERT_TRUE(insertChar(buffer, state, '\r', 0));
    EXPECT_EQ(buffer.text(), "\rAxCy\rD");
    state = {.caretLine = 1, .selectionA = 1, .selectionB = 3, .overwriteMode = true};
    ASSERT_TRUE(insertChar(buffer, state, 'z', 0));
    EXPECT_EQ(buffer.text(), "\rzy\rD");
}
