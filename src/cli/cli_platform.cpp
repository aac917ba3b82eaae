#include <iostream>
#include <istream>
#include <ostream>

#include "cli/session.h"

namespace verdin::cli {

void CliPlatform::showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) {
    HeadlessPlatform::showMessageWithHint(kind, text, hint);
    err_ << formatMessageLine(messages.back()) << '\n';
    if (!hint.empty()) err_ << formatHintLine(messages.back()) << '\n';
    if (kind == MessageKind::Error) errorShown = true;
}

void CliPlatform::textScreenOutput(const std::string& text) {
    if (screenOut == nullptr) return;
    for (char c : text) {
        if (c == '\r') *screenOut << '\n';
        else if (c == '\x01') *screenOut << '\f';
        else *screenOut << c;
    }
    if (!text.empty()) screenLineOpen = text.back() != '\r' && text.back() != '\n';
    // A program that asks for input next must have shown its question first.
    screenOut->flush();
}

std::optional<std::string> CliPlatform::inputValue(const ValueRequest& request) {
    if (!inputs.empty()) {
        std::string answer = std::move(inputs.front());
        inputs.pop_front();
        return answer;
    }
    if (stdinIsTerminal) {
        err_ << "Input value. " << valueKindText(request.kind);
        if (!request.initial.empty()) err_ << " (last: " << request.initial << ")";
        err_ << ": " << std::flush;
    }
    std::string line;
    if (!std::getline(in_, line)) return std::nullopt;  // end of input is Cancel
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

}  // namespace verdin::cli
