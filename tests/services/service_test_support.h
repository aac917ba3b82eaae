// A machine in execute mode with helpers to set registers, cells and files and to run
// one RST line or a whole program.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "arrange.h"
#include "machine/machine.h"
#include "platform/platform.h"
#include "scratch_folder.h"
#include "services/service_support.h"
#include "shell/commands.h"

namespace verdin::test {

using TempFolder = testing_support::ScratchFolder;

inline std::string readFile(const std::string& path) { return TempFolder::read(path); }
inline void writeFile(const std::string& path, const std::string& bytes) { TempFolder::write(path, bytes); }

class ServiceTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    Machine m{platform};
    void setHL(std::int32_t v) { Arranged s(m); s->regH = v / 256, s->regL = v % 256; }
    void setDE(std::int32_t v) { Arranged s(m); s->regD = v / 256, s->regE = v % 256; }
    void setBC(std::int32_t v) { Arranged s(m); s->regB = v / 256, s->regC = v % 256; }
    void setA(std::int32_t v) { arrange(m)->regA = v; }

    // Runs one `RST n` line at address 100; returns how far the program counter moved.
    std::int32_t rst(int n) { return m.executeLine(" rst " + std::to_string(n), 100) - 100; }
    // Stores a packed number at `address` through the services' own writer.
    void putNumber(std::int32_t address, double value) {
        Arranged s(m);
        ASSERT_EQ(writePackedNumber(*s, address, value), Ok) << value;
    }
    std::vector<std::int32_t> cells(std::int32_t address, int count) const {
        return std::vector<std::int32_t>(m.fields().memory.begin() + address, m.fields().memory.begin() + address + count);
    }
    void putCells(std::int32_t address, const std::vector<std::int32_t>& values) {
        Arranged s(m);
        for (std::size_t i = 0; i < values.size(); ++i) s->memory[static_cast<std::size_t>(address) + i] = values[i];
    }
    void putText(std::int32_t address, const std::string& text) {
        std::vector<std::int32_t> values(text.begin(), text.end());
        for (std::int32_t& c : values) c &= 0xFF;
        values.push_back(0);
        putCells(address, values);
    }
    std::vector<std::string> errorTexts() const {
        std::vector<std::string> texts;
        for (const Message& message : platform.messages) {
            if (message.kind == MessageKind::Error) texts.push_back(message.text);
        }
        return texts;
    }
};

}  // namespace verdin::test
