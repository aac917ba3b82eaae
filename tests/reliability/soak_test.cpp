// Every example run many times in one process: each run ends as the first did, and
// memory stays flat. Run under AddressSanitizer too (make test), where a stale
// pointer or an overrun in any of those runs stops the test.
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "platform/platform.h"
#include "shell/commands.h"
#include "files/source_file.h"
#include "services/services.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of live heap bytes (g++ ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
// A small quarantine: freed blocks are still checked for reuse, but the memory held
// back no longer grows for 256 MB and hides the flat line this test looks for.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=8"; }
#endif

namespace verdin {
namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 1000;
constexpr int kWarmUp = 100;
// Lines a run may execute: far more than any example needs to reach its end.
constexpr std::int64_t kLineBudget = 5'000'000;

// Resident pages of this process.
long residentKiB() {
    long size = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &size, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Bytes the program holds on the heap right now.
std::size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

struct Outcome {
    std::vector<Message> messages;
    std::vector<std::string> screen;
    std::int32_t regA = 0, lastStatus = 0;
    bool budgetLeft = false;  // ended by itself, not by the line budget
    bool operator==(const Outcome&) const = default;
};

Outcome runOnce(const std::vector<std::string>& lines, const std::string& folder) {
    HeadlessPlatform platform;
    Machine machine(platform);
    machine.services().setSourceFolder(folder);
    if (compileProgram(machine, lines, {.stopAtEmptyLine = true, .showMessage = true}) == -1) {
        machine.setLineBudget(kLineBudget);
        runProgram(machine);
    }
    return {platform.messages, servicesOf(machine).fields().textScreenLines, machine.fields().regA, machine.fields().lastStatus, machine.fields().lineBudget > 0};
}

TEST(Soak, EveryExampleRunsAThousandTimesAlikeWithoutGrowingMemory) {
    std::vector<std::pair<std::string, std::vector<std::string>>> examples;
    for (const auto& entry : fs::directory_iterator(std::string(VERDIN_SOURCE_DIR) + "/examples")) {
        if (entry.path().extension() != ".asm") continue;
        const LoadResult loaded = loadEditorFile(entry.path().string());
        ASSERT_TRUE(loaded.ok) << loaded.error;
        examples.emplace_back(entry.path().filename().string(), loaded.text.lines);
    }
    ASSERT_FALSE(examples.empty());
    const std::string folder = std::string(VERDIN_SOURCE_DIR) + "/examples";

    std::vector<Outcome> first;
    for (const auto& [name, lines] : examples) {
        // Every example, including those added later, runs to its end with no error box.
        first.push_back(runOnce(lines, folder));
        EXPECT_TRUE(first.back().lastStatus == Interrupted && first.back().budgetLeft) << name;
        for (const Message& message : first.back().messages) EXPECT_NE(message.kind, MessageKind::Error) << name;
    }
    for (int run = 1; run < kWarmUp; ++run) {
        for (const auto& [name, lines] : examples) (void)runOnce(lines, folder);
    }
    const long residentBefore = residentKiB();
    const std::size_t heapBefore = heapInUse();
    for (int run = kWarmUp; run < kRuns; ++run) {
        for (std::size_t k = 0; k < examples.size(); ++k) {
            const Outcome outcome = runOnce(examples[k].second, folder);
            ASSERT_TRUE(outcome == first[k]) << examples[k].first << " ended differently in run " << run;
        }
    }
    const long residentAfter = residentKiB();
    const std::size_t heapAfter = heapInUse();
    RecordProperty("resident_kib_after_warm_up", static_cast<int>(residentBefore));
    RecordProperty("resident_kib_at_end", static_cast<int>(residentAfter));
    RecordProperty("heap_bytes_after_warm_up", static_cast<int>(heapBefore));
    RecordProperty("heap_bytes_at_end", static_cast<int>(heapAfter));
    // The heap must come back to where it was; resident memory may move by a few
    // pages of allocator bookkeeping, not by anything that grows with the runs.
    EXPECT_LE(heapAfter, heapBefore + 64 * 1024) << "heap grew from " << heapBefore << " to " << heapAfter;
    EXPECT_LE(residentAfter, residentBefore + 4096) << "resident memory grew from " << residentBefore << " KiB to "
                                                    << residentAfter << " KiB";
}

}  // namespace
}  // namespace verdin
