// Where the editor shows the line a compile stopped at.
#include <algorithm>

#include "shell/editor_controller.h"

namespace verdin {

void EditorController::showCompileFault(int line, bool page) {
    history_.breakMerge();
    state_.caretLine = std::clamp(line - 1, 0, state_.lastLine);
    state_.caretColumn = 0;
    if (page) {
        while (state_.caretLine >= state_.topLine + state_.visibleLines) state_.topLine += state_.visibleLines;
        // A fault above the shown page: the page that holds it.
        if (state_.caretLine < state_.topLine) state_.topLine = pageStartOf(state_.caretLine);
        collapseSelectionToCaret();
        shiftState_ = ShiftState::Released;
    }
    faultLine_ = state_.caretLine;
    faultText_ = text_.text();
}

int EditorController::faultLine() const { return faultLine_ >= 0 && faultText_ == text_.text() ? faultLine_ : -1; }

void EditorController::clearFault() {
    faultLine_ = -1;
    faultText_.clear();
}

}  // namespace verdin
