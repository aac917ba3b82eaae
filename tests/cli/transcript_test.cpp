// verdin-cli's output contract as transcripts: every case in tests/golden/cli/*.cli
// writes its files, runs command lines and compares stdout, stderr, the exit status
// and the files left behind exactly. The format is described at the top of
// tests/golden/cli/commands.cli.
#include <filesystem>
#include <set>

#include "cli/cli.h"
#include "golden_files.h"
#include "scratch_folder.h"

namespace verdin {
namespace {

namespace fs = std::filesystem;
using testing_support::ScratchFolder;

const std::set<std::string> kCommands = {"<", "=", "=-", "=!", "0<", "$", "?", "1>", "1-", "1*", "1~", "2>", "2~"};

class CliTranscript : public ::testing::TestWithParam<golden::Case> {};

TEST_P(CliTranscript, Holds) {
    const std::vector<golden::Line>& lines = GetParam().lines;
    ScratchFolder folder;
    // "{dir}" is the case's own folder, "{src}" the sources.
    auto expand = [&](const std::string& text) {
        return golden::unescape(golden::replaced(golden::replaced(text, "{dir}", folder.path().string()), "{src}",
                                                 VERDIN_SOURCE_DIR));
    };
    std::string out, err, in, wantOut, wantErr, ranAt;
    int status = 0;
    auto compareRun = [&] {
        if (!ranAt.empty()) {
            SCOPED_TRACE("the output of " + ranAt);
            EXPECT_EQ(out, wantOut);
            EXPECT_EQ(err, wantErr);
        }
        ranAt.clear(), wantOut.clear(), wantErr.clear();
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i].where + " " + lines[i].text);
        const std::string verb = lines[i].verb(), name = lines[i].rest(), text = expand(name);
        if (!kCommands.count(verb)) {
            if (!lines[i].text.empty()) ADD_FAILURE() << "unexpected line";
            continue;
        }
        // "< NAME" and "= NAME": the lines up to the next command are the file.
        std::string file;
        while ((verb == "<" || verb == "=") && i + 1 < lines.size() && !kCommands.count(lines[i + 1].verb())) {
            file += expand(lines[++i].text) + "\n";
        }
        if (verb == "<") {
            ScratchFolder::write(folder.file(name), file);
        } else if (verb == "=") {
            EXPECT_EQ(ScratchFolder::read(folder.file(name)), file) << name;
        } else if (verb == "=-") {  // "=- NAME BYTES": the file holds exactly BYTES
            const size_t blank = name.find(' ');
            EXPECT_EQ(ScratchFolder::read(folder.file(name.substr(0, blank))), expand(name.substr(blank + 1)));
        } else if (verb == "=!") {
            EXPECT_FALSE(fs::exists(folder.file(name)));
        } else if (verb == "0<") {
            in += text + "\n";
        } else if (verb == "$") {
            compareRun();
            std::vector<std::string> args;
            std::istringstream words(text), input(in);
            for (std::string word; words >> word;) args.push_back(word == "''" ? "" : word);
            std::ostringstream o, e;
            // Relative names must not depend on where the tests happen to run.
            const fs::path cwd = fs::current_path();
            fs::current_path(fs::temp_directory_path());
            status = cli::run(args, input, o, e);
            fs::current_path(cwd);
            out = o.str(), err = e.str(), in.clear(), ranAt = lines[i].where;
        } else if (verb == "?") {
            EXPECT_EQ(status, std::stoi(text)) << err;
        } else if (verb == "1>" || verb == "1-") {  // "1-": without its line break
            wantOut += text + (verb == "1>" ? "\n" : "");
        } else if (verb == "2>") {
            wantErr += text + "\n";
        } else {  // 1* anywhere in stdout, 1~ 2~ a line among others
            const std::string& stream = verb[0] == '1' ? out : err;
            EXPECT_NE(stream.find(text + (verb[1] == '~' ? "\n" : "")), std::string::npos) << stream;
            (verb[0] == '1' ? wantOut : wantErr) = stream;
        }
    }
    compareRun();
}

INSTANTIATE_TEST_SUITE_P(Cases, CliTranscript, ::testing::ValuesIn(golden::readCases("cli", ".cli")), golden::caseName);

}  // namespace
}  // namespace verdin
