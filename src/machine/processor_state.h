// The simulated processor as a value: registers, flags, stack pointer, program
// counter, memory, ports and the call stack's entries. One assignment copies all of
// it, so a debugger can keep the state before a line and put it back.
//
// Usage:
//   verdin::ProcessorState before = machine.processorState();
//   machine.step(line);
//   machine.restoreProcessorState(before);   // as if the line had not run
#pragma once

#include <array>
#include <cstdint>

namespace verdin {

constexpr int kMemorySize = 16384;
constexpr int kMaxCallDepth = 100;
constexpr int kPortCount = 16;
constexpr int kInitialSp = 0x3FFE;

// Plain data with no pointers into itself or elsewhere: copying it is the whole of
// saving the processor. Machine derives from it, so the handlers keep writing `regA`
// and `memory[…]` as members of the machine, with the same code the compiler emits
// for any other field, and no rename runs through the handlers' bodies.
struct ProcessorState {
    std::int32_t regA = 0, regB = 0, regC = 0, regD = 0, regE = 0, regH = 0, regL = 0;
    // The flags byte as PUSH PSW last composed it (POP PSW splits it again).
    std::int32_t regF = 0;
    std::int32_t flagZ = 0, flagCY = 0, flagP = 0, flagS = 0, flagAC = 0;
    std::int32_t sp = kInitialSp;
    // The program counter: the address of the line that runs next, or where a run stopped.
    std::int32_t stopAddress = 0;
    std::array<std::int32_t, kMemorySize> memory{};
    // The input ports hold what the user typed into the debug window.
    std::array<std::int32_t, kPortCount> inPorts{};
    std::array<std::int32_t, kPortCount> outPorts{};
    // The call stack of the lines: the address and line each CALL returns to, and the
    // index of the innermost entry (-1 outside every subroutine).
    std::array<std::int32_t, kMaxCallDepth> returnAddresses{};
    std::array<std::int32_t, kMaxCallDepth> returnLines{};
    std::int32_t callDepth = -1;

    std::int32_t pairHL() const { return regH * 256 + regL; }
    std::int32_t pairBC() const { return regB * 256 + regC; }
    std::int32_t pairDE() const { return regD * 256 + regE; }

    bool operator==(const ProcessorState&) const = default;
};

}  // namespace verdin
