// Diagnostics: the messages of the assembler, the runs, the RST services and the
// loading and saving of files, each a value {code, line, subject}, and the one
// table that gives each code its text, its explanation, its hint rule, its name in
// the debugger's status line and the help section that explains it. Nothing finds
// a hint or a help page by reading a message's text: they all follow the code.
//
// Usage:
//   Diagnostic d{InvalidOperand, 3, {}};
//   messageText(d);   // "Invalid operand at string 3"
//   boxText(d);       // the same with ". Here are the most likely causes ..."
//   helpPageOf(d.code);  // "errors#invalid-operand"
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace verdin {

// The codes. Up to Breakpoint they are the faults a line, a compile or a run ends
// with (the machine keeps them in `status`); the codes after it name messages that
// end nothing by themselves.
enum Status : std::int32_t {
    Ok = 0,
    InvalidCommand = 1,
    InvalidOperand = 2,
    InvalidRegister = 3,
    DuplicateLabel = 4,
    LabelNotDefined = 5,
    OutOfMemory = 6,
    InvalidPort = 7,
    RetWithoutCall = 8,
    InvalidNumber = 9,
    ResultOutOfRange = 10,
    Interrupted = 11,
    IllegalCharacters = 12,
    // Limits of the tables that must end in a clear message instead of overwriting
    // entries: their messages carry the whole explanation.
    TooManyLabels = 13,
    TooManyReferences = 14,
    LineTooLong = 15,
    // PCHL to an address at which no program line starts.
    NoLineAtAddress = 16,
    // A text with more lines than the program store holds.
    TooManyLines = 17,
    // A run stopped before a line the debugger asked it to stop at; no message.
    Breakpoint = 18,
    // Messages of a compile that is no fault of a line.
    CompileSuccessful = 19,
    NoProgram = 20,
    // The RST services' host file and table messages.
    FileAlreadyOpened = 21,
    FileNotFound = 22,
    FileNotOpened = 23,
    WriteFailed = 24,
    ReadFailed = 25,
    DatabaseStructure = 26,
    NotADbfFile = 27,
    DatabaseNotOpened = 28,
    FieldNotFound = 29,
    // The files of the editor and the translator.
    CantSaveFile = 30,
    FileDoesNotExist = 31,
    CantOpenFile = 32,
    CantReadFile = 33,
    FileHoldsNul = 34,
    FileLineTooLong = 35,
    FileTooLarge = 36,
    FileTooLargeToRead = 37,
    FragmentNotFound = 38,
    FileWasChanged = 39,
    // The "Input value" box of RST 7 has no answer yet (Platform::inputReady): the Step
    // or Run ends on the RST line, which runs again once the answer is in; no message.
    WaitingForInput = 40,
};

// What the machine adds to a message, beyond the table's sentences: the hint rules
// of machine/hints.cpp, chosen by the code.
enum class HintRule {
    None,
    ProgramEnd,      // lines after the program's end that were not compiled
    UndefinedLabel,  // where the missing label is, or why the name is no label
    Command,         // what in the line is no instruction
    Operand,         // how the operand is written here
    Register,        // the registers the instruction accepts
    Memory,          // what went past the end of memory
    Interrupt,       // HLT, Stop or the line limit
};

// A message: which one, the line it names (as shown; -1 for none) and the name,
// address or file it quotes, with a second quoted value for the few that need one.
struct Diagnostic {
    std::int32_t code = Ok;
    std::int32_t line = -1;
    std::string subject = {};
    std::string detail = {};
};

// One row of the table. In `text`, "{subject}" and "{detail}" stand for those,
// "{line}" for the line's number and "{at}" for " at string N" (nothing when the
// message names no line).
struct DiagnosticRow {
    std::int32_t code;
    MessageKind kind;
    // The fault as the debugger's status line names it ("Label not defined").
    std::string_view name;
    std::string_view text;
    // Appended to the text in the message box: a sentence starting ". ".
    std::string_view explanation;
    HintRule hint;
    // The section of the errors page, "" for none.
    std::string_view help;
};

// Every row, in the order of the codes; Ok and Breakpoint have none.
std::span<const DiagnosticRow> diagnosticTable();
// The row of `code`, or nullptr for a code that shows no message.
const DiagnosticRow* findDiagnostic(std::int32_t code);

// The message's text as the status line and the hints quote it, without the
// explanation.
std::string messageText(const Diagnostic& diagnostic);
// The text of the message box: the text and its explanation.
std::string boxText(const Diagnostic& diagnostic);
// "Invalid command", "Label not defined", ...; "Fault" for a code without a name.
std::string_view faultName(std::int32_t code);
// The help page and section that explain `code` ("errors#invalid-operand"), or "".
std::string helpPageOf(std::int32_t code);
// The message box of a diagnostic, with its hint and its help page.
Message messageOf(const Diagnostic& diagnostic, std::string hint);

// The code whose message `typed` is, as a person copies it from a box (any case, a
// line number or name filled in, perhaps cut short or with its explanation); Ok
// when it is no message of the table. For looking up a typed topic only: the
// workbench itself always knows a message's code.
std::int32_t codeOfTypedMessage(std::string_view typed);

}  // namespace verdin
