// verdin-cli help [TOPIC]: the built-in help pages as plain text.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace verdin::cli {

// `args` holds what follows "help": nothing prints the contents; otherwise the words
// name a page, a mnemonic, a directive, a service ("rst7") or a message.
int commandHelp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace verdin::cli
