// A debug session driven in slices, as the browser page drives it: pause() ends a walk
// between two lines, an RST 7 without an answer ends it on its own line, and resume()
// goes on. The machine must end exactly as an uninterrupted command leaves it.
#include <deque>

#include <gtest/gtest.h>

#include "debugger/debug_session.h"
#include "debugger/step_history.h"
#include "services/services.h"
#include "shell/commands.h"

namespace verdin {
namespace {

// Answers "Input value" only once an answer has been queued; pauses the session at
// every pump when asked to.
class SlicedPlatform : public HeadlessPlatform {
public:
    std::deque<std::string> answers;
    DebugSession* pauseAtPump = nullptr;
    Machine* machine = nullptr;
    int pumps = 0;

    bool inputReady(const ValueRequest&) override { return !answers.empty(); }
    std::optional<std::string> inputValue(const ValueRequest&) override {
        if (answers.empty()) return std::nullopt;
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void pumpEvents() override {
        ++pumps;
        // Every 1024 lines rather than every 15 ms, so that a short run pauses often.
        machine->pumpAtNextCheck();
        if (pauseAtPump != nullptr) pauseAtPump->pause();
    }
};

struct SlicedBench {
    SlicedPlatform platform;
    Machine machine{platform};
    SlicedBench() { platform.machine = &machine; }
    void debug(const std::vector<std::string>& lines) {
        ASSERT_EQ(compileProgram(machine, lines, {.stopAtEmptyLine = true}), -1) << platform.lastMessage();
        machine.pumpAtNextCheck();
    }
};

// Adds 1 to a DB cell above the loop 5000 times: resuming by assembling the lines above
// again would write the cell's 5 back.
const std::vector<std::string> kCounter = {
    "        JMP  START",   // 0
    "DATA:   DB   5",       // 1
    "START:  LXI  H,DATA",  // 2
    "        LXI  B,5000",  // 3
    "LOOP:   INR  M",       // 4
    "        DCX  B",       // 5
    "        MOV  A,B",     // 6
    "        ORA  C",       // 7
    "        JNZ  LOOP",    // 8
    "        HLT",          // 9
};

TEST(SuspendedSessionTest, ARunInSlicesEndsAsOneRunAndSaysTheSame) {
    SlicedBench whole;
    whole.debug(kCounter);
    DebugSession wholeSession(whole.machine);
    wholeSession.run();
    ASSERT_FALSE(wholeSession.suspended());
    EXPECT_EQ(whole.machine.fields().memory[3], (5 + 5000) % 256);

    SlicedBench sliced;
    sliced.debug(kCounter);
    DebugSession session(sliced.machine);
    sliced.platform.pauseAtPump = &session;
    session.run();
    int slices = 1;
    while (session.suspended()) {
        EXPECT_FALSE(session.waitingForInput());
        EXPECT_EQ(sliced.machine.fields().lastStatus, Breakpoint);
        session.resume();
        ++slices;
    }
    EXPECT_GT(slices, 10);
    EXPECT_EQ(sliced.machine.fields().memory, whole.machine.fields().memory);
    EXPECT_EQ(sliced.machine.fields().regA, whole.machine.fields().regA);
    EXPECT_EQ(sliced.machine.composeFlags(), whole.machine.composeFlags());
    EXPECT_EQ(sliced.machine.fields().stopAddress, whole.machine.fields().stopAddress);
    EXPECT_EQ(sliced.machine.fields().states, whole.machine.fields().states);
    EXPECT_EQ(sliced.machine.fields().lastStatus, whole.machine.fields().lastStatus);
    EXPECT_EQ(session.statusText(), wholeSession.statusText());
    EXPECT_EQ(sliced.platform.messages, whole.platform.messages);
    EXPECT_TRUE(session.changes().cellChanged(3)) << "changes span the whole Run, not its last slice";
    EXPECT_FALSE(session.paused());
}

TEST(SuspendedSessionTest, StopBetweenSlicesEndsTheRunWithItsMessage) {
    SlicedBench sliced;
    sliced.debug(kCounter);
    DebugSession session(sliced.machine);
    sliced.platform.pauseAtPump = &session;
    session.run();
    ASSERT_TRUE(session.suspended());
    session.stop();
    session.resume();
    EXPECT_FALSE(session.suspended());
    EXPECT_EQ(sliced.machine.fields().lastStatus, Interrupted);
    EXPECT_EQ(sliced.platform.lastMessage(), "Information: Program interrupted by user");
}

// Two texts read by RST 7 into 100H and 110H.
const std::vector<std::string> kTwoQuestions = {
    "        MVI  A,0",     // 0
    "        MVI  B,1",     // 1
    "        LXI  H,100H",  // 2
    "        RST  7",       // 3
    "        LXI  H,110H",  // 4
    "        RST  7",       // 5
    "        HLT",          // 6
};

std::string textAt(const Machine& m, int address) {
    std::string text;
    while (m.fields().memory[static_cast<std::size_t>(address)] != 0) text += static_cast<char>(m.fields().memory[static_cast<std::size_t>(address++)]);
    return text;
}

TEST(SuspendedSessionTest, RunWaitsOnTheRstLineForEachAnswerAndPassesABreakpointOnce) {
    SlicedBench bench;
    bench.debug(kTwoQuestions);
    DebugSession session(bench.machine);
    session.toggleBreakpoint(5);
    session.run();
    ASSERT_TRUE(session.waitingForInput());
    EXPECT_EQ(bench.machine.fields().stopAddress, 7) << "PC stays on the RST";
    EXPECT_EQ(bench.machine.fields().currentLine, 3);
    EXPECT_TRUE(bench.platform.messages.empty());

    bench.platform.answers.push_back("one");
    session.resume();
    // The breakpoint on the second RST stops the run first, as without waiting.
    ASSERT_FALSE(session.suspended());
    EXPECT_TRUE(session.paused());
    EXPECT_EQ(session.selectedLine(), 5);
    EXPECT_EQ(textAt(bench.machine, 0x100), "one");

    session.run();
    ASSERT_TRUE(session.waitingForInput()) << "the breakpoint is passed, the RST asks";
    bench.platform.answers.push_back("two");
    session.resume();
    EXPECT_FALSE(session.suspended());
    EXPECT_EQ(bench.machine.fields().lastStatus, Interrupted) << "HLT";
    EXPECT_EQ(textAt(bench.machine, 0x110), "two");
    EXPECT_EQ(servicesOf(bench.machine).fields().inputText, "two");
}

TEST(SuspendedSessionTest, StepOnAnRstWaitsThenRunsTheLineOnce) {
    SlicedBench bench;
    bench.debug(kTwoQuestions);
    DebugSession session(bench.machine);
    for (int line = 0; line < 3; ++line) session.step(line);
    session.step(3);
    ASSERT_TRUE(session.waitingForInput());
    const std::int64_t statesBefore = bench.machine.fields().states;
    bench.platform.answers.push_back("abc");
    session.resume();
    EXPECT_FALSE(session.suspended());
    EXPECT_EQ(textAt(bench.machine, 0x100), "abc");
    EXPECT_EQ(session.selectedLine(), 4);
    EXPECT_EQ(session.statusText(), "Step ran line 4; line 5 runs next. (lines counted from 1)");
    EXPECT_GT(bench.machine.fields().states, statesBefore) << "the RST's states count once, when it runs";
    EXPECT_EQ(bench.machine.fields().stopAddress, 8);
}

// A loop of many slices, a question, and a short loop: a recorded Run is suspended
// both ways, and its last lines cross the RST going back.
const std::vector<std::string> kLoopAroundAQuestion = {
    "        LXI  B,3000",  // 0
    "LOOP1:  DCX  B",       // 1
    "        MOV  A,B",     // 2
    "        ORA  C",       // 3
    "        JNZ  LOOP1",   // 4
    "        MVI  B,1",     // 5
    "        LXI  H,100H",  // 6
    "        RST  7",       // 7
    "        LXI  B,3",     // 8
    "LOOP2:  DCX  B",       // 9
    "        MOV  A,B",     // 10
    "        ORA  C",       // 11
    "        JNZ  LOOP2",   // 12
    "        HLT",          // 13
};

struct Recorded {
    SlicedBench bench;
    DebugSession session{bench.machine};
    StepHistory history{session, bench.machine};
    explicit Recorded(const std::vector<std::string>& lines) { bench.debug(lines); }
};

TEST(SuspendedSessionTest, ARecordedRunInSlicesIsTakenBackAsTheWholeRunIs) {
    Recorded whole(kLoopAroundAQuestion);
    whole.bench.platform.answers.push_back("42");
    whole.history.run();
    ASSERT_FALSE(whole.session.suspended());

    Recorded sliced(kLoopAroundAQuestion);
    sliced.bench.platform.pauseAtPump = &sliced.session;
    sliced.history.run();
    int slices = 1;
    bool asked = false;
    while (sliced.session.suspended()) {
        EXPECT_FALSE(sliced.history.canStepBack()) << "nothing is recorded before the Run ends";
        if (sliced.session.waitingForInput()) {
            asked = true;
            sliced.bench.platform.answers.push_back("42");
        }
        sliced.history.resume();
        ++slices;
    }
    EXPECT_TRUE(asked);
    EXPECT_GT(slices, 5);
    ASSERT_TRUE(sliced.history.canStepBack());
    // The RST that waited ran twice but is one line of the Run.
    EXPECT_EQ(sliced.history.lineCount(), whole.history.lineCount());

    // Back over the short loop and across the RST, answered from what was typed.
    for (int back = 1; back <= 20; ++back) {
        ASSERT_TRUE(whole.history.stepBack()) << whole.history.refusal();
        ASSERT_TRUE(sliced.history.stepBack()) << sliced.history.refusal();
        const std::string where = "back " + std::to_string(back);
        EXPECT_TRUE(sliced.bench.machine.processorState() == whole.bench.machine.processorState()) << where;
        EXPECT_EQ(sliced.bench.machine.fields().states, whole.bench.machine.fields().states) << where;
        EXPECT_EQ(sliced.session.selectedLine(), whole.session.selectedLine()) << where;
        EXPECT_EQ(sliced.bench.machine.services().screenState(), whole.bench.machine.services().screenState()) << where;
    }
    EXPECT_LT(sliced.session.selectedLine(), 7) << "the last Step back went before the RST";
    EXPECT_EQ(textAt(sliced.bench.machine, 0x100), "");
}

TEST(SuspendedSessionTest, ARecordedStepThatWaitsIsTakenBackWhole) {
    Recorded r(kTwoQuestions);
    for (int line = 0; line < 3; ++line) r.history.step(line);
    const ProcessorState before = r.bench.machine.processorState();
    r.history.step(3);
    ASSERT_TRUE(r.session.waitingForInput());
    EXPECT_FALSE(r.history.stepBack()) << "the waiting Step goes on first";
    r.bench.platform.answers.push_back("abc");
    r.history.resume();
    ASSERT_FALSE(r.session.suspended());
    EXPECT_EQ(textAt(r.bench.machine, 0x100), "abc");
    ASSERT_TRUE(r.history.stepBack()) << r.history.refusal();
    EXPECT_TRUE(r.bench.machine.processorState() == before);
    EXPECT_EQ(r.session.selectedLine(), 3);
    EXPECT_EQ(r.history.lineCount(), 3);
}

}  // namespace
}  // namespace verdin
