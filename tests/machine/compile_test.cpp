// The operand rules of compile mode as one table; whole programs and their
// messages are golden cases in tests/golden/cases/compile.cases.
#include <gtest/gtest.h>

#include "support.h"

namespace verdin {
namespace {

struct OperandCase {
    const char* line;
    std::int32_t status;
    std::vector<int> bytes;
};

class OperandRules : public ::testing::TestWithParam<OperandCase> {};

// Verify the operand checks of compile mode, including the stricter ones: pair
// names, hexadecimal lengths, quoted texts, ORG and EQU.
TEST_P(OperandRules, AssembleOrRefuse) {
    const OperandCase& c = GetParam();
    HeadlessPlatform platform;
    Machine m(platform);
    m.reset();
    m.programLines[0] = "here: nop";
    m.programLines[1] = c.line;
    m.programLines[2] = "  nop";
    m.compile(false, Compile);
    EXPECT_EQ(m.status, c.status) << c.line;
    if (c.status == Ok) {
        std::vector<int> got(m.memory.begin() + 1, m.memory.begin() + 1 + static_cast<long>(c.bytes.size()));
        EXPECT_EQ(got, c.bytes) << c.line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Compile, OperandRules,
    ::testing::Values(
        OperandCase{"  push bc", InvalidRegister, {}}, OperandCase{"  pop w", InvalidRegister, {}},
        OperandCase{"  inx s", InvalidRegister, {}}, OperandCase{"  dcx sx", InvalidRegister, {}},
        OperandCase{"  dad hl", InvalidRegister, {}}, OperandCase{"  lxi w,5", InvalidRegister, {}},
        OperandCase{"  lxi sp,5", Ok, {0x31, 5, 0}}, OperandCase{"  push psw", Ok, {0xF5}},
        OperandCase{"  pop psw", Ok, {0xF1}}, OperandCase{"  inx sp", Ok, {0x33}},
        OperandCase{"  ldax d", Ok, {0x1A}}, OperandCase{"  stax h", InvalidRegister, {}},
        OperandCase{"  mvi a,h", InvalidOperand, {}}, OperandCase{"  mvi a,5h", Ok, {0x3E, 5}},
        OperandCase{"  mvi a,0ffh", Ok, {0x3E, 0xFF}}, OperandCase{"  mvi a,1ffh", InvalidOperand, {}},
        OperandCase{"  mvi a,00ffh", InvalidOperand, {}}, OperandCase{"  mvi a,1fh", Ok, {0x3E, 0x1F}},
        OperandCase{"  mvi a,10101010b", Ok, {0x3E, 0xAA}}, OperandCase{"  mvi a,2b", InvalidOperand, {}},
        OperandCase{"  mvi a,'z'", Ok, {0x3E, 'z'}}, OperandCase{"  mvi a,'ab'", InvalidOperand, {}},
        OperandCase{"  mvi a,00", InvalidOperand, {}}, OperandCase{"  mvi a,0", Ok, {0x3E, 0}},
        OperandCase{"  adi -1", InvalidOperand, {}}, OperandCase{"  adi here", InvalidOperand, {}},
        OperandCase{"  mov a,b", Ok, {0x78}}, OperandCase{"  mov a,bc", InvalidRegister, {}},
        OperandCase{"  lda 1234h", Ok, {0x3A, 0x34, 0x12}}, OperandCase{"  lda 0ffffh", Ok, {0x3A, 0xFF, 0xFF}},
        OperandCase{"  lda 10000h", InvalidOperand, {}}, OperandCase{"  lda 70000", InvalidOperand, {}},
        OperandCase{"  lda 12x4", InvalidOperand, {}}, OperandCase{"  lda -5", InvalidOperand, {}},
        OperandCase{"  lda here", Ok, {0x3A, 0, 0}}, OperandCase{"  dw 513", Ok, {1, 2}},
        OperandCase{"  dw 1,2", InvalidOperand, {}}, OperandCase{"  db 'a,b',3", Ok, {'a', ',', 'b', 3}},
        OperandCase{"  db 'ab", Ok, {'a', 'b'}}, OperandCase{"  db 1,,2", InvalidOperand, {}},
        OperandCase{"  db ''", InvalidOperand, {}}, OperandCase{"  org here", InvalidOperand, {}},
        OperandCase{"  org 100h", InvalidCommand, {}}, OperandCase{"  equ 5", InvalidOperand, {}},
        OperandCase{"  ds -3", InvalidOperand, {}}, OperandCase{"  rst 8", InvalidOperand, {}},
        OperandCase{"  rst 07", InvalidOperand, {}}, OperandCase{"  rst 7", Ok, {0xFF}},
        OperandCase{"  rst", Ok, {0xC7}}, OperandCase{"  in 255", Ok, {0xDB, 0xFF}},
        OperandCase{"  out 256", InvalidOperand, {}}));

}  // namespace
}  // namespace verdin
