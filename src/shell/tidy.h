// Tidy: rewrites a program written for a trainer kit or another assembler into this
// workbench's language, changing only what has one sure meaning, and lists every
// change and everything left to do by hand. Addresses are never moved, and numbers
// are reinterpreted only when asked to (bare numbers read as hexadecimal).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace verdin {

struct TidyNote {
    int line = 0;  // counted from 1, as the editor counts
    std::string text;
};

struct TidyResult {
    std::vector<std::string> lines;
    std::vector<TidyNote> changes;
    std::vector<TidyNote> byHand;
};

// `bareNumbersAreHex`: the trainer-kit convention, in which 2050 means 2050H.
TidyResult tidyProgram(const std::vector<std::string>& lines, bool bareNumbersAreHex);

// What the assembler still says about the converted lines: the first fault with its
// hint, or nothing when they compile. `faultLine`, when given, gets the fault's line
// (from 0), or -1.
std::vector<Message> remainingFaults(const std::vector<std::string>& lines, int* faultLine = nullptr);

// "line N: text", the one-line form of a change; to-do items start "line N: by hand: ".
std::string formatChange(const TidyNote& note);
std::string formatByHand(const TidyNote& note);

// What Import shows beside the converted text: every change, then what is left to do
// by hand, then what the assembler still says (its first fault and that fault's hint),
// each row with the editor line it is about.
struct ImportNote {
    std::string text;
    int line = -1;      // counted from 0, as the editor's caret; -1 when none
    bool toDo = false;  // left for the student, as opposed to done
};
struct ImportReport {
    std::vector<std::string> lines;  // the converted program
    std::vector<ImportNote> notes;
    int changes = 0;
    int toDo = 0;
};
ImportReport importReport(const std::vector<std::string>& lines, bool bareNumbersAreHex);
// Import's reading of the file at `path`: its report, or nothing when the file cannot
// be read or its converted text would not fit the editor. The reason, and a note on
// the file's encoding, are shown on `platform`.
std::optional<ImportReport> importProgramFile(const std::string& path, bool bareNumbersAreHex, Platform& platform);
// "2 change(s) made, 1 thing(s) to do by hand. The converted program is a new untitled
// text; the file kit.asm is unchanged."
std::string importSummary(const ImportReport& report, std::string_view fileName);
// Told when the converted program would not fit the editor after all.
constexpr const char* kTooLongToImportMessage =
    "The converted program does not fit the editor: it holds at most 16383 characters.";

}  // namespace verdin
