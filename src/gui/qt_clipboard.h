// The system clipboard as the editor's Clipboard: the editor's single-byte text with
// CR line ends on one side, Unicode text with the system's LF line ends on the other.
#pragma once

#include <QClipboard>
#include <QString>

#include "shell/clipboard.h"

namespace verdin::gui {

class QtClipboard : public Clipboard {
public:
    // QClipboard::Selection: the primary selection of X11 desktops.
    explicit QtClipboard(QClipboard::Mode mode = QClipboard::Clipboard) : mode_(mode) {}
    bool setText(std::string_view text) override;
    std::optional<std::string> text() const override;
    bool hasText() const override;
    // Characters of the last text taken that had no byte in the editor's encoding.
    std::size_t leftOut() const { return leftOut_; }

private:
    QClipboard::Mode mode_;
    mutable std::size_t leftOut_ = 0;
};

// The editor's bytes as text, CR line ends as LF.
QString editorBytesToQString(std::string_view bytes);

}  // namespace verdin::gui
