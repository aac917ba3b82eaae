#include "shell/editor_controller.h"

#include <algorithm>
#include <cstdio>

#include "shell/line_marks.h"

namespace verdin {

namespace {

bool isTypable(unsigned char c) { return (c >= 32 && c <= 122) || c >= 192; }

}  // namespace

std::string pasteDidNotFitNotice(int count) {
    return "Paste: " + std::to_string(count) + " characters did not fit";
}

std::string EditorController::takeNotice() {
    std::string notice;
    notice.swap(notice_);
    return notice;
}

EditorController::EditorController(Clipboard* clipboard, MnemonicPredicate mnemonic)
    : clipboard_(clipboard), mnemonic_(std::move(mnemonic)) {
    // The start-up text is one line end, yet a fresh window shows one line ("Total:
    // 1"); the first edit counts the lines again.
    state_.lastLine = 0;
}

int EditorController::caretOffset() const { return text_.offsetOf(state_.caretLine, state_.caretColumn); }

void EditorController::setVisibleLines(int lines) {
    state_.visibleLines = std::max(lines, 1);
    ensureCaretVisible();
}

// --- document ---------------------------------------------------------------------

void EditorController::newText() {
    text_.setText({});
    const int visible = state_.visibleLines;
    const bool overwrite = state_.overwriteMode;
    state_ = EditorState{};
    state_.visibleLines = visible;
    state_.overwriteMode = overwrite;
    shiftState_ = ShiftState::Released;
    copiedFlag_ = false;
    autoScrollActive_ = false;
    autoScrollDirection_ = 0;
    history_.clear();
    breakpoints_.clear();
}

bool EditorController::loadLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += TextBuffer::kLineEnd;
        text += lines[i];
    }
    return loadText(text);
}

bool EditorController::loadText(std::string_view text) {
    if (static_cast<int>(text.size()) > TextBuffer::kMaxLength) return false;
    TextBuffer loaded;
    if (!loaded.setText(text)) return false;
    newText();
    text_ = loaded;
    state_.lastLine = text_.countLineEnds();
    return true;
}

void EditorController::markSaved() {
    state_.modified = false;
    history_.markSaved();
}

void EditorController::markModified() {
    state_.modified = true;
    history_.forgetSavePoint();
}

// --- undo support -----------------------------------------------------------------

EditorController::Saved EditorController::save() const {
    return {text_.text(), state_, shiftState_, copiedFlag_};
}

void EditorController::restore(const Saved& saved) {
    text_.setText(saved.text);
    state_ = saved.state;
    shiftState_ = saved.shiftState;
    copiedFlag_ = saved.copiedFlag;
}

EditorSnapshot EditorController::snapshot() const {
    return {state_.caretLine, state_.caretColumn, state_.selectionA, state_.selectionB, state_.topLine};
}

void EditorController::applySnapshot(const EditorSnapshot& snap) {
    state_.lastLine = text_.countLineEnds();
    state_.caretLine = std::clamp(snap.caretLine, 0, state_.lastLine);
    state_.caretColumn = std::clamp(snap.caretColumn, 0, text_.lineLength(state_.caretLine));
    state_.selectionA = std::clamp(snap.selectionA, 0, text_.length());
    state_.selectionB = std::clamp(snap.selectionB, 0, text_.length());
    state_.topLine = std::max(snap.topLine, 0);
    ensureCaretVisible();
}

void EditorController::recordEdit(const Saved& before, EditKind kind) {
    EditorSnapshot beforeSnap{before.state.caretLine, before.state.caretColumn, before.state.selectionA,
                              before.state.selectionB, before.state.topLine};
    const std::vector<int> marksBefore = breakpoints_;
    if (!breakpoints_.empty()) breakpoints_ = moveLineMarks(breakpoints_, before.text, textChange(before.text, text_.text()));
    history_.record(kind, before.text, text_.text(), beforeSnap, snapshot(), marksBefore, breakpoints_);
}

bool EditorController::undo() { return replayStep(true); }

