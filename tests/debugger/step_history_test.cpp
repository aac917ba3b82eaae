// Step back: K commands then J steps back must leave the machine exactly as K - J
// commands leave it, for random programs over the whole instruction set under both
// rule sets; lines that reached outside the machine are refused with their line.
#include <gtest/gtest.h>

#include "debugger/step_history.h"
#include "random_program.h"
#include "support.h"

namespace verdin {
namespace {

struct Debugged {
    testing::Bench bench;
    Machine& m = bench.machine;
    std::unique_ptr<DebugSession> session;
    std::unique_ptr<StepHistory> history;

    Debugged(const std::vector<std::string>& lines, ArithmeticRules rules, std::size_t budget = StepHistory::kDefaultBudget) {
        m.setArithmeticRules(rules);
        EXPECT_EQ(compileProgram(m, lines, {.stopAtEmptyLine = true}), -1) << bench.last();
        session = std::make_unique<DebugSession>(m);
        history = std::make_unique<StepHistory>(*session, m, budget);
    }
    // Steps (every third one a Step over, every fifth a Step out) until `count` or the end.
    int steps(int count) {
        int taken = 0;
        for (; taken < count; ++taken) {
            const int line = session->selectedLine();
            if (line >= m.fields().programLineCount) break;
            // A random loop may never return: Stop ends Step over and Step out after 300 lines.
            m.setLineBudget(300);
            if (taken % 3 == 2) history->stepOver(line);
            else if (taken % 5 == 4) history->stepOut(line);
            else history->step(line);
            m.setLineBudget(-1);
        }
        return taken;
    }
};

// Everything the window lists, compared at once.
void expectSame(const Debugged& a, const Debugged& b, const std::string& where) {
    EXPECT_TRUE(a.m.processorState() == b.m.processorState()) << where;
    EXPECT_EQ(a.m.fields().regA, b.m.fields().regA) << where;
    EXPECT_EQ(a.m.fields().sp, b.m.fields().sp) << where;
    EXPECT_EQ(a.m.fields().stopAddress, b.m.fields().stopAddress) << where;
    EXPECT_EQ(a.m.services().screenLines(), b.m.services().screenLines()) << where;
    EXPECT_EQ(a.m.services().screenShown(), b.m.services().screenShown()) << where;
    EXPECT_EQ(a.m.fields().states, b.m.fields().states) << where;
    EXPECT_EQ(a.m.services().screenState().inputText, b.m.services().screenState().inputText) << where;
    EXPECT_EQ(a.session->selectedLine(), b.session->selectedLine()) << where;
}

TEST(StepHistoryTest, KStepsThenJBackEqualKMinusJStepsOnRandomPrograms) {
    int compared = 0;
    for (ArithmeticRules rules : {ArithmeticRules::Workbench, ArithmeticRules::Intel8080}) {
        for (unsigned seed = 0; seed < 60; ++seed) {
            const std::vector<std::string> lines = testing::RandomProgram(seed * 7 + 3, 30).make();
            Debugged forward(lines, rules);
            const int k = forward.steps(12);
            const int j = static_cast<int>(seed % static_cast<unsigned>(k + 1));
            for (int i = 0; i < j; ++i) ASSERT_TRUE(forward.history->stepBack()) << forward.history->refusal();
            Debugged shorter(lines, rules);
            ASSERT_EQ(shorter.steps(k - j), k - j);
            expectSame(forward, shorter, "seed " + std::to_string(seed) + ", " + std::to_string(k) + " back " +
                                             std::to_string(j));
            ++compared;
        }
    }
    EXPECT_EQ(compared, 120);
}

// A Run taken back line by line is run again up to one line fewer: it must end where a
// Run of that many lines ends, crossing its resetRun at the start too.
TEST(StepHistoryTest, LinesOfARunAreTakenBackOneByOne) {
    for (ArithmeticRules rules : {ArithmeticRules::Workbench, ArithmeticRules::Intel8080}) {
        for (unsigned seed = 0; seed < 30; ++seed) {
            const std::vector<std::string> lines = testing::RandomProgram(seed * 11 + 5, 30).make();
            Debugged forward(lines, rules);
            forward.steps(2);
            const ProcessorState beforeRun = forward.m.processorState();
            forward.m.setLineBudget(40);
            forward.history->run();
            forward.m.setLineBudget(-1);
            const std::int64_t ran = forward.history->lineCount() - 3;
            for (std::int64_t back = 1; back <= ran && back <= 6; ++back) {
                ASSERT_TRUE(forward.history->stepBack());
                Debugged shorter(lines, rules);
                shorter.steps(2);
                shorter.m.setLineBudget(ran - back);
                shorter.session->run();
                EXPECT_TRUE(forward.m.processorState() == shorter.m.processorState())
                    << "seed " << seed << " back " << back;
                EXPECT_EQ(forward.m.fields().states, shorter.m.fields().states);
            }
            while (forward.history->lineCount() > 2) ASSERT_TRUE(forward.history->stepBack());
            EXPECT_TRUE(forward.m.processorState() == beforeRun) << "seed " << seed;
        }
    }
}

// A long Run keeps replay points when the window handles its events (here after every
// 1024 lines), at most kMaxReplayPoints of them; its lines taken back from the nearest
// point must end where a Run of that many lines ends, its text screen included.
TEST(StepHistoryTest, ALongRunIsTakenBackFromItsNearestReplayPoint) {
    const std::vector<std::string> lines = {"  MVI D,100", "  LXI H,T", "O:  MVI E,250", "I:  DCR E", "  JNZ I",
                                            "  MVI B,0",   "  MVI A,0", "  RST 7",       "  DCR D",   "  JNZ O",
                                            "  HLT",       "T:  DB '.',0"};
    for (std::int64_t spacing : {std::int64_t{4000}, std::int64_t{1000}}) {
        Debugged forward(lines, ArithmeticRules::Workbench);
        forward.history->setReplayPointLines(spacing);
        forward.bench.platform.onPump = [&] { forward.m.pumpAtNextCheck(); };
        forward.m.pumpAtNextCheck();
        forward.history->run();
        forward.bench.platform.onPump = nullptr;
        const std::int64_t ran = forward.history->lineCount() - 1;
        ASSERT_EQ(ran, 2 + 100 * (1 + 250 * 2 + 5) + 1);
        // 49 pumps. 4000: a point every fourth pump. 1000: one every pump; the 33rd keeps
        // every other one of the 32 and doubles the spacing, so 17 points, then 8 more
        // on pumps 35 to 49.
        EXPECT_EQ(forward.history->replayPoints(), spacing == 1000 ? 25u : 12u);
        for (std::int64_t back : {1, 2, 3}) {
            ASSERT_TRUE(forward.history->stepBack()) << forward.history->refusal();
            Debugged shorter(lines, ArithmeticRules::Workbench);
            shorter.m.setLineBudget(ran - back);
            shorter.session->run();
            expectSame(forward, shorter, "spacing " + std::to_string(spacing) + ", back " + std::to_string(back));
        }
    }
}

TEST(StepHistoryTest, HostFileLinesEndTheHistoryAndSayWhich) {
    const std::vector<std::string> lines = {"  MVI A,1", "  MVI B,99", "  RST 6", "  MVI C,2", "  MVI D,3", "  HLT"};
    Debugged d(lines, ArithmeticRules::Workbench);
    EXPECT_FALSE(d.history->canStepBack());
    EXPECT_FALSE(d.history->stepBack());
    d.steps(5);
    EXPECT_TRUE(d.history->stepBack());  // MVI D
    EXPECT_TRUE(d.history->stepBack());  // MVI C
    EXPECT_EQ(d.m.fields().regC, 0);
    EXPECT_EQ(d.session->selectedLine(), 3);
    EXPECT_FALSE(d.history->stepBack());
    EXPECT_NE(d.history->refusal().find("line 3"), std::string::npos) << d.history->refusal();
    EXPECT_EQ(d.session->selectedLine(), 3);
}

// Inside a Run, the lines after the last host-file line are taken back from the state
// just after it (running the Run again from its start would use the file again); that
// line itself is refused with its number.
TEST(StepHistoryTest, ARunsLinesAfterItsLastHostFileLineAreTakenBack) {
    const std::vector<std::string> lines = {"  MVI E,3", "L:  MVI A,1", "  MVI B,99", "  RST 6",
                                            "  INR C",   "  DCR E",   "  JNZ L",     "  HLT"};
    Debugged forward(lines, ArithmeticRules::Workbench);
    forward.history->run();
    const std::int64_t ran = forward.history->lineCount() - 1;
    ASSERT_EQ(ran, 1 + 3 * 6 + 1);
    // The last RST 6 is the 16th line run; the four after it go back.
    for (std::int64_t back = 1; back <= 4; ++back) {
        ASSERT_TRUE(forward.history->stepBack()) << forward.history->refusal();
        Debugged shorter(lines, ArithmeticRules::Workbench);
        shorter.m.setLineBudget(ran - back);
        shorter.session->run();
        EXPECT_TRUE(forward.m.processorState() == shorter.m.processorState()) << "back " << back;
        EXPECT_EQ(forward.m.fields().states, shorter.m.fields().states) << "back " << back;
        EXPECT_EQ(forward.session->selectedLine(), shorter.m.fields().currentLine + 1) << "back " << back;
    }
    EXPECT_EQ(forward.m.fields().regC, 2);
    EXPECT_FALSE(forward.history->stepBack());
    EXPECT_NE(forward.history->refusal().find("line 4"), std::string::npos) << forward.history->refusal();
    EXPECT_EQ(forward.m.fields().regC, 2);
}

// Answers the "Input value" box from a list, counting the questions.
struct Answering : HeadlessPlatform {
    std::vector<std::string> answers;
    std::size_t asked = 0;
    std::optional<std::string> inputValue(const ValueRequest&) override {
        return asked < answers.size() ? std::optional<std::string>(answers[asked++]) : std::nullopt;
    }
};

// A line that read a typed value goes back like any other: a Step asks again going
// forward, while a Run's lines are replayed with the values typed during it.
TEST(StepHistoryTest, TypedValuesAreTakenBackAndAskedAgain) {
    const std::vector<std::string> lines = {"  MVI A,0", "  MVI B,1", "  LXI H,100H", "  RST 7", "  INR C", "  HLT"};
    Debugged d(lines, ArithmeticRules::Workbench);
    Answering typing;
    typing.answers = {"one", "two", "three"};
    d.m.setOwnerWindow(&typing);
    d.steps(5);
    EXPECT_EQ(d.m.fields().memory[0x100], 'o');
    ASSERT_TRUE(d.history->stepBack());
    ASSERT_TRUE(d.history->stepBack());
    EXPECT_EQ(d.m.fields().memory[0x100], 0);
    EXPECT_EQ(d.session->selectedLine(), 3);
    d.history->step(3);
    EXPECT_EQ(typing.asked, 2u);
    EXPECT_EQ(d.m.fields().memory[0x100], 't');
    EXPECT_EQ(d.m.fields().memory[0x101], 'w');

    Debugged run(lines, ArithmeticRules::Workbench);
    run.m.setOwnerWindow(&typing);
    run.history->run();
    EXPECT_EQ(typing.asked, 3u);
    ASSERT_TRUE(run.history->stepBack());  // HLT
    ASSERT_TRUE(run.history->stepBack());  // INR C
    EXPECT_EQ(typing.asked, 3u);           // replayed with "three", asking no one
    EXPECT_EQ(run.m.fields().memory[0x100], 't');
    EXPECT_EQ(run.m.fields().memory[0x102], 'r');
    EXPECT_EQ(run.m.fields().regC, 0);
}

TEST(StepHistoryTest, StepOutLeavesTheSubroutineAtItsCallersNextLine) {
    const std::vector<std::string> lines = {"  MVI B,1",  "  CALL SUB", "  MVI C,7", "  HLT",
                                            "SUB: INR A", "  CALL IN", "  INR A",    "  RET", "IN: RET"};
    Debugged d(lines, ArithmeticRules::Workbench);
    d.history->step(0);
    d.history->step(1);
    d.history->step(d.session->selectedLine());  // INR A, inside SUB
    d.history->stepOut(d.session->selectedLine());
    EXPECT_EQ(d.session->selectedLine(), 2);
    EXPECT_EQ(d.session->statusText(), "Step out: the subroutine returned; line 3 runs next. (lines counted from 1)");
    EXPECT_EQ(d.m.fields().callDepth, -1);
    EXPECT_EQ(d.m.fields().regA, 2);
    d.history->stepOut(2);  // outside every subroutine it is Step
    EXPECT_EQ(d.m.fields().regC, 7);
    EXPECT_TRUE(d.history->stepBack());
    EXPECT_TRUE(d.history->stepBack());
    EXPECT_EQ(d.session->selectedLine(), 5);
    EXPECT_EQ(d.m.fields().regA, 1);
}

TEST(StepHistoryTest, TheOldestRecordsGoWhenTheBudgetIsSpent) {
    const std::vector<std::string> lines = {"L: INR A", "  STA 1000H", "  JMP L"};
    Debugged d(lines, ArithmeticRules::Workbench, 4000);
    d.steps(300);
    EXPECT_LE(d.history->bytes(), 4000u);
    EXPECT_GT(d.history->lineCount(), 5);
    EXPECT_LT(d.history->lineCount(), 300);
    Debugged big(lines, ArithmeticRules::Workbench);
    big.steps(10000);
    EXPECT_EQ(big.history->lineCount(), 10000);
    EXPECT_LE(big.history->bytes(), StepHistory::kDefaultBudget);
}

}  // namespace
}  // namespace verdin
