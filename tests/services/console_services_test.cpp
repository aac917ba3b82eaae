#include "service_test_support.h"

namespace verdin::test {
namespace {

using RstDispatch = ServiceTest;
using PortBlocks = ServiceTest;
using NumberArithmetic = ServiceTest;
using Conversions = ServiceTest;
using ValueInput = ServiceTest;

TEST_F(RstDispatch, CompilesTheRestartOpcodeAndCountsOneByte) {
    ASSERT_EQ(compileProgram(m, {"  RST 7", "  RST 0", "  RST 3", "  RST", "  RST A"}, true, false), -1);
    EXPECT_EQ(cells(0, 5), (std::vector<std::int32_t>{0xFF, 199, 0xDF, 199, 199}));
    EXPECT_EQ(m.addressCounter, 5);
}

TEST_F(RstDispatch, RefusesOperandsOutsideZeroToSevenWithoutCountingTheLine) {
    for (const char* operand : {"8", "07", "12"}) {
        m.status = Ok;
        EXPECT_EQ(rst(operand), 0) << operand;
        EXPECT_EQ(m.status, InvalidOperand) << operand;
    }
    m.status = Ok;
    m.mode = Compile;
    m.addressCounter = 10;
    m.mnemonicText = "RST";
    m.operandText = "9";
    m.dispatchLine();
    EXPECT_EQ(m.status, InvalidOperand);
    EXPECT_EQ(m.addressCounter, 10);
    EXPECT_EQ(m.memory[10], 0);
}

TEST_F(RstDispatch, OwnAddressChecksOfRst4To6KeepTheCounterOnTheLine) {
    setDE(16383);
    m.regA = 0;
    EXPECT_EQ(rst(5), 0);
    EXPECT_EQ(m.status, OutOfMemory);
    m.status = Ok;
    setHL(16383);
    m.regA = 'O';
    EXPECT_EQ(rst(6), 0);
    EXPECT_EQ(m.status, OutOfMemory);
    m.status = Ok;
    EXPECT_EQ(rst(4), 0);
    EXPECT_EQ(m.status, OutOfMemory);
}

TEST_F(RstDispatch, OtherFaultsStillAdvanceTheCounter) {
    setHL(16381);
    m.regA = 0;
    EXPECT_EQ(rst(0), 1);  // address check inside RST 0
    EXPECT_EQ(m.status, OutOfMemory);
    m.status = Ok;
    setHL(100), m.regA = 13;
    EXPECT_EQ(rst(0), 1);
    EXPECT_EQ(m.status, InvalidPort);
    m.status = Ok;
    putCells(200, {0x01, 0x00, 0xAA, 0x00});
    setHL(200), setDE(200), m.regA = '+';
    EXPECT_EQ(rst(2), 1);
    EXPECT_EQ(m.status, InvalidNumber);
    m.status = Ok;
    setHL(16385), m.regB = 0, m.regA = 0;
    EXPECT_EQ(rst(7), 1);
    EXPECT_EQ(m.status, OutOfMemory);
}

TEST_F(RstDispatch, RunStopsOnTheRstLineWhoseAddressCheckFailed) {
    runLines({"  LXI D,3FFFH", "  MVI A,0", "  RST 5", "  HLT"});
    EXPECT_EQ(m.lastStatus, OutOfMemory);
    EXPECT_EQ(m.addressCounter, 5);  // the address of the RST line itself
    EXPECT_NE(platform.lastMessage().find("Out of memory at string 2"), std::string::npos) << platform.lastMessage();
}

TEST_F(PortBlocks, CopiesFourInputPortsToMemoryAndMemoryToOutputPorts) {
    m.inPorts = {1, 2, 3, 4, 5};
    setHL(300), m.regA = 0;
    rst(0);
    EXPECT_EQ(cells(300, 5), (std::vector<std::int32_t>{1, 2, 3, 4, 0}));
    putCells(400, {9, 8, 7, 6, 5});
    setHL(400), m.regA = 12;
    rst(0);
    EXPECT_EQ(m.status, Ok);
    EXPECT_EQ(std::vector<std::int32_t>(m.outPorts.begin() + 11, m.outPorts.end()),
              (std::vector<std::int32_t>{0, 9, 8, 7, 6}));
}

TEST_F(PortBlocks, RefusesBlocksThatLeaveMemoryOrThePorts) {
    m.inPorts.fill(7);
    setHL(16381), m.regA = 0;
    rst(0);
    EXPECT_EQ(m.status, OutOfMemory);
    EXPECT_EQ(cells(16381, 3), (std::vector<std::int32_t>{0, 0, 0}));
    m.status = Ok;
    setHL(100), m.regA = 13;
    rst(0);
    EXPECT_EQ(m.status, InvalidPort);
    for (std::int32_t port : m.outPorts) EXPECT_EQ(port, 0);
}

TEST_F(NumberArithmetic, AppliesTheOperatorWithTheNumberAtHlOnTheLeft) {
    const std::vector<std::pair<char, double>> cases = {{'/', 3.5}, {'-', 5.0}, {'+', 9.0}, {'*', 14.0}};
    for (const auto& [op, expected] : cases) {
        putNumber(500, 7.0);
        putNumber(600, 2.0);
        setHL(500), setDE(600), m.regA = op;
        rst(2);
        EXPECT_EQ(m.status, Ok) << op;
        EXPECT_DOUBLE_EQ(number(500), expected) << op;
        EXPECT_DOUBLE_EQ(number(600), 2.0) << op;
    }
}

TEST_F(NumberArithmetic, LeavesTheDestinationOnDivisionByZeroOverflowOrInvalidOperand) {
    struct Case {
        char op;
        double right;
        std::int32_t status;
    };
    for (const Case& c : {Case{'/', 0.0, ResultOutOfRange}, Case{'*', 1.0e79, ResultOutOfRange}}) {
        putNumber(500, 70.0);
        putNumber(600, c.right);
        const auto before = cells(500, 4);
        setHL(500), setDE(600), m.regA = c.op;
        rst(2);
        EXPECT_EQ(m.status, c.status) << c.op;
        EXPECT_EQ(cells(500, 4), before) << c.op;
        m.status = Ok;
    }
    putNumber(500, 70.0);
    putCells(600, {0x0C, 0, 0, 0});
    const auto before = cells(500, 4);
    setHL(500), setDE(600), m.regA = '+';
    rst(2);
    EXPECT_EQ(m.status, InvalidNumber);
    EXPECT_EQ(cells(500, 4), before);
}

TEST_F(NumberArithmetic, IgnoresOtherSelectorsAndChecksBothAddresses) {
    putNumber(500, 7.0);
    setHL(500), setDE(500), m.regA = '%';
    rst(2);
    EXPECT_EQ(m.status, Ok);
    EXPECT_DOUBLE_EQ(number(500), 7.0);
    setDE(16381), m.regA = '+';
    rst(2);
    EXPECT_EQ(m.status, OutOfMemory);
    EXPECT_DOUBLE_EQ(number(500), 7.0);
}

TEST_F(NumberArithmetic, CopyMovesFourCellsAndChecksBothEnds) {
    putCells(500, {0x81, 0x25, 0x00, 0x01, 0x55});
    setHL(500), setDE(700);
    rst(3);
    EXPECT_EQ(cells(700, 5), (std::vector<std::int32_t>{0x81, 0x25, 0x00, 0x01, 0}));
    setDE(16381);
    rst(3);
    EXPECT_EQ(m.status, OutOfMemory);
    EXPECT_EQ(cells(16381, 3), (std::vector<std::int32_t>{0, 0, 0}));
}

TEST_F(Conversions, TurnsAWordIntoANumberAndBackWithClamping) {
    putCells(800, {0x02, 0x01});
    setDE(800), setHL(900), m.regA = 0;
    rst(5);
    EXPECT_DOUBLE_EQ(number(900), 258.0);
    const std::vector<std::pair<double, std::vector<std::int32_t>>> cases = {
        {-3.7, {0, 0}}, {70000.0, {0xFF, 0xFF}}, {258.9, {2, 1}}, {65535.0, {0xFF, 0xFF}}};
    for (const auto& [value, expected] : cases) {
        putNumber(900, value);
        setDE(900), setHL(1000), m.regA = 1;
        EXPECT_EQ(rst(5), 1);
        EXPECT_EQ(cells(1000, 2), expected) << value;
    }
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

TEST_F(Conversions, ConvertsAnInvalidSourceButKeepsItsStatus) {
    putCells(900, {0x01, 0x0A, 0x00, 0x02});  // 1.0A00E2: the A counts as 0
    setDE(900), setHL(1000), m.regA = 1;
    EXPECT_EQ(rst(5), 1);
    EXPECT_EQ(m.status, InvalidNumber);
    EXPECT_EQ(cells(1000, 2), (std::vector<std::int32_t>{100, 0}));
    m.status = Ok;
    m.regA = 3;
    rst(5);
    EXPECT_EQ(m.status, InvalidNumber);
    EXPECT_EQ(textAt(1000), "100");
}

TEST_F(Conversions, WritesNumbersAsShortDecimalTexts) {
    const std::vector<std::pair<double, std::string>> cases = {
        {12.5, "12.5"}, {3.0, "3"}, {-0.05, "-0.05"}, {1.2345e9, "1234500000"},
        {1.0e-79, "1e-79"}, {9.9999e79, "9.9999e+79"}, {0.0, "0"}};
    for (const auto& [value, text] : cases) {
        putNumber(900, value);
        setDE(900), setHL(1000), m.regA = 3;
        rst(5);
        EXPECT_EQ(textAt(1000), text) << value;
    }
}

TEST_F(Conversions, ReadsDecimalTextAndStopsTextAtTheTopOfMemory) {
    putText(1100, "-12.5");
    setDE(1100), setHL(900), m.regA = 2;
    rst(5);
    EXPECT_DOUBLE_EQ(number(900), -12.5);
    putNumber(900, 1.2345e9);
    setDE(900), setHL(16378), m.regA = 3;
    rst(5);
    EXPECT_EQ(m.status, Ok);
    EXPECT_EQ(cells(16378, 6), (std::vector<std::int32_t>{'1', '2', '3', '4', 0, 0}));
    setDE(900), setHL(16381), m.regA = 0;
    EXPECT_EQ(rst(5), 0);  // a number does not fit at 16381
    EXPECT_EQ(m.status, OutOfMemory);
}

TEST_F(ValueInput, StoresTheTypedTextOrNumberAndOffersItAgain) {
    platform.answers = {std::string("hello"), std::string("42.5")};
    setHL(1200), m.regA = 0, m.regB = 1;
    rst(7);
    EXPECT_EQ(textAt(1200), "hello");
    setHL(1300), m.regA = 1;
    rst(7);
    EXPECT_DOUBLE_EQ(number(1300), 42.5);
    EXPECT_EQ(platform.offered, (std::vector<std::string>{"", "hello"}));
    rst(7);  // cancelled: the last text is offered and kept
    EXPECT_EQ(platform.offered.back(), "42.5");
    EXPECT_EQ(m.inputText, "42.5");
    EXPECT_DOUBLE_EQ(number(1300), 42.5);
}

TEST_F(ValueInput, ChangesNothingOnCancelOrAnEmptyTextAndCutsLongTexts) {
    putText(1200, "keep");
    platform.answers = {std::nullopt, std::string(""), std::string(100, 'x')};
    setHL(1200), m.regA = 0, m.regB = 1;
    rst(7);
    EXPECT_EQ(textAt(1200), "keep");
    rst(7);
    EXPECT_EQ(textAt(1200), "keep");
    rst(7);
    EXPECT_EQ(textAt(1200), std::string(79, 'x'));
}

TEST_F(ValueInput, RefusesAddressesWhereTheAnswerCannotGoWithoutAsking) {
    platform.answers = {std::string("1")};
    setHL(16381), m.regA = 1, m.regB = 1;
    rst(7);
    EXPECT_EQ(m.status, OutOfMemory);
    m.status = Ok;
    setHL(16383), m.regA = 0;
    rst(7);
    EXPECT_EQ(m.status, OutOfMemory);
    EXPECT_TRUE(platform.offered.empty());
    EXPECT_EQ(cells(16380, 4), (std::vector<std::int32_t>{0, 0, 0, 0}));
}

}  // namespace
}  // namespace verdin::test
