// The Z-80 translation of a program, assembled by a Z-80 assembler, must give the
// very bytes the workbench assembles for the 8080 program: the Z-80 runs 8080 code
// unchanged, so any difference is a translation that means something else.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/source_file.h"
#include "translator/translate.h"
#include "machine/machine.h"
#include "scratch_folder.h"
#include "shell/commands.h"

namespace verdin {
namespace {

namespace fs = std::filesystem;
using testing_support::ScratchFolder;

// The command line that assembles `source` into a raw binary `output`, or nothing
// when neither Debian Z-80 assembler is installed.
std::optional<std::string> assemblerCommand(const std::string& source, const std::string& output) {
    auto installed = [](const std::string& name) {
        return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
    };
    if (installed("pasmo")) return "pasmo --bin '" + source + "' '" + output + "'";
    if (installed("z80asm")) return "z80asm -o '" + output + "' '" + source + "'";
    return std::nullopt;
}

std::vector<std::string> programFiles() {
    std::vector<std::string> files;
    const fs::path root = VERDIN_SOURCE_DIR;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root / "examples", ec)) {
        if (entry.path().extension() == ".asm") files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    for (const char* own : {"tests/golden/all_forms.asm", "tests/golden/data_and_labels.asm"}) {
        files.push_back((root / own).string());
    }
    return files;
}

// Where the program's bytes start: the address of its ORG, else 0. Cells below it
// are never written, and the assembler's binary starts at the first byte it emits.
std::int32_t originOf(Machine& machine) {
    for (std::int32_t i = 0; i < machine.fields().programLineCount; ++i) {
        machine.splitLine(machine.fields().programLines[i]);
        if (machine.fields().mnemonicText != "ORG") continue;
        machine.wordOperandValue(machine.fields().operandText);
        return machine.fields().operandHigh * 256 + machine.fields().operandLow;
    }
    return 0;
}

TEST(Z80Assembly, TranslationsAssembleToTheSameBytes) {
    ScratchFolder folder;
    const std::string z80 = folder.file("program.z80");
    const std::string bin = folder.file("program.bin");
    const std::string log = folder.file("assembler.log");
    auto command = assemblerCommand(z80, bin);
    if (!command) GTEST_SKIP() << "no Z-80 assembler (pasmo or z80asm) on PATH";
    for (const std::string& file : programFiles()) {
        SCOPED_TRACE(file);
        LoadResult loaded = loadSourceFile(file);
        ASSERT_TRUE(loaded.ok) << loaded.error;
        const std::vector<std::string>& lines = loaded.text.lines;

        HeadlessPlatform platform;
        Machine compiled(platform);
        ASSERT_EQ(compileProgram(compiled, lines, {}), -1) << platform.lastMessage();
        std::vector<std::uint8_t> image = programImage(compiled);
        const std::int32_t origin = originOf(compiled);
        ASSERT_LE(origin, static_cast<std::int32_t>(image.size()));
        image.erase(image.begin(), image.begin() + origin);

        Machine translated(platform);
        ASSERT_EQ(compileProgram(translated, lines, {.mode = TranslateZ80}), -1) << platform.lastMessage();
        ScratchFolder::write(z80, translationText(translated, static_cast<int>(lines.size())));
        fs::remove(bin);

        const int status = std::system((*command + " > '" + log + "' 2>&1").c_str());
        ASSERT_EQ(status, 0) << ScratchFolder::read(log) << "\n--- translation ---\n" << ScratchFolder::read(z80);
        const std::string bytes = ScratchFolder::read(bin);
        const std::vector<std::uint8_t> theirs(bytes.begin(), bytes.end());
        ASSERT_EQ(theirs.size(), image.size());
        const auto differ = std::mismatch(image.begin(), image.end(), theirs.begin());
        EXPECT_EQ(differ.first, image.end()) << "at address " << origin + (differ.first - image.begin());
    }
}

}  // namespace
}  // namespace verdin
