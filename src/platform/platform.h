// The boundary between the headless core and whatever shows things to a person.
//
// The core never prints, exits or opens a window. Everything it shows or asks goes
// through a Platform: message boxes, the services' text screen, the value-input box,
// event pumping while a program runs, and help. The desktop workbench implements it
// with Qt; HeadlessPlatform serves the command-line tool and the tests.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace verdin {

enum class MessageKind { Error, Warning, Information };

// The caption of a message box: "Error", "Warning" or "Information".
const char* captionOf(MessageKind kind);

struct Message {
    MessageKind kind;
    std::string text;
    // One or two sentences shown under the text: what caused it and how to fix it.
    // Empty when there is nothing to add.
    std::string hint = {};
    // The help page and section that explain the message ("errors#invalid-operand"),
    // chosen by its code; empty for none.
    std::string help = {};
    bool operator==(const Message&) const = default;
};

// What the "Input value" box asks for.
enum class ValueKind { Number, Text };

// "Type a number" or "Type a text": the line that tells the student what to type.
const char* valueKindText(ValueKind kind);

struct ValueRequest {
    // The text screen's last non-empty line, the program's own question; empty when
    // the screen shows nothing.
    std::string prompt;
    ValueKind kind = ValueKind::Text;
    // Offered selected, so that typing replaces it and Enter alone repeats it.
    std::string initial;
};

class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box with one OK button, with a hint under the text when `hint`
    // is not empty. Every message passes through here, so a front end (or a test) that
    // overrides it sees them all, with or without a hint.
    virtual void showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) = 0;
    void showMessage(MessageKind kind, const std::string& text) { showMessageWithHint(kind, text, {}); }
    // A message with the help page that explains it. A front end that offers help
    // overrides this; any other shows it as the message with its hint.
    virtual void showMessageWithHelp(const Message& message) {
        showMessageWithHint(message.kind, message.text, message.hint);
    }

    // Called before every line of a run so that a window system can stay responsive
    // and a Stop button can set Machine::interruptRequested.
    virtual void pumpEvents() {}

    // The services' text screen changed: it opened, its lines changed, or it closed.
    // `lines` is the whole screen; `open` is false once it has closed.
    virtual void textScreenChanged(const std::vector<std::string>& /*lines*/, bool /*open*/) {}

    // Text appended to the text screen, as it happens (CR and character 1 included),
    // for front ends that stream output rather than redraw a window.
    virtual void textScreenOutput(const std::string& /*text*/) {}

    // The "Input value" box. The result is the text confirmed with Ok, or nothing when
    // the user cancelled.
    virtual std::optional<std::string> inputValue(const ValueRequest& /*request*/) { return std::nullopt; }

    // Asked before every inputValue. A front end that cannot wait inside inputValue (a
    // page whose machine runs in a worker) answers false while it has no answer: the
    // service then ends the Step or Run on its RST line with status WaitingForInput,
    // and the line runs again, from its start, once the answer is in.
    virtual bool inputReady(const ValueRequest& /*request*/) { return true; }
};

// Keeps every message; optionally forwards each one as it is shown.
class HeadlessPlatform : public Platform {
public:
    std::vector<Message> messages;
    std::function<void(const Message&)> onMessage;
    std::function<void()> onPump;

    void showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) override;
    // Keeps the help page with the message (through showMessageWithHint, so that a
    // front end built on this one sees the message as it sees any other).
    void showMessageWithHelp(const Message& message) override;
    void pumpEvents() override;

    // "Caption: text" of the last message, or "" when none was shown.
    std::string lastMessage() const;

private:
    std::string pendingHelp_;
};

// "Caption: text", the one-line form of a message box used by the command-line tool.
std::string formatMessageLine(const Message& message);
// "Hint: hint", the line the command-line tool prints right after a message that has one.
std::string formatHintLine(const Message& message);

}  // namespace verdin
