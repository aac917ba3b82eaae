// Bad input gets a clear message and costs nothing: the rows of the README's
// "Bad input" table that no other suite covers. Files that cannot be read, files
// without end, a disk that takes no more bytes, folders nobody may write in, host-file
// names that name nothing usable, and table headers with absurd lengths. What
// verdin-cli says of such files: tests/golden/cli/refused_files.cli.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "arrange.h"
#include "services/dbf_table.h"
#include "services/dbf_test_support.h"
#include "shell/file_session.h"
#include "files/source_file.h"
#include "translator/translate.h"
#include "services/services.h"

namespace verdin::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// ---- Source files ---------------------------------------------------------------

// Reading /proc/self/mem from offset 0 fails with an I/O error: a file that opens but
// cannot be read, for root as for anyone.
constexpr const char* kUnreadable = "/proc/self/mem";

TEST(SourceFiles, AReadErrorIsReportedInsteadOfOpeningAnEmptyText) {
    if (!fs::exists(kUnreadable)) GTEST_SKIP() << kUnreadable << " is not available";
    const LoadResult editor = loadEditorFile(kUnreadable);
    EXPECT_FALSE(editor.ok);
    EXPECT_EQ(editor.error.rfind(std::string("Can't read the file ") + kUnreadable + ": ", 0), 0u) << editor.error;
    EXPECT_TRUE(editor.text.lines.empty());
    EXPECT_FALSE(loadSourceFile(kUnreadable).ok);

    HeadlessPlatform platform;
    FileSession files(platform, "");
    EXPECT_FALSE(files.open(kUnreadable).has_value());
    EXPECT_TRUE(contains(platform.lastMessage(), "Can't read the file")) << platform.lastMessage();
    EXPECT_EQ(files.currentFile(), "");
}

TEST(SourceFiles, FilesWithoutEndOrFarTooLargeAreRefusedAfterAFewPages) {
    // /dev/zero never ends: reading it whole would never finish.
    const LoadResult endless = loadEditorFile("/dev/zero");
    EXPECT_FALSE(endless.ok);
    EXPECT_TRUE(contains(endless.error, "too large for the editor")) << endless.error;

    TempFolder folder;
    const std::string big = folder.file("big.asm");
    writeFile(big, std::string(1 << 20, 'x'));
    const LoadResult huge = loadEditorFile(big);
    EXPECT_FALSE(huge.ok);
    EXPECT_EQ(huge.error, "The file " + big + " is too large for the editor, which holds 16383 characters. " +
                              "The file was not opened.");
    // The largest file that can still fit is read and judged line by line as before.
    std::string pairs;
    while (pairs.size() + 2 <= 2 * kEditorCapacity) pairs += "\r\n";
    writeFile(big, pairs);
    const LoadResult lineEnds = loadEditorFile(big);
    EXPECT_TRUE(lineEnds.ok) << lineEnds.error;
    EXPECT_EQ(editorTextSize(lineEnds.text), kEditorCapacity);
}

// ---- A disk that takes no more bytes ------------------------------------------------

// In a child process whose file-size limit is `limit` bytes, writes beyond it fail
// with EFBIG as they would on a full disk (SIGXFSZ ignored, as it must be for the
// failure to reach the writer). `check` returns true when all went as it should.
template <typename Check>
void withFileSizeLimit(rlim_t limit, Check check) {
    auto child = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, limit};
        std::_Exit(setrlimit(RLIMIT_FSIZE, &r) != 0 ? 3 : check() ? 0 : 1);
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
}

TEST(FullDisk, ASaveThatRunsOutOfSpaceKeepsTheOldFileAndTheName) {
    TempFolder folder;
    const std::string path = folder.file("prog.asm");
    writeFile(path, "  nop\n");
    withFileSizeLimit(64, [&] {
        HeadlessPlatform platform;
        FileSession files(platform, "");
        if (!files.open(path)) return false;
        const Lines longer(100, "  mvi a,5");
        const bool saved = files.saveFile(longer, false, [] { return std::optional<std::string>(); });
        // The limit stands in for a full disk; the hint names its cause.
        return !saved && platform.lastMessage() == "Error: Can't save the file." &&
               platform.messages.back().hint == path + ": file too large" && readFile(path) == "  nop\n" &&
               files.currentFile() == path &&
               std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()) == 1;
    });
}

