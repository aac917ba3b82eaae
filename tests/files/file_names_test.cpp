#include "files/file_names.h"

#include <gtest/gtest.h>

namespace verdin {
namespace {

// Verify the window title for an untitled text, a file, and unsaved changes.
TEST(FileNames, WindowTitle) {
    EXPECT_EQ(windowTitle(""), "Verdin - Untitled");
    EXPECT_EQ(windowTitle("/home/ann/work/prog.asm"), "Verdin - /home/ann/work/prog.asm");
    EXPECT_EQ(windowTitle("/home/ann/prog.asm", true), "Verdin - /home/ann/prog.asm*");
}

// Verify splitting a path into folder and name with either separator.
TEST(FileNames, FolderAndName) {
    EXPECT_EQ(fileNamePart("/home/ann/prog.asm"), "prog.asm");
    EXPECT_EQ(folderOf("/home/ann/prog.asm"), "/home/ann/");
    EXPECT_EQ(fileNamePart("C:\\work\\prog.asm"), "prog.asm");
    EXPECT_EQ(folderOf("C:\\work\\prog.asm"), "C:\\work\\");
    EXPECT_EQ(fileNamePart("prog.asm"), "prog.asm");
    EXPECT_EQ(folderOf("prog.asm"), "");
}

// Verify translation output names: the source's name without its folder, its last
// extension replaced; a name without a dot keeps its name and gains the extension.
TEST(FileNames, TranslationOutputNames) {
    EXPECT_EQ(translationOutputName("C:\\work\\prog.asm", TranslationTarget::Z80), "prog.z80");
    EXPECT_EQ(translationOutputName("/home/ann/prog.asm", TranslationTarget::X86), "prog.i86");
    EXPECT_EQ(translationOutputName("/home/ann/my.prog.asm", TranslationTarget::Z80), "my.prog.z80");
    EXPECT_EQ(translationOutputName("/home/ann.d/prog", TranslationTarget::Z80), "prog.z80");
    EXPECT_EQ(translationOutputName("", TranslationTarget::Z80), "");
}

// Verify the names of Save code and the default extension of the Save dialogs.
TEST(FileNames, CodeNamesAndDefaultExtension) {
    EXPECT_EQ(codeOutputName("/home/ann/prog.asm"), "/home/ann/prog.dat");
    EXPECT_EQ(codeOutputName(""), "");
    EXPECT_EQ(withDefaultExtension("/home/ann/image", kCodeExtension), "/home/ann/image.dat");
    EXPECT_EQ(withDefaultExtension("/home/ann/image.bin", kCodeExtension), "/home/ann/image.bin");
    EXPECT_EQ(withDefaultExtension("/home/ann.d/prog", kSourceExtension), "/home/ann.d/prog.asm");
}

}  // namespace
}  // namespace verdin
