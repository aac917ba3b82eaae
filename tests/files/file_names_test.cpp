#include "files/file_names.h"

#include <gtest/gtest.h>

namespace verdin {
namespace {

TEST(FileNames, WindowTitle) {
    EXPECT_EQ(windowTitle(""), "Verdin - Untitled");
    EXPECT_EQ(windowTitle("/home/ann/work/prog.asm"), "Verdin - /home/ann/work/prog.asm");
    EXPECT_EQ(windowTitle("/home/ann/prog.asm", true), "Verdin - /home/ann/prog.asm*");
}

// Either separator splits, as names typed for the original platform use backslashes.
// Translation names are checked through translationPath in the translator's tests.
TEST(FileNames, FolderAndName) {
    EXPECT_EQ(fileNamePart("/home/ann/prog.asm"), "prog.asm");
    EXPECT_EQ(folderOf("/home/ann/prog.asm"), "/home/ann/");
    EXPECT_EQ(fileNamePart("C:\\work\\prog.asm"), "prog.asm");
    EXPECT_EQ(folderOf("C:\\work\\prog.asm"), "C:\\work\\");
    EXPECT_EQ(fileNamePart("prog.asm"), "prog.asm");
    EXPECT_EQ(folderOf("prog.asm"), "");
}

// A dot in a folder's name is no extension of the file.
TEST(FileNames, CodeNamesAndDefaultExtension) {
    EXPECT_EQ(codeOutputName("/home/ann/prog.asm"), "/home/ann/prog.dat");
    EXPECT_EQ(codeOutputName(""), "");
    EXPECT_EQ(withDefaultExtension("/home/ann/image", kCodeExtension), "/home/ann/image.dat");
    EXPECT_EQ(withDefaultExtension("/home/ann/image.bin", kCodeExtension), "/home/ann/image.bin");
    EXPECT_EQ(withDefaultExtension("/home/ann.d/prog", kSourceExtension), "/home/ann.d/prog.asm");
}

}  // namespace
}  // namespace verdin
