// verdin-cli's output contract as transcripts: every case in tests/golden/cli/*.cli
// writes its files, runs command lines and compares stdout, stderr, the exit status
// and the files left behind exactly. The format is described at the top of
// tests/golden/cli/commands.cli.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "golden_files.h"
#include "scratch_folder.h"

namespace verdin {
namespace {

namespace fs = std::filesystem;
using testing_support::ScratchFolder;

struct Transcript {
    std::string name;
    std::string where;
    std::vector<std::string> lines;
};

std::vector<Transcript> loadTranscripts() {
    std::vector<Transcript> all;
    for (const golden::CaseText& c : golden::readCases("cli", ".cli")) {
        all.push_back({c.heading, c.where, {}});
        for (const auto& numbered : c.lines) all.back().lines.push_back(numbered.second);
        // Blank lines between cases separate them; they are no part of a file.
        while (!all.back().lines.empty() && all.back().lines.back().empty()) all.back().lines.pop_back();
    }
    return all;
}

void PrintTo(const Transcript& t, std::ostream* out) { *out << t.where; }

// "{dir}" is the case's own folder, "{src}" the sources; the other escapes are those
// of every golden text.
std::string expand(const std::string& text, const std::string& dir) {
    std::string out = text;
    for (const auto& [name, value] : {std::pair<std::string, std::string>{"{dir}", dir}, {"{src}", VERDIN_SOURCE_DIR}}) {
        for (size_t at; (at = out.find(name)) != std::string::npos;) out.replace(at, name.size(), value);
    }
    return golden::unescape(out);
}

class CliTranscript : public ::testing::TestWithParam<Transcript> {};

TEST_P(CliTranscript, Holds) {
    const Transcript& t = GetParam();
    SCOPED_TRACE(t.where + " " + t.name);
    ScratchFolder folder;
    const std::string dir = folder.path().string();
    std::string* block = nullptr;  // the file or expected text that lines go into
    std::string written, writtenName, stdinText, expectedOut, expectedErr, expectedName, expectedFile;
    bool ran = false;
    int status = 0;
    std::string out, err;
    auto flush = [&] {
        if (!writtenName.empty()) ScratchFolder::write(folder.file(writtenName), written);
        if (!expectedName.empty()) {
            EXPECT_EQ(ScratchFolder::read(folder.file(expectedName)), expectedFile) << expectedName;
        }
        writtenName.clear(), written.clear(), expectedName.clear(), expectedFile.clear();
        block = nullptr;
    };
    auto compareRun = [&] {
        if (!ran) return;
        EXPECT_EQ(out, expectedOut);
        EXPECT_EQ(err, expectedErr);
        expectedOut.clear(), expectedErr.clear();
        ran = false;
    };
    for (const std::string& raw : t.lines) {
        const std::string line = expand(raw, dir);
        if (raw.rfind("< ", 0) == 0) {  // "< NAME": the lines that follow are that file
            flush();
            writtenName = raw.substr(2);
            block = &written;
        } else if (raw.rfind("= ", 0) == 0) {  // "= NAME": the file must hold the lines that follow
            flush();
            expectedName = raw.substr(2);
            block = &expectedFile;
        } else if (raw.rfind("=- ", 0) == 0) {  // "=- NAME BYTES": the file holds exactly BYTES
            flush();
            const size_t blank = raw.find(' ', 3);
            EXPECT_EQ(ScratchFolder::read(folder.file(raw.substr(3, blank - 3))), expand(raw.substr(blank + 1), dir)) << raw;
        } else if (raw.rfind("=! ", 0) == 0) {
            flush();
            EXPECT_FALSE(fs::exists(folder.file(raw.substr(3)))) << raw;
        } else if (raw.rfind("0< ", 0) == 0) {
            flush();
            stdinText += line.substr(3) + "\n";
        } else if (raw.rfind("$ ", 0) == 0) {
            flush();
            compareRun();
            std::vector<std::string> args;
            std::istringstream words(line.substr(2));
            for (std::string word; words >> word;) args.push_back(word == "''" ? "" : word);
            std::istringstream in(stdinText);
            std::ostringstream o, e;
            // Relative names must not depend on where the tests happen to run.
            const fs::path cwd = fs::current_path();
            fs::current_path(fs::temp_directory_path());
            status = cli::run(args, in, o, e);
            fs::current_path(cwd);
            out = o.str(), err = e.str(), stdinText.clear();
            ran = true;
        } else if (raw.rfind("? ", 0) == 0) {
            flush();
            EXPECT_EQ(status, std::stoi(raw.substr(2))) << err;
        } else if (raw.rfind("1> ", 0) == 0 || raw == "1>") {
            flush();
            expectedOut += line.substr(std::min<size_t>(3, line.size())) + "\n";
        } else if (raw.rfind("1- ", 0) == 0) {  // stdout without a final line break
            flush();
            expectedOut += line.substr(3);
        } else if (raw.rfind("1* ", 0) == 0) {  // stdout holds this text somewhere
            flush();
            EXPECT_NE(out.find(line.substr(3)), std::string::npos) << out;
            expectedOut = out;
        } else if (raw.rfind("1~ ", 0) == 0) {  // stdout holds this line among others
            flush();
            EXPECT_NE(out.find(line.substr(3) + "\n"), std::string::npos) << out;
            expectedOut = out;
        } else if (raw.rfind("2> ", 0) == 0) {
            flush();
            expectedErr += line.substr(3) + "\n";
        } else if (raw.rfind("2~ ", 0) == 0) {  // stderr holds this line among others
            flush();
            EXPECT_NE(err.find(line.substr(3) + "\n"), std::string::npos) << err;
            expectedErr = err;
        } else if (block != nullptr) {
            *block += line + "\n";
        } else if (!raw.empty()) {
            ADD_FAILURE() << "unexpected line: " << raw;
        }
    }
    flush();
    compareRun();
}

INSTANTIATE_TEST_SUITE_P(Cases, CliTranscript, ::testing::ValuesIn(loadTranscripts()),
                         [](const ::testing::TestParamInfo<Transcript>& param) { return param.param.name; });

}  // namespace
}  // namespace verdin
