// The help context a right click on a word asks for. Where a failed compile leaves
// the editor is in tests/golden/editor/compile_fault.keys.
#include <gtest/gtest.h>

#include "shell/context_help.h"

using namespace verdin;

TEST(ContextHelp, TheWordAroundTheColumnNamesItsMnemonic) {
    EXPECT_EQ(mnemonicHelpContext("        mov     a,b", 10), 175);  // 105 + 5 x 14
    EXPECT_EQ(mnemonicHelpContext("        mov     a,b", 11), 175);  // just after the word
    EXPECT_EQ(mnemonicHelpContext("nop", 0), 105);
    EXPECT_EQ(mnemonicHelpContext("\tSPHL", 5), 105 + 5 * 77);
    EXPECT_EQ(mnemonicHelpContext("        mov     a,b", 17), -1);  // operands
    EXPECT_EQ(mnemonicHelpContext("loop:   jmp loop", 2), -1);     // a label
    EXPECT_EQ(mnemonicHelpContext("        db 1", 9), -1);         // directives have no page
    EXPECT_EQ(mnemonicHelpContext("   ", 1), -1);
    EXPECT_EQ(mnemonicHelpContext("mov", 40), 175);  // a column past the end is the end
}
