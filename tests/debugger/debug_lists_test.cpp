#include "debugger/debug_lists.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "arrange.h"
#include "machine/machine.h"
// The main window drives the editor and opens the debug window: both headers must
// build together.
#include "shell/editor_controller.h"

namespace verdin {
namespace {

class DebugListsTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    Machine machine{platform};

    void SetUp() override { machine.reset(); }

    // The address at the start of each entry of a stack or dump list.
    static std::vector<std::string> addresses(const std::vector<std::string>& entries) {
        std::vector<std::string> result;
        for (const auto& e : entries) result.push_back(e.substr(0, 4));
        return result;
    }
};

// The six register entries, with F composed from the five flags, and the flag entries
// in their order CY, Z, P, S, AC.
TEST_F(DebugListsTest, RegisterAndFlagEntries) {
    arrange(machine)->regA = 0x3E;
    arrange(machine)->regB = 0x12;
    arrange(machine)->regC = 0x34;
    arrange(machine)->regH = 0xAB;
    arrange(machine)->regL = 0x0C;
    arrange(machine)->flagS = 1;
    arrange(machine)->flagZ = 1;
    arrange(machine)->flagCY = 1;
    arrange(machine)->stopAddress = 0x0107;
    EXPECT_EQ(registerEntries(machine), (std::array<std::string, 6>{" AF  3E C1", " BC  12 34", " DE  00 00",
                                                                    " HL  AB 0C", " SP  3F FE", " PC  01 07"}));
    {
        Arranged s(machine);
        s->flagS = s->flagCY = 0;
    }
    arrange(machine)->flagAC = 1;
    EXPECT_EQ(flagEntries(machine),
              (std::array<std::string, 5>{"   CY   0", "    Z   1", "    P   0", "    S   0", "   AC   1"}));
}

// The stack and memory dump entries as the window shows them on opening; both views
// clamp to the ends of memory and never read past it.
TEST_F(DebugListsTest, StackAndDumpOnOpeningAndAtTheEndsOfMemory) {
    arrange(machine)->memory[0] = 0x3E;
    arrange(machine)->memory[1] = 0x05;
    arrange(machine)->memory[7] = 0xFF;
    arrange(machine)->memory[16382] = 0x12;
    arrange(machine)->memory[16383] = 0x34;
    DebugViews views;
    const auto stack = stackEntries(machine, views.stack.top);
    EXPECT_EQ(addresses(stack), (std::vector<std::string>{"3FF4", "3FF6", "3FF8", "3FFA", "3FFC", "3FFE"}));
    EXPECT_EQ(stack[5], "3FFE  12 34");
    const auto dump = dumpEntries(machine, views.dump.top);
    EXPECT_EQ(addresses(dump), (std::vector<std::string>{"0000", "0008", "0010", "0018", "0020", "0028"}));
    EXPECT_EQ(dump[0], "0000   3E 05 00 00 00 00 00 FF ");

    EXPECT_EQ(addresses(stackEntries(machine, 9000))[0], "3FF4");
    EXPECT_EQ(addresses(stackEntries(machine, -5))[0], "0000");
    EXPECT_EQ(addresses(dumpEntries(machine, 5000)).back(), "3FF8");
    EXPECT_EQ(addresses(dumpEntries(machine, -1))[0], "0000");
}

// The scroll bars' actions; line up, page down, bottom and top of both lists as the
// window shows them are in the desktop program's debug window test.
TEST_F(DebugListsTest, Scrolling) {
    DebugViews views;
    EXPECT_TRUE(views.dump.scroll(ListScroll::Bottom));
    EXPECT_EQ(views.dump.top, 2042);
    EXPECT_EQ(views.dump.barPosition, 2048);
    EXPECT_TRUE(views.dump.scroll(ListScroll::ThumbTrack, 100));
    EXPECT_FALSE(views.dump.scroll(ListScroll::ThumbPosition, 7));
    EXPECT_EQ(views.dump.top, 100);

    EXPECT_TRUE(views.stack.scroll(ListScroll::LineUp));
    EXPECT_EQ(addresses(stackEntries(machine, views.stack.top))[0], "3FF2");
    EXPECT_TRUE(views.stack.scroll(ListScroll::Bottom));
    EXPECT_EQ(addresses(stackEntries(machine, views.stack.top))[0], "3FF4");
    views.stack.scroll(ListScroll::Top);
    EXPECT_TRUE(views.stack.scroll(ListScroll::LineDown));
    EXPECT_EQ(views.stack.top, 1);
    views.stack.scroll(ListScroll::PageUp);
    EXPECT_EQ(views.stack.top, 0) << "page up past address 0 stops there";
    EXPECT_EQ(views.stack.barPosition, 0);
}

TEST_F(DebugListsTest, PortAndProgramEntries) {
    arrange(machine)->inPorts[10] = 0x3F;
    arrange(machine)->outPorts[15] = 0xA0;
    EXPECT_EQ(inputPortEntries(machine)[10], " 0A    3F");
    EXPECT_EQ(outputPortEntries(machine)[15], " 0F    A0");
    EXPECT_EQ(inputPortEntry(machine, 16), "");
    machine.setProgramLine(1, "        MVI     A,5");
    EXPECT_EQ(programEntries(machine, 1), (std::vector<std::string>{"", "        MVI     A,5"}));
    EXPECT_TRUE(programEntries(machine, -1).empty());
    EXPECT_EQ(programEntries(machine, 400).size(), static_cast<size_t>(kMaxProgramLines));
}

// Step never receives a line outside the program; Esc is refused during a Run.
TEST_F(DebugListsTest, StepLineAndClosing) {
    EXPECT_EQ(DebugViews::stepLine(3, 10), 3);
    EXPECT_EQ(DebugViews::stepLine(-1, 10), 0);
    EXPECT_EQ(DebugViews::stepLine(10, 10), 0);
    DebugViews views;
    views.runInProgress = true;
    EXPECT_FALSE(views.mayClose());
}

// What an edit accepts: 1 to n hexadecimal digits, blanks around them, read
// right-aligned; anything else is refused whole.
TEST_F(DebugListsTest, TypedHexValues) {
    const struct {
        const char* typed;
        int digits;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"c4", 2, 0xC4},   {" 5 ", 2, 5},        {"\t0A", 2, 0x0A},  {"5", 4, 5},         {"123", 4, 0x123},
        {"BEEF", 4, 0xBEEF}, {"1G", 2, {}},      {"1GG", 2, {}},     {"12G4", 4, {}},     {"123", 2, {}},
        {"12345", 4, {}},  {"", 2, {}},          {"  ", 4, {}},      {"1 2", 4, {}},      {"-1", 2, {}},
        {"0x1", 4, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(parseTypedHex(c.typed, c.digits), c.value) << '"' << c.typed << '"';
}

// A refused value changes nothing and says "Invalid number" with its explanation; a
// clean value after it is neither blocked nor reported.
TEST_F(DebugListsTest, InputPortDialog) {
    arrange(machine)->inPorts[10] = 0x3F;
    const InputRequest request = inputPortRequest(machine, 10);
    EXPECT_EQ(request.description, "Input port #0A");
    EXPECT_EQ(request.value, "3F");

    EXPECT_TRUE(applyInputPort(machine, 10, "c4"));
    EXPECT_EQ(machine.fields().inPorts[10], 0xC4);
    EXPECT_TRUE(platform.messages.empty());

    arrange(machine)->inPorts[3] = 0x77;
    EXPECT_FALSE(applyInputPort(machine, 3, "1GG"));
    EXPECT_EQ(machine.fields().inPorts[3], 0x77);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(platform.messages[0].text, "Invalid number. String you have been typed has illegal character(s).");
    EXPECT_EQ(machine.fields().status, Ok);

    EXPECT_TRUE(applyInputPort(machine, 3, " 22 "));
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(inputPortEntry(machine, 3), " 03    22");
}

// AF offers only A, SP and PC cannot be changed, short values read as numbers with
// their leading zeros left out, and a refused value leaves the pair as it was.
TEST_F(DebugListsTest, RegisterPairDialog) {
    arrange(machine)->regA = 0x7F;
    arrange(machine)->regD = 0x12;
    arrange(machine)->regE = 0x34;
    EXPECT_EQ(registerPairRequest(machine, 0)->value, "7F");
    EXPECT_EQ(registerPairRequest(machine, 2)->value, "1234");
    EXPECT_FALSE(registerPairRequest(machine, 5).has_value());
    EXPECT_FALSE(applyRegisterPair(machine, 4, "0000"));
    EXPECT_EQ(machine.fields().sp, kInitialSp);

    arrange(machine)->flagZ = 1;
    EXPECT_TRUE(applyRegisterPair(machine, 0, "A5"));
    EXPECT_EQ(registerEntry(machine, 0), " AF  A5 40");
    EXPECT_FALSE(applyRegisterPair(machine, 0, "1A5"));
    EXPECT_EQ(machine.fields().regA, 0xA5);
    EXPECT_EQ(platform.messages.size(), 1u);

    EXPECT_TRUE(applyRegisterPair(machine, 3, "5"));
    EXPECT_EQ(registerEntry(machine, 3), " HL  00 05");
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(machine.fields().status, Ok);
}

// After a command the stack view moves only when the row holding SP is out of view,
// and then shows it first; an odd SP sits in the row before it.
TEST_F(DebugListsTest, TheStackViewFollowsSp) {
    const int opening = DebugViews{}.stack.top;
    EXPECT_EQ(stackTopFollowingSp(kInitialSp, opening, 6), std::nullopt);
    EXPECT_EQ(stackTopFollowingSp(0x3FF4, opening, 6), std::nullopt);
    EXPECT_EQ(stackTopFollowingSp(0x3FF2, opening, 6), 0x3FF2 / 2);
    EXPECT_EQ(stackTopFollowingSp(0x2FFF, opening, 6), 0x2FFE / 2);
    EXPECT_EQ(stackTopFollowingSp(0x3000, 0x3000 / 2 - 11, 12), std::nullopt) << "the last of 12 rows";
    EXPECT_EQ(stackTopFollowingSp(0x4000, opening, 6), std::nullopt);
    EXPECT_EQ(stackTopFollowingSp(0, opening, 6), 0);

    const int first = stackFirstLine(0x2FFE / 2, 6);
    EXPECT_EQ(spEntryIndex(first, 6, 0x2FFF), 0);
    EXPECT_EQ(spEntryIndex(first, 6, 0x3008), 5);
    EXPECT_EQ(spEntryIndex(first, 6, 0x300A), -1);
    EXPECT_EQ(spEntryIndex(first, 6, 0x4000), -1);
    EXPECT_EQ(spOutsideMemoryText(0xFFF0), "SP FFF0 is outside memory (0000 to 3FFF): the stack view stays where it was.");
}

TEST_F(DebugListsTest, ZoomSteps) {
    for (auto [from, step, to] : {std::array{9, 1, 10}, {13, -1, 12}, {32, 1, 32}, {6, -1, 6}})
        EXPECT_EQ(zoomedPoints(from, step), to) << from << " " << step;
}

}  // namespace
}  // namespace verdin
