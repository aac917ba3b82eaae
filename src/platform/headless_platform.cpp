#include "platform/platform.h"

#include <utility>

namespace verdin {

const char* captionOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Error: return "Error";
        case MessageKind::Warning: return "Warning";
        case MessageKind::Information: return "Information";
    }
    return "Error";
}

const char* valueKindText(ValueKind kind) {
    return kind == ValueKind::Number ? "Type a number" : "Type a text";
}

std::string formatMessageLine(const Message& message) {
    return std::string(captionOf(message.kind)) + ": " + message.text;
}

std::string formatHintLine(const Message& message) { return "Hint: " + message.hint; }

void HeadlessPlatform::showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) {
    messages.push_back({kind, text, hint, std::exchange(pendingHelp_, {})});
    if (onMessage) onMessage(messages.back());
}

void HeadlessPlatform::showMessageWithHelp(const Message& message) {
    pendingHelp_ = message.help;
    showMessageWithHint(message.kind, message.text, message.hint);
    pendingHelp_.clear();
}

void HeadlessPlatform::pumpEvents() {
    if (onPump) onPump();
}

std::string HeadlessPlatform::lastMessage() const {
    return messages.empty() ? std::string() : formatMessageLine(messages.back());
}

}  // namespace verdin
