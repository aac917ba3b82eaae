// A machine with a platform that records what the services show, plus helpers to set
// registers, cells and files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "platform/platform.h"
#include "scratch_folder.h"
#include "shell/commands.h"

namespace verdin::test {

class RecordingPlatform : public HeadlessPlatform {
public:
    struct ScreenEvent {
        std::vector<std::string> lines;
        bool open;
    };
    std::vector<ScreenEvent> screenEvents;
    std::string streamed;

    void textScreenChanged(const std::vector<std::string>& lines, bool open) override {
        screenEvents.push_back({lines, open});
    }
    void textScreenOutput(const std::string& text) override { streamed += text; }
};

// A folder of its own under the system's temporary folder, removed afterwards.
using TempFolder = testing_support::ScratchFolder;

inline std::string readFile(const std::string& path) { return TempFolder::read(path); }
inline void writeFile(const std::string& path, const std::string& bytes) { TempFolder::write(path, bytes); }

class ServiceTest : public ::testing::Test {
protected:
    RecordingPlatform platform;
    Machine m{platform};

    void SetUp() override { m.mode = Execute; }

    void setHL(std::int32_t v) { m.regH = v / 256, m.regL = v % 256; }
    void setDE(std::int32_t v) { m.regD = v / 256, m.regE = v % 256; }
    void setBC(std::int32_t v) { m.regB = v / 256, m.regC = v % 256; }

    // Runs one `RST n` line in execute mode at address 100; returns how far the
    // program counter moved.
    std::int32_t rst(const std::string& operand) {
        m.mode = Execute;
        m.addressCounter = 100;
        m.labelField = {};
        m.mnemonicText = "RST";
        m.operandText = operand;
        m.dispatchLine();
        return m.addressCounter - 100;
    }
    std::int32_t rst(int n) { return rst(std::to_string(n)); }

    // Stores a packed number at `address` through the machine's own writer.
    void putNumber(std::int32_t address, double value) {
        const std::int32_t h = m.regH, l = m.regL;
        setHL(address);
        m.writeNumber(value);
        m.regH = h, m.regL = l;
        ASSERT_EQ(m.status, Ok) << value;
    }
    double number(std::int32_t address) { return m.readNumber(address / 256, address % 256); }
    std::vector<std::int32_t> cells(std::int32_t address, int count) const {
        return std::vector<std::int32_t>(m.memory.begin() + address, m.memory.begin() + address + count);
    }
    void putCells(std::int32_t address, const std::vector<std::int32_t>& values) {
        for (std::size_t i = 0; i < values.size(); ++i) m.memory[static_cast<std::size_t>(address) + i] = values[i];
    }
    void putText(std::int32_t address, const std::string& text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            m.memory[static_cast<std::size_t>(address) + i] = static_cast<unsigned char>(text[i]);
        }
        m.memory[static_cast<std::size_t>(address) + text.size()] = 0;
    }
    std::string textAt(std::int32_t address) const {
        std::string text;
        for (std::int32_t a = address; a < kMemorySize && m.memory[static_cast<std::size_t>(a)] != 0; ++a) {
            text += static_cast<char>(m.memory[static_cast<std::size_t>(a)]);
        }
        return text;
    }
    std::vector<std::string> errorTexts() const {
        std::vector<std::string> texts;
        for (const Message& message : platform.messages) {
            if (message.kind == MessageKind::Error) texts.push_back(message.text);
        }
        return texts;
    }
    // Compiles and runs a whole program as the Run button does.
    void runLines(const std::vector<std::string>& lines) {
        ASSERT_EQ(compileProgram(m, lines, true, false), -1) << platform.lastMessage();
        runProgram(m);
    }
};

}  // namespace verdin::test
