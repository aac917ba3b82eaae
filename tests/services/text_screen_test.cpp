#include "service_test_support.h"

namespace verdin::test {
namespace {

using TextScreen = ServiceTest;
constexpr std::int32_t kText = 2000;
constexpr std::int32_t kNumber = 3000;

class TextScreenOutput : public ServiceTest {
protected:
    void say(const std::string& text) {
        putText(kText, text);
        setHL(kText), m.regA = 0, m.regB = 0;
        EXPECT_EQ(rst(7), 1);
        EXPECT_EQ(m.status, Ok);
    }
    void show(double value, std::int32_t form) {
        putNumber(kNumber, value);
        setHL(kNumber), m.regA = form, m.regB = 0;
        rst(7);
    }
    using Lines = std::vector<std::string>;
};

TEST_F(TextScreenOutput, NumbersAppearInExponentOrTruncatedIntegerForm) {
    show(12.5, 1);
    EXPECT_EQ(m.textScreenLines, (Lines{"1.250000e+001"}));
    say("\r");
    show(-2.9, 2);
    show(1.0e-79, 1);
    show(-9.9999e79, 1);
    EXPECT_EQ(m.textScreenLines, (Lines{"1.250000e+001", "-21.000000e-079-9.999900e+079"}));
    say("\r");
    show(-0.5, 7);
    show(113.0, 2);  // exactly 113, not 112.99999999999999 cut to 112
    show(1.2e19, 2);  // beyond 64-bit integers the digits are still all there
    EXPECT_EQ(m.textScreenLines.back(), "011312000000000000000000");
}

TEST_F(TextScreenOutput, AnInvalidNumberLeavesTheScreenAsItWas) {
    putCells(kNumber, {0x01, 0xAB, 0x00, 0x00});
    setHL(kNumber), m.regA = 1, m.regB = 0;
    EXPECT_EQ(rst(7), 1);
    EXPECT_EQ(m.status, InvalidNumber);
    EXPECT_EQ(m.textScreenShown, 0);  // not even opened
    EXPECT_TRUE(platform.screenEvents.empty());
    m.status = Ok;
    say("AB\rCD");
    const auto events = platform.screenEvents.size();
    putCells(kNumber, {0x01, 0xAB, 0x00, 0x00});
    setHL(kNumber), m.regA = 1;
    rst(7);
    EXPECT_EQ(m.status, InvalidNumber);
    EXPECT_EQ(m.textScreenLines, (Lines{"AB", "CD"}));
    EXPECT_EQ(platform.screenEvents.size(), events);
}

TEST_F(TextScreenOutput, ChecksTheAddressBeforeTouchingTheScreen) {
    setHL(16385), m.regA = 0, m.regB = 0;
    rst(7);
    EXPECT_EQ(m.status, OutOfMemory);
    EXPECT_EQ(m.textScreenShown, 0);
    m.status = Ok;
    setHL(16381), m.regA = 1;  // a number would cross the end of memory
    rst(7);
    EXPECT_EQ(m.status, OutOfMemory);
    m.status = Ok;
    m.memory[16383] = 'Q';  // text runs to the last cell
    setHL(16383), m.regA = 0;
    rst(7);
    EXPECT_EQ(m.textScreenLines, (Lines{"Q"}));
}

TEST_F(TextScreenOutput, TellsThePlatformWhatChangedAndWhatWasAppended) {
    say("AB\rC");
    show(-2.9, 2);
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

TEST_F(TextScreen, StepThatLeavesTheCounterWhereItWasClosesTheScreen) {
    const std::vector<std::string> program = {"  LXI H,MSG", "  MVI A,0", "  MVI B,0", "  RST 7",
                                              "  END",       "MSG: DB 'Hi',0"};
    ASSERT_EQ(compileProgram(m, program, true, false), -1);
    for (std::int32_t line = 0; line < 4; ++line) m.step(line);
    EXPECT_EQ(m.textScreenLines, (std::vector<std::string>{"Hi"}));
    m.step(4);  // END does not move the counter: the program has ended
    EXPECT_EQ(m.textScreenShown, 0);
    EXPECT_TRUE(m.textScreenLines.empty());
    ASSERT_FALSE(platform.screenEvents.empty());
    EXPECT_FALSE(platform.screenEvents.back().open);
}

}  // namespace
}  // namespace verdin::test
