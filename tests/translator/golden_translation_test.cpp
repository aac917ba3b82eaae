// Every program in tests/golden/translations translates into exactly the text beside
// it: PROGRAM.z80 for the Z-80 pass and PROGRAM.i86 for the x86 pass.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/source_file.h"
#include "translator/translate.h"
#include "machine/machine.h"
#include "scratch_folder.h"
#include "shell/commands.h"

namespace verdin {
namespace {

namespace fs = std::filesystem;
using testing_support::ScratchFolder;

TEST(GoldenTranslations, EachProgramGivesTheTextsBesideIt) {
    int programs = 0;
    for (const auto& entry : fs::directory_iterator(std::string(VERDIN_SOURCE_DIR) + "/tests/golden/translations")) {
        if (entry.path().extension() != ".asm") continue;
        ++programs;
        LoadResult source = loadSourceFile(entry.path().string());
        ASSERT_TRUE(source.ok) << source.error;
        for (auto [mode, extension] : {std::pair{TranslateZ80, ".z80"}, std::pair{TranslateX86, ".i86"}}) {
            SCOPED_TRACE(entry.path().filename().string() + extension);
            HeadlessPlatform platform;
            Machine machine(platform);
            ASSERT_EQ(compileProgram(machine, source.text.lines, false, false, mode), -1) << platform.lastMessage();
            fs::path expected = entry.path();
            expected.replace_extension(extension);
            EXPECT_EQ(translationText(machine, static_cast<int>(source.text.lines.size())),
                      ScratchFolder::read(expected.string()));
        }
    }
    EXPECT_GE(programs, 1);
}

}  // namespace
}  // namespace verdin
