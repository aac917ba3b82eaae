#include "shell/settings.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"
#include "shell/recent_files.h"

namespace verdin {
namespace {

using testing_support::ScratchFolder;

// Verify the order of the recent list: newest first, no duplicates, four at most.
TEST(RecentFiles, NewestFirstWithoutDuplicates) {
    RecentFiles recent;
    for (const char* path : {"/a/1.asm", "/a/2.asm", "/a/3.asm", "/a/4.asm"}) recent.add(path);
    EXPECT_EQ(recent.count(), 4);
    EXPECT_EQ(recent.entries[0], "/a/4.asm");
    recent.add("/a/5.asm");
    EXPECT_EQ(recent.entries, (std::array<std::string, 4>{"/a/5.asm", "/a/4.asm", "/a/3.asm", "/a/2.asm"}));
    recent.add("/a/4.asm");
    EXPECT_EQ(recent.entries, (std::array<std::string, 4>{"/a/4.asm", "/a/5.asm", "/a/3.asm", "/a/2.asm"}));
    recent.add("");
    EXPECT_EQ(recent.entries[0], "/a/4.asm");
}

// Verify the menu item texts and the command ids of the recent entries.
TEST(RecentFiles, MenuItems) {
    RecentFiles recent;
    recent.add("C:\\work\\prog.asm");
    recent.add("/home/ann/second.asm");
    EXPECT_EQ(recent.menuItemText(0), "&1 second.asm");
    EXPECT_EQ(recent.menuItemText(1), "&2 prog.asm");
    EXPECT_EQ(recent.menuItemText(2), "");
    EXPECT_EQ(RecentFiles::commandId(3), 32794);
    EXPECT_EQ(RecentFiles::indexOfCommand(32792), 1);
    EXPECT_EQ(RecentFiles::indexOfCommand(32795), -1);
}

// Verify where the settings file lives for the environment values given.
TEST(Settings, FileLocation) {
    EXPECT_EQ(settingsFilePath("/xdg", "/home/ann"), "/xdg/verdin/verdin.ini");
    EXPECT_EQ(settingsFilePath(std::nullopt, "/home/ann"), "/home/ann/.config/verdin/verdin.ini");
    EXPECT_EQ(settingsFilePath("", "/home/ann"), "/home/ann/.config/verdin/verdin.ini");
    EXPECT_EQ(settingsFilePath("relative/dir", "/home/ann"), "/home/ann/.config/verdin/verdin.ini");
    EXPECT_EQ(settingsFilePath(std::nullopt, std::nullopt), "");
}

// Verify the five-line format in both directions, including unused entries and a
// file with CR LF line ends.
TEST(Settings, FiveLineFormat) {
    Settings s;
    s.initialFolder = "/home/ann/";
    s.recent.add("/home/ann/b.asm");
    s.recent.add("/home/ann/a.asm");
    EXPECT_EQ(formatSettings(s), "/home/ann/\n/home/ann/a.asm\n/home/ann/b.asm\n\n\n");
    Settings back = parseSettings(formatSettings(s));
    EXPECT_EQ(back.initialFolder, "/home/ann/");
    EXPECT_EQ(back.recent.entries, s.recent.entries);

    Settings crlf = parseSettings("C:\\work\\\r\nC:\\work\\x.asm\r\n");
    EXPECT_EQ(crlf.initialFolder, "C:\\work\\");
    EXPECT_EQ(crlf.recent.count(), 1);
    EXPECT_EQ(crlf.recent.entries[0], "C:\\work\\x.asm");
}

// Verify that a missing settings file reads as empty settings and that writing
// creates the folder.
TEST(Settings, ReadAndWrite) {
    ScratchFolder folder;
    const std::string path = settingsFilePath(folder.path().string(), std::nullopt);
    Settings none = readSettings(path);
    EXPECT_EQ(none.initialFolder, "");
    EXPECT_EQ(none.recent.count(), 0);

    Settings s;
    s.initialFolder = "/tmp/";
    s.recent.add("/tmp/p.asm");
    ASSERT_TRUE(writeSettings(path, s));
    Settings back = readSettings(path);
    EXPECT_EQ(back.initialFolder, "/tmp/");
    EXPECT_EQ(back.recent.entries[0], "/tmp/p.asm");
    EXPECT_FALSE(writeSettings("", s));
}

// The option kept after the five lines that earlier versions of verdin.ini hold.
// Verify that the arithmetic option survives a round trip, that the five lines an
// earlier version reads are unchanged by it, and that the default writes no extra line.
TEST(SettingsOptions, ArithmeticRulesFollowTheFiveLines) {
    Settings s;
    s.initialFolder = "/home/ann/";
    s.recent.add("/home/ann/a.asm");
    const std::string plain = formatSettings(s);
    s.arithmeticRules = ArithmeticRules::Intel8080;
    const std::string text = formatSettings(s);
    EXPECT_EQ(text, plain + "[options]\narithmetic=intel8080\n");

    Settings back = parseSettings(text);
    EXPECT_EQ(back.arithmeticRules, ArithmeticRules::Intel8080);
    EXPECT_EQ(back.initialFolder, "/home/ann/");
    EXPECT_EQ(back.recent.entries, s.recent.entries);
    EXPECT_EQ(parseSettings(plain).arithmeticRules, ArithmeticRules::Workbench);
    EXPECT_EQ(parseSettings(plain.substr(0, plain.size() - 2) + "\r\n\r\n[options]\r\narithmetic=intel8080\r\n").arithmeticRules,
              ArithmeticRules::Intel8080);
}

// Verify that the option is read only where it is written: not from a recent-file
// line, not outside its section, and not from a value a later version might write.
TEST(SettingsOptions, StrayOrUnknownValuesKeepTheDefault) {
    for (const char* text : {
             "/f/\narithmetic=intel8080\n\n\n\n",
             "/f/\n\n\n\n\narithmetic=intel8080\n",
             "/f/\n\n\n\n\n[other]\narithmetic=intel8080\n",
             "/f/\n\n\n\n\n[options]\narithmetic=z80\n",
             "/f/\n\n\n\n\n[options]\narithmetic\n",
         }) {
        EXPECT_EQ(parseSettings(text).arithmeticRules, ArithmeticRules::Workbench) << text;
    }
    EXPECT_EQ(parseSettings("/f/\n\n\n\n\n[other]\nx=1\n[options]\nsize=3\narithmetic=intel8080\n").arithmeticRules,
              ArithmeticRules::Intel8080);
}

}  // namespace
}  // namespace verdin
