// The instruction set as data: one row per mnemonic, written once and read by the
// assembler, the executor, the listing, the translator, the editor's colouring and the
// help. Nothing here knows how an instruction runs, so every layer may read it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace verdin {

enum ConditionCode : std::int32_t { NZ = 0, Z = 1, NC = 2, C = 3, PO = 4, PE = 5, P = 6, M = 7, Always = 8 };

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

// Where control goes after the instruction: tools that follow jumps and calls (the
// hints, Tidy) ask this instead of knowing the mnemonics.
enum class Flow { Straight, Jump, Call, Return };

struct Instruction {
    std::string_view name;
    std::int32_t opcode;   // the base opcode (register and pair fields add to it)
    std::int32_t size;     // bytes on the 8080; 0 for directives that vary or take none
    std::int32_t variant;  // condition code of the jump/call/return families; else 0
    OperandKind operands;
    Flow flow;
};

constexpr int kInstructionCount = 84;

namespace isa_rows {
using K = OperandKind;
using F = Flow;
// Opcodes are written in hexadecimal, as the Intel 8080 data book lists them.
// In the order in which the mnemonics have always been compared; the order decides
// nothing now that the lookup is by name, but keeps listings and help stable. It is
// visible here so that the executor's table of handlers can be checked against it
// while it compiles.
inline constexpr std::array<Instruction, kInstructionCount> kTable = {{
    {"NOP", 0x00, 1, 0, K::None, F::Straight},
    {"HLT", 0x76, 1, 0, K::None, F::Straight},
    {"LXI", 0x01, 3, 0, K::PairWord, F::Straight},
    {"STAX", 0x02, 1, 0, K::Pair, F::Straight},
    {"INX", 0x03, 1, 0, K::Pair, F::Straight},
    {"INR", 0x04, 1, 0, K::Register, F::Straight},
    {"DCR", 0x05, 1, 0, K::Register, F::Straight},
    {"MVI", 0x06, 2, 0, K::RegisterByte, F::Straight},
    {"RLC", 0x07, 1, 0, K::None, F::Straight},
    {"DAD", 0x09, 1, 0, K::Pair, F::Straight},
    {"LDAX", 0x0A, 1, 0, K::Pair, F::Straight},
    {"DCX", 0x0B, 1, 0, K::Pair, F::Straight},
    {"RRC", 0x0F, 1, 0, K::None, F::Straight},
    {"RAL", 0x17, 1, 0, K::None, F::Straight},
    {"RAR", 0x1F, 1, 0, K::None, F::Straight},
    {"SHLD", 0x22, 3, 0, K::Address, F::Straight},
    {"DAA", 0x27, 1, 0, K::None, F::Straight},
    {"LHLD", 0x2A, 3, 0, K::Address, F::Straight},
    {"CMA", 0x2F, 1, 0, K::None, F::Straight},
    {"STA", 0x32, 3, 0, K::Address, F::Straight},
    {"STC", 0x37, 1, 0, K::None, F::Straight},
    {"LDA", 0x3A, 3, 0, K::Address, F::Straight},
    {"CMC", 0x3F, 1, 0, K::None, F::Straight},
    {"MOV", 0x40, 1, 0, K::TwoRegisters, F::Straight},
    {"ADD", 0x80, 1, 0, K::Register, F::Straight},
    {"ADC", 0x88, 1, 0, K::Register, F::Straight},
    {"SUB", 0x90, 1, 0, K::Register, F::Straight},
    {"SBB", 0x98, 1, 0, K::Register, F::Straight},
    {"ANA", 0xA0, 1, 0, K::Register, F::Straight},
    {"CPI", 0xFE, 2, 0, K::Byte, F::Straight},
    {"XRA", 0xA8, 1, 0, K::Register, F::Straight},
    {"ORA", 0xB0, 1, 0, K::Register, F::Straight},
    {"CMP", 0xB8, 1, 0, K::Register, F::Straight},
    {"POP", 0xC1, 1, 0, K::Pair, F::Straight},
    {"JMP", 0xC3, 3, Always, K::Address, F::Jump},
    {"JZ", 0xCA, 3, Z, K::Address, F::Jump},
    {"JNZ", 0xC2, 3, NZ, K::Address, F::Jump},
    {"JC", 0xDA, 3, C, K::Address, F::Jump},
    {"JNC", 0xD2, 3, NC, K::Address, F::Jump},
    {"JPO", 0xE2, 3, PO, K::Address, F::Jump},
    {"JPE", 0xEA, 3, PE, K::Address, F::Jump},
    {"JP", 0xF2, 3, P, K::Address, F::Jump},
    {"JM", 0xFA, 3, M, K::Address, F::Jump},
    {"CALL", 0xCD, 3, Always, K::Address, F::Call},
    {"CZ", 0xCC, 3, Z, K::Address, F::Call},
    {"CNZ", 0xC4, 3, NZ, K::Address, F::Call},
    {"CC", 0xDC, 3, C, K::Address, F::Call},
    {"CNC", 0xD4, 3, NC, K::Address, F::Call},
    {"CPO", 0xE4, 3, PO, K::Address, F::Call},
    {"CPE", 0xEC, 3, PE, K::Address, F::Call},
    {"CP", 0xF4, 3, P, K::Address, F::Call},
    {"CM", 0xFC, 3, M, K::Address, F::Call},
    {"PUSH", 0xC5, 1, 0, K::Pair, F::Straight},
    {"ADI", 0xC6, 2, 0, K::Byte, F::Straight},
    {"RST", 0xC7, 1, 0, K::Restart, F::Straight},
    {"RET", 0xC9, 1, Always, K::None, F::Return},
    {"RZ", 0xC8, 1, Z, K::None, F::Return},
    {"RNZ", 0xC0, 1, NZ, K::None, F::Return},
    {"RC", 0xD8, 1, C, K::None, F::Return},
    {"RNC", 0xD0, 1, NC, K::None, F::Return},
    {"RPO", 0xE0, 1, PO, K::None, F::Return},
    {"RPE", 0xE8, 1, PE, K::None, F::Return},
    {"RP", 0xF0, 1, P, K::None, F::Return},
    {"RM", 0xF8, 1, M, K::None, F::Return},
    {"ACI", 0xCE, 2, 0, K::Byte, F::Straight},
    {"OUT", 0xD3, 2, 0, K::Byte, F::Straight},
    {"SUI", 0xD6, 2, 0, K::Byte, F::Straight},
    {"IN", 0xDB, 2, 0, K::Byte, F::Straight},
    {"SBI", 0xDE, 2, 0, K::Byte, F::Straight},
    {"XTHL", 0xE3, 1, 0, K::None, F::Straight},
    {"ANI", 0xE6, 2, 0, K::Byte, F::Straight},
    {"PCHL", 0xE9, 1, 0, K::None, F::Straight},
    {"XCHG", 0xEB, 1, 0, K::None, F::Straight},
    {"XRI", 0xEE, 2, 0, K::Byte, F::Straight},
    {"DI", 0xF3, 1, 0, K::None, F::Straight},
    {"ORI", 0xF6, 2, 0, K::Byte, F::Straight},
    {"SPHL", 0xF9, 1, 0, K::None, F::Straight},
    {"EI", 0xFB, 1, 0, K::None, F::Straight},
    {"EQU", 0x00, 0, 0, K::Data, F::Straight},
    {"DB", 0x00, 0, 0, K::Data, F::Straight},
    {"DW", 0x00, 2, 0, K::Data, F::Straight},
    {"DS", 0x00, 0, 0, K::Data, F::Straight},
    {"ORG", 0x00, 0, 0, K::Data, F::Straight},
    {"END", 0x00, 0, 0, K::None, F::Straight},
}};
}  // namespace isa_rows

constexpr const std::array<Instruction, kInstructionCount>& instructionTable() { return isa_rows::kTable; }
// The row of an upper-case mnemonic, or nullptr.
const Instruction* findInstruction(std::string_view mnemonic);
// Whether the row's operand is where control goes (JMP, CALL and their conditional
// forms), not an address of data (LDA, STA, LHLD, SHLD); for a name, false when it
// names no instruction.
constexpr bool isJumpOrCall(const Instruction& ins) { return ins.flow == Flow::Jump || ins.flow == Flow::Call; }
inline bool isJumpOrCall(std::string_view mnemonic) {
    const Instruction* ins = findInstruction(mnemonic);
    return ins != nullptr && isJumpOrCall(*ins);
}
// The index of a row of instructionTable().
inline std::size_t rowOf(const Instruction& row) { return static_cast<std::size_t>(&row - instructionTable().data()); }

}  // namespace verdin
