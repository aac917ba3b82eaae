// Assembler directives: EQU, DB, DW, DS, ORG, END.
#include <cstdlib>
#include <vector>

#include "isa/instruction_table.h"
#include "machine/machine.h"

namespace verdin {

namespace {
// The items of a DB list. A comma inside quotes belongs to the text.
std::vector<std::string> splitDataList(std::string_view list) {
    std::vector<std::string> items(1);
    bool inside = false;
    for (char c : list) {
        if (c == '\'') inside = !inside;
        if (c == ',' && !inside) items.emplace_back();
        else items.back() += c;
    }
    return items;
}

// Cells an item occupies: one per character of a quoted text, else one.
std::int32_t itemSize(std::string_view item) {
    if (item.empty() || item[0] != '\'') return 1;
    size_t close = item.find('\'', 1);
    size_t length = close == std::string_view::npos ? item.size() - 1 : close - 1;
    return length == 0 ? 1 : static_cast<std::int32_t>(length);
}
}  // namespace

void Machine::equ(const Instruction&) {
    if (mode != Compile || preScan) return;
    // Without a label of its own, EQU would rename whichever label came before it.
    if (labelField.empty() || labelField[0] == ' ' || labelCount == 0) {
        status = InvalidOperand;
        return;
    }
    wordOperandValue(operandText);
    if (status != Ok) return;
    std::int32_t value = std::abs(operandHigh * 256 + operandLow);
    if (value > kMemorySize - 1) {
        status = OutOfMemory;
        return;
    }
    labelAddresses[labelCount - 1] = value;
}

void Machine::db(const Instruction&) {
    std::vector<std::string> items = splitDataList(operandText);
    if (mode != Compile || preScan) {
        for (const auto& item : items) addressCounter += itemSize(item);
        return;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            addressCounter += 1;
            if (addressCounter > kMemorySize - 1) {
                status = OutOfMemory;
                return;
            }
        }
        byteOperand(items[i], true);
        if (status != Ok) return;
    }
    addressCounter += 1;
}

void Machine::dw(const Instruction&) {
    if (addressCounter > kMemorySize - 2) {
        status = OutOfMemory;
        return;
    }
    if (mode == Compile && !preScan) wordOperand(operandText);
    else addressCounter += 2;
}

void Machine::ds(const Instruction&) {
    wordOperandValue(operandText);
    if (status != Ok) return;
    std::int32_t count = operandHigh * 256 + operandLow;
    if (count < 0) {
        status = InvalidOperand;
        return;
    }
    if (count >= kMemorySize) {
        status = OutOfMemory;
        return;
    }
    addressCounter += count;
}

void Machine::org(const Instruction&) {
    // Only numbers make sense as an origin; a label's address is not known yet.
    if (!operandText.empty() && operandText[0] >= ':' && operandText[0] <= 'z') {
        status = InvalidOperand;
        return;
    }
    wordOperandValue(operandText);
    if (status != Ok) return;
    if (operandHigh < 0 || operandLow < 0) {
        status = InvalidOperand;
        return;
    }
    if (addressCounter != 0) {
        status = InvalidCommand;
        return;
    }
    addressCounter = operandHigh * 256 + operandLow;
}

void Machine::end(const Instruction&) {}

}  // namespace verdin
