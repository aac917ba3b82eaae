#include "diagnostics/diagnostics.h"

#include <cctype>

namespace verdin {

namespace {

constexpr MessageKind E = MessageKind::Error;
constexpr MessageKind I = MessageKind::Information;

// Rows without a name leave the status line to say "Fault"; the sections are those of
// resources/help/pages/errors.md.
constexpr DiagnosticRow kTable[] = {
    {InvalidCommand, E, "Invalid command", "Invalid command{at}", ". CPU command was typed with an error.",
     HintRule::Command, "invalid-command"},
    {InvalidOperand, E, "Invalid operand", "Invalid operand{at}",
     ". Here are the most likely causes of this error message: 1) Invalid symbol in operand description; "
     "2) The value of operand is out of range.",
     HintRule::Operand, "invalid-operand"},
    {InvalidRegister, E, "Invalid register", "Invalid register{at}",
     ". Invalid symbol in registers name or this register can not be used in this command. The valid names of "
     "registers are: a,b,c,d,e,h,l,m or A,B,C,D,E,H,L,M",
     HintRule::Register, "invalid-register"},
    {DuplicateLabel, E, "Duplicate label", "Duplicate label <{subject}>",
     ". The label with this name declared withing the program more than one time.", HintRule::None,
     "duplicate-label"},
    {LabelNotDefined, E, "Label not defined", "Label <{subject}> was not defined",
     ". The label with this name was not declared at the labels field or its name is more than 6 characters.",
     HintRule::UndefinedLabel, "label-not-defined"},
    {OutOfMemory, E, "Out of memory", "Out of memory{at}",
     ". The maximum size of memory, available for using is 16384 bytes", HintRule::Memory, "out-of-memory"},
    {InvalidPort, E, "Invalid port address", "Invalid port address{at}",
     ". Ports address should be in the range: 0 - 15 (0 - 0Fh)", HintRule::None, "invalid-port-address"},
    {RetWithoutCall, E, "Ret without Call", "Ret without Call{at}", ". The stack of return addresses is empty",
     HintRule::None, "ret-without-call"},
    {InvalidNumber, E, "Invalid number", "Invalid number{at}",
     ". The number is out of range: -9.9999E+79 - +9.9999E+79", HintRule::None, "invalid-number"},
    {ResultOutOfRange, E, "The result of operation is out of range", "The result of operation is out of range{at}",
     ". The result of operation is out of range: -9.9999E+79 - +9.9999E+79", HintRule::None,
     "the-result-of-operation-is-out-of-range"},
    {Interrupted, I, "", "Program interrupted by user", "", HintRule::Interrupt, "program-interrupted-by-user"},
    // A value typed into the debug window's lists.
    {IllegalCharacters, E, "Illegal characters", "Invalid number",
     ". String you have been typed has illegal character(s).", HintRule::None, "invalid-number"},
    {TooManyLabels, E, "", "Too many labels{at}. A program can declare at most 50 labels.", "", HintRule::None,
     "too-many-labels"},
    {TooManyReferences, E, "", "Too many label references{at}. A program can use labels as operands at most 50 times.",
     "", HintRule::None, "too-many-label-references"},
    {LineTooLong, E, "", "Line too long{at}. A line can hold at most 255 characters.", "", HintRule::None,
     "line-too-long"},
    {NoLineAtAddress, E, "No program line at the address jumped to", "No program line at address {subject}{at}", "",
     HintRule::None, "no-program-line-at-address"},
    {TooManyLines, E, "", "Too many lines{at}. A program can hold at most 250 lines.", "", HintRule::None,
     "too-many-lines"},
    {CompileSuccessful, I, "", "Compile successful {subject} byte(s)", "", HintRule::ProgramEnd,
     "compile-successful"},
    {NoProgram, E, "", "There is no program!!!", "", HintRule::ProgramEnd, "there-is-no-program"},
    {FileAlreadyOpened, E, "", "File already opened.", "", HintRule::None, "file-already-opened"},
    {FileNotFound, E, "", "File was not found.", "", HintRule::None, "file-was-not-found"},
    {FileNotOpened, E, "", "File is not opened.", "", HintRule::None, "file-is-not-opened"},
    {WriteFailed, E, "", "Write failed.", "", HintRule::None, "write-failed"},
    {ReadFailed, E, "", "Read failed.", "", HintRule::None, "read-failed"},
    {DatabaseStructure, E, "", "Error in database structure.", "", HintRule::None, "error-in-database-structure"},
    {NotADbfFile, E, "", "File doesn't exist or is not a valid dbf file.", "", HintRule::None,
     "file-doesn-t-exist-or-is-not-a-valid-dbf-file"},
    {DatabaseNotOpened, E, "", "Database is not opened.", "", HintRule::None, "database-is-not-opened"},
    {FieldNotFound, E, "", "Field was not found.", "", HintRule::None, "field-was-not-found"},
    {CantSaveFile, E, "", "Can't save the file.", "", HintRule::None, "can-t-save-the-file"},
    {FileDoesNotExist, E, "", "File doesn't exist.", "", HintRule::None, "file-doesn-t-exist"},
    {CantOpenFile, E, "", "Can't open the file {subject}: {detail}.", "", HintRule::None, "can-t-open-or-read-a-file"},
    {CantReadFile, E, "", "Can't read the file {subject}: {detail}.", "", HintRule::None, "can-t-open-or-read-a-file"},
    {FileHoldsNul, E, "",
     "Line {line} of {subject} holds a NUL character, so it is not a text file. The file was not opened.", "",
     HintRule::None, "a-file-the-editor-cannot-open"},
    {FileLineTooLong, E, "",
     "Line {line} of {subject} has {detail} characters; the editor takes lines of at most 255. The file was not "
     "opened.",
     "", HintRule::None, "a-file-the-editor-cannot-open"},
    {FileTooLarge, E, "",
     "The file {subject} is too large for the editor: it needs {detail} characters (a line end counts as one), and "
     "the editor holds 16383. The file was not opened.",
     "", HintRule::None, "a-file-the-editor-cannot-open"},
    {FileTooLargeToRead, E, "",
     "The file {subject} is too large for the editor, which holds 16383 characters. The file was not opened.", "",
     HintRule::None, "a-file-the-editor-cannot-open"},
    {FragmentNotFound, I, "", "Fragment was not found.", "", HintRule::None, "fragment-was-not-found"},
    {FileWasChanged, MessageKind::Warning, "", "File was changed. Do you want to save it?", "", HintRule::None,
     "file-was-changed"},
};

constexpr std::string_view kSubject = "{subject}";
constexpr std::string_view kAt = "{at}";
constexpr std::string_view kDetail = "{detail}";
constexpr std::string_view kLine = "{line}";
constexpr std::string_view kAtString = " at string ";

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lower(text[i]) != lower(prefix[i])) return false;
    }
    return true;
}

