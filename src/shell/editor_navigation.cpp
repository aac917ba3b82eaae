// Caret movement, selection by keys and mouse, and scrolling of the editor.
#include "shell/editor_controller.h"

#include <algorithm>
#include <string>

#include "shell/context_help.h"

namespace verdin {

// --- keys -------------------------------------------------------------------------

void EditorController::keyDown(EditorKey key) {
    switch (key) {
        case EditorKey::Shift:
            shiftState_ = ShiftState::Held;
            return;
        case EditorKey::Control:
            ctrlDown_ = true;
            break;
        case EditorKey::Insert:
            state_.overwriteMode = !state_.overwriteMode;
            break;
        case EditorKey::Delete:
            // Shift+Delete cuts a selection, as on every other desktop editor.
            if (shiftState_ == ShiftState::Held && state_.hasSelection()) {
                cut();
                shiftState_ = ShiftState::Held;
            } else {
                deleteKey();
            }
            break;
        default:
            moveKey(key);
            break;
    }
    if (shiftState_ == ShiftState::Finished) shiftState_ = ShiftState::Released;
}

void EditorController::keyUp(EditorKey key) {
    if (key == EditorKey::Shift) shiftState_ = ShiftState::Finished;
    if (key == EditorKey::Control) ctrlDown_ = false;
}

void EditorController::press(EditorKey key, bool shift, bool ctrl) {
    if (shift) keyDown(EditorKey::Shift);
    if (ctrl) keyDown(EditorKey::Control);
    keyDown(key);
    if (ctrl) keyUp(EditorKey::Control);
    if (shift) keyUp(EditorKey::Shift);
}

int EditorController::pageStartOf(int line) const { return line - line % state_.visibleLines; }

void EditorController::moveKey(EditorKey key) {
    history_.breakMerge();
    copiedFlag_ = false;
    // A selection just finished (Shift or mouse released) is dropped by the next
    // arrow key before it moves.
    if (shiftState_ == ShiftState::Finished && (key == EditorKey::Left || key == EditorKey::Right ||
                                                key == EditorKey::Up || key == EditorKey::Down)) {
        collapseSelectionToCaret();
        shiftState_ = ShiftState::Released;
    }

    EditorState& s = state_;
    const int visible = s.visibleLines;
    const std::string line = text_.lineText(s.caretLine);
    const int length = static_cast<int>(line.size());
    const int oldHigh = s.selectionHigh();
    switch (key) {
        case EditorKey::Left:
            if (s.caretColumn > 0) {
                --s.caretColumn;
                // Ctrl: on to just after the previous blank, the start of the word.
                while (ctrlDown_ && s.caretColumn > 0 && !isBlankChar(line[static_cast<size_t>(s.caretColumn - 1)])) {
                    --s.caretColumn;
                }
            }
            break;
        case EditorKey::Right:
            if (s.caretColumn < length) {
                ++s.caretColumn;
                // Ctrl: on to the next blank and one past it, not beyond the line end.
                if (ctrlDown_) {
                    while (s.caretColumn < length && !isBlankChar(line[static_cast<size_t>(s.caretColumn)])) ++s.caretColumn;
                    if (s.caretColumn < length) ++s.caretColumn;
                }
            }
            break;
        case EditorKey::Up:
            if (s.caretLine > 0) {
                if (s.caretLine == s.topLine) --s.topLine;
                --s.caretLine;
            }
            break;
        case EditorKey::Down:
            if (s.caretLine < s.lastLine) {
                if (s.caretLine == s.topLine + visible - 1) ++s.topLine;
                ++s.caretLine;
            }
            break;
        case EditorKey::Home:
            if (ctrlDown_) s.caretLine = 0;
            s.caretColumn = 0;
            break;
        case EditorKey::End:
            if (ctrlDown_) {
                s.caretLine = s.lastLine;
                s.caretColumn = text_.lineLength(s.lastLine);
            } else {
                s.caretColumn = length;
            }
            break;
        case EditorKey::PageUp:
            if (ctrlDown_) {
                s.caretLine = s.caretColumn = s.topLine = 0;
            } else if (s.caretLine > 0) {
                s.caretLine = std::max(s.caretLine - visible, 0);
                s.topLine = std::max(s.topLine - visible, 0);
            }
            break;
        case EditorKey::PageDown:
            if (s.caretLine < s.lastLine) {
                int newLine = s.caretLine + visible;
                int newTop = s.topLine + visible - 1;
                if (ctrlDown_) {
                    newLine = s.lastLine + 1;
                    newTop = s.lastLine + visible;
                }
                newLine = std::min({newLine, s.lastLine, newTop});
                if (newTop >= s.lastLine) newTop = s.lastLine - visible + 1;
                s.caretLine = newLine;
                s.topLine = std::max(newTop, 0);
            }
            break;
        default:
            break;
    }
    // No goal column: the column is limited to the new line's length.
    s.caretColumn = std::min(s.caretColumn, text_.lineLength(s.caretLine));
    ensureCaretVisible();

    const int offset = caretOffset();
    if (shiftState_ != ShiftState::Held) {
        s.selectionA = s.selectionB = offset;
    } else if (key == EditorKey::PageUp) {
        s.selectionA = offset;  // Shift+Page Up moves the other end
    } else {
        s.selectionB = offset;
        // Shift+Up past the anchor: the anchor becomes the former larger end.
        if (key == EditorKey::Up && s.selectionB < s.selectionA) s.selectionA = oldHigh;
    }
}

void EditorController::deleteKey() {
    copiedFlag_ = false;
    const bool selection = state_.hasSelection();
    if (selection) history_.breakMerge();
    const Saved before = save();
    if (selection) {
        deleteSelectionAsBackspace();
    } else if (caretOffset() < text_.length()) {
        // The character under the caret; at a line end its CR, joining the next line.
        deleteBefore(text_, state_, state_.caretColumn + 1);
        state_.lastLine = text_.countLineEnds();
    }
    state_.modified = true;
    ensureCaretVisible();
    collapseSelectionToCaret();
    recordEdit(before, EditKind::Delete);
    if (selection) history_.breakMerge();
}

// --- mouse ------------------------------------------------------------------------

void EditorController::placeCaretFromMouse(int line, int column) {
    state_.caretLine = std::clamp(line, 0, state_.lastLine);
    state_.caretColumn = std::clamp(column, 0, text_.lineLength(state_.caretLine));
}

void EditorController::mouseDown(int line, int column) {
    history_.breakMerge();
    int row = std::min(line - state_.topLine, state_.visibleLines - 1);
    row = std::max(row, 0);
    placeCaretFromMouse(state_.topLine + row, column);
    collapseSelectionToCaret();
}

void EditorController::selectWord(int line, int column) {
    mouseDown(line, column);
    const auto [start, end] = wordSpanAt(text_.lineText(state_.caretLine), state_.caretColumn);
    if (start == end) return;
    const int lineStart = text_.lineStart(state_.caretLine);
    state_.selectionA = lineStart + start;
    state_.selectionB = lineStart + end;
    state_.caretColumn = end;
    shiftState_ = ShiftState::Finished;
}

void EditorController::selectLine(int line) {
    mouseDown(line, 0);
    state_.selectionA = text_.lineStart(state_.caretLine);
    if (state_.caretLine < state_.lastLine) {
        ++state_.caretLine;
        state_.caretColumn = 0;
    } else {
        state_.caretColumn = text_.lineLength(state_.caretLine);
    }
    state_.selectionB = caretOffset();
    ensureCaretVisible();
    shiftState_ = state_.hasSelection() ? ShiftState::Finished : ShiftState::Released;
}

int EditorController::rightClick(int line, int column) {
    const int clicked = std::clamp(line, 0, state_.lastLine);
    const int context = mnemonicHelpContext(text_.lineText(clicked), column);
    const int offset = text_.offsetOf(clicked, column);
    if (context < 0 && state_.hasSelection() && offset >= state_.selectionLow() && offset < state_.selectionHigh()) {
        return -1;
    }
    mouseDown(line, column);
    mouseUp();
    if (context >= 0) shiftState_ = ShiftState::Finished;
    return context;
}

void EditorController::mouseMove(int line, int column, bool buttonHeld) {
    if (!buttonHeld) {
        autoScrollActive_ = false;
        return;
    }
    if (shiftState_ == ShiftState::Finished) {
        shiftState_ = ShiftState::Released;
        return;
    }
    int row = line - state_.topLine;
    const int lastRow = state_.visibleLines - 1;
    if (row > lastRow) {
        row = lastRow;
        if (state_.topLine + state_.visibleLines - 1 < state_.lastLine) ++state_.topLine;
        autoScrollDirection_ = 1;
        autoScrollActive_ = true;
    } else if (row <= 0 && state_.topLine > 0) {
        row = 0;
        --state_.topLine;
        autoScrollDirection_ = -1;
        autoScrollActive_ = true;
    }
    row = std::max(row, 0);
    placeCaretFromMouse(state_.topLine + row, column);
    state_.selectionB = caretOffset();
}

void EditorController::autoScrollTick() {
    if (!autoScrollActive_) return;
    const int line = autoScrollDirection_ > 0 ? state_.topLine + state_.visibleLines + 1 : state_.topLine;
    mouseMove(line, state_.caretColumn, true);
}

void EditorController::mouseUp() {
    // The auto-scroll timer stops with the button in either case.
    autoScrollActive_ = false;
    autoScrollDirection_ = 0;
    shiftState_ = state_.hasSelection() ? ShiftState::Finished : ShiftState::Released;
}

// --- scroll bar -------------------------------------------------------------------

bool EditorController::scrollBarVisible() const { return state_.lastLine > state_.visibleLines; }

int EditorController::scrollMaximum() const {
    return std::max(state_.lastLine - state_.visibleLines + 1, 0);
}

void EditorController::scroll(ScrollAction action, int thumbPosition) {
    int position = state_.topLine;
    switch (action) {
        case ScrollAction::LineUp: --position; break;
        case ScrollAction::LineDown: ++position; break;
        case ScrollAction::PageUp: position -= state_.visibleLines; break;
        case ScrollAction::PageDown: position += state_.visibleLines; break;
        case ScrollAction::Thumb: position = thumbPosition; break;
        case ScrollAction::Top: position = 0; break;
        case ScrollAction::Bottom: position = 8192; break;
    }
    position = std::clamp(position, 0, scrollMaximum());
    // The caret goes along with the view, to its top line.
    state_.topLine = position;
    const int oldLine = state_.caretLine, oldColumn = state_.caretColumn;
    state_.caretLine = std::min(position, state_.lastLine);
    state_.caretColumn = std::min(state_.caretColumn, text_.lineLength(state_.caretLine));
    // Typing after the caret was carried elsewhere is a new edit, as after an arrow key.
    if (state_.caretLine != oldLine || state_.caretColumn != oldColumn) history_.breakMerge();
}

// --- scrolling --------------------------------------------------------------------

void EditorController::ensureCaretVisible() {
    state_.lastLine = std::max(state_.lastLine, 0);
    state_.caretLine = std::clamp(state_.caretLine, 0, state_.lastLine);
    state_.caretColumn = std::clamp(state_.caretColumn, 0, text_.lineLength(state_.caretLine));
    if (state_.caretLine < state_.topLine) state_.topLine = state_.caretLine;
    if (state_.caretLine >= state_.topLine + state_.visibleLines) {
        state_.topLine = state_.caretLine - state_.visibleLines + 1;
    }
    state_.topLine = std::max(state_.topLine, 0);
}

}  // namespace verdin