bool EditorController::redo() { return replayStep(false); }

bool EditorController::replayStep(bool backwards) {
    std::string text = text_.text();
    const std::string old = text;
    const UndoStep* step = backwards ? history_.undo(text) : history_.redo(text);
    if (!step) return false;
    // Untouched since the step, the marks come back exactly; breakpoints set since
    // then move as the text does.
    const std::vector<int>& marksThen = backwards ? step->marksAfter : step->marksBefore;
    const std::string& present = backwards ? step->inserted : step->removed;
    const std::string& restored = backwards ? step->removed : step->inserted;
    breakpoints_ = breakpoints_ == marksThen ? (backwards ? step->marksBefore : step->marksAfter)
                                             : moveLineMarks(breakpoints_, old, {step->offset, present, restored});
    text_.setText(text);
    applySnapshot(backwards ? step->before : step->after);
    state_.modified = !history_.atSavedPoint();
    shiftState_ = state_.hasSelection() ? ShiftState::Finished : ShiftState::Released;
    copiedFlag_ = false;
    return true;
}

// --- character input --------------------------------------------------------------

EditResult EditorController::typeChar(unsigned char c) {
    const Saved before = save();
    const bool replacingSelection = state_.hasSelection();
    if (replacingSelection) history_.breakMerge();
    const EditResult result = charInput(c, true);
    if (result == EditResult::Refused) return result;
    if (result == EditResult::LineFull) notice_ = kLineFullNotice;
    EditKind kind = EditKind::Typing;
    if (c == kEnterChar) kind = EditKind::Enter;
    else if (c == kBackspaceChar) kind = EditKind::Backspace;
    else if (c == kTabChar) kind = EditKind::Tab;
    recordEdit(before, kind);
    if (replacingSelection || kind == EditKind::Enter || kind == EditKind::Tab) history_.breakMerge();
    return result;
}

void EditorController::typeText(std::string_view text) {
    for (char c : text) typeChar(static_cast<unsigned char>(c));
}

EditResult EditorController::charInput(unsigned char c, bool repaint, bool rawTab) {
    EditResult result = EditResult::Ignored;
    if (isTypable(c) || (c == kTabChar && rawTab)) {
        if (text_.lineLength(state_.caretLine) < kMaxTypedLineLength) {
            result = insertChar(text_, state_, static_cast<char>(c), state_.caretColumn) ? EditResult::Done
                                                                                         : EditResult::Refused;
        } else {
            result = EditResult::LineFull;
        }
    } else if (c == kEnterChar) {
        result = enter();
    } else if (c == kBackspaceChar) {
        result = backspace();
    } else if (c == kTabChar) {
        result = tab();
    }
    // A refusal for capacity leaves everything as it was; any other character message,
    // accepted or dropped, marks the text modified.
    if (result == EditResult::Refused) return result;
    // A character typed over a selection can remove line ends too.
    state_.lastLine = text_.countLineEnds();
    state_.modified = true;
    ensureCaretVisible();
    if (repaint) collapseSelectionToCaret();
    return result;
}

EditResult EditorController::enter() {
    if (!insertChar(text_, state_, TextBuffer::kLineEnd, state_.caretColumn)) return EditResult::Refused;
    // The caret's next row must fit in the text area, else the view scrolls one line.
    if (state_.caretRow() + 2 > state_.visibleLines) ++state_.topLine;
    ++state_.caretLine;
    state_.caretColumn = 0;
    state_.lastLine = text_.countLineEnds();
    return EditResult::Done;
}

EditResult EditorController::backspace() {
    if (state_.hasSelection()) {
        deleteSelectionAsBackspace();
        return EditResult::Done;
    }
    if (caretOffset() == 0) return EditResult::Ignored;
    if (state_.caretColumn == 0) {
        const int previousLength = text_.lineLength(state_.caretLine - 1);
        deleteBefore(text_, state_, 0);
        state_.caretColumn = previousLength;
        --state_.caretLine;
        state_.lastLine = text_.countLineEnds();
        if (state_.caretLine < state_.topLine) {
            state_.topLine = std::max(state_.topLine - state_.visibleLines, 0);
        }
        return EditResult::Done;
    }
    deleteBefore(text_, state_, state_.caretColumn);
    return EditResult::Done;
}

