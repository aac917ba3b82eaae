#include "gui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace verdin::gui {

QString editorBytesToQString(std::string_view bytes) {
    QString text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

bool QtClipboard::setText(std::string_view text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    clipboard->setText(editorBytesToQString(text), mode_);
    return true;
}

std::optional<std::string> QtClipboard::text() const {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return std::nullopt;
    const QMimeData* data = clipboard->mimeData(mode_);
    if (data == nullptr || !data->hasText()) return std::nullopt;
    const QString text = clipboard->text(mode_);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == QChar('\n')) continue;
        if (c == u'\n' || c == u'\r') {
            bytes.push_back('\r');
        } else if (c < 256) {
            bytes.push_back(static_cast<char>(c));
        }
        // Characters the single-byte editor cannot hold are left out rather than
        // turned into something the student did not copy.
    }
    return bytes;
}

bool QtClipboard::hasText() const {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData(mode_) : nullptr;
    return data != nullptr && data->hasText() && !clipboard->text(mode_).isEmpty();
}

}  // namespace verdin::gui
