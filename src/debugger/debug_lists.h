// What the debug window shows, as text: the entries of its registers, flags, stack,
// memory dump and port lists, the two scrollable views, and the "Input" dialog that
// changes an input port or a register pair. The window only copies these strings
// into its list boxes.
//
// Usage:
//   verdin::DebugViews views;                       // fresh each time the window opens
//   views.stack.scroll(verdin::ListScroll::LineUp);
//   for (auto& e : verdin::stackEntries(machine, views.stack.top)) list.add(e);
//
// Addresses and bytes are written as upper-case hexadecimal: "hex2" is a byte as two
// digits, "hex4" a 16-bit value as four, "HH LL" the same four digits split after the
// high byte. The window's lists take rows: each entry with the characters of it that
// the last Step or Run changed, which the window draws in red.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace verdin {

class Machine;
class MachineChanges;

constexpr int kDebugRows = 6;          // entries the stack and dump lists show at once
constexpr int kStackViewMax = 8186;    // last stack line: cells 16382 and 16383
constexpr int kDumpViewMax = 2042;     // last dump row: the row at 16376
constexpr int kStackScrollMax = 8192;  // scroll bar ranges, a little past the last line
constexpr int kDumpScrollMax = 2048;

// ---- List entries --------------------------------------------------------------

// Pairs (first column, length) in column order.
using ChangedSpans = std::vector<int>;
struct DebugRow {
    std::string text;
    ChangedSpans changed;
};
// The lists below as rows: a whole register or flag entry, the bytes of a stack entry
// or dump row, the value of an output port are marked when `changes` saw them change.
std::vector<DebugRow> registerRows(const Machine& m, const MachineChanges& changes);
std::vector<DebugRow> flagRows(const Machine& m, const MachineChanges& changes);
std::vector<DebugRow> stackRows(const Machine& m, const MachineChanges& changes, int top, int rows = kDebugRows);
std::vector<DebugRow> dumpRows(const Machine& m, const MachineChanges& changes, int top, int rows = kDebugRows);
std::vector<DebugRow> inputPortRows(const Machine& m);
std::vector<DebugRow> outputPortRows(const Machine& m, const MachineChanges& changes);

// " AF  00 02", " BC  ...", " DE  ...", " HL  ...", " SP  3F FE", " PC  00 00". The F
// byte is composed from the five flags, so it is always current.
std::array<std::string, 6> registerEntries(const Machine& m);
std::string registerEntry(const Machine& m, int index);
// "   CY   0", "    Z   0", "    P   0", "    S   0", "   AC   0".
std::array<std::string, 5> flagEntries(const Machine& m);
// `rows` lines from stack line `top` (clamped to 0..8186): "3FF4  00 00". A window
// made taller shows more rows; at the end of memory it shows the last `rows` lines.
std::vector<std::string> stackEntries(const Machine& m, int top, int rows = kDebugRows);
// `rows` rows from dump row `top` (clamped to 0..2042): "0000   3E 05 00 ... 00 ".
std::vector<std::string> dumpEntries(const Machine& m, int top, int rows = kDebugRows);
// The first stack line and dump row those lists show.
int stackFirstLine(int top, int rows);
int dumpFirstRow(int top, int rows);
// The dump row that shows `address` (typed into the window's address field).
int dumpRowOf(int address);
// " 0A    3F" for port i; sixteen of them. A Run sets every input port to 0, so the
// window refills the input ports after a Run as well as after an edit.
std::string inputPortEntry(const Machine& m, int port);
std::string outputPortEntry(const Machine& m, int port);
std::array<std::string, 16> inputPortEntries(const Machine& m);
std::array<std::string, 16> outputPortEntries(const Machine& m);

// The program list: one entry per stored line 0..lastLine (none when lastLine < 0),
// never past the end of the program store.
std::vector<std::string> programEntries(const Machine& m, int lastLine);

// ---- The two scrollable views ------------------------------------------------

int clampStackTop(int top);
int clampDumpTop(int top);

// Notifications of the stack and memory dump scroll bars (the editor's scroll bar has
// its own ScrollAction).
enum class ListScroll { LineUp, LineDown, PageUp, PageDown, ThumbTrack, Top, Bottom, ThumbPosition, EndScroll };

