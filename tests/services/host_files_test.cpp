// The address checks of RST 6 and the life of its open file; what the services do
// with files is in the transcripts of tests/golden/cli/host_files.cli.
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
        HeadlessPlatform other;
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
