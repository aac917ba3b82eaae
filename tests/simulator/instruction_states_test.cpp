// The states column: complete, in step with the instruction table, and read by the
// form a line actually has.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "simulator/instruction_states.h"
#include "simulator/instruction_table.h"

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

TEST(InstructionStates, ALineFindsTheFormItsOperandsName) {
    struct Case {
        const char* mnemonic;
        const char* operand;
        const char* form;
        int i8080, i8085;
    };
    const Case cases[] = {
        {"MOV", "A,B", "r,r", 5, 4},      {"MOV", "A,M", "r,M", 7, 7},   {"MOV", "M,A", "M,r", 7, 7},
        {"MVI", "M,5", "M,n", 10, 10},    {"MVI", "B,'M'", "r,n", 7, 7}, {"INR", "M", "M", 10, 10},
        {"DCR", "B", "r", 5, 4},          {"ADD", "M", "M", 7, 7},       {"CMP", "H", "r", 4, 4},
        {"PUSH", "PSW", "PSW", 11, 12},   {"PUSH", "B", "rp", 11, 12},   {"INX", "SP", "rp", 5, 6},
        {"XTHL", "", "", 18, 16},         {"HLT", "", "", 7, 5},         {"RST", "7", "n", 11, 12},
    };
    for (const Case& c : cases) {
        const StateForm* f = stateFormOfLine(c.mnemonic, c.operand);
        ASSERT_NE(f, nullptr) << c.mnemonic << " " << c.operand;
        EXPECT_EQ(f->form, c.form) << c.mnemonic << " " << c.operand;
        EXPECT_EQ(statesUnder(*f, Timing::Intel8080).taken, c.i8080) << c.mnemonic << " " << c.operand;
        EXPECT_EQ(statesUnder(*f, Timing::Intel8085).taken, c.i8085) << c.mnemonic << " " << c.operand;
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