// One scroll bar with the list it moves. The bar keeps the position the user gave it;
// the list shows from the clamped line, so paging past the end still shows full rows.
struct ScrollView {
    int top;            // first line shown, always within 0..maxTop
    int barPosition;    // the scroll bar's own position, within 0..barMax
    int maxTop;
    int barMax;

    // Applies one scroll bar notification; `thumb` is the position of a thumb drag.
    // True when the view moved and its list must be refilled.
    bool scroll(ListScroll action, int thumb = 0);
};

// The state the debug window keeps while it is open; a new one each time it opens,
// showing the top of memory (where the stack lives) and the start of the dump.
struct DebugViews {
    ScrollView stack{kStackViewMax, kStackScrollMax, kStackViewMax, kStackScrollMax};
    ScrollView dump{0, 0, kDumpViewMax, kDumpScrollMax};
    bool runInProgress = false;

    // Esc and the close box end the window, except during a Run, which pumps the
    // window's messages and must not lose its window underneath.
    bool mayClose() const { return !runInProgress; }
    // During a Run only Stop works; otherwise Step and Run do.
    bool stepEnabled() const { return !runInProgress; }
    bool runEnabled() const { return !runInProgress; }
    bool stopEnabled() const { return runInProgress; }
    // The line Step executes: the selected one, or line 0 when the selection ran off
    // the end of the list (after the final line ran), never line -1.
    static int stepLine(int selected, int lineCount);
};

// ---- Zoom ---------------------------------------------------------------------------

constexpr int kMinZoomPoints = 6;
constexpr int kMaxZoomPoints = 32;
// The font size one zoom step larger (`direction` > 0) or smaller from `points`, in
// steps that stay about a tenth of the size; always within 6 to 32.
int zoomedPoints(int points, int direction);

// ---- The "Input" dialog ------------------------------------------------------

struct InputRequest {
    std::string description;  // the read-only field: "Input port #0A", "Registers BC"
    std::string value;        // the edit field, offered selected: "3F", "1234"
};

// What the dialog shows for input port `port`.
InputRequest inputPortRequest(const Machine& m, int port);
// What it shows for register-pair entry `index` (0 AF, 1 BC, 2 DE, 3 HL); nothing for
// SP and PC, which cannot be changed. AF offers only A.
std::optional<InputRequest> registerPairRequest(const Machine& m, int index);

// A typed value: 1 to `maxDigits` hexadecimal digits with blanks around them, read
// right-aligned ("5" is 0005). Nothing for anything else, an empty text included.
std::optional<std::int32_t> parseTypedHex(std::string_view typed, int maxDigits);

// Stores the value typed for input port `port` (1 or 2 digits). A value that does not
// read changes nothing: it is reported as "Invalid number" with the explanation of
// code 12, so the window can offer it again. Each value is judged on its own, and the
// machine's status is left as it was for the next Step or Run. Returns whether the
// port took the value.
bool applyInputPort(Machine& m, int port, const std::string& typed);

// Stores the value typed for register-pair entry `index`: for AF 1 or 2 digits into
// A, for BC, DE and HL 1 to 4 digits into the pair. A value that does not read is
// refused as for a port. False (nothing changed) for a refused value, SP, PC or any
// other index.
bool applyRegisterPair(Machine& m, int index, const std::string& typed);

// ---- The stack view follows SP -------------------------------------------------

// The stack line whose row shows the cell at `sp`: an odd SP sits in the row that
// starts at SP - 1.
int stackLineOf(std::int32_t sp);
bool spInMemory(std::int32_t sp);
// After a command: the view's new top when the row holding SP is not among the
// `rows` rows shown from `top`; nothing when it is shown or SP is outside memory.
std::optional<int> stackTopFollowingSp(std::int32_t sp, int top, int rows);
// Which of `count` entries shown from stack line `firstLine` holds SP; -1 for none.
int spEntryIndex(int firstLine, int count, std::int32_t sp);
// For the status line when SP points outside memory: "SP is outside memory (FFF0) ...".
std::string spOutsideMemoryText(std::int32_t sp);

}  // namespace verdin
