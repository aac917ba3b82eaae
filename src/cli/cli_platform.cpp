#include <istream>
#include <ostream>

#include "cli/session.h"

namespace verdin::cli {

void CliPlatform::showMessage(MessageKind kind, const std::string& text) {
    HeadlessPlatform::showMessage(kind, text);
    err_ << formatMessageLine(messages.back()) << '\n';
    if (kind == MessageKind::Error) errorShown = true;
}

void CliPlatform::pumpEvents() {
    if (machine == nullptr || maxLines < 0) return;
    if (linesStarted++ >= maxLines) machine->interruptRequested = 1;
}

void CliPlatform::textScreenOutput(const std::string&) {}

std::optional<std::string> CliPlatform::inputValue(const std::string&) { return std::nullopt; }

}  // namespace verdin::cli
