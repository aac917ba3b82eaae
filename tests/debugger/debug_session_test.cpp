#include "debugger/debug_session.h"

#include <gtest/gtest.h>

#include "arrange.h"
#include "debugger/debug_lists.h"
#include "debugger/program_lines.h"
#include "isa/instruction_table.h"
#include "support.h"

namespace verdin {
namespace {

using verdin::testing::Bench;

// Line 0..: a loop that adds 1 to A three times, a subroutine call, and HLT.
const std::vector<std::string> kLoop = {
    "        MVI  B,3",       // 0
    "LOOP:   INR  A",         // 1
    "        DCR  B",         // 2
    "        JNZ  LOOP",      // 3
    "        CALL SUB",       // 4
    "        MOV  D,A",       // 5
    "        HLT",            // 6
    "SUB:    MVI  C,9",       // 7
    "        RET",            // 8
};

class DebugSessionTest : public ::testing::Test {
protected:
    Bench bench;
    Machine& m = bench.machine;

    void debug(const std::vector<std::string>& lines) {
        ASSERT_EQ(compileProgram(m, lines, {.stopAtEmptyLine = true}), -1) << bench.last();
    }
};

TEST_F(DebugSessionTest, RunStopsBeforeABreakpointEachTimeAndGoesOnFromThere) {
    debug(kLoop);
    DebugSession session(m);
    session.toggleBreakpoint(2);
    session.run();
    EXPECT_EQ(m.fields().lastStatus, Breakpoint);
    EXPECT_TRUE(bench.platform.messages.empty()) << "a breakpoint shows no box";
    EXPECT_EQ(session.selectedLine(), 2);
    EXPECT_EQ(m.fields().regA, 1);
    EXPECT_EQ(m.fields().stopAddress, 3) << "PC stands on the breakpoint's line, as Stop leaves it";
    EXPECT_TRUE(session.paused());
    EXPECT_EQ(session.statusText(), "Breakpoint on line 3: Run or Step goes on from there. (lines counted from 1)");

    // Run goes on without a reset and stops on the next pass of the loop.
    session.run();
    EXPECT_EQ(session.selectedLine(), 2);
    EXPECT_EQ(m.fields().regA, 2);
    EXPECT_EQ(m.fields().regB, 2);
    EXPECT_TRUE(session.changes().registerEntryChanged(0));
    EXPECT_TRUE(session.changes().registerEntryChanged(1));
    EXPECT_FALSE(session.changes().registerEntryChanged(2));

    // A Step from there keeps the pause; the Run after it goes on from the next line.
    session.step(session.selectedLine());
    EXPECT_EQ(m.fields().regB, 1);
    EXPECT_TRUE(session.paused());
    session.toggleBreakpoint(2);
    session.run();
    EXPECT_EQ(m.fields().lastStatus, Interrupted);
    EXPECT_EQ(m.fields().regA, 3);
    EXPECT_EQ(m.fields().regC, 9);
    EXPECT_EQ(m.fields().regD, 3);
    EXPECT_EQ(session.statusText(), "The program reached HLT on line 7 (lines counted from 1).");
    EXPECT_EQ(bench.last(), "Information: Program interrupted by user");
    EXPECT_EQ(bench.platform.messages.back().hint, session.statusText()) << "the box's hint says the same";
    EXPECT_FALSE(session.paused()) << "after HLT the next Run starts again";

    session.run();
    EXPECT_EQ(m.fields().regA, 3) << "a fresh Run resets the registers first";
}

TEST_F(DebugSessionTest, BreakpointsOnlyStopRunsAndIgnoreLinesOutsideTheProgramStore) {
    debug(kLoop);
    DebugSession session(m);
    session.setBreakpoint(-1, true);
    session.setBreakpoint(kMaxProgramLines, true);
    EXPECT_TRUE(session.breakpoints().empty());
    session.setBreakpoint(1, true);
    session.step(0);
    session.step(1);
    EXPECT_EQ(m.fields().regA, 1) << "a Step runs a breakpoint's line";
    EXPECT_EQ(session.selectedLine(), 2);
    EXPECT_EQ(session.statusText(), "Step ran line 2; line 3 runs next. (lines counted from 1)");
    EXPECT_EQ(session.breakpoints(), std::vector<int>{1});
    EXPECT_FALSE(session.toggleBreakpoint(1));
}

// Step over itself is in tests/golden/cli/debugging.cli; it must know every call form.
TEST(DebugSessionCalls, StepOverKnowsEveryCallAndNoOtherInstruction) {
    for (const Instruction& ins : instructionTable()) {
        EXPECT_EQ(DebugSession::isCallMnemonic(ins.name), ins.flow == Flow::Call) << ins.name;
    }
}

TEST_F(DebugSessionTest, ChangesNameTheRegistersFlagsAndCellsOfTheLastCommandOnly) {
    debug({"        MVI  A,5", "        SUB  A", "        STA  100H", "        PUSH PSW", "        HLT"});
    DebugSession session(m);
    session.step(0);
    EXPECT_TRUE(session.changes().registerEntryChanged(0));
    EXPECT_TRUE(session.changes().registerEntryChanged(5)) << "PC";
    EXPECT_FALSE(session.changes().flagEntryChanged(1));
    session.step(1);
    EXPECT_TRUE(session.changes().flagEntryChanged(1)) << "Z";
    EXPECT_FALSE(session.changes().flagEntryChanged(3)) << "S stays 0";
    EXPECT_FALSE(session.changes().anyCellChanged());
    arrange(m)->regA = 7;
    session.step(2);
    EXPECT_FALSE(session.changes().registerEntryChanged(0)) << "an edit is not a change of the step";
    EXPECT_TRUE(session.changes().cellChanged(0x100));
    EXPECT_FALSE(session.changes().cellChanged(0x101));
    session.step(3);
    EXPECT_FALSE(session.changes().cellChanged(0x100));
    EXPECT_TRUE(session.changes().registerEntryChanged(4)) << "SP";
    EXPECT_TRUE(session.changes().stackEntryChanged(0x3FFC));
    EXPECT_FALSE(session.changes().cellChanged(-1));
    EXPECT_FALSE(session.changes().cellChanged(kMemorySize));
}

TEST_F(DebugSessionTest, StatusLineNamesWhyACommandEndedCountingFromOne) {
    DebugSession session(m);
    debug({"        MVI  A,1", "        }", "        HLT"});
    session.run();
    EXPECT_EQ(session.statusText(), "The program ended: } on line 2. (lines counted from 1)");
    debug({"        MVI  A,1", "        NOP", "", "        HLT"});
    session.run();
    EXPECT_EQ(session.statusText(), "The program ended: empty line 3. (lines counted from 1)");
    session.step(0);
    session.step(1);
    EXPECT_EQ(session.statusText(),
              "Step ran line 2, the last of the program; the empty line 3 ends it. (lines counted from 1)");
    session.step(2);
    EXPECT_EQ(session.statusText(), "The program ended on line 3. (lines counted from 1)");

    debug({"        NOP", "        RET", "        HLT"});
    session.run();
    EXPECT_EQ(session.faultLine(), 1);
    EXPECT_EQ(session.statusText(), "Ret without Call on line 2: the run stopped there. (lines counted from 1)");
    EXPECT_EQ(bench.last(), "Error: Ret without Call at string 1. The stack of return addresses is empty")
        << "the message box keeps counting from 0";
    session.step(1);
    EXPECT_EQ(session.faultLine(), 1);
    session.step(0);
    EXPECT_EQ(session.faultLine(), -1);

    debug({"LOOP:   JMP  LOOP"});
    m.setLineBudget(5);
    session.run();
    EXPECT_EQ(session.statusText(), "The line limit ended the run before line 1 (lines counted from 1).");
    m.setLineBudget(-1);
    bench.platform.onPump = [&] { session.stop(); };
    session.run();
    EXPECT_EQ(session.statusText(), "Stop ended the run before line 1 (lines counted from 1).");
    EXPECT_EQ(bench.platform.messages.back().hint, session.statusText());
    EXPECT_FALSE(session.paused());
}

// The running total of clock states: it starts with the session and with every Run
// from the first line, and each Step, Step over and resumed Run adds to it.
TEST_F(DebugSessionTest, StatesAddUpUntilARunStartsAgain) {
    debug(kLoop);
    Machine::RunPosition earlier = m.runPosition();
    earlier.states = 99;  // what an earlier window left
    m.restoreRunPosition(earlier);
    DebugSession session(m);
    const auto states = [&] {  // last / total
        return std::to_string(session.lastStates()) + " / " + std::to_string(session.totalStates());
    };
    EXPECT_EQ(session.totalStates(), 0);
    session.step(0);  // MVI 7
    session.step(1);  // INR 5
    EXPECT_EQ(states(), "5 / 12");
    session.stepOver(4);  // CALL 17, MVI 7, RET 10
    EXPECT_EQ(states(), "34 / 46");

    // A whole run: MVI 7, three INR 5 DCR 5 JNZ 10, CALL 17 MVI 7 RET 10, MOV 5, HLT 7;
    // Run from the first line starts at 0.
    session.toggleBreakpoint(5);
    session.run();
    EXPECT_EQ(states(), "101 / 101");  // 7 + 3 * 20 + 34
    session.run();  // resumed from the breakpoint: MOV 5, HLT 7
    EXPECT_EQ(states(), "12 / 113");

    m.setTiming(Timing::Intel8085, m.fields().clockKHz);
    session.step(1);  // INR on the 8085: 4
    EXPECT_EQ(session.lastStates(), 4);
}

// A line chosen in the list is the next Step's, and while a breakpoint pauses the
// run, Run goes on from it too.
TEST_F(DebugSessionTest, AChosenLineIsWhereStepAndAPausedRunGoOn) {
    debug(kLoop);
    DebugSession session(m);
    session.choose(4);
    EXPECT_EQ(session.selectedLine(), 4);
    EXPECT_EQ(session.statusText(), "Line 5 chosen: Step runs it next (lines counted from 1)");
    EXPECT_FALSE(session.paused());

    session.toggleBreakpoint(2);
    session.run();
    ASSERT_TRUE(session.paused());
    session.choose(5);  // past the loop and the call: MOV D,A with A = 1
    session.run();
    EXPECT_EQ(m.fields().lastStatus, Interrupted);
    EXPECT_EQ(m.fields().regD, 1);
    EXPECT_EQ(m.fields().regC, 0) << "the call was skipped";
}

// The characters drawn red: whole register and flag entries, single bytes of the
// stack and dump, the value of an output port.
TEST_F(DebugSessionTest, ChangedSpansOfEveryList) {
    debug({"        MVI  A,5", "        OUT  3", "        STA  102H", "        LXI  H,0", "        PUSH H",
           "        HLT"});
    DebugSession session(m);
    auto port = [&](int i) { return outputPortRows(m, session.changes())[static_cast<std::size_t>(i)].changed; };
    session.step(0);
    EXPECT_EQ(registerRows(m, session.changes())[0].changed, (ChangedSpans{0, 10}));
    EXPECT_EQ(registerRows(m, session.changes())[1].changed, ChangedSpans{});
    EXPECT_EQ(port(3), ChangedSpans{});
    session.step(1);
    EXPECT_EQ(port(3), (ChangedSpans{7, 2}));
    EXPECT_EQ(port(2), ChangedSpans{});
    EXPECT_TRUE(inputPortRows(m)[3].changed.empty());
    session.step(2);
    EXPECT_EQ(port(3), ChangedSpans{}) << "only the last command's changes";
    const DebugRow dump = dumpRows(m, session.changes(), dumpRowOf(0x100), 1)[0];
    EXPECT_EQ(dump.text.substr(0, 4), "0100");
    EXPECT_EQ(dump.changed, (ChangedSpans{13, 2}));
    EXPECT_EQ(dump.text.substr(13, 2), "05");
    session.step(3);
    arrange(m)->memory[0x3FFC] = 0x77;  // the push writes 00 over it, the other cell stays 00
    session.step(4);
    const DebugRow stack = stackRows(m, session.changes(), kStackViewMax)[4];
    EXPECT_EQ(stack.text, "3FFC  00 00");
    EXPECT_EQ(stack.changed, (ChangedSpans{6, 2}));
    EXPECT_TRUE(flagRows(m, session.changes())[0].changed.empty());
}

// Beside each line: its number from 1, the address of its code and its typed comment.
TEST_F(DebugSessionTest, ProgramLineInfoNumbersAddressesAndComments) {
    std::vector<std::string> lines = {"; sum", "        ORG  20H", "START:  MVI  A,5 ; five", "N:      EQU  3", "L:",
                                      "        DB   'a;b' ; text", "        HLT"};
    for (int i = 0; i < 4; ++i) lines.push_back("        NOP");
    debug(lines);
    const std::vector<ProgramLineInfo> info = programLineInfo(m, m.fields().programLineCount + 1);
    ASSERT_EQ(info.size(), 12u);
    EXPECT_EQ(info[0].number, " 1");
    EXPECT_EQ(info[11].number, "12");
    EXPECT_EQ(info[0].comment, "; sum");
    EXPECT_EQ(info[2].comment, "; five");
    EXPECT_EQ(info[5].comment, "; text") << "a ';' inside quotes is text";
    const std::vector<std::string> addresses = {"", "", "0020", "", "", "0022", "0025", "0026",
                                                "0027", "0028", "0029", ""};
    for (std::size_t i = 0; i < info.size(); ++i) EXPECT_EQ(info[i].address, addresses[i]) << "line " << i + 1;
    EXPECT_EQ(programLineInfo(m, -3).size(), 0u);
}

}  // namespace
}  // namespace verdin
