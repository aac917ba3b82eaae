// Trainer-kit programs as students bring them (tests/lab_programs): each one that
// fails, or compiles only in part, gets a hint that names its real cause; after tidy,
// those whose only problems are convertible compile whole and run to HLT.
#include <gtest/gtest.h>

#include "files/source_file.h"
#include "shell/tidy.h"
#include "support.h"

namespace verdin {
namespace {

struct Lab {
    const char* file;
    const char* cause;  // a piece of the hint that names the cause
    bool hex;           // written for a kit that reads bare numbers as hexadecimal
    bool convertible;   // tidy alone makes it compile
};

const Lab kLabs[] = {
    {"multiply.asm", "The program ends at the empty line 3: the 10 lines after it were not compiled.", false, true},
    {"sort.asm", "Comments start with ; here, not with \"//\"", false, true},
    {"bcd_sum.asm", "\"# ORG\" is a directive of another assembler", false, true},
    {"interrupts.asm", "RIM is an 8085 instruction", false, true},
    {"kit_hex.asm", "\"205A\" has letters, so it is no decimal number", true, true},
    {"block_move.asm", "HL holds 8050H, which is outside memory.", false, false},
    {"count_ones.asm", "RST 1 at string 7 does nothing here", false, false},
    {"display.asm", "A jump or call target is a label, so \"06D3H\" cannot be used", false, false},
};

std::vector<std::string> labLines(const char* file) {
    LoadResult loaded = loadEditorFile(testing::sourcePath(std::string("tests/lab_programs/") + file));
    EXPECT_TRUE(loaded.ok) << loaded.error;
    return loaded.text.lines;
}

TEST(LabPrograms, EveryFaultGetsAHintThatNamesItsCause) {
    for (const Lab& lab : kLabs) {
        SCOPED_TRACE(lab.file);
        testing::Bench b;
        if (b.compile(labLines(lab.file)) == -1) b.run(labLines(lab.file));
        std::string hints;
        for (const Message& message : b.platform.messages) hints += message.hint + "\n";
        EXPECT_NE(hints.find(lab.cause), std::string::npos) << hints;
    }
}

TEST(LabPrograms, AfterTidyTheConvertibleOnesCompileWholeAndRunToHlt) {
    for (const Lab& lab : kLabs) {
        if (!lab.convertible) continue;
        SCOPED_TRACE(lab.file);
        TidyResult tidied = tidyProgram(labLines(lab.file), lab.hex);
        EXPECT_TRUE(tidied.byHand.empty());
        testing::Bench b;
        ASSERT_EQ(b.compile(tidied.lines), -1) << b.last() << "\n" << b.platform.messages.back().hint;
        EXPECT_EQ(b.platform.messages.back().hint, "");
        b.platform.messages.clear();
        b.run(tidied.lines);
        EXPECT_EQ(b.last(), "Information: Program interrupted by user");
    }
}

}  // namespace
}  // namespace verdin
