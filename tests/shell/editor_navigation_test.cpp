// Part 6.2 keys, mouse and scroll bar: caret movement, selection by Shift and by
// dragging, scrolling, and the status text.
#include "shell/editor_controller.h"

#include <gtest/gtest.h>

#include <string>

using verdin::EditorController;
using verdin::EditorKey;
using verdin::ScrollAction;

namespace {

EditorController editorWith(std::string_view text, int visibleLines = 20) {
    EditorController editor;
    editor.setVisibleLines(visibleLines);
    EXPECT_TRUE(editor.loadText(text));
    return editor;
}

std::string numberedLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r";
    return text;
}

}  // namespace

// Verify Ctrl+Left/Right jump over words and plain arrows clamp the column on line change.
TEST(EditorNavigation, WordJumpsAndColumnClamp) {
    EditorController editor = editorWith("LOOP: MOV A,B\rNOP");
    editor.press(EditorKey::Right, false, true);
    EXPECT_EQ(editor.state().caretColumn, 6);
    editor.press(EditorKey::Right, false, true);
    EXPECT_EQ(editor.state().caretColumn, 10);
    editor.press(EditorKey::Right, false, true);
    EXPECT_EQ(editor.state().caretColumn, 13);  // not beyond the line end
    editor.press(EditorKey::Left, false, true);
    EXPECT_EQ(editor.state().caretColumn, 10);
    editor.press(EditorKey::Down);
    EXPECT_EQ(editor.state().caretColumn, 3);  // no goal column
    editor.press(EditorKey::Up);
    EXPECT_EQ(editor.state().caretColumn, 3);
}

// Verify Up/Down scroll at the edges and Page Up/Down with and without Ctrl.
TEST(EditorNavigation, PagingAndScrolling) {
    EditorController editor = editorWith(numberedLines(50), 10);  // lines 0..50
    for (int i = 0; i < 10; ++i) editor.press(EditorKey::Down);
    EXPECT_EQ(editor.state().caretLine, 10);
    EXPECT_EQ(editor.state().topLine, 1);
    editor.press(EditorKey::PageDown);
    EXPECT_EQ(editor.state().caretLine, 10);  // limited to the new top
    EXPECT_EQ(editor.state().topLine, 10);
    editor.press(EditorKey::PageDown, false, true);
    EXPECT_EQ(editor.state().caretLine, 50);
    EXPECT_EQ(editor.state().topLine, 41);
    editor.press(EditorKey::PageUp);
    EXPECT_EQ(editor.state().caretLine, 40);
    EXPECT_EQ(editor.state().topLine, 31);
    editor.press(EditorKey::PageUp, false, true);
    EXPECT_EQ(editor.state().caretLine, 0);
    EXPECT_EQ(editor.state().topLine, 0);
    editor.press(EditorKey::Up);
    EXPECT_EQ(editor.state().caretLine, 0);
}

// Verify Shift selection, its collapse by the next arrow after Shift is released,
// and that cursor keys clear copiedFlag.
TEST(EditorNavigation, ShiftSelection) {
    EditorController editor = editorWith("ABCD\rEFGH");
    editor.press(EditorKey::Right);
    editor.keyDown(EditorKey::Shift);
    editor.keyDown(EditorKey::Right);
    editor.keyDown(EditorKey::Down);
    EXPECT_EQ(editor.shiftState(), 1);
    EXPECT_EQ(editor.state().selectionLow(), 1);
    EXPECT_EQ(editor.state().selectionHigh(), 7);
    editor.keyDown(EditorKey::Up);
    editor.keyDown(EditorKey::Left);
    editor.keyDown(EditorKey::Left);  // the moving end passes the anchor
    EXPECT_EQ(editor.state().selectionB, 0);
    editor.keyUp(EditorKey::Shift);
    EXPECT_EQ(editor.shiftState(), 2);
    editor.copy();
    EXPECT_TRUE(editor.copiedFlag());
    editor.keyDown(EditorKey::Right);
    EXPECT_FALSE(editor.state().hasSelection());
    EXPECT_EQ(editor.shiftState(), 0);
    EXPECT_FALSE(editor.copiedFlag());
}

// Verify Shift+Up past the anchor makes the former larger end the anchor (Part 6.2).
TEST(EditorNavigation, ShiftUpPastAnchor) {
    EditorController editor = editorWith("AB\rCD\rEF");
    editor.mouseDown(1, 1);                // A = 4
    editor.press(EditorKey::Right, true);  // B = 5
    editor.press(EditorKey::Up, true);     // B = 2 < A: A becomes 5
    EXPECT_EQ(editor.state().selectionA, 5);
    EXPECT_EQ(editor.state().selectionB, 2);
}

// Verify a mouse drag selects, auto-scrolls past the bottom and finishes with shiftState 2.
TEST(EditorNavigation, MouseDragAndAutoScroll) {
    EditorController editor = editorWith(numberedLines(30), 10);
    editor.mouseDown(2, 99);
    EXPECT_EQ(editor.state().caretColumn, 6);  // limited to the line
    editor.mouseMove(4, 2, true);
    EXPECT_EQ(editor.state().selectionA, 20);  // "line 2" ends at offset 20
    EXPECT_EQ(editor.state().selectionB, editor.buffer().lineStart(4) + 2);
    editor.mouseMove(14, 0, true);  // below the last visible row
    EXPECT_TRUE(editor.autoScrollActive());
    EXPECT_EQ(editor.state().topLine, 1);
    EXPECT_EQ(editor.state().caretLine, 10);
    editor.autoScrollTick();
    EXPECT_EQ(editor.state().topLine, 2);
    EXPECT_EQ(editor.state().caretLine, 11);
    editor.mouseUp();
    EXPECT_FALSE(editor.autoScrollActive());
    EXPECT_EQ(editor.shiftState(), 2);
    editor.mouseDown(3, 0);
    editor.mouseUp();
    EXPECT_EQ(editor.shiftState(), 0);
    EXPECT_EQ(editor.state().caretLine, 3);
}

// Verify the scroll bar range and that scrolling takes the caret to the top line.
TEST(EditorNavigation, ScrollBar) {
    EditorController editor = editorWith(numberedLines(30), 10);
    EXPECT_TRUE(editor.scrollBarVisible());
    EXPECT_EQ(editor.scrollMaximum(), 21);
    editor.scroll(ScrollAction::PageDown);
    EXPECT_EQ(editor.state().topLine, 10);
    EXPECT_EQ(editor.state().caretLine, 10);
    editor.scroll(ScrollAction::Bottom);
    EXPECT_EQ(editor.state().topLine, 21);
    editor.scroll(ScrollAction::Thumb, 3);
    EXPECT_EQ(editor.state().caretLine, 3);
    editor.scroll(ScrollAction::LineUp);
    editor.scroll(ScrollAction::Top);
    EXPECT_EQ(editor.state().topLine, 0);
}

// Verify Insert toggles overwrite mode and the status texts.
TEST(EditorNavigation, StatusTexts) {
    EditorController editor = editorWith("AB\rCD\r");
    editor.press(EditorKey::Down);
    editor.press(EditorKey::End);
    EXPECT_EQ(editor.statusText(), "Ln 2, Col 2;\tTotal: 3");
    EXPECT_EQ(editor.overwriteText(), "");
    editor.press(EditorKey::Insert);
    EXPECT_EQ(editor.overwriteText(), "OVR");
    editor.press(EditorKey::Home);
    editor.typeChar('x');
    EXPECT_EQ(editor.text(), "AB\rxD\r");
}
