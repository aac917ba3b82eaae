// verdin-cli's output contract as transcripts: every case in tests/golden/cli/*.cli
// writes its files, runs command lines and compares stdout, stderr, the exit status
// and the files left behind exactly. The format is described at the top of
// tests/golden/cli/commands.cli.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
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
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(std::string(VERDIN_SOURCE_DIR) + "/tests/golden/cli")) {
        if (entry.path().extension() == ".cli") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::ifstream in(path);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.rfind("## ", 0) == 0) {
                all.push_back({line.substr(3), path.filename().string() + ":" + std::to_string(number), {}});
            } else if (!all.empty() && line.rfind("#", 0) != 0) {
                all.back().lines.push_back(line);
            }
        }
    }
    // Blank lines between cases separate them; they are no part of a file.
    for (Transcript& t : all) {
        while (!t.lines.empty() && t.lines.back().empty()) t.lines.pop_back();
    }
    return all;
}

void PrintTo(const Transcript& t, std::ostream* out) { *out << t.where; }

// \r \n \f \t \\ and \xHH as in C; "{dir}" is the case's own folder, "{src}" the
// sources, "{N*c}" N copies of c.
std::string expand(const std::string& text, const std::string& dir) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 5, "{dir}") == 0) {
            out += dir;
            i += 4;
        } else if (text.compare(i, 5, "{src}") == 0) {
            out += VERDIN_SOURCE_DIR;
            i += 4;
        } else if (const size_t star = text.find('*', i);
                   text[i] == '{' && star != std::string::npos && text.find('}', star) == star + 2) {
            out.append(std::stoul(text.substr(i + 1, star - i - 1)), text[star + 1]);
            i = star + 2;
        } else if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            if (c == 'x' && i + 2 < text.size()) {
                out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 'f' ? '\f' : c == 't' ? '\t' : c;
            }
        } else {
            out += text[i];
        }
    }
    return out;
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