TEST(FullDisk, TranslationAndProgramImageReportTheFailure) {
    TempFolder folder;
    const std::string image = folder.file("prog.dat");
    writeFile(image, "old image");
    withFileSizeLimit(16, [&] {
        HeadlessPlatform platform;
        Machine m(platform);
        const Lines lines(60, "  lxi h,1234h");
        if (compileProgram(m, lines, {.mode = TranslateZ80}) != -1) return false;
        const bool translated = writeTranslationTo(m, 60, folder.file("prog.z80"));
        const bool translateReported = platform.lastMessage() == "Error: Can't save the file.";
        FileSession files(platform, "");
        const bool imaged = files.saveCode(m, image);
        return !translated && translateReported && !imaged && platform.lastMessage() == "Error: Can't save the file." &&
               readFile(image) == "old image" &&
               std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()) == 1;
    });
}

class FullDevice : public DbfServices {};

// /dev/full takes every write and fails it with ENOSPC once the data leaves the buffer.
TEST_F(FullDevice, HostFileWritesCountNothingAndTableCopiesSayWriteFailed) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "/dev/full is not available";
    putText(kValue, "/dev/full");
    arrange(m)->regA = 'O';
    setHL(kValue);
    rst(6);
    ASSERT_NE(servicesOf(m).fields().userFile, nullptr) << platform.lastMessage();
    putText(kBlock, "data that cannot land");
    arrange(m)->regA = 'W';
    setHL(kBlock), setDE(10);
    rst(6);
    EXPECT_EQ(m.fields().pairDE(), 0);

    makePeople();
    db('A');
    put("NAME", "Ann");
    const std::string before = readFile(path("T.DBF"));
    putText(kFieldName, "/dev/full");
    putNumber(kBlock, 0);
    putNumber(kBlock + 8, 0);
    db('P', kBlock, kBlock + 8, kFieldName);
    EXPECT_EQ(errorTexts().back(), "Write failed.");
    EXPECT_EQ(readFile(path("T.DBF")), before);
    EXPECT_EQ(get("NAME"), "Ann");
}

// ---- Folders nobody may write in ----------------------------------------------------

// /proc refuses new files even to root, who ignores permission bits: the one folder
// that cannot be written on every Linux machine, so no case needs to be skipped.
constexpr const char* kReadOnlyFolder = "/proc";

TEST(ReadOnlyFolder, SavesTranslationsImagesAndTablesThereAreReported) {
    if (!fs::exists("/proc/self")) GTEST_SKIP() << "/proc is not mounted";
    TempFolder folder;
    const std::string path = folder.file("prog.asm");
    writeFile(path, "  nop\n");
    HeadlessPlatform platform;
    FileSession files(platform, "");
    ASSERT_TRUE(files.open(path));
    const std::string target = std::string(kReadOnlyFolder) + "/prog.asm";
    EXPECT_FALSE(files.saveAs(target, {"  hlt", ""}));
    EXPECT_EQ(platform.lastMessage(), "Error: Can't save the file.");
    EXPECT_EQ(files.currentFile(), path);
    EXPECT_EQ(readFile(path), "  nop\n");

    Machine m(platform);
    ASSERT_EQ(compileProgram(m, {"  nop"}, {.mode = TranslateX86}), -1);
    platform.messages.clear();
    EXPECT_FALSE(writeTranslationTo(m, 1, std::string(kReadOnlyFolder) + "/prog.i86"));
    EXPECT_FALSE(files.saveCode(m, std::string(kReadOnlyFolder) + "/prog.dat"));
    // Each names the file and the system's reason.
    EXPECT_EQ(platform.messages,
              (std::vector<Message>{{MessageKind::Error, "Can't save the file.", "/proc/prog.i86: no such file or directory",
                                     "errors#can-t-save-the-file"},
                                    {MessageKind::Error, "Can't save the file.", "/proc/prog.dat: no such file or directory",
                                     "errors#can-t-save-the-file"}}));
}

