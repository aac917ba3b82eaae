// How many source lines per second the run loop executes headless.
//   (a) a three-level DCR/JNZ delay loop;
//   (b) a loop that CALLs a subroutine placed after 230 other lines, so that every
//       call has to re-establish the address of a line far down the program.
// Usage: run_speed [scale]   (scale multiplies the work; default 1)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "shell/commands.h"

namespace {

struct Result {
    double seconds;
    double lines;
};

Result measure(const std::vector<std::string>& program) {
    verdin::HeadlessPlatform platform;
    verdin::Machine machine(platform);
    if (verdin::compileProgram(machine, program, true, false) != -1) {
        std::fprintf(stderr, "benchmark program does not compile: %s\n", platform.lastMessage().c_str());
        std::exit(1);
    }
    // Counting lines through the event pump would slow the loop down; the
    // machine's own budget counter is read back instead.
    machine.lineBudget = 1LL << 60;
    auto start = std::chrono::steady_clock::now();
    verdin::runProgram(machine);
    auto stop = std::chrono::steady_clock::now();
    auto lines = static_cast<double>((1LL << 60) - machine.lineBudget);
    return {std::chrono::duration<double>(stop - start).count(), lines};
}

std::vector<std::string> delayLoop(int outer) {
    return {
        "        MVI  D," + std::to_string(outer),
        "OUTER:  MVI  B,250",
        "MIDDLE: MVI  C,250",
        "INNER:  DCR  C",
        "        JNZ  INNER",
        "        DCR  B",
        "        JNZ  MIDDLE",
        "        DCR  D",
        "        JNZ  OUTER",
        "        HLT",
    };
}

std::vector<std::string> farCall(int outer) {
    std::vector<std::string> p = {
        "        MVI  D," + std::to_string(outer),
        "OUTER:  MVI  E,250",
        "MIDDLE: MVI  B,250",
        "LOOP:   CALL FAR",
        "        DCR  B",
        "        JNZ  LOOP",
        "        DCR  E",
        "        JNZ  MIDDLE",
        "        DCR  D",
        "        JNZ  OUTER",
        "        HLT",
    };
    for (int i = 0; i < 230; ++i) p.push_back(i % 2 ? "        NOP" : "        MVI  H,7");
    p.push_back("FAR:    INR  C");
    p.push_back("        RET");
    return p;
}

void report(const char* name, Result r) {
    std::printf("%-34s %12.0f lines %8.3f s %8.2f million lines/s\n", name, r.lines, r.seconds,
                r.lines / r.seconds / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
    int scale = argc > 1 ? std::atoi(argv[1]) : 1;
    if (scale < 1) scale = 1;
    Result a = measure(delayLoop(std::min(255, 60 * scale)));
    report("(a) three-level DCR/JNZ delay loop", a);
    Result b = measure(farCall(std::min(255, 2 * scale)));
    report("(b) CALL past 230 lines", b);
    double ratio = (b.lines / b.seconds) / (a.lines / a.seconds);
    std::printf("(b) / (a) = %.2f\n", ratio);
    return 0;
}
