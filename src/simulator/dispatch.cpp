// The dispatcher and the operand readers that every handler shares.
#include "isa/instruction_table.h"

#include "machine/machine.h"

namespace verdin {

void Machine::dispatchLine() {
    if (!labelField.empty() && labelField[0] != ' ' && mode == Compile && preScan == 0) {
        // A full table must stop the compile: overwriting the first entry would
        // silently send jumps to the wrong line.
        if (labelCount >= kMaxLabels) {
            status = TooManyLabels;
            return;
        }
        labelNames[labelCount] = labelField;
        labelAddresses[labelCount] = addressCounter;
        ++labelCount;
    }
    if (mnemonicText == "}") return;
    const Instruction* ins = findInstruction(mnemonicText);
    if (mode == Compile && preScan == 0) noteCompiledLine(ins);
    if (ins == nullptr) {
        if (!mnemonicText.empty()) status = InvalidCommand;
        return;
    }
    // Handlers read their registers from the decoded line; a handler may assemble or
    // run other lines (a call's prescan), so the outer line is put back afterwards.
    const DecodedLine line = decodeLine(ins);
    const DecodedLine* outer = runningLine;
    runningLine = &line;
    (this->*handlerOf(*ins))(*ins);
    if (mode == Execute && preScan == 0) countStates(line);
    runningLine = outer;
}

int Machine::registerIndex(std::string_view text) {
    static constexpr std::string_view kRegisters = "BCDEHLMA";
    if (text.size() != 1) return kNoRegister;
    size_t at = kRegisters.find(text[0]);
    return at == std::string_view::npos ? kNoRegister : static_cast<int>(at);
}

int Machine::pairIndex(std::string_view text) {
    // Only the names the 8080 knows are accepted; anything else (BC, W, S, HL) is an
    // invalid register rather than a guess at what was meant.
    if (text == "B") return 0;
    if (text == "D") return 2;
    if (text == "H") return 4;
    if (text == "SP") return kPairSp;
    if (text == "PSW") return kPairPsw;
    return kNoRegister;
}

void Machine::byteOperand(std::string_view text, bool allowText) {
    std::int32_t value = 0;
    if (!text.empty() && text[0] == '\'') {
        // A quoted text: one cell per character up to the closing quote, with
        // addressCounter left on the last one. A missing closing quote ends the text
        // at the end of the operand.
        size_t close = text.find('\'', 1);
        std::string_view chars = text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        bool trailing = close != std::string_view::npos && close + 1 < text.size();
        if (chars.empty() || trailing || (!allowText && chars.size() != 1)) {
            status = InvalidOperand;
            return;
        }
        if (mode == Execute) {
            operandLow = static_cast<unsigned char>(chars[0]);
            return;
        }
        for (size_t i = 0; i < chars.size(); ++i) {
            if (i > 0) ++addressCounter;
            storeByte(addressCounter, static_cast<unsigned char>(chars[i]));
            if (status != Ok) return;
        }
        return;
    }
    if (!text.empty() && text.back() == 'B') {
        std::string_view digits = text.substr(0, text.size() - 1);
        if (text.size() > 9 || digits.empty() || digits.find_first_not_of("01") != std::string_view::npos) {
            status = InvalidOperand;
            return;
        }
        for (char c : digits) value = value * 2 + (c - '0');
    } else if (!text.empty() && text.back() == 'H') {
        std::string_view digits = text.substr(0, text.size() - 1);
        // Two digits at most; a third is accepted only as a leading zero (0FFH).
        if (digits.empty() || digits.size() > 3 || (digits.size() == 3 && digits[0] != '0')) {
            status = InvalidOperand;
            return;
        }
        if (digits.size() == 3) digits.remove_prefix(1);
        value = readHex(digits, 2);
        if (status != Ok) return;
    } else {
        if (text.empty() || hasForeignChars(text, false) || (text.size() > 1 && text[0] == '0' &&
                                                              text.find_first_not_of('0') == std::string_view::npos)) {
            status = InvalidOperand;
            return;
        }
        double number = TextTools::toNumber(text);
        if (number > 255) {
            status = InvalidOperand;
            return;
        }
        value = static_cast<std::int32_t>(number);
    }
    if (value < 0 || value > 255) {
        status = InvalidOperand;
        return;
    }
    if (mode == Execute) operandLow = value;
    else storeByte(addressCounter, value);
}

namespace {
// Hexadecimal word operands: "1234H", "0FFFFH". Returns false for a bad shape.
bool hexWord(Machine& m, std::string_view text, std::int32_t& high, std::int32_t& low) {
    if (text.size() < 2 || text.size() > 6 || (text.size() == 6 && text[0] != '0')) return false;
    std::string_view digits = text.substr(0, text.size() - 1);
    if (digits.size() == 5) digits.remove_prefix(1);
    high = 0;
    if (digits.size() > 2) {
        high = m.readHex(digits.substr(0, digits.size() - 2), 2);
        digits.remove_prefix(digits.size() - 2);
    }
    low = m.readHex(digits, 2);
    return true;
}

bool isHexWord(std::string_view text) { return !text.empty() && text.back() == 'H' && text[0] < 'A'; }
bool isLabelName(std::string_view text) { return !text.empty() && text[0] >= ':' && text[0] <= 'z'; }
}  // namespace

bool Machine::decimalWord(std::string_view text, std::int32_t& high, std::int32_t& low) {
    // Letters inside a number would be skipped by toNumber, turning a typo into a
    // different address; such text is an invalid operand instead.
    std::string_view digits = text;
    if (!digits.empty() && digits[0] == '-') digits.remove_prefix(1);
    if (digits.empty() || hasForeignChars(digits, false)) return false;
    double number = TextTools::toNumber(text);
    if (number > 65535 || number < -65535) return false;
    auto value = static_cast<std::int32_t>(number);
    if (value == 0 && text.size() > 1) return false;
    high = value / 256;
    low = value % 256;
    return true;
}

void Machine::wordOperand(std::string_view text) {
    std::int32_t high = 0, low = 0;
    if (isHexWord(text)) {
        if (!hexWord(*this, text, high, low)) status = InvalidOperand;
        if (status != Ok) return;
    } else if (isLabelName(text)) {
        recordReference(text, addressCounter);
        if (status != Ok) return;
    } else if (!decimalWord(text, high, low) || high < 0 || low < 0) {
        status = InvalidOperand;
        return;
    }
    if (high > 255 || low > 255) {
        status = InvalidOperand;
        return;
    }
    storeByte(addressCounter, low);
    storeByte(addressCounter + 1, high);
    if (status != Ok) return;
    addressCounter += 2;
}

void Machine::wordOperandValue(std::string_view text) {
    operandHigh = operandLow = 0;
    if (isHexWord(text)) {
        if (!hexWord(*this, text, operandHigh, operandLow)) status = InvalidOperand;
        return;
    }
    if (isLabelName(text)) {
        std::string wanted = std::string(text) + ":";
        for (std::int32_t l = 0; l < labelCount; ++l) {
            // Names keep their trailing blanks until the pass trims them.
            if (TextTools::trim(labelNames[l]) == wanted) {
                operandHigh = labelAddresses[l] / 256;
                operandLow = labelAddresses[l] % 256;
                return;
            }
        }
        // An unknown name would otherwise quietly count as 0.
        status = LabelNotDefined;
        messageName = std::string(text);
        return;
    }
    if (!decimalWord(text, operandHigh, operandLow) || operandHigh > 255) status = InvalidOperand;
}

void Machine::recordReference(std::string_view name, std::int32_t address) {
    if (refCount >= kMaxReferences) {
        status = TooManyReferences;
        return;
    }
    refNames[refCount] = std::string(name) + ":";
    refAddresses[refCount] = address;
    ++refCount;
}

void Machine::assembleWithByte(std::int32_t opcode, std::string_view operand) {
    storeByte(addressCounter, opcode);
    addressCounter += 1;
    byteOperand(operand);
    if (status != Ok) return;
    addressCounter += 1;
}

void Machine::recordLabelRef() {
    recordReference(operandText, addressCounter);
    if (status != Ok) return;
    addressCounter += 2;
}

}  // namespace verdin
