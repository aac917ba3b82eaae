// The bytes the assembler writes for every instruction form, checked against an
// independent 8080 disassembler from Debian (dz80 of the d52 package): the image of
// tests/golden/all_forms.asm must disassemble back into the source, line for line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/source_file.h"
#include "support.h"

namespace verdin {
namespace {

namespace fs = std::filesystem;

bool isRegisterName(const std::string& t) {
    return t == "A" || t == "B" || t == "C" || t == "D" || t == "E" || t == "H" || t == "L" || t == "M" ||
           t == "SP" || t == "PSW";
}

// A disassembler operand as a value: 26H, 7, X03E8.
long valueOf(const std::string& token) {
    if (!token.empty() && token[0] == 'X') return std::stol(token.substr(1), nullptr, 16);
    if (!token.empty() && token.back() == 'H') return std::stol(token.substr(0, token.size() - 1), nullptr, 16);
    return std::stol(token);
}

std::vector<std::string> splitOperands(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ',')) parts.push_back(part);
    return parts;
}

TEST(OpcodeMap, EveryFormDisassemblesBackToItsSource) {
    if (std::system("command -v dz80 >/dev/null 2>&1") != 0) GTEST_SKIP() << "dz80 (package d52) is not installed";
    testing::Bench b;
    LoadResult source = loadSourceFile(testing::sourcePath("tests/golden/all_forms.asm"));
    ASSERT_TRUE(source.ok);
    ASSERT_EQ(compileProgram(b.machine, source.text.lines, true, false), -1) << b.last();

    fs::path dir = fs::temp_directory_path() / "verdin-opcode-map";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::vector<std::uint8_t> image = programImage(b.machine);
    std::ofstream(dir / "forms.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    std::string command = "cd '" + dir.string() + "' && dz80 -b -80 -u forms >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);

    std::vector<std::pair<std::string, std::string>> disassembly;  // mnemonic, operands
    std::ifstream listing(dir / "forms.d80");
    std::string line;
    while (std::getline(listing, line)) {
        if (line.empty() || line[0] == ';') continue;
        size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        std::stringstream fields(line.substr(tab + 1));
        std::string mnemonic, operands;
        fields >> mnemonic >> operands;
        if (mnemonic == "ORG" || mnemonic == "END" || mnemonic == "EQU" || operands == "EQU") continue;
        disassembly.emplace_back(mnemonic, operands);
    }
    fs::remove_all(dir);

    Machine& m = b.machine;
    ASSERT_EQ(static_cast<std::int32_t>(disassembly.size()), m.programLineCount);
    for (std::int32_t i = 0; i < m.programLineCount; ++i) {
        m.splitLine(m.programLines[i]);
        SCOPED_TRACE(std::string(m.programLines[i]));
        EXPECT_EQ(disassembly[i].first, m.mnemonicText);
        std::vector<std::string> ours = splitOperands(std::string(m.operandText));
        std::vector<std::string> theirs = splitOperands(disassembly[i].second);
        ASSERT_EQ(ours.size(), theirs.size());
        for (size_t k = 0; k < ours.size(); ++k) {
            if (isRegisterName(ours[k]) || m.mnemonicText == "RST") {
                EXPECT_EQ(ours[k], theirs[k]);
                continue;
            }
            long expected = 0;
            if (ours[k][0] >= 'A') {
                m.wordOperandValue(ours[k]);
                expected = m.operandHigh * 256 + m.operandLow;
            } else {
                expected = std::stol(ours[k]);
            }
            EXPECT_EQ(valueOf(theirs[k]), expected) << theirs[k];
        }
    }
}

}  // namespace
}  // namespace verdin
