// Differential test against an independent emulator from Debian, z80ex (a Z-80
// core; the 8080 opcodes are a subset with the same encodings). For programs whose
// instructions mean the same on both machines, registers, memory and output ports
// after the run must agree. Flags are never compared: the Z-80 sets P/V and bit 1
// differently, and this workbench has flag rules of its own.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

extern "C" {
#include <z80ex/z80ex.h>
}

#include "files/source_file.h"
#include "support.h"

namespace verdin {
namespace {

struct Reference {
    std::array<std::uint8_t, 65536> memory{};
    std::array<std::uint8_t, 256> in{}, out{};
};
Reference& of(void* data) { return *static_cast<Reference*>(data); }

// Every program gets the same input ports here and there.
void compareRuns(const std::vector<std::string>& program) {
    testing::Bench ours;
    ASSERT_EQ(compileProgram(ours.machine, program, {.stopAtEmptyLine = true}), -1) << ours.last();
    Reference ref;
    for (int a = 0; a < kMemorySize; ++a) ref.memory[static_cast<size_t>(a)] = static_cast<std::uint8_t>(ours.machine.fields().memory[a]);
    const std::array<std::uint8_t, 4> inputs = {0x0F, 0xFF, 0x81, 0x5A};
    for (size_t p = 0; p < inputs.size(); ++p) {
        ours.machine.setInputPort(static_cast<int>(p), inputs[p]);
        ref.in[p] = inputs[p];
    }
    ours.machine.resetRun();
    ours.machine.setLineBudget(5'000'000);
    ours.machine.run();
    ASSERT_EQ(ours.machine.fields().lastStatus, Interrupted) << "the program must end with HLT";

    Z80EX_CONTEXT* cpu = z80ex_create(
        [](Z80EX_CONTEXT*, Z80EX_WORD address, int, void* data) { return of(data).memory[address]; }, &ref,
        [](Z80EX_CONTEXT*, Z80EX_WORD address, Z80EX_BYTE value, void* data) { of(data).memory[address] = value; }, &ref,
        [](Z80EX_CONTEXT*, Z80EX_WORD port, void* data) { return of(data).in[port & 0xFF]; }, &ref,
        [](Z80EX_CONTEXT*, Z80EX_WORD port, Z80EX_BYTE value, void* data) { of(data).out[port & 0xFF] = value; }, &ref,
        [](Z80EX_CONTEXT*, void*) -> Z80EX_BYTE { return 0xFF; }, nullptr);
    z80ex_reset(cpu);
    // The workbench starts with every register 0; the Z-80's are undefined after reset.
    for (Z80_REG_T r : {regAF, regBC, regDE, regHL}) z80ex_set_reg(cpu, r, 0);
    // The 8080 workbench starts its stack at 3FFEH; the Z-80 would start at FFFFH.
    z80ex_set_reg(cpu, regSP, kInitialSp);
    for (int steps = 0; steps < 20'000'000 && !z80ex_doing_halt(cpu); ++steps) z80ex_step(cpu);
    ASSERT_TRUE(z80ex_doing_halt(cpu));

    const Machine& m = ours.machine;
    auto reg = [&](Z80_REG_T r) { return static_cast<int>(z80ex_get_reg(cpu, r)); };
    // Our PC is past the HLT; the Z-80 stops on it.
    EXPECT_EQ(std::vector<int>({m.fields().regA, m.fields().pairBC(), m.fields().pairDE(), m.fields().pairHL(), m.fields().sp, m.fields().stopAddress}),
              std::vector<int>({reg(regAF) >> 8, reg(regBC), reg(regDE), reg(regHL), reg(regSP), reg(regPC) + 1}));
    for (int a = 0; a < kMemorySize; ++a) {
        ASSERT_EQ(m.fields().memory[a], ref.memory[static_cast<size_t>(a)]) << "address " << a;
    }
    for (int p = 0; p < kPortCount; ++p) EXPECT_EQ(m.fields().outPorts[p], ref.out[static_cast<size_t>(p)]) << "port " << p;
    z80ex_destroy(cpu);
}

// The examples, and the programs of tests/differential/programs: moves, loads, stores
// and pairs; logic, counting and conditional flow.
TEST(Differential, ProgramsAgreeWithAnIndependentEmulator) {
    std::vector<std::string> paths;
    for (const char* name : {"sum_table", "multiply", "bubble_sort", "push_pop", "port_echo"}) {
        paths.push_back(testing::sourcePath("examples/") + name + ".asm");
    }
    for (const auto& entry : std::filesystem::directory_iterator(testing::sourcePath("tests/differential/programs"))) {
        paths.push_back(entry.path().string());
    }
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        compareRuns(loadSourceFile(path).text.lines);
    }
}

}  // namespace
}  // namespace verdin
