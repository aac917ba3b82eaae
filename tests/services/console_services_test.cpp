// What the golden programs (tests/golden/cases/services.cases) cannot express: what
// the text screen tells the platform, and every word converted through a number.
#include "service_test_support.h"

namespace verdin::test {
namespace {

using Conversions = ServiceTest;
using Lines = std::vector<std::string>;

class TextScreenOutput : public ServiceTest {
protected:
    void say(const std::string& text) {
        putText(2000, text);
        setHL(2000), m.regA = 0, m.regB = 0;
        EXPECT_EQ(rst(7), 1);
        EXPECT_EQ(m.status, Ok);
    }
};

TEST_F(TextScreenOutput, TellsThePlatformWhatChangedAndWhatWasAppended) {
    say("AB\rC");
    putNumber(3000, -2.9);
    setHL(3000), m.regA = 2;
    rst(7);
    ASSERT_EQ(platform.screenEvents.size(), 2u);
    EXPECT_TRUE(platform.screenEvents[0].open);
    EXPECT_EQ(platform.screenEvents[0].lines, (Lines{"AB", "C"}));
    EXPECT_EQ(platform.screenEvents[1].lines, (Lines{"AB", "C-2"}));
    EXPECT_EQ(platform.streamed, "AB\rC-2");
    m.closeTextScreen();
    EXPECT_FALSE(platform.screenEvents.back().open);
    EXPECT_TRUE(m.textScreenLines.empty());
    say("new");  // a closed screen reopens empty
    EXPECT_EQ(m.textScreenLines, (Lines{"new"}));
}

TEST_F(Conversions, EveryWordSurvivesTheRoundTripThroughANumber) {
    for (std::int32_t word = 0; word <= 65535; ++word) {
        putCells(800, {word % 256, word / 256});
        setDE(800), setHL(900), m.regA = 0;
        rst(5);
        setDE(900), setHL(1000), m.regA = 1;
        rst(5);
        ASSERT_EQ(cells(1000, 2), cells(800, 2)) << word;
    }
}

}  // namespace
}  // namespace verdin::test
