#include "shell/file_session.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "arrange.h"
#include "machine/machine.h"
#include "scratch_folder.h"
#include "shell/commands.h"
#include "shell/save_prompt.h"

namespace verdin {
namespace {

using testing_support::ScratchFolder;
using Lines = std::vector<std::string>;

class FileSessionTest : public ::testing::Test {
protected:
    ScratchFolder folder;
    HeadlessPlatform platform;
    std::string settingsPath = folder.file("config/verdin/verdin.ini");
    FileSession files{platform, settingsPath};

    std::string make(const std::string& name, const std::string& bytes) {
        const std::string path = folder.file(name);
        ScratchFolder::write(path, bytes);
        return path;
    }
};

// An opened file becomes the current one and heads the recent list, which the
// settings file keeps for the next start; reopening an entry moves it to the front.
TEST_F(FileSessionTest, OpenTakesTheWholeFileAndRemembersIt) {
    EXPECT_EQ(files.title(false), "Verdin - Untitled");
    std::string bytes;
    for (int i = 0; i < 200; ++i) bytes += "\tnop\r\n";
    const std::string a = make("long.asm", bytes);
    const std::string b = make("b.asm", "b\n");
    auto lines = files.open(a);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(lines->size(), 201u);  // every line, and the empty one after the final break
    EXPECT_EQ(files.lineEnding(), LineEnding::CrLf);
    ASSERT_TRUE(files.open(b));
    ASSERT_TRUE(files.openRecent(1));
    EXPECT_EQ(files.currentFile(), a);
    EXPECT_EQ(files.title(false), "Verdin - " + a);
    EXPECT_FALSE(files.openRecent(3));

    FileSession later(platform, settingsPath);
    later.loadSettings();
    EXPECT_EQ(later.recentFiles().entries, (std::array<std::string, 4>{a, b, "", ""}));
    EXPECT_EQ(later.settings().initialFolder, folder.path().string() + "/");
}

TEST_F(FileSessionTest, RefusedOpenChangesNothing) {
    const std::string good = make("good.asm", "\thlt\n");
    ASSERT_TRUE(files.open(good));
    platform.messages.clear();
    EXPECT_FALSE(files.open(folder.file("missing.asm")));
    EXPECT_EQ(platform.lastMessage(), "Error: File doesn't exist.");
    EXPECT_FALSE(files.open(make("wide.asm", std::string(300, ';') + "\n")));
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].kind, MessageKind::Error);
    EXPECT_EQ(files.currentFile(), good);
    EXPECT_EQ(files.recentFiles().count(), 1);
}

// Save keeps the file's own line ends; an untitled text is asked a name, which gets
// ".asm", and is written with LF. Save as asks even for a titled text.
TEST_F(FileSessionTest, SaveAndSaveAs) {
    const std::string path = make("crlf.asm", "a\r\nb\r\n");
    auto lines = files.open(path);
    ASSERT_TRUE(lines);
    lines->insert(lines->begin() + 1, "inserted");
    EXPECT_TRUE(files.saveFile(*lines, false, nullptr));
    EXPECT_EQ(ScratchFolder::read(path), "a\r\ninserted\r\nb\r\n");

    files.newText();
    EXPECT_EQ(files.title(true), "Verdin - Untitled*");
    int asked = 0;
    auto chooser = [&]() -> std::optional<std::string> {
        ++asked;
        return folder.file("fresh");
    };
    EXPECT_TRUE(files.saveFile({"x", "y", ""}, false, chooser));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(files.currentFile(), folder.file("fresh.asm"));
    EXPECT_EQ(ScratchFolder::read(folder.file("fresh.asm")), "x\ny\n");
    EXPECT_EQ(files.recentFiles().entries[1], path);
    EXPECT_FALSE(files.saveFile({"z"}, true, [] { return std::optional<std::string>(); }));
    EXPECT_EQ(files.currentFile(), folder.file("fresh.asm"));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileSessionTest, FailedSaveKeepsEverything) {
    const std::string path = make("prog.asm", "old\n");
    ASSERT_TRUE(files.open(path));
    const std::string nowhere = folder.file("no/such/dir/prog.asm");
    EXPECT_FALSE(files.saveAs(nowhere, {"new", ""}));
    EXPECT_EQ(platform.lastMessage(), "Error: Can't save the file.");
    // The box names the file and the cause under its unchanged text.
    EXPECT_EQ(platform.messages.back().hint, nowhere + ": the folder does not exist");
    EXPECT_EQ(files.currentFile(), path);
    EXPECT_EQ(ScratchFolder::read(path), "old\n");

    // Any other cause is the system's own, as a program image meets it too.
    std::filesystem::create_directory(folder.file("taken.dat"));
    Machine machine(platform);
    ASSERT_EQ(compileProgram(machine, {"\tnop"}, {}), -1);
    EXPECT_FALSE(files.saveCode(machine, folder.file("taken.dat")));
    EXPECT_EQ(platform.messages.back().text, "Can't save the file.");
    EXPECT_EQ(platform.messages.back().hint, folder.file("taken.dat") + ": is a directory");
}

