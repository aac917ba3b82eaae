#include "shell/settings.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"
#include "shell/recent_files.h"

namespace verdin {
namespace {

using testing_support::ScratchFolder;
using Entries = std::array<std::string, 4>;

TEST(RecentFiles, NewestFirstWithoutDuplicatesAndTheirMenuItems) {
    RecentFiles recent;
    for (const char* path : {"/a/1.asm", "/a/2.asm", "/a/3.asm", "/a/4.asm", "/a/5.asm"}) recent.add(path);
    EXPECT_EQ(recent.entries, (Entries{"/a/5.asm", "/a/4.asm", "/a/3.asm", "/a/2.asm"}));
    recent.add("/a/4.asm");
    recent.add("");
    EXPECT_EQ(recent.entries, (Entries{"/a/4.asm", "/a/5.asm", "/a/3.asm", "/a/2.asm"}));

    RecentFiles two;
    two.add("C:\\work\\prog.asm");
    two.add("/home/ann/second.asm");
    EXPECT_EQ(two.menuItemText(0), "&1 second.asm");
    EXPECT_EQ(two.menuItemText(1), "&2 prog.asm");
    EXPECT_EQ(two.menuItemText(2), "");
    EXPECT_EQ(RecentFiles::commandId(3), 32794);

    // Equal names show their folders, so two labs' main.asm can be told apart; a
    // name's own "&" stays a character instead of marking the access key.
    RecentFiles labs;
    for (const char* path : {"/home/ann/lab1/main.asm", "/other.asm", "/home/ann/lab2/main.asm", "/b&w/x&y.asm"}) {
        labs.add(path);
    }
    EXPECT_EQ(labs.menuItemText(0), "&1 x&&y.asm");
    EXPECT_EQ(labs.menuItemText(1), "&2 main.asm  (/home/ann/lab2)");
    EXPECT_EQ(labs.menuItemText(2), "&3 other.asm");
    EXPECT_EQ(labs.menuItemText(3), "&4 main.asm  (/home/ann/lab1)");
    labs.add("/main.asm");
    EXPECT_EQ(labs.menuItemText(0), "&1 main.asm  (/)");
    EXPECT_EQ(RecentFiles::indexOfCommand(32792), 1);
    EXPECT_EQ(RecentFiles::indexOfCommand(32795), -1);
}

TEST(Settings, FileLocation) {
    EXPECT_EQ(settingsFilePath("/xdg", "/home/ann"), "/xdg/verdin/verdin.ini");
    EXPECT_EQ(settingsFilePath(std::nullopt, "/home/ann"), "/home/ann/.config/verdin/verdin.ini");
    EXPECT_EQ(settingsFilePath("", "/home/ann"), "/home/ann/.config/verdin/verdin.ini");
    EXPECT_EQ(settingsFilePath("relative/dir", "/home/ann"), "/home/ann/.config/verdin/verdin.ini");
    EXPECT_EQ(settingsFilePath(std::nullopt, std::nullopt), "");
}

// Five lines that earlier versions read, unused entries empty; the arithmetic option
// after them in its own section, written only when it is not the default.
TEST(Settings, FiveLinesAndTheOptionsSectionThroughTheFile) {
    ScratchFolder folder;
    const std::string path = settingsFilePath(folder.path().string(), std::nullopt);
    EXPECT_EQ(readSettings(path).initialFolder, "");  // missing: empty, and no error
    Settings s;
    s.initialFolder = "/home/ann/";
    s.recent.add("/home/ann/b.asm");
    s.recent.add("/home/ann/a.asm");
    const std::string plain = "/home/ann/\n/home/ann/a.asm\n/home/ann/b.asm\n\n\n";
    EXPECT_EQ(formatSettings(s), plain);
    s.arithmeticRules = ArithmeticRules::Intel8080;
    ASSERT_TRUE(writeSettings(path, s));  // the folder is made too
    EXPECT_EQ(ScratchFolder::read(path), plain + "[options]\narithmetic=intel8080\n");
    const Settings back = readSettings(path);
    EXPECT_EQ(back.initialFolder, "/home/ann/");
    EXPECT_EQ(back.recent.entries, s.recent.entries);
    EXPECT_EQ(back.arithmeticRules, ArithmeticRules::Intel8080);
    EXPECT_EQ(parseSettings(plain).arithmeticRules, ArithmeticRules::Workbench);
    EXPECT_FALSE(writeSettings("", s));

    const Settings crlf =
        parseSettings("C:\\work\\\r\nC:\\work\\x.asm\r\n\r\n\r\n\r\n[options]\r\narithmetic=intel8080\r\n");
    EXPECT_EQ(crlf.initialFolder, "C:\\work\\");
    EXPECT_EQ(crlf.recent.entries, (Entries{"C:\\work\\x.asm", "", "", ""}));
    EXPECT_EQ(crlf.arithmeticRules, ArithmeticRules::Intel8080);
}

// The option is read only where it is written: not from a recent-file line, not
// outside its section, and not from a value a later version might write.
TEST(Settings, StrayOrUnknownOptionsKeepTheDefault) {
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

// The timing, the clocks and the two zooms join the arithmetic's section, each only
// when not its default; a value the file cannot hold, or the keys cannot give, reads
// as the default.
TEST(Settings, OptionsRoundTripAndValuesOutOfReachKeepTheDefault) {
    Settings s;
    s.timing = Timing::Intel8085;
    s.clockKHz(Timing::Intel8085) = 6144;
    s.editorZoom = 14;
    s.debugZoom = 16;
    const std::string text = formatSettings(s);
    EXPECT_EQ(text, "\n\n\n\n\n[options]\ntiming=8085\nclock8085=6144\neditorZoom=14\ndebugZoom=16\n");
    const Settings back = parseSettings(text);
    EXPECT_EQ(formatSettings(back), text);
    EXPECT_EQ(back.clockKHz(Timing::Intel8080), 2000);
    s = Settings{};
    s.arithmeticRules = ArithmeticRules::Intel8080;
    s.clockKHz(Timing::Intel8080) = 1000;
    EXPECT_EQ(formatSettings(s), "\n\n\n\n\n[options]\narithmetic=intel8080\nclock8080=1000\n");
    const std::pair<const char*, std::vector<const char*>> refused[] = {
        {"clock8080", {"0", "100001", "2MHz", "-5", "", "9999999999"}},
        {"timing", {"8086", ""}},
        {"editorZoom", {"5", "33", "12x", "", "-8"}},
        {"debugZoom", {"5", "33", "-8", "1x", "", "016"}},
    };
    for (const auto& [key, values] : refused) {
        for (const char* value : values) {
            const Settings read = parseSettings("\n\n\n\n\n[options]\n" + std::string(key) + "=" + value + "\n");
            EXPECT_EQ(formatSettings(read), "\n\n\n\n\n") << key << "=" << value;
        }
    }
}

}  // namespace
}  // namespace verdin
