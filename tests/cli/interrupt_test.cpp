// Ctrl+C must stop a run as the Stop button does instead of killing the tool: sent to
// a real verdin-cli process, as a person at a terminal would send it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "scratch_folder.h"

namespace verdin {
namespace {

using testing_support::ScratchFolder;

// Reads `fd` until `wanted` has arrived (or the pipe ends); returns all read.
std::string readUntil(int fd, const std::string& wanted) {
    std::string text;
    char buffer[256];
    while (text.find(wanted) == std::string::npos) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

TEST(CliInterrupt, StopsAnEndlessRunAndStillPrintsTheState) {
    ScratchFolder folder;
    const std::string program = folder.file("loop.asm");
    ScratchFolder::write(program, "loop: inr a\n  jmp loop\n");
    int out[2], err[2];
    ASSERT_EQ(pipe(out), 0);
    ASSERT_EQ(pipe(err), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        close(out[0]), close(err[0]), close(out[1]), close(err[1]);
        execl(VERDIN_CLI_PATH, "verdin-cli", "run", program.c_str(), "--state", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    // The compile message comes just before the run starts.
    std::string errors = readUntil(err[0], "Compile successful");
    ASSERT_NE(errors.find("Compile successful"), std::string::npos) << errors;
    kill(child, SIGINT);
    const std::string state = readUntil(out[0], "\n");
    errors += readUntil(err[0], "\x04");  // to the end of the pipe
    close(out[0]);
    close(err[0]);
    int wstatus = 0;
    ASSERT_EQ(waitpid(child, &wstatus, 0), child);
    ASSERT_TRUE(WIFEXITED(wstatus)) << "killed by the signal instead of stopping";
    EXPECT_EQ(WEXITSTATUS(wstatus), 0);
    EXPECT_EQ(state.find('{'), 0u);
    EXPECT_EQ(state.find('\n'), state.size() - 1);
    EXPECT_NE(state.find("\"status\":11,"), std::string::npos) << state;
    EXPECT_NE(errors.find("Information: Program interrupted by user"), std::string::npos) << errors;
}

}  // namespace
}  // namespace verdin
