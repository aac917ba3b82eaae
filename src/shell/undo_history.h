// Undo and redo for the editor (Ctrl+Z and Ctrl+Y).
//
// Each step keeps only the changed span of the text (the bytes removed and the bytes
// inserted at one offset, found by comparing the text before and after the edit) and
// the caret, selection and scroll record on both sides, so that any edit, however it
// was made (typing, Replace All), is undone the same way. Consecutive typed
// characters, and consecutive Backspaces or Deletes, merge into one step until
// something else happens in between (breakMerge).
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace verdin {

enum class EditKind { Typing, Enter, Tab, Backspace, Delete, Cut, Paste, Replace, ReplaceAll };

// The part of EditorState that an undo step restores.
struct EditorSnapshot {
    int caretLine = 0;
    int caretColumn = 0;
    int selectionA = 0;
    int selectionB = 0;
    int topLine = 0;
    bool operator==(const EditorSnapshot&) const = default;
};

// The single span in which two texts differ: at `offset`, `removed` became `inserted`.
struct TextChange {
    int offset = 0;
    std::string removed;
    std::string inserted;
};
TextChange textChange(std::string_view before, std::string_view after);

struct UndoStep {
    EditKind kind = EditKind::Typing;
    int offset = 0;        // where the span starts
    std::string removed;   // bytes the edit removed at `offset`
    std::string inserted;  // bytes the edit put there
    EditorSnapshot before;
    EditorSnapshot after;
    // Breakpoint lines on both sides: undo gives back the ones the edit deleted.
    std::vector<int> marksBefore;
    std::vector<int> marksAfter;
    long serial = 0;       // identifies the text state after this step
};

class UndoHistory {
public:
    // Older steps are dropped beyond these bounds.
    static constexpr std::size_t kMaxSteps = 1000;
    static constexpr std::size_t kMaxBytes = 8u << 20;

    // Records the edit that turned `before` into `after`. An edit that changed nothing
    // is not recorded. Clears the redo steps.
    void record(EditKind kind, std::string_view before, std::string_view after,
                const EditorSnapshot& stateBefore, const EditorSnapshot& stateAfter,
                const std::vector<int>& marksBefore = {}, const std::vector<int>& marksAfter = {});
    // The next edit starts a step of its own.
    void breakMerge() { mergeOpen_ = false; }

    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    // Applies the reverse of the newest step to `text` and returns the step (for its
    // `before` record), or nullptr when there is nothing to undo.
    const UndoStep* undo(std::string& text);
    // Re-applies the newest undone step; nullptr when there is none.
    const UndoStep* redo(std::string& text);

    void clear();
    // The current text is the one on disk.
    void markSaved() {
        savedSerial_ = currentSerial();
        mergeOpen_ = false;
    }
    // No state of the text is on disk (an imported text): undo never reaches one.
    void forgetSavePoint() { savedSerial_ = -1; }
    bool atSavedPoint() const { return savedSerial_ == currentSerial(); }

    std::size_t undoCount() const { return done_.size(); }
    std::size_t redoCount() const { return undone_.size(); }

private:
    long currentSerial() const { return done_.empty() ? baseSerial_ : done_.back().serial; }
    static bool mergeable(EditKind kind);
    void trim();
    // Applies the newest step of `from` to `text`, backwards (undo) or forwards
    // (redo), and moves it to `to`.
    const UndoStep* carry(std::deque<UndoStep>& from, std::deque<UndoStep>& to, std::string& text, bool backwards);

    std::deque<UndoStep> done_;
    std::deque<UndoStep> undone_;
    std::size_t bytes_ = 0;
    long nextSerial_ = 1;
    long baseSerial_ = 0;   // serial of the text before the oldest kept step
    long savedSerial_ = 0;
    bool mergeOpen_ = false;
};

}  // namespace verdin
