// Runs that execute lines decoded once per compile must end exactly as runs that read
// every line's text again before running it.
#include <gtest/gtest.h>

#include <memory>

#include "support.h"

namespace verdin {
namespace {

using testing::Bench;

struct Way {
    bool decoded;
    bool prescanCache;
};

std::unique_ptr<Bench> runWay(const std::vector<std::string>& program, Way way, std::int64_t budget) {
    auto b = std::make_unique<Bench>();
    b->machine.useDecodedLines = way.decoded;
    b->machine.usePrescanCache = way.prescanCache;
    if (compileProgram(b->machine, program, true, true) != -1) return b;
    b->machine.resetRun();
    b->machine.lineBudget = budget;
    b->machine.run();
    return b;
}

void expectSameEnd(const Bench& reference, const Bench& other, const std::string& what) {
    SCOPED_TRACE(what);
    const Machine& r = reference.machine;
    const Machine& m = other.machine;
    EXPECT_EQ(m.memory, r.memory);
    EXPECT_EQ(m.outPorts, r.outPorts);
    for (auto field : {&Machine::regA, &Machine::regB, &Machine::regC, &Machine::regD, &Machine::regE,
                       &Machine::regH, &Machine::regL, &Machine::sp, &Machine::stopAddress, &Machine::currentLine,
                       &Machine::nextLine, &Machine::errorLine, &Machine::lastStatus, &Machine::callDepth,
                       &Machine::addressCounter}) {
        EXPECT_EQ(m.*field, r.*field);
    }
    EXPECT_EQ(m.composeFlags(), r.composeFlags());
    EXPECT_EQ(m.lineBudget, r.lineBudget);
    EXPECT_EQ(std::string(m.mnemonicText), std::string(r.mnemonicText));
    EXPECT_EQ(std::string(m.operandText), std::string(r.operandText));
    EXPECT_EQ(other.platform.messages, reference.platform.messages);
}

// The program rewrites the immediate of a line it runs later (STA 11 into MVI A), a
// cell that the prescan of every call writes back (STA 0 over MVI D's opcode) and a
// data cell; it jumps through PCHL and ends with HLT.
std::vector<std::string> selfModifying() {
    std::vector<std::string> program = {
        "        mvi  d,3",   // 0000
        "outer:  mvi  b,5",   // 0002
        "loop:   call far",   // 0004
        "        sta  11",    // 0007: into the immediate of the next line
        "        mvi  a,77",  // 000A: the prescan of the next call writes 77 back
        "        mov  e,a",
        "        push psw",
        "        pop  h",
        "        dcr  b",
        "        jnz  loop",
        "        dcr  d",
        "        jnz  outer",
        "        lxi  h,done",
        "        pchl",
        "        mvi  a,1",
        "done:   lda  count",
        "        out  3",
        "        hlt",
        "count:  db   0",
    };
    for (int i = 0; i < 40; ++i) program.push_back(i % 3 ? "        nop" : "        mvi  c,1");
    program.push_back("far:    lda  count");
    program.push_back("        inr  a");
    program.push_back("        sta  count");
    program.push_back("        sta  0");
    program.push_back("        ret");
    return program;
}

TEST(DecodedLines, RunEndsAsWhenEveryLineIsReadAgain) {
    struct Case {
        std::string name;
        std::vector<std::string> program;
        std::int64_t budget;
    };
    const std::vector<Case> cases = {
        {"self-modifying", selfModifying(), -1},
        {"ret without call", {"        mvi  a,5", "        ret"}, -1},
        {"stopped by the line budget", {"loop:   inr  b", "        dcr  c", "        jmp  loop"}, 1000},
        {"pchl where no line starts", {"        lxi  h,1", "        pchl"}, -1},
        {"closing brace", {"        mvi  c,2", "; a comment", "        }", "        inr  c"}, -1},
        {"stack below memory", {"        lxi  sp,2", "loop:   call loop"}, -1},
        {"port out of range", {"        mvi  a,9", "        out  16"}, -1},
    };
    for (const Case& c : cases) {
        auto reference = runWay(c.program, {false, false}, c.budget);
        ASSERT_GT(reference->machine.programLineCount, 0) << c.name << " does not compile";
        for (Way way : {Way{true, true}, Way{true, false}, Way{false, true}}) {
            auto other = runWay(c.program, way, c.budget);
            expectSameEnd(*reference, *other,
                          c.name + (way.decoded ? ", decoded" : ", read again") +
                              (way.prescanCache ? ", remembered prescan" : ", prescan line by line"));
        }
    }
    // What the run must have done, so that agreeing on a wrong result cannot pass.
    auto run = runWay(selfModifying(), {true, true}, -1);
    EXPECT_EQ(run->machine.regA, 15);
    EXPECT_EQ(run->machine.regE, 15) << "each MVI A ran with the value stored into it";
    EXPECT_EQ(run->machine.memory[11], 77) << "PCHL's search for its line wrote the immediate back";
    EXPECT_EQ(run->machine.outPorts[3], 15);
}

// Decoding happens once per compile: a second compile of another program in the same
// machine must not run the lines decoded for the first.
TEST(DecodedLines, ACompileForgetsTheLinesDecodedBefore) {
    Bench b;
    ASSERT_EQ(b.run({"        mvi  a,1", "        inr  a", "        hlt"}), -1);
    EXPECT_EQ(b.machine.regA, 2);
    ASSERT_EQ(b.run({"        mvi  b,7", "        dcr  b", "        dcr  b", "        hlt"}), -1);
    EXPECT_EQ(b.machine.regB, 5);
    EXPECT_EQ(b.machine.regA, 0);
}

}  // namespace
}  // namespace verdin