void EditorController::deleteSelectionAsBackspace() {
    const int lo = state_.selectionLow();
    state_.caretLine = text_.lineOfOffset(lo);
    state_.caretColumn = lo - text_.lineStart(state_.caretLine);
    state_.topLine = pageStartOf(state_.caretLine);
    deleteBefore(text_, state_, state_.caretColumn);
    state_.lastLine = text_.countLineEnds();
}

EditResult EditorController::tab() {
    const int blanks = kTabWidth - state_.caretColumn % kTabWidth;
    if (text_.lineLength(state_.caretLine) + blanks >= kMaxTypedLineLength) return EditResult::LineFull;
    // All the blanks or none: a Tab is never cut short by the capacity.
    const Saved before = save();
    for (int i = 0; i < blanks; ++i) {
        if (!insertChar(text_, state_, ' ', state_.caretColumn)) {
            restore(before);
            return EditResult::Refused;
        }
    }
    return EditResult::Done;
}

void EditorController::collapseSelectionToCaret() { state_.selectionA = state_.selectionB = caretOffset(); }

// --- clipboard and Select All -----------------------------------------------------

void EditorController::copy() {
    if (clipboard_) {
        const int lo = state_.selectionLow();
        const int hi = std::min(state_.selectionHigh(), text_.length());
        clipboard_->setText(lo < hi ? std::string_view(text_.text()).substr(static_cast<size_t>(lo),
                                                                              static_cast<size_t>(hi - lo))
                                    : std::string_view());
    }
    copiedFlag_ = true;
    shiftState_ = ShiftState::Finished;
}

void EditorController::cut() {
    shiftState_ = ShiftState::Finished;
    if (!state_.hasSelection()) {
        if (clipboard_) clipboard_->setText({});
        return;
    }
    const int lo = state_.selectionLow();
    const int hi = std::min(state_.selectionHigh(), text_.length());
    if (clipboard_) {
        clipboard_->setText(std::string_view(text_.text()).substr(static_cast<size_t>(lo),
                                                                  static_cast<size_t>(hi - lo)));
    }
    history_.breakMerge();
    const Saved before = save();
    deleteSelectionAsBackspace();
    state_.modified = true;
    ensureCaretVisible();
    recordEdit(before, EditKind::Cut);
    history_.breakMerge();
}

EditResult EditorController::paste() {
    if (!clipboard_) return EditResult::Ignored;
    const std::optional<std::string> clip = clipboard_->text();
    if (!clip) return EditResult::Ignored;
    shiftState_ = ShiftState::Finished;
    if (state_.hasSelection() && copiedFlag_) {
        // The selection was just copied: Paste only drops it.
        collapseSelectionToCaret();
        copiedFlag_ = false;
        return EditResult::Done;
    }
    return pasteText(*clip);
}

EditResult EditorController::pasteText(std::string_view clip) {
    shiftState_ = ShiftState::Finished;
    if (clip.empty()) {
        copiedFlag_ = false;
        return EditResult::Ignored;
    }

    history_.breakMerge();
    const Saved before = save();
    state_.overwriteMode = false;
    std::string_view rest = clip;
    bool refused = false;
    int dropped = 0;
    // The first pasted character would replace the selection; it goes first here so
    // that the special handling of a final CR below applies to a plain caret.
    if (state_.hasSelection()) deleteBefore(text_, state_, state_.caretColumn);
    if (rest.back() == TextBuffer::kLineEnd) {
        // A final CR goes in first and the caret stays before it, so the text lands
        // in front of the new line break.
        const int line = state_.caretLine;
        const int column = state_.caretColumn;
        refused = !insertChar(text_, state_, TextBuffer::kLineEnd, column);
        state_.caretLine = line;
        state_.caretColumn = column;
        collapseSelectionToCaret();
        rest.remove_suffix(1);
    }
    for (size_t i = 0; i < rest.size() && !refused; ++i) {
        // A TAB in pasted text stays one character, as in a loaded file.
        const EditResult put = charInput(static_cast<unsigned char>(rest[i]), false, true);
        refused = put == EditResult::Refused;
        if (put == EditResult::LineFull) ++dropped;
    }
    if (refused) {
        restore(before);
        return EditResult::Refused;
    }
    state_.overwriteMode = before.state.overwriteMode;
    state_.lastLine = text_.countLineEnds();
    state_.modified = true;
    copiedFlag_ = false;
    ensureCaretVisible();
    collapseSelectionToCaret();
    recordEdit(before, EditKind::Paste);
    history_.breakMerge();
    if (dropped > 0) notice_ = pasteDidNotFitNotice(dropped);
    return EditResult::Done;
}

