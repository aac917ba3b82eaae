// Shared by the translator tests: a machine that translates a program as the
// Translate commands do, and a private folder for the files they write.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "platform/platform.h"
#include "shell/commands.h"

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

class ScratchFolder {
public:
    ScratchFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (std::string("verdin-translator-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

    static void write(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path path_;
};

}  // namespace verdin::translator_testing
