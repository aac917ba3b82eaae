// The bytes the assembler writes for every instruction form, checked against an
// independent 8080 disassembler from Debian (dz80 of the d52 package): the image of
// tests/golden/all_forms.asm must disassemble back into the source, line for line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "files/source_file.h"
#include "scratch_folder.h"
#include "support.h"

namespace verdin {
namespace {

using testing_support::ScratchFolder;

// The operands of a line as both sides can be compared: names as they are, numbers
// (the disassembler's 26H, 7 or X03E8; a label of ours) as decimal values.
std::vector<std::string> operands(const std::string& text, Machine* ours, bool keepNumbers) {
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');) {
        const bool name = part == "A" || part == "B" || part == "C" || part == "D" || part == "E" || part == "H" ||
                          part == "L" || part == "M" || part == "SP" || part == "PSW";
        if (name || keepNumbers) {
            parts.push_back(part);
        } else if (ours != nullptr && part[0] >= 'A') {
            ours->wordOperandValue(part);
            parts.push_back(std::to_string(ours->fields().operandHigh * 256 + ours->fields().operandLow));
        } else if (ours == nullptr && (part[0] == 'X' || part.back() == 'H')) {
            parts.push_back(std::to_string(std::stol(part.substr(part[0] == 'X' ? 1 : 0), nullptr, 16)));
        } else {
            parts.push_back(std::to_string(std::stol(part)));
        }
    }
    return parts;
}

TEST(OpcodeMap, EveryFormDisassemblesBackToItsSource) {
    if (std::system("command -v dz80 >/dev/null 2>&1") != 0) GTEST_SKIP() << "dz80 (package d52) is not installed";
    testing::Bench b;
    const LoadResult source = loadSourceFile(testing::sourcePath("tests/golden/all_forms.asm"));
    ASSERT_TRUE(source.ok);
    ASSERT_EQ(compileProgram(b.machine, source.text.lines, {.stopAtEmptyLine = true}), -1) << b.last();
    ScratchFolder folder;
    const std::vector<std::uint8_t> image = programImage(b.machine);
    ScratchFolder::write(folder.file("forms.bin"), std::string(image.begin(), image.end()));
    ASSERT_EQ(std::system(("cd '" + folder.path().string() + "' && dz80 -b -80 -u forms >/dev/null 2>&1").c_str()), 0);

    Machine& m = b.machine;
    std::int32_t i = 0;
    std::istringstream listing(ScratchFolder::read(folder.file("forms.d80")));
    for (std::string line; std::getline(listing, line);) {
        if (line.empty() || line[0] == ';' || line.find('\t') == std::string::npos) continue;
        std::istringstream fields(line.substr(line.find('\t') + 1));
        std::string mnemonic, theirs;
        fields >> mnemonic >> theirs;
        if (mnemonic == "ORG" || mnemonic == "END" || mnemonic == "EQU" || theirs == "EQU") continue;
        ASSERT_LT(i, m.fields().programLineCount) << line;
        m.splitLine(m.fields().programLines[i++]);
        SCOPED_TRACE(std::string(m.fields().programLines[i - 1]));
        EXPECT_EQ(mnemonic, m.fields().mnemonicText);
        const bool rst = mnemonic == "RST";
        EXPECT_EQ(operands(theirs, nullptr, rst), operands(std::string(m.fields().operandText), &m, rst));
    }
    EXPECT_EQ(i, m.fields().programLineCount);
}

}  // namespace
}  // namespace verdin
