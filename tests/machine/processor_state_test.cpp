// The processor state taken after some Steps and put back in one assignment lets the
// same Steps run again with the same results: what a Step back relies on.
#include <gtest/gtest.h>

#include <vector>

#include "arrange.h"
#include "support.h"

namespace verdin {
namespace {

// Calls and returns, stack pairs, an output port, memory stores and a store into the
// operand of a line above (which the Step's assembling of the lines above puts back).
const std::vector<std::string> kProgram = {
    "        MVI  B,3",
    "LOOP:   CALL BUMP",
    "        DCR  B",
    "        JNZ  LOOP",
    "        OUT  2",
    "        STA  2000H",
    "        LXI  H,PATCH",
    "        INX  H",
    "        MOV  M,A",
    "PATCH:  MVI  C,0",
    "        PUSH PSW",
    "        POP  D",
    "        IN   1",
    "        HLT",
    "BUMP:   INR  A",
    "        ADI  10H",
    "        RET",
};

struct StepResult {
    ProcessorState state;
    std::int32_t nextLine;
};

// Steps from `line` until the program halts or `limit` Steps were taken.
std::vector<StepResult> stepFrom(Machine& m, std::int32_t line, int limit) {
    std::vector<StepResult> results;
    for (int i = 0; i < limit && line >= 0 && line < kMaxProgramLines; ++i) {
        const bool halts = m.fields().programLines[static_cast<std::size_t>(line)].find("HLT") != std::string::npos;
        m.step(line);
        results.push_back({m.processorState(), m.fields().nextLine});
        if (m.fields().lastStatus != Ok || halts) break;
        line = m.fields().nextLine + 1;
    }
    return results;
}

TEST(ProcessorState, RestoredStateRunsTheSameStepsAgain) {
    testing::Bench bench;
    Machine& m = bench.machine;
    ASSERT_EQ(compileProgram(m, kProgram, {.stopAtEmptyLine = true, .showMessage = true}), -1) << bench.last();
    arrange(m)->inPorts[1] = 0x5A;

    const std::vector<StepResult> first = stepFrom(m, 0, 200);
    ASSERT_GT(first.size(), 20u);
    EXPECT_EQ(first.back().state.regA, 0x5A);
    EXPECT_EQ(first.back().state.outPorts[2], 0x33);
    EXPECT_EQ(first.back().state.memory[0x2000], 0x33);

    // Each saved point is restored and stepped on from; the state by then differs in
    // registers, memory and the call stack, so a restore that missed a part shows. The
    // last but three is the Step of PATCH, after which the next Step's assembling of the
    // lines above puts its operand back: only if the restore told the machine that
    // memory changed.
    for (std::size_t k : {std::size_t{1}, std::size_t{4}, std::size_t{9}, first.size() - 4}) {
        const StepResult& saved = first[k - 1];
        ASSERT_NE(m.processorState(), saved.state);
        m.restoreProcessorState(saved.state);
        EXPECT_EQ(m.processorState(), saved.state);
        const std::vector<StepResult> again = stepFrom(m, saved.nextLine + 1, 200);
        ASSERT_EQ(again.size(), first.size() - k) << "from step " << k;
        for (std::size_t i = 0; i < again.size(); ++i) {
            EXPECT_EQ(again[i].state, first[k + i].state) << "step " << k + i + 1;
            EXPECT_EQ(again[i].nextLine, first[k + i].nextLine) << "step " << k + i + 1;
        }
    }
}

TEST(ProcessorState, ResetLeavesTheStateOfANewMachine) {
    testing::Bench bench;
    Machine& m = bench.machine;
    ASSERT_EQ(bench.run(kProgram), -1) << bench.last();
    ASSERT_NE(m.processorState(), ProcessorState{});
    m.reset();
    EXPECT_EQ(m.processorState(), ProcessorState{});
}

}  // namespace
}  // namespace verdin
