// Helpers shared by the core tests: a machine with a recording platform, and
// programs given as lines.
#pragma once

#include <string>
#include <vector>

#include "machine/machine.h"
#include "platform/platform.h"
#include "shell/commands.h"

namespace verdin::testing {

struct Bench {
    HeadlessPlatform platform;
    Machine machine{platform};

    // The Debug command's hand-off followed by the Run button.
    std::int32_t run(const std::vector<std::string>& lines) {
        std::int32_t result = compileProgram(machine, lines, {.stopAtEmptyLine = true, .showMessage = true});
        if (result == -1) runProgram(machine);
        return result;
    }
    std::string last() const { return platform.lastMessage(); }
};

inline std::string sourcePath(const std::string& relative) { return std::string(VERDIN_SOURCE_DIR) + "/" + relative; }

}  // namespace verdin::testing