// Translate's file: refused for an untitled or modified text, otherwise beside the
// source under its name. Save code: the low byte of each cell below the program's
// size, at most the whole memory, the current file left alone.
TEST_F(FileSessionTest, TranslationAndProgramImage) {
    Machine machine(platform);
    ASSERT_EQ(compileProgram(machine, {"\tmvi a,5", "\thlt"}, {.mode = TranslateZ80}), -1);
    const Lines translated{machine.fields().translatedLines[0], machine.fields().translatedLines[1], "", ""};
    EXPECT_EQ(translated[1].substr(translated[1].find_first_not_of(" \t")), "HALT");
    EXPECT_FALSE(files.writeTranslation(machine, 3, false));
    EXPECT_EQ(platform.lastMessage(), "Warning: File is not saved. Please save it before translating.");
    const std::string source = make("prog.asm", "\tmvi a,5\n\thlt\n");
    ASSERT_TRUE(files.open(source));
    EXPECT_FALSE(files.writeTranslation(machine, 2, true));
    EXPECT_FALSE(std::filesystem::exists(folder.file("prog.z80")));
    EXPECT_EQ(files.writeTranslation(machine, 2, false), folder.file("prog.z80"));
    EXPECT_EQ(splitSourceText(ScratchFolder::read(folder.file("prog.z80"))).lines, translated);

    // MVI A,5 and HLT; a cell holds more than a byte only when put there by hand.
    ASSERT_EQ(compileProgram(machine, {"\tmvi a,5", "\thlt"}, {}), -1);
    arrange(machine)->memory[1] = 0x105;
    ASSERT_TRUE(files.saveCode(machine, folder.file("image")));
    EXPECT_EQ(ScratchFolder::read(folder.file("image.dat")), std::string("\x3E\x05\x76", 3));
    // A program that ran past the end of memory left its counter there.
    EXPECT_NE(compileProgram(machine, {"\torg 3fffh", "\tlxi h,0"}, {}), -1);
    ASSERT_GE(machine.fields().addressCounter, kMemorySize);
    ASSERT_TRUE(files.saveCode(machine, folder.file("full.dat")));
    EXPECT_EQ(ScratchFolder::read(folder.file("full.dat")).size(), static_cast<size_t>(kMemorySize));
    EXPECT_EQ(files.currentFile(), source);
}

// Unmodified text is not asked about; Yes goes on only after a successful save, No
// goes on, Cancel stops.
TEST(SavePrompt, Decisions) {
    int saves = 0;
    auto answer = [](SaveAnswer a) { return [a] { return a; }; };
    auto save = [&saves](bool ok) { return [&saves, ok] { ++saves; return ok; }; };
    EXPECT_TRUE(mayDiscardChanges(false, [] { ADD_FAILURE() << "asked"; return SaveAnswer::Cancel; }, save(false)));
    EXPECT_TRUE(mayDiscardChanges(true, answer(SaveAnswer::Yes), save(true)));
    EXPECT_FALSE(mayDiscardChanges(true, answer(SaveAnswer::Yes), save(false)));
    EXPECT_TRUE(mayDiscardChanges(true, answer(SaveAnswer::No), save(true)));
    EXPECT_FALSE(mayDiscardChanges(true, answer(SaveAnswer::Cancel), save(true)));
    EXPECT_EQ(saves, 2);

    EXPECT_EQ(savePromptHint("/home/ann/lab1/main.asm"), "/home/ann/lab1/main.asm: changed since it was last saved");
    EXPECT_EQ(savePromptHint(""), "Untitled: never saved");
}

}  // namespace
}  // namespace verdin