std::size_t findIgnoringCase(std::string_view text, std::string_view part, std::size_t from) {
    for (std::size_t at = from; at + part.size() <= text.size(); ++at) {
        if (startsWithIgnoringCase(text.substr(at), part)) return at;
    }
    return std::string_view::npos;
}

// The length of the placeholder for a quoted value at the start of `pattern`, or 0.
std::size_t placeholderAt(std::string_view pattern) {
    for (std::string_view placeholder : {kSubject, kDetail, kLine}) {
        if (pattern.substr(0, placeholder.size()) == placeholder) return placeholder.size();
    }
    return 0;
}

// How many of the template's own characters `typed` matches, or -1 when it is not
// this message. The typed text may stop anywhere and go on past the template (with
// the explanation); a subject matches whatever stands up to the next fixed part.
int matchedCharacters(std::string_view pattern, std::string_view typed) {
    int score = 0;
    std::size_t at = 0;
    bool afterSubject = false;
    while (!pattern.empty()) {
        // A quoted value matches whatever stands up to the next fixed part.
        if (const std::size_t placeholder = placeholderAt(pattern); placeholder > 0) {
            pattern.remove_prefix(placeholder);
            afterSubject = true;
            continue;
        }
        if (pattern.substr(0, kAt.size()) == kAt) {
            pattern.remove_prefix(kAt.size());
            if (startsWithIgnoringCase(typed.substr(at), kAtString)) {
                at += kAtString.size();
                while (at < typed.size() && std::isdigit(static_cast<unsigned char>(typed[at]))) ++at;
                score += static_cast<int>(kAtString.size());
            }
            continue;
        }
        const std::size_t end = pattern.find('{');
        const std::string_view fixed = pattern.substr(0, end);
        pattern.remove_prefix(fixed.size());
        if (afterSubject) {
            afterSubject = false;
            const std::size_t found = findIgnoringCase(typed, fixed, at);
            // Cut short inside the subject or the part after it.
            if (found == std::string_view::npos) return score;
            at = found;
        }
        const std::string_view rest = typed.substr(at);
        if (rest.size() < fixed.size()) {
            // The start of a message is typed whole, up to its closing marks.
            std::size_t needed = fixed.size();
            while (needed > 0 && !std::isalnum(static_cast<unsigned char>(fixed[needed - 1]))) --needed;
            if (score == 0 && rest.size() < needed) return -1;
            return startsWithIgnoringCase(fixed, rest) ? score + static_cast<int>(rest.size()) : -1;
        }
        if (!startsWithIgnoringCase(rest, fixed)) return -1;
        at += fixed.size();
        score += static_cast<int>(fixed.size());
    }
    return score;
}

}  // namespace

