#include "shell/listing.h"

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace verdin {
namespace {

// The rows themselves are the command line's, checked in its transcripts
// (commands.cli) and, through the Listing window, against its output.

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