class ReadOnlyTables : public DbfServices {};

TEST_F(ReadOnlyTables, MakingOrCopyingATableThereSaysWriteFailed) {
    if (!fs::exists("/proc/self")) GTEST_SKIP() << "/proc is not mounted";
    makePeople();
    putBlock(std::string(kReadOnlyFolder) + "/T.DBF", {{"DEL", 'C', 1}, {"NAME", 'C', 10}});
    db('M', kBlock);
    putText(kFieldName, std::string(kReadOnlyFolder) + "/COPY.DBF");
    putNumber(kBlock, 0);
    putNumber(kBlock + 8, 5);
    db('P', kBlock, kBlock + 8, kFieldName);
    EXPECT_EQ(errorTexts(), (Lines{"Write failed.", "Write failed."}));
    EXPECT_TRUE(servicesOf(m).fields().database.isOpen());
}

// ---- Host-file names that name nothing usable ----------------------------------------

class HostFileNames : public DbfServices {
protected:
    void hostFile(char letter, const std::string& name) {
        putText(kValue, name);
        arrange(m)->regA = letter;
        setHL(kValue);
        rst(6);
    }
};

TEST_F(HostFileNames, FoldersEmptyAndMissingNamesAreReportedAndDeleteNothing) {
    fs::create_directories(path("sub"));
    for (const std::string& name : {std::string("sub"), std::string(""), std::string("no/such/file"),
                                    std::string(300, 'n')}) {
        hostFile('O', name);
        EXPECT_EQ(servicesOf(m).fields().userFile, nullptr) << name;
        hostFile('D', name);
    }
    EXPECT_EQ(errorTexts(), Lines(8, "File was not found."));
    EXPECT_TRUE(fs::is_directory(path("sub")));

    platform.messages.clear();
    open("sub");
    open("");
    putBlock("sub", {{"DEL", 'C', 1}});
    db('M', kBlock);
    EXPECT_EQ(errorTexts(), (Lines{"File doesn't exist or is not a valid dbf file.",
                                   "File doesn't exist or is not a valid dbf file.", "Write failed."}));
    EXPECT_TRUE(fs::is_directory(path("sub")));
}

// ---- Table headers with absurd lengths -----------------------------------------------

class HostileHeaders : public DbfServices {};

TEST_F(HostileHeaders, HugeOrShortHeaderLengthsAreRefused) {
    const std::vector<FieldSpec> one = {{"ONE", 'C', 4}};
    // 65505 is a well-formed length of 2046 fields; then 101 fields; then two fields
    // in a file that holds one.
    for (int length : {65505, 32 * 101 + 33, 32 * 2 + 33}) {
        writeFile(path("h.dbf"), tableBytes(one, 5, {" abcd"}, length));
        open("h.dbf");
        EXPECT_FALSE(servicesOf(m).fields().database.isOpen()) << length;
    }
    EXPECT_EQ(errorTexts(), Lines(3, "File doesn't exist or is not a valid dbf file."));
}

TEST_F(HostileHeaders, AHugeRecordLengthReadsOnlyWhatIsThere) {
    writeFile(path("r.dbf"), tableBytes({{"DEL", 'C', 1}, {"NAME", 'C', 255, 0, 1}}, 65535, {" short record"}));
    open("r.dbf");
    ASSERT_TRUE(servicesOf(m).fields().database.isOpen());
    EXPECT_EQ(get("NAME"), "short record");
    EXPECT_EQ(servicesOf(m).fields().database.recordsHeld(), 0);  // not one whole record of 65535 bytes
    db('B', 0, 0, 0);
    EXPECT_EQ(servicesOf(m).fields().textScreenLines, (Lines{""}));
    db('A');  // a whole blank record right after the header, over the fragment
    EXPECT_EQ(servicesOf(m).fields().database.recordCount(), 1);
    EXPECT_EQ(readFile(path("r.dbf")).size(), 32u * 3 + 1 + 65535);
}

}  // namespace
}  // namespace verdin::test
