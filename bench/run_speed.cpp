// How many source lines per second the run loop executes headless, measured against
// z80ex (a native emulator decoding machine code) running the same programs' saved
// bytes in the same process.
//   (a) a three-level DCR/JNZ delay loop;
//   (b) a loop that CALLs a subroutine placed after 230 other lines, so that every
//       call has to re-establish the address of a line far down the program.
// Then the compile of a full program: 250 lines, 50 labels.
//
// Times are the CPU time of the measuring thread, not the wall clock: on a shared
// machine the wall clock counts whatever ran while this thread waited. Each figure is
// the best of several rounds, Verdin and z80ex taking turns, so that a busy machine
// slows both alike rather than whichever ran at the wrong moment.
// Usage: run_speed [scale] [rounds]   (scale multiplies the work; default 1 and 5)
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "bench_programs.h"
#include "machine/machine.h"
#include "shell/commands.h"

#ifdef VERDIN_BENCH_Z80EX
extern "C" {
#include <z80ex/z80ex.h>
}
#endif

namespace {

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Result {
    double seconds = 1e30;
    double count = 0;
    void keepBest(double s, double n) {
        if (s < seconds) seconds = s;
        count = n;
    }
    double perSecond() const { return count / seconds; }
};

void compileOrDie(verdin::Machine& machine, verdin::HeadlessPlatform& platform, const std::vector<std::string>& program) {
    if (verdin::compileProgram(machine, program, {.stopAtEmptyLine = true}) != -1) {
        std::fprintf(stderr, "benchmark program does not compile: %s\n", platform.lastMessage().c_str());
        std::exit(1);
    }
}

// Seconds for one Run of the program, and the lines it executed.
std::pair<double, double> runVerdin(const std::vector<std::string>& program) {
    verdin::HeadlessPlatform platform;
    // On the heap, as verdin-cli holds it: a machine on the stack shares the low bits
    // of its addresses with the stack frames of the handlers, which slows loads by
    // chance and makes the figures depend on where a run's frames happen to fall.
    auto owner = std::make_unique<verdin::Machine>(platform);
    verdin::Machine& machine = *owner;
    compileOrDie(machine, platform, program);
    // Counting lines through the event pump would slow the loop down; the
    // machine's own budget counter is read back instead.
    constexpr long long kBudget = 1LL << 60;
    machine.setLineBudget(kBudget);
    double start = threadSeconds();
    verdin::runProgram(machine);
    double seconds = threadSeconds() - start;
    if (machine.fields().lastStatus != verdin::Interrupted || machine.fields().lineBudget == 0) {
        std::fprintf(stderr, "benchmark program did not end with HLT\n");
        std::exit(1);
    }
    return {seconds, static_cast<double>(kBudget - machine.fields().lineBudget)};
}

#ifdef VERDIN_BENCH_Z80EX
struct Z80Memory {
    std::array<Z80EX_BYTE, 65536> cells{};
};

Z80EX_BYTE readMemory(Z80EX_CONTEXT*, Z80EX_WORD address, int, void* data) {
    return static_cast<Z80Memory*>(data)->cells[address];
}
void writeMemory(Z80EX_CONTEXT*, Z80EX_WORD address, Z80EX_BYTE value, void* data) {
    static_cast<Z80Memory*>(data)->cells[address] = value;
}
Z80EX_BYTE readPort(Z80EX_CONTEXT*, Z80EX_WORD, void*) { return 0; }
void writePort(Z80EX_CONTEXT*, Z80EX_WORD, Z80EX_BYTE, void*) {}
Z80EX_BYTE readInterrupt(Z80EX_CONTEXT*, void*) { return 0xFF; }

// The program's saved bytes (what Save code writes) run from address 0 to its HLT.
std::pair<double, double> runZ80ex(const std::vector<std::uint8_t>& image) {
    Z80Memory memory;
    std::copy(image.begin(), image.end(), memory.cells.begin());
    Z80EX_CONTEXT* cpu = z80ex_create(readMemory, &memory, writeMemory, &memory, readPort, nullptr, writePort,
                                      nullptr, readInterrupt, nullptr);
    z80ex_reset(cpu);
    for (Z80_REG_T r : {regAF, regBC, regDE, regHL}) z80ex_set_reg(cpu, r, 0);
    z80ex_set_reg(cpu, regSP, verdin::kInitialSp);
    double instructions = 0;
    double start = threadSeconds();
    while (!z80ex_doing_halt(cpu)) {
        z80ex_step(cpu);
        ++instructions;
    }
    double seconds = threadSeconds() - start;
    z80ex_destroy(cpu);
    return {seconds, instructions};
}
#endif

using verdin::bench::delayLoop;

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

// 250 lines with 50 labels and 50 label references: the largest program the store
// and the tables take.
std::vector<std::string> fullProgram() {
    std::vector<std::string> p;
    auto label = [](int i) { return "L" + std::to_string(i / 10) + std::to_string(i % 10); };
    for (int i = 0; p.size() < 250; ++i) {
        if (i < 50) {
            p.push_back(label(i) + ":    MVI  A,0C8H");
            p.push_back("        JNZ  " + label((i + 1) % 50));
        }
        p.push_back("        LXI  H,1234H");
        p.push_back("        MOV  M,A");
        p.push_back("        ADD  B   ; a comment");
    }
    p.resize(250);
    return p;
}

void reportRun(const char* name, const Result& ours, const Result* reference) {
    std::printf("%s\n", name);
    std::printf("  Verdin %12.0f lines         %8.4f s %8.2f million lines/s\n", ours.count, ours.seconds,
                ours.perSecond() / 1e6);
    if (reference == nullptr) return;
    std::printf("  z80ex  %12.0f instructions  %8.4f s %8.2f million instructions/s\n", reference->count,
                reference->seconds, reference->perSecond() / 1e6);
    std::printf("  time ratio Verdin / z80ex: %.2f\n", ours.seconds / reference->seconds);
}

}  // namespace

