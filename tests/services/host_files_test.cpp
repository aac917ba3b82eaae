// The life of RST 6's open file; what the services do with files is in the transcripts
// of tests/golden/cli/host_files.cli and their address checks are golden cases in
// tests/golden/cases/host_files.cases.
#include "service_test_support.h"
#include "services/services.h"

namespace verdin::test {
namespace {

std::size_t openDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

TEST(HostFiles, TheOpenFileOutlivesARunAndClosesWithTheMachine) {
    if (!std::filesystem::exists("/proc/self/fd")) GTEST_SKIP() << "no /proc/self/fd to count open files";
    TempFolder folder;
    writeFile(folder.file("data.bin"), "x");
    const std::size_t before = openDescriptors();
    {
        HeadlessPlatform platform;
        Machine owner(platform);
        owner.services().setSourceFolder(folder.path().string());
        ASSERT_EQ(compileProgram(owner, {"  LXI H,N", "  MVI A,'O'", "  RST 6", "  HLT", "N: DB 'data.bin',0"},
                                 {.stopAtEmptyLine = true}),
                  -1);
        runProgram(owner);
        EXPECT_NE(servicesOf(owner).fields().userFile, nullptr);
        EXPECT_EQ(openDescriptors(), before + 1);
    }
    EXPECT_EQ(openDescriptors(), before);
}

}  // namespace
}  // namespace verdin::test
