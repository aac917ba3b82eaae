#include "shell/text_buffer.h"

#include <algorithm>

namespace verdin {

TextBuffer::TextBuffer() : text_(1, kLineEnd) {}

char TextBuffer::at(int offset) const {
    if (offset < 0 || offset >= length()) return '\0';
    return text_[static_cast<size_t>(offset)];
}

bool TextBuffer::setText(std::string_view text) {
    if (text.size() > static_cast<size_t>(kMaxLength)) return false;
    if (text.find('\0') != std::string_view::npos) return false;
    text_.assign(text);
    return true;
}

bool TextBuffer::replace(int offset, int count, std::string_view with) {
    if (offset < 0 || count < 0 || offset > length() || count > length() - offset) return false;
    if (with.find('\0') != std::string_view::npos) return false;
    if (static_cast<long>(length()) - count + static_cast<long>(with.size()) > kMaxLength) return false;
    text_.replace(static_cast<size_t>(offset), static_cast<size_t>(count), with);
    return true;
}

int TextBuffer::lineStart(int line) const {
    if (line <= 0) return 0;
    int seen = 0;
    for (int i = 0; i < length(); ++i) {
        if (text_[static_cast<size_t>(i)] == kLineEnd && ++seen == line) return i + 1;
    }
    return length();
}

int TextBuffer::lineOfOffset(int offset) const {
    int end = std::clamp(offset, 0, length());
    return static_cast<int>(std::count(text_.begin(), text_.begin() + end, kLineEnd));
}

int TextBuffer::countLineEnds() const {
    return static_cast<int>(std::count(text_.begin(), text_.end(), kLineEnd));
}

int TextBuffer::lineLength(int line) const {
    int start = lineStart(line);
    int end = start;
    while (end < length() && text_[static_cast<size_t>(end)] != kLineEnd) ++end;
    return end - start;
}

std::string TextBuffer::lineText(int line) const {
    return text_.substr(static_cast<size_t>(lineStart(line)), static_cast<size_t>(lineLength(line)));
}

int TextBuffer::offsetOf(int line, int column) const {
    return lineStart(line) + std::clamp(column, 0, lineLength(line));
}

bool insertChar(TextBuffer& text, EditorState& state, char c, int column) {
    // Overwrite replaces one character, but never a line end's worth of text at the
    // end of a line, and a typed CR always splits the line instead of eating a character.
    const bool overwrite = state.overwriteMode && c != TextBuffer::kLineEnd;
    int from = 0;      // first byte replaced
    int removed = 0;   // bytes replaced by c
    if (state.hasSelection()) {
        const int lo = state.selectionLow();
        const int hi = state.selectionHigh();
        const int line = text.lineOfOffset(lo);
        from = lo;
        removed = hi - lo;
        // In overwrite mode one more character goes, the one under
        // the caret at the selection's end.
        if (overwrite && column < text.lineLength(line) && hi < text.length()) ++removed;
        if (!text.replace(from, removed, std::string_view(&c, 1))) return false;
        state.caretLine = line;
        state.caretColumn = lo - text.lineStart(line) + 1;
    } else {
        const int lineStart = text.lineStart(state.caretLine);
        from = lineStart + std::clamp(column, 0, text.lineLength(state.caretLine));
        if (overwrite && column < text.lineLength(state.caretLine)) removed = 1;
        if (!text.replace(from, removed, std::string_view(&c, 1))) return false;
        state.caretColumn = from - lineStart + 1;
    }
    state.selectionB = state.selectionA;
    return true;
}

bool deleteBefore(TextBuffer& text, EditorState& state, int column) {
    if (state.hasSelection()) {
        const int lo = state.selectionLow();
        const int hi = std::min(state.selectionHigh(), text.length());
        if (lo >= hi || !text.replace(lo, hi - lo, {})) {
            state.selectionA = state.selectionB = text.offsetOf(state.caretLine, state.caretColumn);
            return false;
        }
        state.caretLine = text.lineOfOffset(lo);
        state.caretColumn = lo - text.lineStart(state.caretLine);
    } else {
        if (column < 0 || column > text.lineLength(state.caretLine) + 1) return false;
        const int p = text.lineStart(state.caretLine) + column;
        if (p < 1 || p > text.length()) return false;
        text.replace(p - 1, 1, {});
        state.caretColumn = std::max(column - 1, 0);
    }
    state.selectionA = state.selectionB = text.lineStart(state.caretLine) + state.caretColumn;
    return true;
}

}  // namespace verdin
