#include "service_test_support.h"

namespace verdin::test {
namespace {

constexpr std::int32_t kName = 4000;
constexpr std::int32_t kData = 5000;

class HostFiles : public ServiceTest {
protected:
    TempFolder folder;

    void SetUp() override {
        ServiceTest::SetUp();
        m.sourceFolder = folder.path().string();
    }
    // Runs an RST 6 service; returns how far the program counter moved.
    std::int32_t file(char letter, std::int32_t hl = kName, std::int32_t de = 0) {
        m.regA = letter;
        setHL(hl), setDE(de);
        return rst(6);
    }
    std::int32_t openFile(const std::string& name) {
        putText(kName, name);
        return file('O');
    }
};

TEST_F(HostFiles, OpenReportsAMissingFileAndASecondOpen) {
    EXPECT_EQ(openFile("missing.bin"), 1);
    EXPECT_EQ(m.userFile, nullptr);
    writeFile(folder.file("data.bin"), "0123456789");
    openFile("data.bin");
    ASSERT_NE(m.userFile, nullptr);
    openFile("data.bin");
    EXPECT_EQ(errorTexts(), (std::vector<std::string>{"File was not found.", "File already opened."}));
    EXPECT_EQ(m.status, Ok);
    file('C');
    EXPECT_EQ(m.userFile, nullptr);
    file('C');  // closing with nothing open does nothing
    EXPECT_EQ(m.status, Ok);
}

TEST_F(HostFiles, RelativeNamesAreTakenFromTheProgramsFolder) {
    writeFile(folder.file("local.bin"), "x");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    openFile("local.bin");
    std::filesystem::current_path(cwd);
    EXPECT_NE(m.userFile, nullptr);
    EXPECT_TRUE(errorTexts().empty());
    file('C');
    openFile(folder.file("local.bin"));  // an absolute name stays as it is
    EXPECT_NE(m.userFile, nullptr);
}

TEST_F(HostFiles, ReadMovesAtMost256BytesAndReportsTheCountInDe) {
    std::string content;
    for (int i = 0; i < 300; ++i) content += static_cast<char>(i % 256);
    writeFile(folder.file("data.bin"), content);
    openFile("data.bin");
    file('R', kData, 1000);
    EXPECT_EQ(m.pairDE(), 256);
    EXPECT_EQ(m.memory[kData + 255], 255);
    EXPECT_EQ(m.memory[kData + 256], 0);  // no terminating cell, nothing past the count
    file('R', kData, 1000);
    EXPECT_EQ(m.pairDE(), 44);
    EXPECT_EQ(m.memory[kData], 0);
    EXPECT_EQ(m.memory[kData + 43], 299 % 256);
    file('R', kData, 1000);
    EXPECT_EQ(m.pairDE(), 0);
}

TEST_F(HostFiles, ReadNeverReachesTheLastMemoryCell) {
    writeFile(folder.file("data.bin"), "ABCDEFGH");
    openFile("data.bin");
    file('R', 16380, 8);
    EXPECT_EQ(m.pairDE(), 3);
    EXPECT_EQ(cells(16380, 4), (std::vector<std::int32_t>{'A', 'B', 'C', 0}));
}

TEST_F(HostFiles, WriteSeekAndReadMixFreelyOnOneFile) {
    writeFile(folder.file("data.bin"), "..........");
    openFile("data.bin");
    file('R', kData, 2);
    putText(kData, "HELLO");
    file('W', kData, 5);  // after a read, at position 2
    EXPECT_EQ(m.pairDE(), 5);
    putNumber(6000, 1.0);
    file('S', 6000);
    file('R', kData + 100, 4);
    EXPECT_EQ(textAt(kData + 100).substr(0, 4), ".HEL");
    file('C');
    EXPECT_EQ(readFile(folder.file("data.bin")), "..HELLO...");
}

TEST_F(HostFiles, SizeStoresTheLengthAndLeavesThePositionAtTheEnd) {
    writeFile(folder.file("ten.bin"), "0123456789");
    openFile("ten.bin");
    file('F', 6000);
    EXPECT_DOUBLE_EQ(number(6000), 10.0);
    file('R', kData, 5);
    EXPECT_EQ(m.pairDE(), 0);
}

TEST_F(HostFiles, ServicesWithoutAnOpenFileSayItAndGoOn) {
    for (char letter : {'R', 'W', 'S', 'F'}) EXPECT_EQ(file(letter, kData, 4), 1) << letter;
    EXPECT_EQ(errorTexts(), std::vector<std::string>(4, "File is not opened."));
    EXPECT_EQ(m.status, Ok);
    EXPECT_EQ(file('X'), 1);  // an unknown letter does nothing
    EXPECT_EQ(platform.messages.size(), 4u);
}

TEST_F(HostFiles, AddressChecksKeepTheCounterOnTheLine) {
    writeFile(folder.file("data.bin"), "0123456789");
    openFile("data.bin");
    EXPECT_EQ(file('R', 16383, 1), 0);
    EXPECT_EQ(m.status, OutOfMemory);
    m.status = Ok;
    EXPECT_EQ(file('F', 16381), 0);  // four cells do not fit there
    EXPECT_EQ(m.status, OutOfMemory);
    m.status = Ok;
    putCells(6000, {0x0B, 0, 0, 0});
    EXPECT_EQ(file('S', 6000), 1);  // an invalid position stops the run after the line
    EXPECT_EQ(m.status, InvalidNumber);
}

TEST_F(HostFiles, DeleteClosesTheOpenFileAndRemovesTheNamedOne) {
    writeFile(folder.file("a.bin"), "a");
    writeFile(folder.file("b.bin"), "b");
    openFile("a.bin");
    putText(kName, "b.bin");
    file('D');
    EXPECT_EQ(m.userFile, nullptr);
    EXPECT_FALSE(std::filesystem::exists(folder.file("b.bin")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("a.bin")));
    file('D');
    EXPECT_EQ(errorTexts(), (std::vector<std::string>{"File was not found."}));
}

std::size_t openDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

TEST_F(HostFiles, TheOpenFileOutlivesARunAndClosesWithTheMachine) {
    if (!std::filesystem::exists("/proc/self/fd")) GTEST_SKIP() << "no /proc/self/fd to count open files";
    writeFile(folder.file("data.bin"), "x");
    const std::size_t before = openDescriptors();
    {
        RecordingPlatform other;
        Machine owner(other);
        owner.sourceFolder = folder.path().string();
        ASSERT_EQ(compileProgram(owner, {"  LXI H,N", "  MVI A,'O'", "  RST 6", "  HLT", "N: DB 'data.bin',0"}, true,
                                 false),
                  -1);
        runProgram(owner);
        EXPECT_NE(owner.userFile, nullptr);
        EXPECT_EQ(openDescriptors(), before + 1);
    }
    EXPECT_EQ(openDescriptors(), before);
}

}  // namespace
}  // namespace verdin::test
