// The undo history's own bound; undo and redo as a person uses them are scripts in
// tests/golden/editor/clipboard_and_undo.keys.
#include "shell/undo_history.h"

#include <gtest/gtest.h>

using namespace verdin;

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
