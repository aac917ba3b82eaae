// Undo and redo: one step per edit (typing runs merged), caret and selection
// restored, the modified flag following the saved point.
#include "shell/editor_controller.h"

#include <gtest/gtest.h>

using namespace verdin;

namespace {

struct UndoEditor : ::testing::Test {
    MemoryClipboard clipboard;
    EditorController editor{&clipboard};

    void SetUp() override { editor.setVisibleLines(20); }
};

}  // namespace

// Verify a typing run is one step, Enter and Tab are steps of their own, a caret
// move ends a run, and redo replays with the caret after the step.
TEST_F(UndoEditor, TypingEnterTabSequence) {
    editor.loadText("");
    editor.typeText("mvi\ta,1\rnop");
    editor.press(EditorKey::Home);
    editor.typeText(" ");
    EXPECT_EQ(editor.text(), "mvi     a,1\r nop");
    const char* expected[] = {"mvi     a,1\rnop", "mvi     a,1\r", "mvi     a,1", "mvi     ", "mvi", ""};
    for (const char* text : expected) {
        ASSERT_TRUE(editor.undo());
        EXPECT_EQ(editor.text(), text);
    }
    EXPECT_FALSE(editor.undo());
    editor.redo();
    editor.redo();
    EXPECT_EQ(editor.state().caretColumn, 8);
    editor.typeChar('x');  // a new edit drops the redo steps
    EXPECT_FALSE(editor.canRedo());
    EXPECT_EQ(editor.text(), "mvi     x");
}

// Moving the caret with the scroll bar ends a typing run, as an arrow key does.
TEST_F(UndoEditor, ScrollBarMoveEndsATypingRun) {
    std::string text(30, '\r');
    editor.loadText(text);
    editor.setVisibleLines(5);
    editor.typeText("ab");
    editor.scroll(ScrollAction::Thumb, 10);
    ASSERT_EQ(editor.state().caretLine, 10);
    editor.typeText("cd");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.text(), "ab" + text);
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.text(), text);
}

// Verify Backspace and Delete runs undo with the caret where each run began.
TEST_F(UndoEditor, BackspaceAndDeleteRuns) {
    editor.loadText("ABCDEF\rGH");
    editor.press(EditorKey::End);
    editor.typeText("\b\b");
    editor.press(EditorKey::Home);
    editor.press(EditorKey::Delete);
    editor.press(EditorKey::Delete);
    EXPECT_EQ(editor.text(), "CD\rGH");
    editor.undo();
    EXPECT_EQ(editor.text(), "ABCD\rGH");
    EXPECT_EQ(editor.state().caretColumn, 0);
    editor.undo();
    EXPECT_EQ(editor.text(), "ABCDEF\rGH");
    EXPECT_EQ(editor.state().caretColumn, 6);
    EXPECT_FALSE(editor.canUndo());
}

// Verify Cut and Paste undo separately, with the cut selection restored.
TEST_F(UndoEditor, CutAndPasteRestoreSelection) {
    editor.loadText("AB\rCD");
    editor.press(EditorKey::Right);
    editor.press(EditorKey::Down, true);
    editor.cut();
    editor.paste();
    editor.paste();
    EXPECT_EQ(editor.text(), "AB\rCB\rCD");
    editor.undo();
    editor.undo();
    EXPECT_EQ(editor.text(), "AD");
    editor.undo();
    EXPECT_EQ(editor.text(), "AB\rCD");
    EXPECT_EQ(editor.state().selectionLow(), 1);
    EXPECT_EQ(editor.state().selectionHigh(), 4);
    EXPECT_EQ(editor.shiftState(), 2);
}

// Verify modified follows the saved point through undo and redo.
TEST_F(UndoEditor, ModifiedFollowsSavedPoint) {
    editor.typeText("a");
    editor.markSaved();
    editor.typeText("b");
    EXPECT_TRUE(editor.state().modified);
    editor.undo();
    EXPECT_FALSE(editor.state().modified);
    editor.undo();
    EXPECT_TRUE(editor.state().modified);
    editor.redo();
    EXPECT_FALSE(editor.state().modified);
}

// Verify the history drops its oldest steps beyond its bound.
TEST(UndoHistoryBounds, OldestStepsAreDropped) {
    UndoHistory history;
    std::string text;
    for (size_t i = 0; i < UndoHistory::kMaxSteps + 5; ++i) {
        const std::string before = text;
        text += 'x';
        history.record(EditKind::Enter, before, text, {}, {});
    }
    while (history.undo(text)) {
    }
    EXPECT_EQ(text.size(), 5u);
}
