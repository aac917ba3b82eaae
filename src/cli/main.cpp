#include <unistd.h>

#include <iostream>

#include "cli/cli.h"

namespace verdin::cli {
// Whether a person answers the "Input value" box at stdin (cli_platform.cpp).
extern bool stdinIsTerminalAtStart;
}  // namespace verdin::cli

int main(int argc, char** argv) {
    verdin::cli::stdinIsTerminalAtStart = isatty(STDIN_FILENO) != 0;
    std::vector<std::string> args(argv + 1, argv + argc);
    return verdin::cli::run(args, std::cin, std::cout, std::cerr);
}
