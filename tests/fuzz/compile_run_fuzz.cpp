// Arbitrary source text through the commands of the workbench: Compile, the listing,
// Debug with a bounded Run, then steps as the debug window makes them. The text goes
// in whole, as a loaded file would, so the examples serve as seeds unchanged.
#include <unistd.h>

#include <cstdlib>

#include "files/source_file.h"
#include "fuzz_support.h"
#include "shell/commands.h"

namespace {
// Enough lines for loops, calls and services to do real work, few enough that every
// input finishes in milliseconds.
constexpr std::int64_t kRunBudget = 20000;
constexpr int kSteps = 40;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Relative names of an untitled text resolve against the current directory.
    if (chdir(verdin::fuzz::scratchFolder().c_str()) != 0) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace verdin;
    const SourceText source = splitSourceText(fuzz::asText(data, size));
    fuzz::FileGuard guard;
    fuzz::Workbench bench;
    Machine& machine = bench.machine;
    if (compileProgram(machine, source.lines, {.showMessage = true}) == -1) {
        (void)programImage(machine);
        (void)listProgram(machine, source.lines);
    }
    if (compileProgram(machine, source.lines, {.stopAtEmptyLine = true, .showMessage = true}) == -1) {
        machine.setLineBudget(kRunBudget);
        runProgram(machine);
        std::int32_t line = 0;
        for (int k = 0; k < kSteps && line < machine.fields().programLineCount; ++k) {
            machine.clearStopRequest();
            machine.setLineBudget(kRunBudget);
            machine.step(line);
            line = machine.fields().nextLine + 1;
        }
        // Every run-time status is shown and cleared by its driver.
        if (machine.fields().status != Ok) std::abort();
    }
    return 0;
}
