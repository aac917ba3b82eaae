// The instruction set as data: one row per mnemonic, written once and used by the
// dispatcher, the listing, the translator, the editor's colouring and the help.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace verdin {

class Machine;
struct Instruction;

using Handler = void (Machine::*)(const Instruction&);

// What follows the mnemonic, for tools that describe instructions.
enum class OperandKind {
    None,       // NOP
    Register,   // ADD r, INR r
    TwoRegisters,  // MOV d,s
    RegisterByte,  // MVI r,n
    Pair,       // INX p, PUSH p
    PairWord,   // LXI p,nn
    Byte,       // ADI n, IN n
    Address,    // LDA nn, JMP label
    Restart,    // RST n
    Data,       // DB list, DW, DS, EQU, ORG
};

struct Instruction {
    std::string_view name;
    Handler handler;
    std::int32_t opcode;   // the base opcode (register and pair fields add to it)
    std::int32_t size;     // bytes on the 8080; 0 for directives that vary or take none
    std::int32_t variant;  // condition code of the jump/call/return families; else 0
    OperandKind operands;
};

constexpr int kInstructionCount = 84;

const std::array<Instruction, kInstructionCount>& instructionTable();
// The row of an upper-case mnemonic, or nullptr.
const Instruction* findInstruction(std::string_view mnemonic);

}  // namespace verdin
