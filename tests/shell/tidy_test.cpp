// Tidy converts what has one meaning, lists each change by line, and leaves a
// program already in this language exactly as it is.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/source_file.h"
#include "shell/tidy.h"
#include "support.h"

namespace verdin {
namespace {

std::vector<std::string> notes(const std::vector<TidyNote>& list, bool byHand) {
    std::vector<std::string> result;
    for (const TidyNote& note : list) result.push_back(byHand ? formatByHand(note) : formatChange(note));
    return result;
}

TEST(Tidy, EveryConvertibleVariantIsRewrittenAndTheResultCompiles) {
    const std::vector<std::string> source = {
        "# ORG 0000H",
        "cpu 8085",
        "COUNT   EQU 3",
        "LIMIT SET 0x20",
        "        DW FFFFH      // the top",
        "        MVI A,00",
        "",
        "COUNTER: ADD A",
        "        CPI 0x1F",
        "        JNZ COUNTER",
        "        RIM",
        "        LXI D,DATABLOCK",
        "        HLT",
        "DATABLOCK: DB 0FH, 'a;b' ; text",
        "",
        "",
    };
    TidyResult result = tidyProgram(source, false);
    const std::vector<std::string> expected = {
        "        ORG     0000H",
        "; cpu 8085",
        "COUNT: EQU 3",
        "LIMIT: EQU 20H",
        "        DW 0FFFFH      ; the top",
        "        MVI A,0",
        ";",
        "COUNTE: ADD A",
        "        CPI 1FH",
        "        JNZ COUNTE",
        "; " + source[10] + " ; RIM is 8085 only: no 8080 instruction",
        "        LXI D,DATABL",
        "        HLT",
        "DATABL: DB 0FH, 'a;b' ; text",
        "",
        "",
    };
    EXPECT_EQ(result.lines, expected);
    EXPECT_EQ(notes(result.changes, false),
              (std::vector<std::string>{
                  "line 1: \"# ORG 0000H\" -> \"ORG 0000H\"",
                  "line 2: \"cpu 8085\" -> comment (directive of another assembler)",
                  "line 3: \"COUNT EQU 3\" -> \"COUNT: EQU 3\"",
                  "line 4: \"LIMIT SET 0x20\" -> \"LIMIT: EQU 0x20\"",
                  "line 4: \"0x20\" -> \"20H\"",
                  "line 5: \"//\" -> \";\"",
                  "line 5: \"FFFFH\" -> \"0FFFFH\"",
                  "line 6: \"00\" -> \"0\"",
                  "line 7: empty line -> \";\"",
                  "line 8: label \"COUNTER\" -> \"COUNTE\"",
                  "line 9: \"0x1F\" -> \"1FH\"",
                  "line 10: \"COUNTER\" -> \"COUNTE\"",
                  "line 11: \"RIM\" -> comment (RIM is an 8085 instruction)",
                  "line 12: \"DATABLOCK\" -> \"DATABL\"",
                  "line 14: label \"DATABLOCK\" -> \"DATABL\"",
              }));
    EXPECT_TRUE(result.byHand.empty());
    EXPECT_TRUE(remainingFaults(result.lines).empty());

    testing::Bench b;
    EXPECT_EQ(b.compile(result.lines), -1);
    EXPECT_EQ(b.last(), "Information: Compile successful 18 byte(s)");
    EXPECT_EQ(b.platform.messages.back().hint, "");
}

TEST(Tidy, ProgramsInThisLanguageAreLeftAlone) {
    for (const auto& entry : std::filesystem::directory_iterator(testing::sourcePath("examples"))) {
        SCOPED_TRACE(entry.path().string());
        LoadResult loaded = loadEditorFile(entry.path().string());
        ASSERT_TRUE(loaded.ok);
        TidyResult result = tidyProgram(loaded.text.lines, false);
        EXPECT_EQ(result.lines, loaded.text.lines);
        EXPECT_EQ(notes(result.changes, false), std::vector<std::string>{});
    }
}

TEST(Tidy, ShortenedLabelsNeverCollide) {
    TidyResult result = tidyProgram({"COUNTER1: NOP", "COUNTER2: NOP", "COUNTE: NOP", " JMP COUNTER2", " JMP COUNTER1"},
                                    false);
    EXPECT_EQ(result.lines, (std::vector<std::string>{"COUNT1: NOP", "COUNT2: NOP", "COUNTE: NOP", " JMP COUNT2",
                                                      " JMP COUNT1"}));
    testing::Bench b;
    EXPECT_EQ(b.compile(result.lines), -1);
}

TEST(Tidy, BareNumbersAreHexadecimalOnlyWhenAsked) {
    const std::vector<std::string> source = {" LXI H,2050", " MVI B,3E", " MVI C,FF", " MOV A,B", " RST 1", " DB 10"};
    EXPECT_EQ(tidyProgram(source, false).lines, source);
    EXPECT_EQ(tidyProgram(source, true).lines,
              (std::vector<std::string>{" LXI H,2050H", " MVI B,3EH", " MVI C,0FFH", " MOV A,B", " RST 1", " DB 10H"}));
}

TEST(Tidy, WhatCannotBeConvertedIsListedForTheStudent) {
    TidyResult result = tidyProgram({" ORG 0000H", " LDA 8050H", " CALL 05F4H", " CALL UPDDT", " ORG 0100H",
                                     " LXI H,TABLE+1", " RST 1", "TABLE: DB 1"},
                                    false);
    EXPECT_EQ(notes(result.byHand, true),
              (std::vector<std::string>{
                  "line 2: by hand: \"LDA 8050H\": 8050H lies above 3FFFH, the last cell of memory; use an address "
                  "below 4000H",
                  "line 3: by hand: \"CALL 05F4H\": a jump or call target must be a label; a trainer kit's ROM "
                  "routines are not here, the RST services replace them",
                  "line 4: by hand: \"CALL UPDDT\": no line declares UPDDT: (a trainer kit's ROM routine? the RST "
                  "services replace them)",
                  "line 5: by hand: a second ORG \"0100H\": here ORG may only stand before the first instruction; "
                  "move that part with a label, or place its data with DS",
                  "line 6: by hand: \"LXI H,TABLE+1\": an operand is a label or a number, never a sum; put a "
                  "label on that cell",
                  "line 7: by hand: RST 1 does nothing here: if it ends the program, write HLT",
              }));
    EXPECT_TRUE(result.changes.empty());
}

TEST(Tidy, DataAtAnAddressInsideTheProgramIsListed) {
    TidyResult result = tidyProgram({" LDA 2050H", " STA 0004H", " HLT"}, false);
    EXPECT_EQ(notes(result.byHand, true),
              (std::vector<std::string>{"line 2: by hand: \"STA 0004H\": 0004H lies inside the program "
                                        "(0000H-0006H), which starts at 0000H here; put the data above it, such as "
                                        "at 2000H"}));
}

TEST(Tidy, OverlongCommentsAreCutToTheEditorsLineLength) {
    const std::string code = " MVI A,1 ;";
    TidyResult result = tidyProgram({code + std::string(300, 'x')}, false);
    ASSERT_EQ(result.lines.size(), 1u);
    EXPECT_EQ(result.lines[0], code + std::string(255 - code.size(), 'x'));
    EXPECT_EQ(notes(result.changes, false), std::vector<std::string>{"line 1: comment cut to fit 255 characters"});
}

}  // namespace
}  // namespace verdin
