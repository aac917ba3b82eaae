// The editor's text and its caret/selection record.
//
// The text is one flat string of single-byte characters whose lines end in a single
// CR (13); there is no line table, so every line question is answered by scanning.
// Capacity is that of a 16384-byte NUL-terminated buffer: at most 16383
// characters. Every operation is bounds-checked: offsets and line numbers out
// of range give harmless answers (end of text, length 0, empty line)
// and an edit that would overflow is refused with the text left unchanged.
//
// Usage:
//   TextBuffer text;                       // start-up text: a single CR
//   EditorState state;
//   state.lastLine = text.countLineEnds();
//   insertChar(text, state, 'A', state.caretColumn);
#pragma once

#include <string>
#include <string_view>

namespace verdin {

class TextBuffer {
public:
    // 16384 bytes including the terminating NUL (shared with the machine's memory size).
    static constexpr int kBufferSize = 16384;
    static constexpr int kMaxLength = kBufferSize - 1;
    static constexpr char kLineEnd = '\r';

    TextBuffer();  // the start-up text: one CR

    const std::string& text() const { return text_; }
    int length() const { return static_cast<int>(text_.size()); }
    // The byte at `offset`, or 0 (the NUL) outside the text.
    char at(int offset) const;

    // Replaces the whole text; refused (false, unchanged) when longer than
    // kMaxLength or when it holds a NUL byte.
    bool setText(std::string_view text);
    // Replaces `count` bytes at `offset` by `with`. Refused (false, unchanged) when the
    // span lies outside the text, the result would exceed kMaxLength, or `with` holds a NUL.
    bool replace(int offset, int count, std::string_view with);
    // The largest number of characters that can still be added.
    int freeSpace() const { return kMaxLength - length(); }

    // Offset just past the n-th CR; the end of the text when there are fewer CRs.
    int lineStart(int line) const;
    // Number of CRs among the bytes before `offset`.
    int lineOfOffset(int offset) const;
    // Number of CRs in the whole text: the index of the last line.
    int countLineEnds() const;
    // Bytes of line n before its CR or the end of the text.
    int lineLength(int line) const;
    // Line n without its CR (a copy; never a shared buffer).
    std::string lineText(int line) const;
    // Offset of (line, column), the column limited to the line's length.
    int offsetOf(int line, int column) const;

private:
    std::string text_;
};

// Caret, selection and scroll record shared by the editor, the commands and find
// and find. Pixel positions (caretX, caretY) are not kept here: the
// view derives them from caretColumn and caretRow() with its own font.
struct EditorState {
    int caretLine = 0;
    int caretColumn = 0;
    int selectionA = 0;  // the two ends of the selection as offsets, unordered;
    int selectionB = 0;  // equal means no selection
    int lastLine = 0;    // line count minus 1
    int topLine = 0;     // first line shown
    int visibleLines = 1;
    bool overwriteMode = false;
    bool modified = false;

    bool hasSelection() const { return selectionA != selectionB; }
    int selectionLow() const { return selectionA < selectionB ? selectionA : selectionB; }
    int selectionHigh() const { return selectionA < selectionB ? selectionB : selectionA; }
    // Row of the caret inside the text area (caretY / line height).
    int caretRow() const { return caretLine - topLine; }
};

// insertChar: replaces the selection by `c`, or inserts `c` at `column` of
// the caret line (overwriting the character there in overwrite mode, except at the
// line end and except for CR, which always splits the line). Moves the caret one
// column on and collapses the selection. Returns false, changing nothing, when the
// result would exceed the capacity.
bool insertChar(TextBuffer& text, EditorState& state, char c, int column);

// deleteBefore: removes the selection, or the byte before `column` of the
// caret line (at column 0 the CR ending the previous line). The caret goes to the
// deletion point, column clamped to 0; the selection becomes empty at the caret.
// Returns false when there was nothing to delete.
bool deleteBefore(TextBuffer& text, EditorState& state, int column);

}  // namespace verdin
