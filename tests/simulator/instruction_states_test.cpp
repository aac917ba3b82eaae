// The states column: complete, in step with the instruction table, and read by the
// form a line actually has.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "isa/instruction_states.h"
#include "isa/instruction_table.h"

namespace verdin {
namespace {

TEST(InstructionStates, EveryInstructionHasItsFormsAndNothingElse) {
    std::set<std::string_view> instructions, timed;
    for (const Instruction& row : instructionTable()) {
        if (row.operands != OperandKind::Data && row.name != "END") instructions.insert(row.name);
    }
    std::string_view previous;
    for (const StateForm& f : stateForms()) {
        // The forms of one mnemonic stand together: the line lookup walks them so.
        if (f.mnemonic != previous) {
            EXPECT_TRUE(timed.insert(f.mnemonic).second) << f.mnemonic << " is split";
        }
        previous = f.mnemonic;
        for (const StateCount& c : {f.i8080, f.i8085}) {
            EXPECT_GE(c.notTaken, 4) << f.mnemonic << " " << f.form;
            EXPECT_GE(c.taken, c.notTaken) << f.mnemonic << " " << f.form;
        }
    }
    EXPECT_EQ(instructions.size(), 78u);
    EXPECT_EQ(timed, instructions);
    for (std::string_view directive : {"EQU", "DB", "DW", "DS", "ORG", "END", "}"}) {
        EXPECT_TRUE(stateFormsOf(directive).empty()) << directive;
        EXPECT_EQ(stateFormOfLine(directive, "1"), nullptr) << directive;
    }
}

// The counts of each form are summed by the golden programs of states.cases; here the
// operand shapes that choose between forms.
TEST(InstructionStates, ALineFindsTheFormItsOperandsName) {
    const std::pair<const char*, const char*> lines[][2] = {
        {{"MOV", "A,B"}, {"r,r", ""}}, {{"MOV", "A,M"}, {"r,M", ""}},   {{"MOV", "M,A"}, {"M,r", ""}},
        {{"MVI", "M,5"}, {"M,n", ""}}, {{"MVI", "B,'M'"}, {"r,n", ""}}, {{"INR", "M"}, {"M", ""}},
        {{"DCR", "B"}, {"r", ""}},     {{"PUSH", "PSW"}, {"PSW", ""}},  {{"POP", "SP"}, {"rp", ""}},
    };
    for (const auto& [line, expected] : lines) {
        const StateForm* f = stateFormOfLine(line.first, line.second);
        ASSERT_NE(f, nullptr) << line.first << " " << line.second;
        EXPECT_EQ(f->form, expected.first) << line.first << " " << line.second;
    }
    const std::vector<StateForm> calls = stateFormsOf("cnz");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].i8080.notTaken, 11);
    EXPECT_EQ(calls[0].i8080.taken, 17);
    EXPECT_EQ(calls[0].i8085.notTaken, 9);
    EXPECT_EQ(calls[0].i8085.taken, 18);
    EXPECT_EQ(stateFormsOf("Mov").size(), 3u);
}

}  // namespace
}  // namespace verdin
