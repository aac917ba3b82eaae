#include <unistd.h>

#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    verdin::cli::installInterruptHandler();
    return verdin::cli::run(args, std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) != 0);
}
