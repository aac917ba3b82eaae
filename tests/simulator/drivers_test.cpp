// The Step and Run drivers: addresses of stepped lines, the line the debug window
// selects next, Stop, and that remembering prescans changes nothing observable.
#include <gtest/gtest.h>

#include "support.h"

namespace verdin {
namespace {

using testing::Bench;

TEST(Step, PrescanGivesTheTrueAddressOfTheSteppedLine) {
    Bench b;
    ASSERT_EQ(compileProgram(b.machine, {"lxi h,0", "nop", "mvi a,1", "ei", "jmp end", "end: nop"}, true, false), -1);
    b.machine.prescan(0);
    EXPECT_EQ(b.machine.addressCounter, 0);
    b.machine.prescan(5);
    EXPECT_EQ(b.machine.addressCounter, 10);
    EXPECT_EQ(b.machine.nextLine, 5);
    EXPECT_EQ(b.machine.mode, Execute);
}

TEST(Step, JumpSelectsTheTargetLineNext) {
    Bench b;
    ASSERT_EQ(compileProgram(b.machine, {"jmp there", "nop", "nop", "nop", "nop", "nop", "nop", "there: nop"}, true, false),
              -1);
    b.machine.step(0);
    EXPECT_EQ(b.machine.nextLine, 6);
    EXPECT_EQ(b.machine.stopAddress, 9);
    b.machine.step(7);
    EXPECT_EQ(b.machine.nextLine, 7);
    EXPECT_EQ(b.machine.stopAddress, 10);
}

TEST(Step, StatusMessagesAreShort) {
    Bench b;
    ASSERT_EQ(compileProgram(b.machine, {"ret", "out 20", "hlt"}, true, false), -1);
    b.machine.step(0);
    EXPECT_EQ(b.last(), "Error: Ret without Call. The stack of return addresses is empty");
    EXPECT_EQ(b.machine.status, Ok);
    b.machine.step(1);
    EXPECT_EQ(b.last(), "Error: Invalid port address. Ports address should be in the range: 0 - 15 (0 - 0Fh)");
    b.machine.step(2);
    EXPECT_EQ(b.last(), "Information: Program interrupted by user");
    EXPECT_EQ(b.machine.lastStatus, Interrupted);
}

TEST(Step, RegistersPersistBetweenSteps) {
    Bench b;
    ASSERT_EQ(compileProgram(b.machine, {"mvi a,2", "add a", "add a"}, true, false), -1);
    b.machine.step(0);
    b.machine.step(1);
    b.machine.step(1);
    EXPECT_EQ(b.machine.regA, 8);
}

TEST(Step, EndOfProgramClosesTheTextScreen) {
    Bench b;
    ASSERT_EQ(compileProgram(b.machine, {"nop", "end"}, true, false), -1);
    b.machine.textScreenShown = 1;
    b.machine.textScreenLines = {"hello"};
    b.machine.step(0);
    EXPECT_EQ(b.machine.textScreenShown, 1);
    b.machine.step(1);
    EXPECT_EQ(b.machine.textScreenShown, 0);
}

TEST(Run, EndsSilentlyAtTheFirstEmptyLine) {
    Bench b;
    b.run({"mvi a,1", "", "mvi a,2"});
    EXPECT_EQ(b.machine.regA, 1);
    EXPECT_EQ(b.last(), "Information: Compile successful 2 byte(s)");
    EXPECT_EQ(b.machine.lastStatus, Ok);
}

// Verify that Run keeps the input ports the user typed and clears the rest.
TEST(Run, KeepsInputPortsAndResetsTheRest) {
    Bench b;
    ASSERT_EQ(compileProgram(b.machine, {"in 2", "out 3", "mov b,a"}, true, false), -1);
    b.machine.inPorts[2] = 9;
    b.machine.outPorts[5] = 1;
    b.machine.regC = 4;
    runProgram(b.machine);
    EXPECT_EQ(b.machine.regB, 9);
    EXPECT_EQ(b.machine.outPorts[3], 9);
    EXPECT_EQ(b.machine.outPorts[5], 0);
    EXPECT_EQ(b.machine.regC, 0);
}

TEST(Run, StopEndsTheRunBeforeTheNextLine) {
    Bench b;
    ASSERT_EQ(compileProgram(b.machine, {"loop: inr b", "jmp loop"}, true, false), -1);
    b.platform.onPump = [&] { b.machine.interruptRequested = 1; };
    runProgram(b.machine);
    EXPECT_EQ(b.machine.lastStatus, Interrupted);
    EXPECT_EQ(b.last(), "Information: Program interrupted by user");
    // Stopped before a line: the program counter is that line's address.
    EXPECT_EQ(b.machine.stopAddress, b.machine.currentLine == 0 ? 1 : 4);
}

TEST(Run, LineBudgetStopsAsIfStopWerePressed) {
    Bench b;
    ASSERT_EQ(compileProgram(b.machine, {"loop: inr b", "jmp loop"}, true, false), -1);
    b.machine.resetRun();
    b.machine.lineBudget = 7;
    b.machine.run();
    EXPECT_EQ(b.machine.regB, 4);
    EXPECT_EQ(b.machine.stopAddress, 1);
    EXPECT_EQ(b.machine.lastStatus, Interrupted);
}

// A program exercising calls far down the program, self-modifying immediates and
// data that the run changes: with and without the remembered prescan, every cell,
// register and message must come out the same.
TEST(Run, RememberedPrescanMatchesLineByLinePrescan) {
    std::vector<std::string> program = {
        "        mvi  d,3",   // 0000
        "outer:  mvi  b,5",   // 0002
        "loop:   call far",   // 0004
        "        sta  8",     // 0007: into the immediate of the next line
        "        mvi  a,77",  // 000A: the prescan of the next call writes 77 back
        "        mov  e,a",
        "        dcr  b",
        "        jnz  loop",
        "        dcr  d",
        "        jnz  outer",
        "        lda  count",
        "        hlt",
        "count:  db   0",
    };
    program[3] = "        sta  11";
    for (int i = 0; i < 40; ++i) program.push_back(i % 3 ? "        nop" : "        mvi  c,1");
    program.push_back("far:    lda  count");
    program.push_back("        inr  a");
    program.push_back("        sta  count");
    program.push_back("        sta  0");  // over the MVI D opcode
    program.push_back("        ret");

    auto runWith = [&](bool cached) {
        auto b = std::make_unique<Bench>();
        b->machine.usePrescanCache = cached;
        b->run(program);
        return b;
    };
    auto fast = runWith(true);
    auto slow = runWith(false);
    EXPECT_EQ(fast->machine.memory, slow->machine.memory);
    EXPECT_EQ(fast->machine.regA, slow->machine.regA);
    EXPECT_EQ(fast->machine.regB, slow->machine.regB);
    EXPECT_EQ(fast->machine.regD, slow->machine.regD);
    EXPECT_EQ(fast->machine.sp, slow->machine.sp);
    EXPECT_EQ(fast->machine.stopAddress, slow->machine.stopAddress);
    EXPECT_EQ(fast->machine.currentLine, slow->machine.currentLine);
    EXPECT_EQ(fast->platform.messages, slow->platform.messages);
    EXPECT_EQ(fast->machine.regA, 15);
    EXPECT_EQ(fast->machine.regE, 15) << "each MVI ran with the value stored into it";
    EXPECT_EQ(fast->machine.memory[11], 15);

    // Stepping line by line agrees too.
    auto stepWith = [&](bool cached) {
        auto b = std::make_unique<Bench>();
        b->machine.usePrescanCache = cached;
        compileProgram(b->machine, program, true, false);
        std::int32_t line = 0;
        for (int k = 0; k < 200 && line < b->machine.programLineCount; ++k) {
            b->machine.step(line);
            line = b->machine.nextLine + 1;
        }
        return b;
    };
    auto fastSteps = stepWith(true);
    auto slowSteps = stepWith(false);
    EXPECT_EQ(fastSteps->machine.memory, slowSteps->machine.memory);
    EXPECT_EQ(fastSteps->machine.stopAddress, slowSteps->machine.stopAddress);
    EXPECT_EQ(fastSteps->machine.nextLine, slowSteps->machine.nextLine);
}

}  // namespace
}  // namespace verdin
