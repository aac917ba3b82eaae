// Part 6.2 clipboard: Copy, Cut, Paste with its copiedFlag rule and final-CR rule,
// Select All, an unavailable clipboard, and Paste refused at the capacity.
#include "shell/editor_controller.h"

#include <gtest/gtest.h>

#include <string>

using verdin::EditorController;
using verdin::EditorKey;
using verdin::EditResult;
using verdin::MemoryClipboard;
using verdin::TextBuffer;

namespace {

struct ClipboardEditor : ::testing::Test {
    MemoryClipboard clipboard;
    EditorController editor{&clipboard};

    void load(std::string_view text) {
        editor.setVisibleLines(20);
        ASSERT_TRUE(editor.loadText(text));
    }
};

}  // namespace

// Verify Copy then Paste only clears the selection, and a second Paste inserts.
TEST_F(ClipboardEditor, CopyThenPasteTwice) {
    load("MOV A,B\r");
    editor.press(EditorKey::End, true);
    editor.copy();
    EXPECT_EQ(clipboard.content, "MOV A,B");
    EXPECT_EQ(editor.paste(), EditResult::Done);
    EXPECT_EQ(editor.text(), "MOV A,B\r");
    EXPECT_FALSE(editor.state().hasSelection());
    editor.paste();
    EXPECT_EQ(editor.text(), "MOV A,BMOV A,B\r");
    EXPECT_EQ(editor.shiftState(), 2);
}

// Verify Cut removes the selection across lines and marks the text modified.
TEST_F(ClipboardEditor, CutAcrossLines) {
    load("AB\rCD\rEF");
    editor.mouseDown(0, 1);
    editor.mouseMove(1, 1, true);
    editor.mouseUp();
    editor.cut();
    EXPECT_EQ(clipboard.content, "B\rC");
    EXPECT_EQ(editor.text(), "AD\rEF");
    EXPECT_EQ(editor.state().lastLine, 1);
    EXPECT_TRUE(editor.state().modified);
}

// Verify a pasted text ending in CR lands before a new line break; LF is dropped.
TEST_F(ClipboardEditor, PasteLinesWithFinalCr) {
    load("NOP");
    clipboard.content = "MVI A,1\r\nHLT\r";
    editor.paste();
    EXPECT_EQ(editor.text(), "MVI A,1\rHLT\rNOP");
    EXPECT_EQ(editor.state().caretLine, 1);
    EXPECT_EQ(editor.state().caretColumn, 3);
    EXPECT_EQ(editor.state().lastLine, 2);
}

// Verify Paste replaces a selection that was not just copied and switches
// overwrite mode off only meanwhile.
TEST_F(ClipboardEditor, PasteOverSelectionInOverwriteMode) {
    load("ABCDEF");
    editor.press(EditorKey::Insert);
    clipboard.content = "xy";
    editor.press(EditorKey::Right);
    editor.press(EditorKey::Right, true);
    editor.paste();
    EXPECT_EQ(editor.text(), "AxyCDEF");
    EXPECT_TRUE(editor.state().overwriteMode);
}

// Verify Select All and an unavailable clipboard: Copy hands nothing over, Cut still cuts.
TEST_F(ClipboardEditor, SelectAllAndUnavailableClipboard) {
    load("AB\rCD");
    editor.selectAll();
    EXPECT_EQ(editor.state().selectionLow(), 0);
    EXPECT_EQ(editor.state().selectionHigh(), 5);
    clipboard.available = false;
    EXPECT_FALSE(editor.canPaste());
    editor.cut();
    EXPECT_EQ(editor.text(), "");
    EXPECT_FALSE(clipboard.content.has_value());
    EXPECT_EQ(editor.paste(), EditResult::Ignored);
}

// Verify a Paste that would exceed the capacity is refused as a whole.
TEST_F(ClipboardEditor, PasteRefusedAtCapacity) {
    std::string text(TextBuffer::kMaxLength - 3, 'x');
    text[10] = '\r';
    load(text);
    clipboard.content = "abcd";
    EXPECT_EQ(editor.paste(), EditResult::Refused);
    EXPECT_EQ(editor.text(), text);
    EXPECT_FALSE(editor.state().modified);
    EXPECT_FALSE(editor.canUndo());
    clipboard.content = "abc";
    EXPECT_EQ(editor.paste(), EditResult::Done);
    EXPECT_EQ(editor.buffer().length(), TextBuffer::kMaxLength);
}
