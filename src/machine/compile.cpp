// The one assembler pass, label resolution, and the messages of the core.
#include "machine/machine.h"
#include "machine/hints.h"

namespace verdin {

namespace {
std::string lineNumberMessage(std::int32_t code, std::int32_t line) {
    std::string n = std::to_string(line);
    switch (code) {
        case InvalidCommand: return "Invalid command at string " + n;
        case InvalidOperand: return "Invalid operand at string " + n;
        case InvalidRegister: return "Invalid register at string " + n;
        case OutOfMemory: return "Out of memory at string " + n;
        case TooManyLabels:
            return "Too many labels at string " + n + ". A program can declare at most 50 labels.";
        case TooManyReferences:
            return "Too many label references at string " + n +
                   ". A program can use labels as operands at most 50 times.";
        case LineTooLong:
            return "Line too long at string " + n + ". A line can hold at most 255 characters.";
        default: return {};
    }
}

bool isBlankOrComment(std::string_view line) {
    size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == ';';
}
}  // namespace

const char* Machine::explanation(std::int32_t code) {
    switch (code) {
        case 1: return ". CPU command was typed with an error.";
        case 2:
            return ". Here are the most likely causes of this error message: 1) Invalid symbol in "
                   "operand description; 2) The value of operand is out of range.";
        case 3:
            return ". Invalid symbol in registers name or this register can not be used in this "
                   "command. The valid names of registers are: a,b,c,d,e,h,l,m or A,B,C,D,E,H,L,M";
        case 4: return ". The label with this name declared withing the program more than one time.";
        case 5:
            return ". The label with this name was not declared at the labels field or its name is "
                   "more than 6 characters.";
        case 6: return ". The maximum size of memory, available for using is 16384 bytes";
        case 7: return ". Ports address should be in the range: 0 - 15 (0 - 0Fh)";
        case 8: return ". The stack of return addresses is empty";
        case 9: return ". The number is out of range: -9.9999E+79 - +9.9999E+79";
        case 10: return ". The result of operation is out of range: -9.9999E+79 - +9.9999E+79";
        case 12: return ". String you have been typed has illegal character(s).";
        default: return "";
    }
}

void Machine::showInfo(const std::string& text) {
    ownerWindow->showMessageWithHint(MessageKind::Information, text, hintFor(*this, text));
}

void Machine::showError(const std::string& text, std::int32_t code) {
    ownerWindow->showMessageWithHint(MessageKind::Error, text + explanation(code), hintFor(*this, text));
}

std::int32_t Machine::compile(bool showMessage, std::int32_t requestedMode, ProgramPass ownPass) {
    invalidateCaches();
    if (sourceLines.empty()) {
        for (std::int32_t i = 0; i < kMaxProgramLines && !programLines[i].empty(); ++i) {
            sourceLines.push_back(programLines[i]);
        }
    }
    std::int32_t counted = 0;
    for (std::int32_t i = 0; i < kMaxProgramLines && !programLines[i].empty(); ++i) {
        std::string& line = programLines[i];
        if (static_cast<int>(line.size()) > kMaxLineLength) {
            status = LineTooLong;
            errorLine = i + 1;
            showError(lineNumberMessage(status, errorLine), status);
            return errorLine;
        }
        std::string normal = normalizeLine(line);
        if (!normal.empty()) {
            line = TextTools::upperOutsideQuotes(normal);
        } else if (isBlankOrComment(line)) {
            // A comment or blank line does nothing, but an empty entry would end the
            // program, so it is kept as a single blank: no label, no mnemonic, no bytes.
            // (Left as typed, a line of TABs would read as a label.)
            line = " ";
        }
        ++counted;
    }

    errorLine = 0;
    status = Ok;
    mode = requestedMode;
    if (ownPass != nullptr) ownPass(*this);
    else status = pass();

    if (status != Ok) {
        if (errorLine == 0) errorLine = 1;
        switch (status) {
            case DuplicateLabel: showError("Duplicate label <" + messageName + ">", status); break;
            case LabelNotDefined: showError("Label <" + messageName + "> was not defined", status); break;
            case InvalidCommand:
            case InvalidOperand:
            case InvalidRegister:
            case OutOfMemory:
            case TooManyLabels:
            case TooManyReferences:
                showError(lineNumberMessage(status, errorLine), status);
                break;
            default: break;
        }
        return errorLine;
    }
    if (addressCounter == 0 && mode == Compile) {
        showError("There is no program!!!", Interrupted);
        errorLine = 1;
        status = IllegalCharacters;
    } else if (showMessage) {
        showInfo("Compile successful " + intToText(addressCounter) + " byte(s)");
    }
    programLineCount = counted;
    if (mode == Compile) makeLineTable();
    return status == Ok ? -1 : errorLine;
}

std::int32_t Machine::pass() {
    preScan = 0;
    if (mode == Compile) addressCounter = 0;
    walkProgram();
    if (status == Ok && mode == Compile) resolveLabels();
    return status;
}

void Machine::walkProgram() {
    if (mode == Compile) startLine = 0;
    if (mode == Execute && useDecodedLines) {
        runDecodedLines();
        return;
    }
    std::int32_t i = startLine;
    if (i < 0 || i >= kMaxProgramLines) return;
    while (true) {
        const std::string& line = programLines[i];
        if (line.empty()) return;
        pumpIfDue();
        if (mode == Execute && stopsBefore(i)) return;
        if (mode == Execute && lineBudget >= 0) {
            if (lineBudget == 0) interruptRequested = 1;
            else --lineBudget;
        }
        if (interruptRequested && mode == Execute) {
            status = Interrupted;
            stopAddress = addressCounter;
            return;
        }
        currentLine = i;
        splitLine(line);
        if (mnemonicText == "}") return;
        if (status != Ok) return;
        dispatchLine();
        if (!advancePast(i)) return;
    }
}

void Machine::resolveLabels() {
    for (std::int32_t i = 0; i < labelCount; ++i) labelNames[i] = TextTools::trim(labelNames[i]);
    for (std::int32_t i = 0; i < labelCount; ++i) {
        for (std::int32_t j = i + 1; j < labelCount; ++j) {
            if (labelNames[i] == labelNames[j]) {
                status = DuplicateLabel;
                messageName = labelNames[i].substr(0, labelNames[i].size() - 1);
                return;
            }
        }
    }
    for (std::int32_t r = 0; r < refCount; ++r) {
        bool found = false;
        for (std::int32_t l = 0; l < labelCount; ++l) {
            if (refNames[r] != labelNames[l]) continue;
            found = true;
            std::string hex = formatNumber(labelAddresses[l], 2, 0);
            std::int32_t high = parseHex(hex.substr(0, 2), 2);
            std::int32_t low = parseHex(hex.substr(2, 2), 2);
            storeByte(refAddresses[r], low);
            storeByte(refAddresses[r] + 1, high);
        }
        if (!found) {
            status = LabelNotDefined;
            messageName = refNames[r].substr(0, refNames[r].size() - 1);
            return;
        }
    }
}

}  // namespace verdin
