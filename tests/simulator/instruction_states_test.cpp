// The states column read by the form a line actually has. That every instruction has
// its forms, and only those, the help's states tables check form by form.
#include <gtest/gtest.h>

#include <string>

#include "isa/instruction_states.h"

namespace verdin {
namespace {

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
    // Looked up whatever the case; the counts themselves are checked against the help.
    EXPECT_EQ(stateFormsOf("cnz").size(), 1u);
    EXPECT_EQ(stateFormsOf("Mov").size(), 3u);
    for (std::string_view directive : {"EQU", "DB", "DW", "DS", "ORG", "END", "}"}) {
        EXPECT_EQ(stateFormOfLine(directive, "1"), nullptr) << directive;
    }
}

}  // namespace
}  // namespace verdin
