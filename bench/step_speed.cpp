// What a Step costs by the line it steps: the debug window's Step goes to its line out
// of sequence, which must not cost more for a line far down a long program than for
// one near its top. Steps line 4 and line 241 of a 250-line program, and a PCHL
// to each, many times over; prints the CPU time per Step, through the compile's line
// table and, for comparison, by assembling the lines above the target again.
// Usage: step_speed [steps] [rounds]   (defaults 200000 and 5; the best round counts)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "shell/commands.h"

namespace {

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// 250 lines: line 0 loads HL with the address of line `target` and jumps there with
// PCHL; the other lines are alternately 2-byte and 1-byte instructions.
std::vector<std::string> longProgram(int target) {
    std::vector<std::string> lines = {"        LXI  H,THERE", "        PCHL"};
    while (lines.size() < 249) {
        const bool there = static_cast<int>(lines.size()) == target;
        const std::string label = there ? "THERE:  " : "        ";
        lines.push_back(label + (lines.size() % 2 == 0 ? "MVI  A,1" : "INR  A"));
    }
    lines.push_back("        HLT");
    return lines;
}

// The best CPU seconds per Step over `rounds` rounds of `steps` Steps of `line`.
double secondsPerStep(verdin::Machine& machine, int line, int steps, int rounds) {
    double best = 1e9;
    for (int r = 0; r < rounds; ++r) {
        const double start = threadSeconds();
        for (int i = 0; i < steps; ++i) machine.step(line);
        best = std::min(best, (threadSeconds() - start) / steps);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const int steps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::printf("                   line table   assembling the lines above\n");
    for (int target : {3, 240}) {
        double ns[2][2] = {};
        for (int way = 0; way < 2; ++way) {
            verdin::HeadlessPlatform platform;
            auto machine = std::make_unique<verdin::Machine>(platform);
            if (verdin::compileProgram(*machine, longProgram(target), {.stopAtEmptyLine = true}) != -1) {
                std::fprintf(stderr, "benchmark program does not compile: %s\n", platform.lastMessage().c_str());
                return 1;
            }
            machine->setUseLineTable(way == 0);
            machine->resetRun();
            // Assembling is slower by far: a tenth of the Steps measure it well enough.
            const int count = way == 0 ? steps : std::max(1, steps / 10);
            ns[0][way] = 1e9 * secondsPerStep(*machine, target, count, rounds);
            // Line 0 loads HL; PCHL (line 1) then finds the line at that address.
            machine->step(0);
            ns[1][way] = 1e9 * secondsPerStep(*machine, 1, count, rounds);
        }
        std::printf("Step line %3d    %9.1f ns %12.1f ns\n", target + 1, ns[0][0], ns[0][1]);
        std::printf("PCHL to line %3d %9.1f ns %12.1f ns\n", target + 1, ns[1][0], ns[1][1]);
    }
    return 0;
}
