// Program lines decoded once per compile, and the run loop that executes them.
//
// The program store does not change between one compile and the next, so splitting a
// line, finding its mnemonic and reading its register names needs doing only once.
// Everything a program can change (immediates, addresses, memory) is still read from
// memory as the line runs.
#include <algorithm>

#include "isa/instruction_table.h"
#include "machine/machine.h"

namespace verdin {

DecodedLine Machine::decodeLine(const Instruction* ins) const {
    DecodedLine line;
    line.mnemonic = mnemonicText;
    line.label = labelField;
    line.operand = operandText;
    line.instruction = ins;
    if (ins == nullptr) return line;
    line.handler = handlerOf(*ins);
    // Only a line that runs is timed; the assembler's passes need not look it up.
    if (mode == Execute) setLineStates(line, stateFormOfLine(mnemonicText, operandText));
    std::string_view operand = operandText;
    auto narrow = [](int index) { return static_cast<std::int8_t>(index); };
    switch (ins->operands) {
        case OperandKind::Register: line.first = narrow(registerIndex(operand)); break;
        case OperandKind::TwoRegisters:
            line.second = narrow(registerIndex(operand.size() > 2 ? operand.substr(2) : std::string_view()));
            line.first = narrow(registerIndex(operand.substr(0, std::min<size_t>(1, operand.size()))));
            break;
        case OperandKind::RegisterByte:
            line.first = narrow(registerIndex(operand.substr(0, std::min<size_t>(1, operand.size()))));
            break;
        case OperandKind::Pair: line.first = narrow(pairIndex(operand)); break;
        default: break;
    }
    return line;
}

void Machine::decodeProgram() {
    const std::string_view savedMnemonic = mnemonicText, savedLabel = labelField, savedOperand = operandText;
    decodedLines.fill(DecodedLine{});
    decodedGeneration = programGeneration;
    for (std::int32_t i = 0; i < kMaxProgramLines; ++i) {
        const std::string& text = programLines[i];
        DecodedLine& line = decodedLines[static_cast<size_t>(i)];
        if (text.empty()) {
            line.empty = true;
            continue;
        }
        splitLine(text);
        line = decodeLine(findInstruction(mnemonicText));  // runs only in Execute: timed there
        line.closing = mnemonicText == "}";
        if (line.handler == &Machine::jump || line.handler == &Machine::call) {
            line.targetLine = static_cast<std::int16_t>(targetLineOf(i, operandText));
        }
    }
    mnemonicText = savedMnemonic;
    labelField = savedLabel;
    operandText = savedOperand;
}

void Machine::setLineStates(DecodedLine& line, const StateForm* form) {
    if (form == nullptr) return;
    // The largest count of any form (XTHL, CALL) is 18: a byte holds every one.
    for (Timing timing : {Timing::Intel8080, Timing::Intel8085}) {
        const StateCount& count = statesUnder(*form, timing);
        const int column = timing == Timing::Intel8085 ? 1 : 0;
        line.statesTaken[column] = static_cast<std::uint8_t>(count.taken);
        line.statesNotTaken[column] = static_cast<std::uint8_t>(count.notTaken);
    }
}

namespace {
// The states `line` just took; beside the run loop, which adds them for every line, so
// that it inlines there.
inline std::int32_t statesTaken(const Machine& m, const DecodedLine& line) {
    const MachineFields& f = m.fields();
    if (f.status != Ok && f.status != Interrupted) return 0;
    const int column = f.timing == Timing::Intel8085 ? 1 : 0;
    const std::int32_t taken = line.statesTaken[column], notTaken = line.statesNotTaken[column];
    return taken == notTaken || m.conditionHolds(line.instruction->variant) ? taken : notTaken;
}
}  // namespace

void Machine::countStates(const DecodedLine& line) { states += statesTaken(*this, line); }

void Machine::runDecodedLines() {
    std::int32_t i = startLine;
    if (i < 0 || i >= kMaxProgramLines) return;
    // Lines are stored between compiles only by a compile, which forgets the decoded
    // ones; a caller that stores a line (setProgramLine) and runs without one gets
    // them decoded again rather than views of text that is gone.
    if (!decodedLinesCurrent()) decodeProgram();
    while (true) {
        const DecodedLine& line = decodedLines[static_cast<size_t>(i)];
        if (line.empty) return;
        pumpIfDue();
        if (stopsBefore(i)) return;
        if (lineBudget >= 0) {
            if (lineBudget == 0) interruptRequested = 1;
            else --lineBudget;
        }
        if (interruptRequested) {
            status = Interrupted;
            stopAddress = addressCounter;
            return;
        }
        currentLine = i;
        mnemonicText = line.mnemonic;
        labelField = line.label;
        operandText = line.operand;
        if (line.closing || status != Ok) return;
        if (line.handler != nullptr) {
            runningLine = &line;
            (this->*line.handler)(*line.instruction);
            states += statesTaken(*this, line);
        } else if (!line.mnemonic.empty()) {
            status = InvalidCommand;
        }
        if (!advancePast(i)) return;
    }
}

}  // namespace verdin
