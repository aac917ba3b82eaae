// verdin-cli: the headless workbench. Its output is a contract that other tools and
// the tests parse; see the README before changing anything it prints.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace verdin::cli {

enum ExitCode { Success = 0, ProgramFault = 1, UsageError = 2 };

// Runs one command line (without the program name). Messages of the workbench go to
// `err` as "Caption: text" lines; results go to `out`. When `inIsTerminal`, a person
// answers value input at `in` and is prompted on `err`.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
        bool inIsTerminal = false);

// Makes SIGINT (Ctrl+C) stop a run or a series of steps as the Stop button does,
// instead of ending the process: --state is still printed and open files are closed.
void installInterruptHandler();

}  // namespace verdin::cli
