#include "gui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "gui/program_text.h"

namespace verdin::gui {

QString editorBytesToQString(std::string_view bytes) {
    QString text = programText(bytes);
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
    QString text = clipboard->text(mode_);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\n'), QChar('\r'));
    // Characters the single-byte editor cannot hold are left out rather than turned
    // into something the student did not copy; the window says how many.
    return programBytes(text, &leftOut_);
}

bool QtClipboard::hasText() const {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData(mode_) : nullptr;
    return data != nullptr && data->hasText() && !clipboard->text(mode_).isEmpty();
}

}  // namespace verdin::gui
