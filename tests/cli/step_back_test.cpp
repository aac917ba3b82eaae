// `step --count 12 --back 5` must print exactly what `step --count 7` prints, for
// every example and for random programs over the whole instruction set that run at
// least 12 steps, under both rule sets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "random_program.h"
#include "scratch_folder.h"
#include "support.h"

namespace verdin {
namespace {

std::string stateAfter(const std::string& file, const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"step", file, "--state"};
    args.insert(args.end(), extra.begin(), extra.end());
    std::istringstream in;
    std::ostringstream out, err;
    cli::run(args, in, out, err);
    return out.str();
}

// A program that ends before its twelfth step prints the same state for 11 and 12.
bool runsTwelveSteps(const std::string& file, const std::vector<std::string>& rules) {
    std::vector<std::string> twelve = rules, eleven = rules;
    twelve.insert(twelve.end(), {"--count", "12"});
    eleven.insert(eleven.end(), {"--count", "11"});
    return stateAfter(file, twelve) != stateAfter(file, eleven);
}

void expectBackEqualsFewer(const std::string& file, const std::vector<std::string>& rules) {
    std::vector<std::string> back = rules, seven = rules;
    back.insert(back.end(), {"--count", "12", "--back", "5"});
    seven.insert(seven.end(), {"--count", "7"});
    EXPECT_EQ(stateAfter(file, back), stateAfter(file, seven)) << file;
}

TEST(StepBackCli, TwelveStepsThenFiveBackPrintSevenSteps) {
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(testing::sourcePath("examples"))) {
        if (entry.path().extension() != ".asm") continue;
        expectBackEqualsFewer(entry.path().string(), {});
        ++examples;
    }
    EXPECT_GE(examples, 8);

    testing_support::ScratchFolder folder;
    int compared = 0;
    for (unsigned seed = 0; seed < 80; ++seed) {
        const std::string file = folder.file("r" + std::to_string(seed) + ".asm");
        {
            std::ofstream text(file);
            for (const std::string& line : testing::RandomProgram(seed * 13 + 1, 30).make()) text << line << "\n";
        }
        const std::vector<std::string> rules = seed % 2 ? std::vector<std::string>{"--intel"} : std::vector<std::string>{};
        if (!runsTwelveSteps(file, rules)) continue;
        expectBackEqualsFewer(file, rules);
        ++compared;
    }
    EXPECT_GE(compared, 20);
}

}  // namespace
}  // namespace verdin
