// Execution of each instruction family: registers, flags and memory after a run,
// with the flag rules students see in the debug window.
#include <gtest/gtest.h>

#include "support.h"

namespace verdin {
namespace {

using testing::Bench;

struct Flags {
    int s, z, ac, p, cy;
};

void expectFlags(const Machine& m, Flags f) {
    EXPECT_EQ(m.flagS, f.s) << "S";
    EXPECT_EQ(m.flagZ, f.z) << "Z";
    EXPECT_EQ(m.flagAC, f.ac) << "AC";
    EXPECT_EQ(m.flagP, f.p) << "P";
    EXPECT_EQ(m.flagCY, f.cy) << "CY";
}

TEST(Execute, AdditionTakesSignAndZeroFromTheUnreducedSum) {
    Bench b;
    b.run({"mvi a,200", "mvi b,56", "add b"});
    EXPECT_EQ(b.machine.regA, 0);
    expectFlags(b.machine, {1, 0, 1, 1, 1});
    Bench c;
    c.run({"mvi a,200", "mvi b,100", "add b"});
    EXPECT_EQ(c.machine.regA, 44);
    EXPECT_EQ(c.machine.flagCY, 1);
    EXPECT_EQ(c.machine.flagS, 1);
}

// Verify the auxiliary carry is the carry out of bit 3 for ADD, ADC, ADI, ACI and INR.
TEST(Execute, AuxiliaryCarryIsTheCarryOutOfBitThree) {
    Bench b;
    b.run({"mvi a,0fh", "adi 1"});
    EXPECT_EQ(b.machine.flagAC, 1);
    Bench c;
    c.run({"mvi a,0eh", "adi 1"});
    EXPECT_EQ(c.machine.flagAC, 0);
    Bench d;
    d.run({"stc", "mvi a,0eh", "aci 1"});
    EXPECT_EQ(d.machine.regA, 0x10);
    EXPECT_EQ(d.machine.flagAC, 1);
    Bench e;
    e.run({"mvi b,2fh", "inr b"});
    EXPECT_EQ(e.machine.flagAC, 1);
    // ADD M keeps whatever AC was.
    Bench f;
    f.run({"mvi b,0fh", "inr b", "lxi h,100h", "mvi m,1", "mvi a,0", "add m"});
    EXPECT_EQ(f.machine.flagAC, 1);
}

TEST(Execute, SubtractionLeavesTheMagnitudeAndSetsCarry) {
    Bench b;
    b.run({"mvi a,3", "mvi b,5", "sub b"});
    EXPECT_EQ(b.machine.regA, 2);
    expectFlags(b.machine, {0, 0, 0, 0, 1});
    Bench c;
    c.run({"stc", "sbb a"});
    EXPECT_EQ(c.machine.regA, 1);
    EXPECT_EQ(c.machine.flagCY, 1);
    Bench d;
    d.run({"mvi a,10", "sui 10"});
    expectFlags(d.machine, {0, 1, 0, 1, 0});
}

TEST(Execute, CompareTakesParityFromTheAccumulator) {
    Bench b;
    b.run({"mvi a,7", "cpi 7"});
    EXPECT_EQ(b.machine.regA, 7);
    expectFlags(b.machine, {0, 1, 0, 0, 0});
    Bench c;
    c.run({"mvi a,3", "mvi b,5", "cmp b"});
    EXPECT_EQ(c.machine.regA, 3);
    EXPECT_EQ(c.machine.flagCY, 1);
    EXPECT_EQ(c.machine.flagP, 1);
}

TEST(Execute, LogicFlags) {
    Bench b;
    b.run({"mvi a,0f0h", "mvi b,3ch", "ana b"});
    EXPECT_EQ(b.machine.regA, 0x30);
    expectFlags(b.machine, {0, 0, 1, 1, 0});
    Bench c;
    c.run({"mvi a,5", "xra a"});
    EXPECT_EQ(c.machine.regA, 0);
    expectFlags(c.machine, {0, 1, 0, 1, 0});
    Bench d;
    d.run({"mvi a,80h", "ori 1"});
    EXPECT_EQ(d.machine.regA, 0x81);
    expectFlags(d.machine, {1, 0, 0, 1, 0});
}

TEST(Execute, IncrementAndDecrementTakeParityBeforeTheWrap) {
    Bench b;
    b.run({"stc", "mvi b,255", "inr b"});
    EXPECT_EQ(b.machine.regB, 0);
    EXPECT_EQ(b.machine.flagZ, 1);
    EXPECT_EQ(b.machine.flagP, 1);
    EXPECT_EQ(b.machine.flagCY, 1);
    Bench c;
    c.run({"mvi b,0", "dcr b"});
    EXPECT_EQ(c.machine.regB, 255);
    expectFlags(c.machine, {1, 0, 0, 0, 0});
}

TEST(Execute, DecimalAdjustAndRotates) {
    Bench b;
    b.run({"mvi a,9bh", "daa"});
    EXPECT_EQ(b.machine.regA, 0x01);
    EXPECT_EQ(b.machine.flagCY, 1);
    Bench c;
    c.run({"stc", "mvi a,81h", "ral"});
    EXPECT_EQ(c.machine.regA, 2);
    EXPECT_EQ(c.machine.flagCY, 1);
    Bench d;
    d.run({"stc", "mvi a,2", "rar"});
    EXPECT_EQ(d.machine.regA, 1);
    EXPECT_EQ(d.machine.flagCY, 0);
    Bench e;
    e.run({"mvi a,81h", "rlc", "mov b,a", "mvi a,81h", "rrc", "cma"});
    EXPECT_EQ(e.machine.regB, 0x03);
    EXPECT_EQ(e.machine.regA, 0x3F);
    EXPECT_EQ(e.machine.flagCY, 1);
    EXPECT_EQ(e.machine.flagAC, 1);
}

TEST(Execute, DataTransferAndLimits) {
    Bench b;
    b.run({"lxi h,2000h", "mvi m,42", "mov a,m", "sta 3fffh", "lxi b,3fffh", "ldax b", "mov c,a", "shld 100h",
           "lhld 100h", "xchg"});
    EXPECT_EQ(b.machine.memory[0x2000], 42);
    EXPECT_EQ(b.machine.memory[0x3FFF], 42);
    EXPECT_EQ(b.machine.regC, 42);
    EXPECT_EQ(b.machine.regD, 0x20);
    EXPECT_EQ(b.machine.regE, 0x00);
    EXPECT_EQ(b.machine.lastStatus, Ok);

    Bench c;
    c.run({"shld 3fffh"});
    EXPECT_EQ(c.machine.lastStatus, OutOfMemory);
    EXPECT_EQ(c.last(), "Error: Out of memory at string 0. The maximum size of memory, available for using is 16384 bytes");

    // MVI M may not write above the stack pointer, MOV M may.
    Bench d;
    d.run({"lxi sp,1000h", "lxi h,2000h", "mov m,a", "mvi m,5"});
    EXPECT_EQ(d.machine.lastStatus, OutOfMemory);
    EXPECT_EQ(d.machine.currentLine, 3);

    Bench e;
    e.run({"lxi h,4000h", "mov a,m"});
    EXPECT_EQ(e.machine.lastStatus, OutOfMemory);
    Bench f;
    f.run({"lxi sp,3fffh"});
    EXPECT_EQ(f.machine.lastStatus, OutOfMemory);
    EXPECT_EQ(f.machine.sp, 0x3FFF);
}

TEST(Execute, PairArithmetic) {
    Bench b;
    b.run({"lxi b,00ffh", "inx b", "lxi h,0ffffh", "inx h", "lxi d,0", "dcx d"});
    EXPECT_EQ(b.machine.pairBC(), 0x100);
    EXPECT_EQ(b.machine.pairHL(), 0);
    EXPECT_EQ(b.machine.pairDE(), 0xFFFF);
    Bench c;
    c.run({"lxi h,8000h", "dad h"});
    EXPECT_EQ(c.machine.pairHL(), 0);
    EXPECT_EQ(c.machine.flagCY, 1);
    Bench d;
    d.run({"lxi sp,0", "dcx sp"});
    EXPECT_EQ(d.machine.lastStatus, OutOfMemory);
    Bench e;
    e.run({"lxi h,1234h", "lxi sp,100h", "sphl", "lxi h,0bcdh", "xthl"});
    EXPECT_EQ(e.machine.sp, 0x1234);
    EXPECT_EQ(e.machine.pairHL(), 0);
    EXPECT_EQ(e.bytes(0x1234, 2), (std::vector<int>{0xCD, 0x0B}));
}

// Verify that a program reads immediates from the assembled image, so storing into
// an instruction's own bytes changes what it does.
TEST(Execute, ImmediatesComeFromMemory) {
    Bench c;
    c.run({"mvi a,99", "sta 7", "nop", "mvi b,1"});
    EXPECT_EQ(c.machine.regB, 99);
}

TEST(Execute, JumpsFollowConditions) {
    Bench b;
    b.run({"mvi a,1", "ora a", "jz skip", "mvi b,1", "skip: mvi a,3", "ora a", "jpe even", "mvi c,1", "even: hlt"});
    EXPECT_EQ(b.machine.regB, 1);
    EXPECT_EQ(b.machine.regC, 0);
    EXPECT_EQ(b.machine.lastStatus, Interrupted);
    EXPECT_EQ(b.last(), "Information: Program interrupted by user");
}

TEST(Execute, CallAndReturnRestoreLineAndStack) {
    Bench b;
    b.run({"call sub", "mvi a,9", "hlt", "sub: mvi b,7", "ret"});
    EXPECT_EQ(b.machine.regA, 9);
    EXPECT_EQ(b.machine.regB, 7);
    EXPECT_EQ(b.machine.sp, kInitialSp);
    EXPECT_EQ(b.machine.callDepth, -1);
    EXPECT_EQ(b.bytes(kInitialSp - 2, 2), (std::vector<int>{3, 0}));
}

TEST(Execute, ReturnWithoutMatchingCallStops) {
    Bench b;
    b.run({"nop", "ret"});
    EXPECT_EQ(b.last(), "Error: Ret without Call at string 1. The stack of return addresses is empty");
    Bench c;
    c.run({"call sub", "hlt", "sub: pop h", "lxi h,1", "push h", "ret"});
    EXPECT_EQ(c.machine.lastStatus, RetWithoutCall);
    EXPECT_EQ(c.machine.currentLine, 5);
}

// Verify that nested calls beyond the record table, and pushes below address 2,
// stop with "Out of memory" instead of writing outside their tables.
TEST(Execute, CallDepthAndStackBottomAreLimited) {
    Bench b;
    b.run({"deep: call deep"});
    EXPECT_EQ(b.machine.lastStatus, OutOfMemory);
    EXPECT_EQ(b.machine.callDepth, kMaxCallDepth - 1);
    Bench c;
    c.run({"lxi sp,2", "push b", "push b"});
    EXPECT_EQ(c.machine.lastStatus, OutOfMemory);
    EXPECT_EQ(c.machine.currentLine, 2);
    EXPECT_EQ(c.machine.sp, 0);
    Bench d;
    d.run({"lxi sp,1", "call sub", "sub: ret"});
    EXPECT_EQ(d.machine.lastStatus, OutOfMemory);
}

TEST(Execute, StackKeepsFlags) {
    Bench b;
    b.run({"mvi a,0ffh", "adi 1", "push psw", "mvi a,5", "ora a", "pop psw"});
    EXPECT_EQ(b.machine.regA, 0);
    expectFlags(b.machine, {1, 0, 1, 1, 1});
    Bench c;
    c.run({"lxi b,0ffffh", "push b", "pop psw"});
    expectFlags(c.machine, {1, 1, 1, 1, 1});
    EXPECT_EQ(c.machine.regA, 255);
}

TEST(Execute, PortsAreLimitedToSixteen) {
    Bench b;
    b.machine.inPorts[3] = 77;
    compileProgram(b.machine, {"in 3", "out 15", "out 16"}, true, false);
    b.machine.inPorts[3] = 77;
    runProgram(b.machine);
    EXPECT_EQ(b.machine.outPorts[15], 77);
    EXPECT_EQ(b.machine.lastStatus, InvalidPort);
    EXPECT_EQ(b.last(), "Error: Invalid port address at string 2. Ports address should be in the range: 0 - 15 (0 - 0Fh)");
}

TEST(Execute, DirectivesOccupyTheirSizeInEveryMode) {
    Bench b;
    b.run({"  jmp go", "data: db 1,2,3", "text: db 'ABC'", "word: dw 1234h", "  ds 10", "go: lda word", "  end",
           "  mvi b,1"});
    EXPECT_EQ(b.machine.regA, 0x34);
    EXPECT_EQ(b.machine.regB, 1) << "END does not end a run";
    EXPECT_EQ(b.machine.labelAddresses[3], 3 + 3 + 3 + 2 + 10);
}

// PCHL continues at the line the assembler placed at HL; an address where no line
// starts stops the run with a message naming it.
TEST(Execute, PchlJumpsToTheLineAtHl) {
    Bench b;
    b.run({"  lxi h,8", "  pchl", "  mvi a,1", "  nop", "  nop", "  mvi b,2"});
    EXPECT_EQ(b.machine.regA, 0);
    EXPECT_EQ(b.machine.regB, 2);
    Bench c;
    c.run({"  lxi h,5", "  pchl", "  mvi a,1"});
    EXPECT_EQ(c.machine.lastStatus, NoLineAtAddress);
    EXPECT_EQ(c.last(), "Error: No program line at address 0005H at string 1");
}

TEST(Execute, OrgStartsExecutionAtItsAddress) {
    Bench b;
    b.run({"  org 200h", "here: lxi h,here", "  shld 0"});
    EXPECT_EQ(b.machine.pairHL(), 0x200);
    EXPECT_EQ(b.bytes(0, 2), (std::vector<int>{0, 2}));
}

}  // namespace
}  // namespace verdin