std::span<const DiagnosticRow> diagnosticTable() { return kTable; }

const DiagnosticRow* findDiagnostic(std::int32_t code) {
    for (const DiagnosticRow& row : kTable) {
        if (row.code == code) return &row;
    }
    return nullptr;
}

std::string messageText(const Diagnostic& diagnostic) {
    const DiagnosticRow* row = findDiagnostic(diagnostic.code);
    if (row == nullptr) return {};
    std::string text;
    std::string_view pattern = row->text;
    while (!pattern.empty()) {
        if (pattern.substr(0, kSubject.size()) == kSubject) {
            text += diagnostic.subject;
            pattern.remove_prefix(kSubject.size());
        } else if (pattern.substr(0, kDetail.size()) == kDetail) {
            text += diagnostic.detail;
            pattern.remove_prefix(kDetail.size());
        } else if (pattern.substr(0, kLine.size()) == kLine) {
            text += std::to_string(diagnostic.line);
            pattern.remove_prefix(kLine.size());
        } else if (pattern.substr(0, kAt.size()) == kAt) {
            if (diagnostic.line >= 0) text += std::string(kAtString) + std::to_string(diagnostic.line);
            pattern.remove_prefix(kAt.size());
        } else {
            text += pattern.front();
            pattern.remove_prefix(1);
        }
    }
    return text;
}

std::string boxText(const Diagnostic& diagnostic) {
    const DiagnosticRow* row = findDiagnostic(diagnostic.code);
    return row == nullptr ? std::string() : messageText(diagnostic) + std::string(row->explanation);
}

std::string_view faultName(std::int32_t code) {
    const DiagnosticRow* row = findDiagnostic(code);
    return row == nullptr || row->name.empty() ? std::string_view("Fault") : row->name;
}

std::string helpPageOf(std::int32_t code) {
    const DiagnosticRow* row = findDiagnostic(code);
    return row == nullptr || row->help.empty() ? std::string() : "errors#" + std::string(row->help);
}

Message messageOf(const Diagnostic& diagnostic, std::string hint) {
    const DiagnosticRow* row = findDiagnostic(diagnostic.code);
    return Message{row == nullptr ? MessageKind::Error : row->kind, boxText(diagnostic), std::move(hint),
                   helpPageOf(diagnostic.code)};
}

std::int32_t codeOfTypedMessage(std::string_view typed) {
    const std::size_t first = typed.find_first_not_of(' ');
    if (first == std::string_view::npos) return Ok;
    typed.remove_prefix(first);
    std::int32_t best = Ok;
    // Fewer characters than "Label <", the shortest start of a message, are a word
    // that may begin many things ("line").
    int bestScore = 6;
    for (const DiagnosticRow& row : kTable) {
        const int score = matchedCharacters(row.text, typed);
        if (score > bestScore) {
            best = row.code;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace verdin
