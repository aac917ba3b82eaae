// The one assembler pass, label resolution, and the messages of the core.
#include "machine/machine.h"
#include "machine/hints.h"

namespace verdin {

namespace {
bool isBlankOrComment(std::string_view line) {
    size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == ';';
}
}  // namespace

void Machine::report(const Diagnostic& diagnostic) {
    ownerWindow->showMessageWithHelp(messageOf(diagnostic, hintFor(*this, diagnostic)));
}

std::int32_t Machine::compile(bool showMessage, std::int32_t requestedMode, LineTranslator translator) {
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
            report({status, errorLine});
            return errorLine;
        }
        std::string normal = normalizeLine(line);
        if (!normal.empty()) {
            line = TextTools::upperOutsideQuotes(normal);
        } else if (isBlankOrComment(line)) {
            // A comment or blank line does nothing, but an empty entry would end the
            // program, so it is kept as a single blank: no label, no mnemonic, no bytes.
            // (Left as typed, a line of TABs would read as a label.)
            line.assign(1, ' ');
        }
        ++counted;
    }

    errorLine = 0;
    status = Ok;
    mode = requestedMode;
    if (translator != nullptr) translateWalk(translator);
    else status = pass();

    if (status != Ok) {
        if (errorLine == 0) errorLine = 1;
        switch (status) {
            case DuplicateLabel:
            case LabelNotDefined: report({status, -1, messageName}); break;
            case InvalidCommand:
            case InvalidOperand:
            case InvalidRegister:
            case OutOfMemory:
            case TooManyLabels:
            case TooManyReferences: report({status, errorLine}); break;
            default: break;
        }
        return errorLine;
    }
    if (addressCounter == 0 && mode == Compile) {
        report({NoProgram});
        errorLine = 1;
        status = IllegalCharacters;
    } else if (showMessage) {
        report({CompileSuccessful, -1, std::to_string(addressCounter)});
    }
    programLineCount = counted;
    if (mode == Compile) makeLineTable();
    return status == Ok ? -1 : errorLine;
}

void Machine::translateWalk(LineTranslator translator) {
    for (std::int32_t i = 0;;) {
        const std::string& line = programLines[i];
        if (line.empty()) return;
        pumpIfDue();
        currentLine = i;
        splitLine(line);
        if (mnemonicText == "}" || status != Ok) return;
        TranslatedLine translated = translator(*this);
        if (translated.status != Ok) {
            status = translated.status;
        } else {
            // One line per source line at most, so the store cannot fill up; should that
            // rule ever change, a full store loses the line rather than memory beyond it.
            if (translated.text && translatedCount >= 0 && translatedCount < kMaxProgramLines) {
                translatedLines[translatedCount++] = std::move(*translated.text);
            }
            if (translated.countedBy != nullptr) (this->*handlerOf(*translated.countedBy))(*translated.countedBy);
        }
        if (!advancePast(i)) return;
    }
}

void Machine::loadProgram(const std::vector<std::string>& lines, std::size_t count) {
    reset();
    sourceLines = lines;
    // Stored directly: reset has just forgotten everything derived from the store, so
    // setProgramLine would only forget it again once per line.
    for (std::size_t i = 0; i < count && i < lines.size() && i < kMaxProgramLines; ++i) programLines[i] = lines[i];
}

std::int32_t Machine::reportFault(const Diagnostic& diagnostic) {
    status = diagnostic.code;
    errorLine = diagnostic.line;
    report(diagnostic);
    return errorLine;
}

std::vector<Machine::AssembledLine> Machine::assembleLinesAgain() {
    std::vector<AssembledLine> lines;
    const std::int32_t savedCounter = addressCounter, savedMode = mode;
    addressCounter = 0;
    mode = Compile;
    for (std::int32_t line = 0; line < programLineCount; ++line) {
        AssembledLine entry;
        entry.address = addressCounter;
        reassembleLine(line);
        // DS reserves cells without filling them and ORG moves the counter: neither
        // has bytes of its own to show.
        if (mnemonicText != "DS" && mnemonicText != "ORG") {
            for (std::int32_t a = entry.address; a < addressCounter && a < kMemorySize; ++a) {
                entry.bytes.push_back(static_cast<std::uint8_t>(memory[a]));
            }
        }
        lines.push_back(std::move(entry));
    }
    addressCounter = savedCounter;
    mode = savedMode;
    return lines;
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
            std::int32_t high = readHex(hex.substr(0, 2), 2);
            std::int32_t low = readHex(hex.substr(2, 2), 2);
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
