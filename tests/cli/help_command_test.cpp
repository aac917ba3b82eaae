// verdin-cli help: the help pages at the terminal, without a FILE.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"

namespace verdin {
namespace {

struct Printed {
    int status;
    std::string out;
    std::string err;
};

Printed help(std::vector<std::string> topic) {
    topic.insert(topic.begin(), "help");
    std::istringstream in;
    std::ostringstream out, err;
    int status = cli::run(topic, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(CliHelp, PrintsTheContentsAPageOrTheSectionOfAMessage) {
    Printed contents = help({});
    EXPECT_EQ(contents.status, 0);
    EXPECT_EQ(contents.out.substr(0, 25), "Verdin help\n===========\n\n");
    EXPECT_NE(contents.out.find("Index of mnemonics (help mnemonics)"), std::string::npos);

    Printed mov = help({"mov"});
    EXPECT_EQ(mov.status, 0);
    EXPECT_EQ(mov.out.substr(0, 46), "MOV: copy a byte between registers and memory\n");
    EXPECT_NE(mov.out.find("  A      78H  79H  7AH  7BH  7CH  7DH  7EH  7FH\n"), std::string::npos);
    EXPECT_TRUE(mov.err.empty());

    Printed rst = help({"RST", "7"});
    EXPECT_EQ(rst.status, 0);
    EXPECT_EQ(rst.out.substr(0, 38), "RST 7: the text screen and value input");

    Printed message = help({"Invalid register at string 4. Invalid symbol"});
    EXPECT_EQ(message.status, 0);
    EXPECT_NE(message.out.find("Invalid register\n----------------\n"), std::string::npos);
    EXPECT_EQ(message.out.find("Invalid operand\n"), std::string::npos);  // only its own section
}

TEST(CliHelp, AnUnknownTopicIsAUsageErrorThatSuggestsPages) {
    Printed unknown = help({"breakpoints"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.out.empty());
    EXPECT_NE(unknown.err.find("verdin-cli: no help page for 'breakpoints'"), std::string::npos);
    EXPECT_NE(unknown.err.find("verdin-cli help debug_window"), std::string::npos);
    EXPECT_EQ(help({"xyzzy"}).err, "verdin-cli: no help page for 'xyzzy'\n");
}

}  // namespace
}  // namespace verdin
