// What one verdin-cli invocation works with: its options, the platform that turns
// message boxes into lines, and the machine.
#pragma once

#include <deque>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "machine/machine.h"
#include "platform/platform.h"

namespace verdin::cli {

struct Options {
    std::string command;
    std::string file;
    std::string output;
    std::vector<std::pair<int, int>> inPorts;
    std::vector<std::pair<int, int>> memoryRanges;
    std::vector<std::string> inputs;  // answers to the "Input value" box, in order
    std::vector<int> breakpoints;     // program lines counted from 0
    long long maxLines = -1;
    int from = 0;
    int count = 1;
    bool state = false;
    bool intel = false;  // run and step under the Intel 8080 rules
    bool over = false;  // step presses Step over instead of Step
    bool out = false;   // step presses Step out instead of Step
    int back = 0;       // step then presses Step back this many times
    Timing timing = Timing::Intel8080;  // whose clock states run and step count
    bool z80 = false;
    bool x86 = false;
    bool hex = false;  // tidy: bare numbers are hexadecimal
};

struct UsageFault {
    std::string message;
};

// Message boxes become "Caption: text" lines on stderr; value input is answered from the
// --input queue, then from stdin; text-screen output streams to stdout when wanted.
class CliPlatform : public HeadlessPlatform {
public:
    CliPlatform(std::istream& in, std::ostream& err) : in_(in), err_(err) {}
    void showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) override;
    void textScreenOutput(const std::string& text) override;
    std::optional<std::string> inputValue(const ValueRequest& request) override;
    // Turns a Ctrl+C caught since the start into the Stop button of the debug window.
    void pumpEvents() override;

    bool errorShown = false;
    Machine* machine = nullptr;
    std::deque<std::string> inputs;
    std::ostream* screenOut = nullptr;  // null: the screen is not streamed
    bool stdinIsTerminal = false;
    // Streamed screen output ends inside a line (no line break after it yet).
    bool screenLineOpen = false;

private:
    std::istream& in_;
    std::ostream& err_;
};

struct Session {
    Options options;
    std::ostream& out;
    std::ostream& err;
    CliPlatform platform;
    Machine machine;
    std::vector<std::string> lines;

    Session(Options o, std::istream& input, std::ostream& output, std::ostream& errors)
        : options(std::move(o)), out(output), err(errors), platform(input, errors), machine(platform) {
        platform.machine = &machine;
    }

    int exitCode() const;
};

int commandTranslate(Session& session);
// Reads its file itself: a file the editor would refuse may still be converted.
int commandTidy(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace verdin::cli
