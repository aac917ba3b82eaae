// The editor without a display: its input handling and its edit commands.
//
// EditorController owns the text (TextBuffer) and turns the view's inputs, given as
// plain calls, into edits of the text and changes of the caret, selection and scroll
// record: characters (typeChar), keys (keyDown/keyUp, or press for a whole chord),
// the mouse given as text line and column, the scroll bar, the clipboard commands,
// Select All, and undo/redo. A Qt view only measures text, forwards events and
// paints lineRuns(); it never changes the state itself.
//
// Positions: the view converts a pointer's y into a line as topLine + y / lineHeight
// (a pointer above the text area gives a line above topLine) and its x into a column
// on that line; the controller limits both. Pixel positions are the view's business:
// caretX is the width of the first caretColumn characters of the caret line, caretY
// is caretRow() x line height.
//
// Usage:
//   MemoryClipboard clipboard;
//   EditorController editor(&clipboard);
//   editor.setVisibleLines(25);
//   editor.typeText("mov a,b");
//   editor.press(EditorKey::Home, /*shift=*/false);
//   editor.press(EditorKey::End, /*shift=*/true);   // selects the line
//   editor.cut();
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/clipboard.h"
#include "shell/editor_syntax.h"
#include "shell/text_buffer.h"
#include "shell/undo_history.h"

namespace verdin {

enum class EditorKey { Shift, Control, Insert, Left, Right, Up, Down, Home, End, PageUp, PageDown, Delete };

// Vertical scroll bar notifications.
enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

// What became of an input.
enum class EditResult {
    Done,     // carried out (the text may or may not have changed)
    Ignored,  // nothing to do, or dropped by the rules (character set, 80 columns)
    Refused,  // it would have made the text exceed its capacity; nothing changed
    LineFull, // a printable character or Tab that the 80-column line has no room for
};

// Shown in the status bar when typing or pasting ran into the 80-column limit.
inline constexpr std::string_view kLineFullNotice = "Line full: a typed line holds at most 80 characters";
// "Paste: N characters did not fit".
std::string pasteDidNotFitNotice(int count);

// The control characters typeChar takes besides the printable ones.
constexpr unsigned char kEnterChar = 13;
constexpr unsigned char kBackspaceChar = 8;
constexpr unsigned char kTabChar = 9;

// What the Shift key means for the next key or mouse move. The numbers are what a
// key script's "shift" field shows.
enum class ShiftState : int {
    Released = 0,  // no Shift: a caret move drops the selection
    Held = 1,      // Shift held: a caret move extends the selection
    Finished = 2,  // a selection was just finished or a command ran: the next arrow
                   // key drops it before it moves
};

class EditorController {
public:
    static constexpr int kMaxTypedLineLength = 80;  // longest line typing makes
    static constexpr int kTabWidth = 8;

    // `clipboard` may be null: Copy then hands nothing over and Paste does nothing.
    explicit EditorController(Clipboard* clipboard = nullptr,
                              MnemonicPredicate mnemonic = isMnemonic);

    const TextBuffer& buffer() const { return text_; }
    const std::string& text() const { return text_.text(); }
    const EditorState& state() const { return state_; }
    ShiftState shiftState() const { return shiftState_; }
    bool ctrlDown() const { return ctrlDown_; }
    bool copiedFlag() const { return copiedFlag_; }
    int caretOffset() const;

    // --- the view -----------------------------------------------------------------
    // Number of whole lines that fit in the text area (at least 1 is assumed).
    void setVisibleLines(int lines);

    // --- the document: New, Open and Save of the main window -----------------------
    // New: the empty text, everything at 0, not modified, no undo history.
    void newText();
    // A loaded text: caret and scroll at the start, not modified, no undo history.
    // Refused (false, nothing changed) when longer than the capacity.
    bool loadText(std::string_view text);
    // The same for a file's or an example's lines, joined by the editor's line end.
    bool loadLines(const std::vector<std::string>& lines);
    // The text was saved: clears `modified`; undoing back to here clears it again.
    void markSaved();
    // The text shown is not on disk (an imported program): it counts as modified, and
    // no undo brings it back to an unmodified state.
    void markModified();

    // --- input ---------------------------------------------------------------------
    // One character from the keyboard: printable characters, kEnterChar,
    // kBackspaceChar and kTabChar.
    EditResult typeChar(unsigned char c);
    // Every character of `text` through typeChar, in order.
    void typeText(std::string_view text);
    void keyDown(EditorKey key);
    void keyUp(EditorKey key);
    // keyDown/keyUp of the modifiers around one key.
    void press(EditorKey key, bool shift = false, bool ctrl = false);

