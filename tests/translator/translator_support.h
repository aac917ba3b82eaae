// Shared by the translator tests: a machine that translates a program as the
// Translate commands do, and a private folder for the files they write.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machine/machine.h"
#include "platform/platform.h"
#include "shell/commands.h"
#include "scratch_folder.h"

namespace verdin::translator_testing {

struct Translation {
    std::int32_t result = 0;  // compileProgram's: -1 or the faulty line
    std::vector<std::string> lines;
    std::vector<Message> messages;
};

// Compiles `source` silently, then runs the pass in `mode` (TranslateZ80 or
// TranslateX86), as both Translate commands do.
inline Translation translate(Machine& machine, HeadlessPlatform& platform, const std::vector<std::string>& source,
                             std::int32_t mode) {
    Translation t;
    t.result = compileProgram(machine, source, false, false, mode);
    for (std::int32_t i = 0; i < machine.translatedCount; ++i) t.lines.push_back(machine.translatedLines[i]);
    t.messages = platform.messages;
    return t;
}

using ScratchFolder = testing_support::ScratchFolder;

}  // namespace verdin::translator_testing
