// Every kind of hint on a small program: the message line stays exactly as it was,
// and the hint under it names the text that caused it and the fix.
#include <gtest/gtest.h>

#include "support.h"

namespace verdin {
namespace {

using testing::Bench;

struct Case {
    const char* name;
    std::vector<std::string> lines;
    const char* message;
    const char* hint;
};

void expectHint(const Case& c, bool run) {
    SCOPED_TRACE(c.name);
    Bench b;
    if (run) b.run(c.lines);
    else b.compile(c.lines);
    ASSERT_FALSE(b.platform.messages.empty());
    const Message& shown = b.platform.messages.back();
    EXPECT_EQ(formatMessageLine(shown), c.message);
    EXPECT_EQ(shown.hint, c.hint);
}

const char* const kOperand =
    ". Here are the most likely causes of this error message: 1) Invalid symbol in operand description; 2) The "
    "value of operand is out of range.";
const char* const kRegister =
    ". Invalid symbol in registers name or this register can not be used in this command. The valid names of "
    "registers are: a,b,c,d,e,h,l,m or A,B,C,D,E,H,L,M";
const char* const kUndefined =
    ". The label with this name was not declared at the labels field or its name is more than 6 characters.";
const char* const kMemory = ". The maximum size of memory, available for using is 16384 bytes";

std::string with(const char* text, const char* explanation) { return std::string(text) + explanation; }

TEST(Hints, TheEndOfTheProgramIsNamedWhereLinesFollowIt) {
    expectHint({"an empty line between instructions",
                {" mvi a,1", " sta 2000h", "", " ; the rest", " mvi b,2", " hlt"},
                "Information: Compile successful 5 byte(s)",
                "The program ends at the empty line 3: the 2 lines after it were not compiled. Delete the empty "
                "lines between instructions, or put ; on them."},
               false);
    expectHint({"a closing brace", {" nop", " }", " hlt"}, "Information: Compile successful 1 byte(s)",
                "The program ends at the \"}\" on line 2: the 1 line after it was not compiled. Delete that line "
                "if the program goes on."},
               false);
    expectHint({"an empty first line", {"", " mvi a,1", " hlt"}, "Error: There is no program!!!",
                "The program ends at the empty line 1: the 2 lines after it were not compiled. Delete the empty "
                "lines between instructions, or put ; on them."},
               false);
    expectHint({"a label declared after the end",
                {" jmp done", "", "done: hlt"},
                ("Error: Label <DONE> was not defined" + std::string(kUndefined)).c_str(),
                "Label DONE is declared on line 3, after the end of the program at the empty line 2. Delete the "
                "empty lines between instructions, or put ; on them."},
               false);
}

TEST(Hints, NothingIsAddedWhereNothingIsWrong) {
    Bench b;
    b.compile({" mvi a,1", " hlt", "", ""});
    ASSERT_EQ(b.platform.messages.size(), 1u);
    EXPECT_EQ(b.platform.messages[0].hint, "");
    b.compile({" mvi a,300"});
    EXPECT_EQ(b.platform.messages.back().hint, "");
}

TEST(Hints, ForeignWritingIsNamedWithItsFix) {
    const std::string command = "Error: Invalid command at string 1. CPU command was typed with an error.";
    const std::string operand2 = "Error: " + with("Invalid operand at string 2", kOperand);
    const std::vector<std::pair<Case, std::string>> cases = {
        {{"long label", {"counter: mvi a,1", " hlt"}, "",
          "The label \"counter\" has 7 characters; a label has at most 6. Shorten it here and wherever it is used."},
         command},
        {{"long label alone on its line", {" jmp counter", "counter:", " nop"}, "",
          "The label \"counter\" on line 2 has 7 characters; a label has at most 6. Shorten it there and "
          "wherever it is used."},
         "Error: " + with("Label <COUNTER> was not defined", kUndefined)},
        {{"hexadecimal from a letter", {" nop", " lxi h,FFFFH"}, "",
          "\"FFFFH\" starts with a letter, so it is read as a label: write \"0FFFFH\" for the number."},
         "Error: " + with("Label <FFFFH> was not defined", kUndefined)},
        {{"C notation", {" nop", " mvi a,0x1F"}, "", "\"0x1F\" is written \"1FH\" here: hexadecimal numbers end in H."},
         operand2},
        {{"double zero", {" nop", " mvi a,00"}, "", "Zero is written \"0\" here, not \"00\"."}, operand2},
        {{"hexadecimal without H", {" nop", " mvi a,3E"}, "",
          "\"3E\" has letters, so it is no decimal number: a hexadecimal number ends in H, write \"3EH\"."},
         operand2},
        {{"slashes", {" nop", " mvi a,1 // one"}, "",
          "Comments start with ; here, not with \"//\": write ; in place of //."},
         operand2},
        {{"hash ORG", {"# ORG 2000H", " nop"}, "",
          "\"# ORG\" is a directive of another assembler: write ORG without \"#\" (one ORG, before the first "
          "instruction), or put ; in front of the line."},
         command},
        {{"dot org", {".org 2000h", " nop"}, "",
          "\".ORG\" is a directive of another assembler: write ORG without \".\" (one ORG, before the first "
          "instruction), or put ; in front of the line."},
         command},
        {{"cpu", {"cpu 8085", " nop"}, "",
          "\"CPU\" is a directive of another assembler, not needed here: put ; in front of the line."},
         command},
        {{"SET", {"count set 5", " nop"}, "",
          "SET is not a directive here; a name gets one value with EQU: write \"COUNT: EQU 5\"."},
         command},
        {{"EQU without colon", {"count equ 5", " nop"}, "",
          "A name declared with EQU needs a colon: write \"COUNT: EQU 5\"."},
         command},
        {{"RIM", {" rim"}, "",
          "RIM is an 8085 instruction, not an 8080 one: this machine has no interrupt mask or serial line. "
          "Delete the line or put ; in front of it."},
         command},
        {{"numeric target", {" nop", " call 0005h"}, "",
          "A jump or call target is a label, so \"0005H\" cannot be used: put a label on the line to go to. A "
          "trainer kit's ROM routines are not here: the RST services replace its display and keyboard."},
         "Error: " + with("Label <0005H> was not defined", kUndefined)},
        {{"sum as address", {"table: db 1", " lda table+1"}, "",
          "\"TABLE+1\" is no label: an operand is a label or a number, never a sum. Put a label on the cell "
          "itself, or write its address as a number."},
         "Error: " + with("Label <TABLE+1> was not defined", kUndefined)},
        {{"EQU name as a byte", {"count: equ 5", " mvi c,count"}, "",
          "\"count\" is a name declared with EQU, and an 8-bit operand takes a number: write \"5\" here."},
         operand2},
        {{"pair name of another notation", {" nop", " lxi hl,2000h"}, "",
          "LXI accepts B, D, H and SP (for BC, DE, HL and SP); \"hl\" is not one of them."},
         "Error: " + with("Invalid register at string 2", kRegister)},
        {{"register of LDAX", {" nop", " ldax h"}, "",
          "LDAX accepts B and D (for BC and DE); \"h\" is not one of them."},
         "Error: " + with("Invalid register at string 2", kRegister)},
        {{"register of MOV", {" nop", " mov a,x"}, "",
          "MOV accepts A, B, C, D, E, H, L and M (but not M,M); \"x\" is not one of them."},
         "Error: " + with("Invalid register at string 2", kRegister)},
    };
    for (const auto& [c, message] : cases) {
        Case full = c;
        full.message = message.c_str();
        expectHint(full, false);
    }
}

TEST(Hints, RunTimeFaultsNameTheAddressAndTheMissingHlt) {
    expectHint({"an address above memory", {" mvi a,1", " sta 8000h", " hlt"},
                ("Error: Out of memory at string 1" + std::string(kMemory)).c_str(),
                "The address 8000H is outside memory. Memory holds the cells 0000H to 3FFFH only. Use an address "
                "in that range, such as 2000H for data."},
               true);
    expectHint({"a stack above memory", {" lxi sp,8000h", " push b", " hlt"},
                ("Error: Out of memory at string 0" + std::string(kMemory)).c_str(),
                "The stack pointer 8000H leaves no room for the stack: it must lie between 0002H and 3FFEH. Leave "
                "SP at 3FFEH, where it starts, or load a lower address with LXI SP."},
               true);
    expectHint({"HL above memory", {" lxi h,9000h", " mov a,m", " hlt"},
                ("Error: Out of memory at string 1" + std::string(kMemory)).c_str(),
                "HL holds 9000H, which is outside memory. Memory holds the cells 0000H to 3FFFH only."},
               true);
    expectHint({"RST 1 as the end", {" call sub", " rst 1", "sub: inr a", " ret"},
                "Error: Ret without Call at string 3. The stack of return addresses is empty",
                "RST 1 at string 1 does nothing here, so the program ran on past it. HLT ends a program."},
               true);
}

TEST(Hints, RstOneInTheMiddleOfAProgramIsNotBlamed) {
    Bench b;
    b.run({" rst 1", " lxi h,9000h", " mov a,m", " hlt"});
    ASSERT_FALSE(b.platform.messages.empty());
    EXPECT_EQ(b.platform.messages.back().hint,
              "HL holds 9000H, which is outside memory. Memory holds the cells 0000H to 3FFFH only.");
}

}  // namespace
}  // namespace verdin
