// Breakpoints kept with the editor's text, so that they outlive the debug window and
// follow the lines they were set on through every edit.
#include <algorithm>
#include <set>

#include "shell/editor_controller.h"
#include "shell/line_marks.h"

namespace verdin {

std::vector<int> moveLineMarks(const std::vector<int>& marks, std::string_view before, const TextChange& change) {
    const auto lineEnds = [](std::string_view text) {
        return static_cast<int>(std::count(text.begin(), text.end(), TextBuffer::kLineEnd));
    };
    const auto offset = static_cast<size_t>(std::clamp(change.offset, 0, static_cast<int>(before.size())));
    const std::string_view head = before.substr(0, offset);
    const int first = lineEnds(head);
    const size_t lastEnd = head.rfind(TextBuffer::kLineEnd);
    const bool headKept = offset > (lastEnd == std::string_view::npos ? 0 : lastEnd + 1);
    const int removedEnds = lineEnds(change.removed);
    const int insertedEnds = lineEnds(change.inserted);
    const size_t after = offset + change.removed.size();
    const bool tailKept = after < before.size() && before[after] != TextBuffer::kLineEnd;
    // The touched lines first..first+removedEnds become one line, which the inserted
    // line ends split again. Its mark stays with its start: on the first new line
    // when text before the change is left on it, else with the text that followed,
    // which now begins the last new line.
    const int joined = headKept ? first : first + insertedEnds;

    std::set<int> moved;
    for (int line : marks) {
        if (line < first) {
            moved.insert(line);
        } else if (line > first + removedEnds) {
            moved.insert(line + insertedEnds - removedEnds);
        } else if (removedEnds == 0) {
            moved.insert(joined);
        } else if (line == first) {
            // A first line that lost all its text and its line end was deleted, unless
            // nothing of the last one is left either.
            if (headKept || !tailKept) moved.insert(joined);
        } else if (line == first + removedEnds) {
            if (tailKept) moved.insert(joined);
        }
        // Lines wholly inside the removed text are gone with their marks.
    }
    return {moved.begin(), moved.end()};
}

bool EditorController::hasBreakpoint(int line) const {
    return std::binary_search(breakpoints_.begin(), breakpoints_.end(), line);
}

void EditorController::setBreakpoint(int line, bool on) {
    if (line < 0 || line > state_.lastLine) return;
    const auto at = std::lower_bound(breakpoints_.begin(), breakpoints_.end(), line);
    const bool has = at != breakpoints_.end() && *at == line;
    if (on && !has) breakpoints_.insert(at, line);
    if (!on && has) breakpoints_.erase(at);
}

bool EditorController::toggleBreakpoint(int line) {
    setBreakpoint(line, !hasBreakpoint(line));
    return hasBreakpoint(line);
}

int EditorController::programLineCount() const {
    int line = 0;
    while (line <= state_.lastLine && text_.lineLength(line) > 0) ++line;
    return line;
}

}  // namespace verdin
