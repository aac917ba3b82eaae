#include "shell/listing.h"

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "shell/commands.h"

namespace verdin {
namespace {

using Rows = std::vector<std::string>;

// Four bytes a row beside the first row's line, lines without bytes (comments, DS,
// ORG) with their address only, lines after the program without one; then the labels.
TEST(Listing, RowsOfACompiledProgram) {
    const std::vector<std::string> lines = {"loop:   mvi a,5 ; five", "        jmp loop", "; note",
                                            "text:   db 'ABCDE'",    "        ds 2",     ""};
    const ProgramListing listing = makeListing(lines);
    ASSERT_TRUE(listing.compiled);
    EXPECT_EQ(listing.faultLine, -1);
    EXPECT_EQ(listing.rows, (Rows{"0000  3E 05       loop:   mvi a,5 ; five", "0002  C3 00 00            jmp loop",
                                  "0005              ; note", "0005  41 42 43 44 text:   db 'ABCDE'", "0009  45",
                                  "000A                      ds 2", "", "Labels:", "LOOP    0000", "TEXT    0005"}));

    // The rows are those of a machine compiled as the command line compiles.
    HeadlessPlatform platform;
    Machine machine(platform);
    ASSERT_EQ(compileProgram(machine, lines, false, false), -1);
    EXPECT_EQ(listingRows(machine, lines), listing.rows);
}

// A fault lists nothing: the rows are the message and its hint, and no box is shown
// through the machine the student works with.
TEST(Listing, AFaultGivesTheCompileMessage) {
    const ProgramListing listing = makeListing({"        nop", "        mvi q,1"});
    EXPECT_FALSE(listing.compiled);
    EXPECT_EQ(listing.faultLine, 2);
    ASSERT_GE(listing.rows.size(), 1u);
    EXPECT_EQ(listing.rows[0].rfind("Error: Invalid register at string 2", 0), 0u) << listing.rows[0];
    if (listing.rows.size() > 1) {
        EXPECT_EQ(listing.rows[1].rfind("Hint: ", 0), 0u);
    }
}

}  // namespace
}  // namespace verdin
