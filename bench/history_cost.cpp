// What Step back costs a Run: the same 10 million lines run through the debug
// session with and without the history, each in a process of its own so that the
// peak resident sizes compare; then the price of taking back the Run's last lines
// (each a replay from the nearest of the points the Run kept) and the size of 10,000
// recorded Steps.
//
// Usage: history_cost            (runs both modes as child processes and compares)
//        history_cost plain|history|steps
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench_programs.h"
#include "debugger/step_history.h"
#include "shell/commands.h"

namespace {

long peakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int runMode(const std::string& mode) {
    verdin::HeadlessPlatform platform;
    verdin::Machine machine(platform);
    // 160 outer rounds of 250 x 250 x 2 lines: just over 10 million lines; HLT ends it.
    if (verdin::compileProgram(machine, verdin::bench::delayLoop(160), {.stopAtEmptyLine = true}) != -1) return 1;
    verdin::DebugSession session(machine);
    verdin::StepHistory history(session, machine);
    if (mode == "steps") {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 10000; ++i) history.step(session.selectedLine());
        std::printf("steps: 10000 Steps recorded in %.3f s, %zu bytes of history (%lld lines), peak RSS %ld KB\n",
                    secondsSince(start), history.bytes(), static_cast<long long>(history.lineCount()), peakKb());
        return 0;
    }
    const auto start = std::chrono::steady_clock::now();
    if (mode == "history") history.run();
    else session.run();
    const double seconds = secondsSince(start);
    const double lines = 250.0 * 250 * 2 * 160;
    std::printf("%s: %.3f s, %.1f M lines/s, peak RSS %ld KB\n", mode.c_str(), seconds, lines / seconds / 1e6,
                peakKb());
    if (mode == "history") {
        const std::size_t points = history.replayPoints();
        double slowest = 0;
        for (int i = 0; i < 10; ++i) {
            const auto back = std::chrono::steady_clock::now();
            if (!history.stepBack()) return 1;
            slowest = std::max(slowest, secondsSince(back));
        }
        std::printf("history: %zu replay points; taking back each of the last 10 lines took at most %.3f s, "
                    "%zu bytes of history, peak RSS %ld KB\n",
                    points, slowest, history.bytes(), peakKb());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) return runMode(argv[1]);
    for (const char* mode : {"plain", "history", "plain", "history", "steps"}) {
        const std::string command = std::string(argv[0]) + " " + mode;
        if (std::system(command.c_str()) != 0) return 1;
    }
    return 0;
}
