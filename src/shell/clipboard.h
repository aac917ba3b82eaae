// The clipboard as the editor sees it: plain single-byte text.
//
// The editor hands over and takes back text in its own form: single-byte characters
// with CR line ends, as Copy takes them from the buffer. Paste feeds the text through
// character input, which drops LF, so CR LF text pastes as it should. An adaptor over
// a system clipboard whose line ends are a bare LF should turn them into CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace verdin {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Puts `text` on the clipboard; false when the clipboard could not be opened.
    virtual bool setText(std::string_view text) = 0;
    // The clipboard's text, or nothing when it cannot be opened or holds no text.
    virtual std::optional<std::string> text() const = 0;
    // Whether Paste should be enabled.
    virtual bool hasText() const { return text().has_value(); }
};

// For tests and the headless tools: one text in memory; `available` = false plays a
// clipboard that cannot be opened.
class MemoryClipboard : public Clipboard {
public:
    std::optional<std::string> content;
    bool available = true;

    bool setText(std::string_view text) override {
        if (!available) return false;
        content = std::string(text);
        return true;
    }
    std::optional<std::string> text() const override {
        return available ? content : std::nullopt;
    }
};

}  // namespace verdin
