#include "files/atomic_write.h"
#include "files/source_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scratch_folder.h"

namespace verdin {
namespace {

using testing_support::ScratchFolder;

// Loading and saving gives back the very bytes, whatever the line ends.
TEST(SourceFileRoundTrip, KeepsBytesOfEveryLineEndConvention) {
    ScratchFolder folder;
    const std::string samples[] = {
        "start:\tmvi a,5\r\n\thlt\r\n",
        "start:\tmvi a,5\n\thlt\n",
        "start:\tmvi a,5\r\thlt\r",
        "start:\tmvi a,5\n\thlt",
        "\thlt",
        "",
        "\n\n\n",
    };
    for (const auto& bytes : samples) {
        const std::string path = folder.file("round.asm");
        ScratchFolder::write(path, bytes);
        LoadResult loaded = loadEditorFile(path);
        ASSERT_TRUE(loaded.ok) << loaded.error;
        ASSERT_TRUE(saveSourceFile(folder.file("copy.asm"), loaded.text));
        EXPECT_EQ(ScratchFolder::read(folder.file("copy.asm")), bytes);
    }
}

// A file another editor wrote in UTF-8 opens in the editor's single bytes, with a
// note; a file in those bytes already opens untouched and without one.
TEST(SourceFileEncoding, Utf8FilesAreConvertedWithANote) {
    ScratchFolder folder;
    const std::string path = folder.file("utf8.asm");
    ScratchFolder::write(path, "CAFÉ:\tDB 'café'\r\n\tJMP CAFÉ ; → back\r\n");
    LoadResult loaded = loadEditorFile(path);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    EXPECT_EQ(loaded.text.lines, (std::vector<std::string>{"CAF\xC9:\tDB 'caf\xE9'", "\tJMP CAF\xC9 ;  back", ""}));
    EXPECT_NE(loaded.note.find("UTF-8"), std::string::npos) << loaded.note;
    EXPECT_NE(loaded.note.find("1 character(s)"), std::string::npos) << loaded.note;

    ASSERT_TRUE(saveSourceFile(path, loaded.text));
    EXPECT_EQ(ScratchFolder::read(path), "CAF\xC9:\tDB 'caf\xE9'\r\n\tJMP CAF\xC9 ;  back\r\n");
    loaded = loadEditorFile(path);
    EXPECT_TRUE(loaded.note.empty()) << loaded.note;
    EXPECT_EQ(loaded.text.lines[0], "CAF\xC9:\tDB 'caf\xE9'");
}

// A file just within the editor's capacity opens whole; one more character is
// refused with a message, not cut.
TEST(SourceFileEditorLimits, RefusesFilesBeyondCapacity) {
    ScratchFolder folder;
    std::string line(99, 'x');
    std::string fits;
    while (fits.size() + line.size() + 2 <= kEditorCapacity) fits += line + "\r\n";
    const size_t used = editorTextSize(splitSourceText(fits));
    fits += std::string(kEditorCapacity - used, 'y');
    ScratchFolder::write(folder.file("fits.asm"), fits);
    LoadResult ok = loadEditorFile(folder.file("fits.asm"));
    ASSERT_TRUE(ok.ok) << ok.error;
    EXPECT_EQ(editorTextSize(ok.text), kEditorCapacity);
    EXPECT_EQ(joinSourceText(ok.text), fits);

    ScratchFolder::write(folder.file("big.asm"), fits + "z");
    LoadResult big = loadEditorFile(folder.file("big.asm"));
    EXPECT_FALSE(big.ok);
    EXPECT_NE(big.error.find("too large"), std::string::npos);
    EXPECT_NE(big.error.find("16384"), std::string::npos);
    EXPECT_TRUE(big.text.lines.empty());
}

// A NUL would end the editor's text early, so such a line is refused like a long one.
TEST(SourceFileEditorLimits, RefusesLinesTheEditorCannotHold) {
    ScratchFolder folder;
    ScratchFolder::write(folder.file("ok.asm"), "a\n" + std::string(255, 'x') + "\n");
    EXPECT_TRUE(loadEditorFile(folder.file("ok.asm")).ok);
    ScratchFolder::write(folder.file("long.asm"), "a\n" + std::string(256, 'x') + "\n");
    LoadResult refused = loadEditorFile(folder.file("long.asm"));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error.rfind("Line 2 of ", 0), 0u) << refused.error;
    ScratchFolder::write(folder.file("nul.asm"), std::string("a\nb\0c\n", 7));
    LoadResult binary = loadEditorFile(folder.file("nul.asm"));
    EXPECT_FALSE(binary.ok);
    EXPECT_NE(binary.error.find("NUL"), std::string::npos);
}

// A folder is not read as an empty text.
TEST(SourceFileEditorLimits, MissingFileAndFolder) {
    ScratchFolder folder;
    LoadResult missing = loadEditorFile(folder.file("nothing.asm"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "File doesn't exist.");
    LoadResult dir = loadEditorFile(folder.path().string());
    EXPECT_FALSE(dir.ok);
}

// A write that cannot complete leaves the target as it was and no temporary file.
TEST(AtomicWrite, FailureKeepsTheOldTarget) {
    ScratchFolder folder;
    const std::string target = folder.file("busy");
    std::filesystem::create_directories(target);
    ScratchFolder::write(target + "/inside.txt", "keep");
    EXPECT_FALSE(writeFileAtomically(target, "new text"));
    EXPECT_EQ(ScratchFolder::read(target + "/inside.txt"), "keep");
    EXPECT_FALSE(writeFileAtomically(folder.file("no/such/folder/x.asm"), "x"));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

// A save keeps the file's permissions and writes through a symbolic link.
TEST(AtomicWrite, ReplacesContentKeepsPermissionsAndLinks) {
    namespace fs = std::filesystem;
    ScratchFolder folder;
    const std::string target = folder.file("prog.asm");
    ScratchFolder::write(target, "a much longer old content\n");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(writeFileAtomically(target, "new\n"));
    EXPECT_EQ(ScratchFolder::read(target), "new\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const std::string link = folder.file("link.asm");
    fs::create_symlink(target, link);
    ASSERT_TRUE(writeFileAtomically(link, "via link\n"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ScratchFolder::read(target), "via link\n");
}

}  // namespace
}  // namespace verdin