int main(int argc, char** argv) {
    int scale = argc > 1 ? std::atoi(argv[1]) : 1;
    if (scale < 1) scale = 1;
    int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    if (rounds < 1) rounds = 1;

    struct Case {
        const char* name;
        std::vector<std::string> program;
        Result ours, reference;
    };
    std::vector<Case> cases = {
        {"(a) three-level DCR/JNZ delay loop", delayLoop(std::min(255, 60 * scale)), {}, {}},
        {"(b) CALL past 230 lines", farCall(std::min(255, 20 * scale)), {}, {}},
    };
    for (int round = 0; round < rounds; ++round) {
        for (Case& c : cases) {
            auto [seconds, lines] = runVerdin(c.program);
            c.ours.keepBest(seconds, lines);
#ifdef VERDIN_BENCH_Z80EX
            verdin::HeadlessPlatform platform;
            verdin::Machine machine(platform);
            compileOrDie(machine, platform, c.program);
            auto [zSeconds, instructions] = runZ80ex(verdin::programImage(machine));
            c.reference.keepBest(zSeconds, instructions);
#endif
        }
    }
    for (const Case& c : cases) {
#ifdef VERDIN_BENCH_Z80EX
        reportRun(c.name, c.ours, &c.reference);
#else
        reportRun(c.name, c.ours, nullptr);
#endif
    }
#ifndef VERDIN_BENCH_Z80EX
    std::printf("(z80ex was not found when this benchmark was built: no comparison)\n");
#endif

    // Compile: the best of many, since one compile is far shorter than a clock tick of
    // a busy machine's scheduler.
    std::vector<std::string> program = fullProgram();
    verdin::HeadlessPlatform platform;
    verdin::Machine machine(platform);
    double best = 1e30;
    for (int i = 0; i < 200 * rounds; ++i) {
        double start = threadSeconds();
        compileOrDie(machine, platform, program);
        best = std::min(best, threadSeconds() - start);
    }
    std::printf("compile of 250 lines, %d labels: %.3f ms\n", machine.fields().labelCount, best * 1e3);
    return 0;
}
