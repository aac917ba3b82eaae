// The table of messages: every code has its text and its help section, and a hint
// or a help page follows the code, never the wording. The texts themselves are
// proven by the transcripts (tests/golden).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "diagnostics/diagnostics.h"
#include "help/help_pages.h"
#include "help/markdown.h"
#include "machine/hints.h"
#include "machine/machine.h"
#include "shell/commands.h"

namespace verdin {
namespace {

bool sectionExists(const std::string& target) {
    const help::Page* page = help::findPage(target);
    const std::size_t hash = target.find('#');
    if (page == nullptr || hash == std::string::npos) return false;
    for (const help::Block& b : help::parseMarkdown(page->markdown)) {
        if (b.anchor == target.substr(hash + 1)) return true;
    }
    return false;
}

TEST(DiagnosticTable, EveryCodeHasOneRowWithTextAndAHelpSectionThatExists) {
    // The codes whose boxes carried an explanation before the table existed.
    const std::set<std::int32_t> explained = {InvalidCommand, InvalidOperand, InvalidRegister, DuplicateLabel,
                                              LabelNotDefined, OutOfMemory, InvalidPort, RetWithoutCall,
                                              InvalidNumber, ResultOutOfRange, IllegalCharacters};
    std::set<std::int32_t> seen;
    for (const DiagnosticRow& row : diagnosticTable()) {
        SCOPED_TRACE(row.code);
        EXPECT_TRUE(seen.insert(row.code).second) << "two rows for one code";
        EXPECT_EQ(findDiagnostic(row.code), &row);
        EXPECT_FALSE(row.text.empty());
        EXPECT_EQ(!row.explanation.empty(), explained.count(row.code) == 1);
        if (!row.explanation.empty()) {
            EXPECT_EQ(row.explanation.substr(0, 2), ". ");
        }
        EXPECT_TRUE(sectionExists(helpPageOf(row.code))) << helpPageOf(row.code);
    }
    // Every code has a row, except the three that show nothing.
    for (std::int32_t code = Ok; code <= WaitingForInput; ++code) {
        EXPECT_EQ(findDiagnostic(code) == nullptr, code == Ok || code == Breakpoint || code == WaitingForInput)
            << code;
    }
    EXPECT_EQ(helpPageOf(Breakpoint), "");
    EXPECT_EQ(faultName(Breakpoint), "Fault");
}

TEST(DiagnosticTable, FillsInTheLineAndTheSubject) {
    EXPECT_EQ(messageText({InvalidOperand, 3}), "Invalid operand at string 3");
    EXPECT_EQ(messageText({OutOfMemory}), "Out of memory");
    EXPECT_EQ(messageText({LabelNotDefined, -1, "LOOP"}), "Label <LOOP> was not defined");
    EXPECT_EQ(messageText({NoLineAtAddress, 7, "0005H"}), "No program line at address 0005H at string 7");
    EXPECT_EQ(messageText({FileLineTooLong, 2, "a.asm", "300"}),
              "Line 2 of a.asm has 300 characters; the editor takes lines of at most 255. The file was not opened.");
    EXPECT_EQ(boxText({RetWithoutCall, 4}), "Ret without Call at string 4. The stack of return addresses is empty");
    const Message box = messageOf({CompileSuccessful, -1, "12"}, "hint");
    EXPECT_EQ(box, (Message{MessageKind::Information, "Compile successful 12 byte(s)", "hint",
                            "errors#compile-successful"}));
}

// A hint rule is chosen by the code: the same faulty line gets the operand hint as an
// operand fault and the register hint as a register fault.
TEST(DiagnosticTable, TheCodeChoosesTheHint) {
    HeadlessPlatform platform;
    Machine m(platform);
    ASSERT_EQ(compileProgram(m, {"  MVI A,0x10"}, {.stopAtEmptyLine = true, .showMessage = true}), 1);
    const std::string shown = platform.messages.back().hint;
    EXPECT_EQ(shown, "\"0x10\" is written \"10H\" here: hexadecimal numbers end in H.");
    EXPECT_EQ(hintFor(m, {InvalidOperand, 1}), shown);
    EXPECT_EQ(hintFor(m, {InvalidRegister, 1}), "MVI accepts A, B, C, D, E, H, L and M; \"A,0x10\" is not one of them.");
    EXPECT_EQ(hintFor(m, {DuplicateLabel, -1, "X"}), "");
}

TEST(DiagnosticTable, FindsTheCodeOfATypedMessage) {
    EXPECT_EQ(codeOfTypedMessage("invalid OPERAND at string 3. Here are"), InvalidOperand);
    EXPECT_EQ(codeOfTypedMessage("  Label <X> was not"), LabelNotDefined);
    EXPECT_EQ(codeOfTypedMessage("Too many label references at string 9"), TooManyReferences);
    EXPECT_EQ(codeOfTypedMessage("There is no program"), NoProgram);
    EXPECT_EQ(codeOfTypedMessage("Line 4 of x.asm has 300 characters"), FileLineTooLong);
    // A word that begins many messages, or none, is no message.
    EXPECT_EQ(codeOfTypedMessage("line"), Ok);
    EXPECT_EQ(codeOfTypedMessage("Invalid"), Ok);
    EXPECT_EQ(codeOfTypedMessage("breakpoints"), Ok);
}

}  // namespace
}  // namespace verdin