    void mouseDown(int line, int column);
    // Double click: the word holding (line, column), which endsWord() delimits; the
    // caret goes to its end. On a delimiter only the caret moves.
    void selectWord(int line, int column);
    // Triple click: the whole line with its line end; the caret goes past it.
    void selectLine(int line);
    // Right button: the help context of the mnemonic under (line, column), after
    // moving the caret there; -1 when it is no mnemonic, and then a click inside the
    // selection keeps it while one elsewhere moves the caret (the view opens its menu).
    int rightClick(int line, int column);
    void mouseMove(int line, int column, bool buttonHeld);
    void mouseUp();
    // While a drag selection is past the top or bottom edge the view runs a 100 ms
    // timer (timer 1) and calls autoScrollTick on each tick.
    bool autoScrollActive() const { return autoScrollActive_; }
    int autoScrollDirection() const { return autoScrollDirection_; }
    void autoScrollTick();

    // The vertical scroll bar exists while the text has more lines than fit.
    bool scrollBarVisible() const;
    int scrollMaximum() const;  // range 0 ... scrollMaximum()
    void scroll(ScrollAction action, int thumbPosition = 0);

    // --- commands ------------------------------------------------------------------
    void copy();
    void cut();
    EditResult paste();
    // `text` put in at the caret through the same filters as Paste (the middle
    // button's primary selection); the copied-selection rule of Paste does not apply.
    EditResult pasteText(std::string_view text);
    void selectAll();
    bool undo();
    bool redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }

    // --- used by find and replace ---------------------------------------------------
    // The commands that open a dialog first release Ctrl.
    void releaseCtrl() { ctrlDown_ = false; }
    // Selects [start, start + length) with the caret at its start, scrolling by whole
    // pages until the caret line shows; the Shift state becomes Finished.
    void showFound(int start, int length);
    // The caret to the start of `line` (from 0), shown as a found place is; a line past
    // the text is ignored. For a row of the Import report, which names a line.
    void goToLine(int line);
    // Replace "Ok": deletes the selection as Backspace does and types `replacement`
    // through character input. Refused as a whole when the text would overflow.
    EditResult replaceSelectionByTyping(std::string_view replacement);
    // Replace All: the whole text becomes `newText` as one undoable step; the caret
    // keeps its line and column as far as they still exist.
    EditResult replaceWholeText(std::string_view newText, EditKind kind);

    // --- compile faults (compile_fault.cpp) -------------------------------------------
    // The hand-off found a fault on `line` (counted from 1): the caret goes to column 0
    // of that line, which the margin marks. With `page` (Compile, Debug) topLine moves
    // by whole pages until the line shows and the selection collapses to the caret;
    // Translate passes false and leaves both.
    void showCompileFault(int line, bool page);
    // The marked line (from 0), or -1: the mark holds only while the text is the one
    // that failed, so any edit clears it.
    int faultLine() const;
    void clearFault();

    // --- breakpoints (editor_breakpoints.cpp) ------------------------------------------
    // Lines (from 0) with a breakpoint, ascending. They move with the text as it is
    // edited, undone and redone; New and loading a text clear them.
    const std::vector<int>& breakpoints() const { return breakpoints_; }
    bool hasBreakpoint(int line) const;
    void setBreakpoint(int line, bool on);
    // Returns whether the line has a breakpoint now.
    bool toggleBreakpoint(int line);
    // Lines before the first empty line: the program Debug hands over. A breakpoint
    // further down is kept and drawn but never stops a run.
    int programLineCount() const;

    // What the last inputs ran into (the line limit), for the status bar; empties it.
    std::string takeNotice();

    // --- painting and status -------------------------------------------------------
    std::vector<CharAttribute> lineAttributes(int line) const;
    std::vector<AttributeRun> lineRuns(int line) const;
    // Status bar part 0: "Ln %d, Col %d;\tTotal: %d".
    std::string statusText() const;
    // Status bar part 1: "OVR" in overwrite mode, else empty.
    std::string overwriteText() const;
    bool canCopy() const { return state_.hasSelection(); }
    bool canPaste() const;

private:
    struct Saved {
        std::string text;
        EditorState state;
        ShiftState shiftState;
        bool copiedFlag;
    };
    Saved save() const;
    void restore(const Saved& saved);
    void recordEdit(const Saved& before, EditKind kind);
    EditorSnapshot snapshot() const;
    void applySnapshot(const EditorSnapshot& snap);
    // Undo (`backwards`) or redo of the newest step of the history.
    bool replayStep(bool backwards);

    // `rawTab`: a TAB is kept as one character (pasted text) instead of blanks.
    EditResult charInput(unsigned char c, bool repaint, bool rawTab = false);
    EditResult enter();
    EditResult backspace();
    EditResult tab();
    void deleteKey();
    void deleteSelectionAsBackspace();
    void moveKey(EditorKey key);
    void collapseSelectionToCaret();
    void placeCaretFromMouse(int line, int column);
    void ensureCaretVisible();
    int pageStartOf(int line) const;

    TextBuffer text_;
    EditorState state_;
    UndoHistory history_;
    Clipboard* clipboard_;
    MnemonicPredicate mnemonic_;
    ShiftState shiftState_ = ShiftState::Released;
    bool ctrlDown_ = false;
    bool copiedFlag_ = false;
    bool autoScrollActive_ = false;
    int autoScrollDirection_ = 0;
    int faultLine_ = -1;
    std::string faultText_;
    std::vector<int> breakpoints_;
    std::string notice_;
};

}  // namespace verdin