void EditorController::selectAll() {
    state_.selectionA = 0;
    state_.selectionB = text_.length();
    shiftState_ = ShiftState::Finished;
}

// --- find and replace support -----------------------------------------------------

void EditorController::goToLine(int line) {
    if (line < 0 || line > state_.lastLine) return;
    showFound(text_.lineStart(line), 0);
}

void EditorController::showFound(int start, int length) {
    history_.breakMerge();
    start = std::clamp(start, 0, text_.length());
    const int end = std::clamp(start + length, start, text_.length());
    state_.caretLine = text_.lineOfOffset(start);
    state_.caretColumn = start - text_.lineStart(state_.caretLine);
    state_.selectionA = start;
    state_.selectionB = end;
    // Whole pages forward until the line shows.
    while (state_.caretLine >= state_.topLine + state_.visibleLines) state_.topLine += state_.visibleLines;
    if (state_.caretLine < state_.topLine) state_.topLine = pageStartOf(state_.caretLine);
    shiftState_ = ShiftState::Finished;
}

EditResult EditorController::replaceSelectionByTyping(std::string_view replacement) {
    history_.breakMerge();
    const Saved before = save();
    // Overwrite mode would eat the characters after the match; it is off meanwhile.
    state_.overwriteMode = false;
    if (state_.hasSelection()) deleteSelectionAsBackspace();
    for (char c : replacement) {
        if (charInput(static_cast<unsigned char>(c), false) == EditResult::Refused) {
            restore(before);
            return EditResult::Refused;
        }
    }
    state_.overwriteMode = before.state.overwriteMode;
    state_.lastLine = text_.countLineEnds();
    state_.modified = true;
    ensureCaretVisible();
    collapseSelectionToCaret();
    recordEdit(before, EditKind::Replace);
    history_.breakMerge();
    return EditResult::Done;
}

EditResult EditorController::replaceWholeText(std::string_view newText, EditKind kind) {
    history_.breakMerge();
    const Saved before = save();
    if (!text_.setText(newText)) return EditResult::Refused;
    state_.lastLine = text_.countLineEnds();
    state_.modified = true;
    ensureCaretVisible();
    collapseSelectionToCaret();
    recordEdit(before, kind);
    history_.breakMerge();
    return EditResult::Done;
}

// --- painting and status ----------------------------------------------------------

std::vector<CharAttribute> EditorController::lineAttributes(int line) const {
    return verdin::lineAttributes(text_.lineText(line), text_.lineStart(line), state_.selectionLow(),
                                  state_.selectionHigh(), mnemonic_);
}

std::vector<AttributeRun> EditorController::lineRuns(int line) const {
    return attributeRuns(lineAttributes(line));
}

std::string EditorController::statusText() const {
    char text[64];
    std::snprintf(text, sizeof text, "Ln %d, Col %d;\tTotal: %d", state_.caretLine + 1, state_.caretColumn,
                  state_.lastLine + 1);
    return text;
}

std::string EditorController::overwriteText() const { return state_.overwriteMode ? "OVR" : ""; }

bool EditorController::canPaste() const { return clipboard_ && clipboard_->hasText(); }

}  // namespace verdin
