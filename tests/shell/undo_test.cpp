// Undo and redo: one step per edit (typing runs merged), caret and selection restored,
// the modified flag following the saved point.
#include "shell/editor_controller.h"
#include "shell/undo_history.h"

#include <gtest/gtest.h>

#include <string>

using verdin::EditKind;
using verdin::EditorController;
using verdin::EditorKey;
using verdin::MemoryClipboard;
using verdin::UndoHistory;

namespace {

struct UndoEditor : ::testing::Test {
    MemoryClipboard clipboard;
    EditorController editor{&clipboard};

    void SetUp() override {
        editor.setVisibleLines(20);
        editor.loadText("");
    }
};

}  // namespace

// Verify a typing run is one step, Enter and Tab are steps of their own, and redo replays.
TEST_F(UndoEditor, TypingEnterTab) {
    editor.typeText("mvi");
    editor.typeChar('\t');
    editor.typeText("a,1\rnop");
    EXPECT_EQ(editor.text(), "mvi     a,1\rnop");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.text(), "mvi     a,1\r");
    EXPECT_EQ(editor.state().caretLine, 1);
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.text(), "mvi     a,1");
    ASSERT_TRUE(editor.undo());
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.text(), "mvi");
    EXPECT_EQ(editor.state().caretColumn, 3);
    ASSERT_TRUE(editor.redo());
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(editor.text(), "mvi     a,1");
    EXPECT_EQ(editor.state().caretColumn, 11);
}

// Verify a caret move ends a typing run, and a new edit drops the redo steps.
TEST_F(UndoEditor, RunsBreakOnMovesAndRedoIsDropped) {
    editor.typeText("ab");
    editor.press(EditorKey::Home);
    editor.typeText("cd");
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(editor.text(), "ab");
    editor.typeChar('x');
    EXPECT_FALSE(editor.canRedo());
    EXPECT_EQ(editor.text(), "xab");  // the caret went back to column 0
}

// Verify Backspace and Delete runs, and that undoing them restores the text and caret.
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

// Verify Cut and Paste undo, with the cut selection restored.
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
    EXPECT_EQ(editor.state().selectionA, 1);
    EXPECT_EQ(editor.state().selectionB, 4);
    EXPECT_EQ(editor.shiftState(), 2);
}

// Verify modified follows the saved point through undo and redo.
TEST_F(UndoEditor, ModifiedFollowsSavedPoint) {
    editor.typeText("a");
    editor.markSaved();
    EXPECT_FALSE(editor.state().modified);
    editor.typeText("b");
    EXPECT_TRUE(editor.state().modified);
    editor.undo();
    EXPECT_FALSE(editor.state().modified);
    editor.undo();
    EXPECT_TRUE(editor.state().modified);
    editor.redo();
    EXPECT_FALSE(editor.state().modified);
}

// Verify the history keeps one span per step and drops the oldest beyond its bound.
TEST(UndoHistoryBounds, OldestStepsAreDropped) {
    UndoHistory history;
    std::string text;
    for (size_t i = 0; i < UndoHistory::kMaxSteps + 5; ++i) {
        const std::string before = text;
        text += 'x';
        history.record(EditKind::Enter, before, text, {}, {});
    }
    EXPECT_EQ(history.undoCount(), UndoHistory::kMaxSteps);
    while (history.undo(text)) {
    }
    EXPECT_EQ(text.size(), 5u);
}
