// The system clipboard as the editor's Clipboard: the editor's single-byte text with
// CR line ends on one side, Unicode text with the system's LF line ends on the other.
#pragma once

#include <QString>

#include "shell/clipboard.h"

namespace verdin::gui {

class QtClipboard : public Clipboard {
public:
    bool setText(std::string_view text) override;
    std::optional<std::string> text() const override;
    bool hasText() const override;
};

// The editor's bytes as Latin-1, CR line ends as LF.
QString editorBytesToQString(std::string_view bytes);

}  // namespace verdin::gui
