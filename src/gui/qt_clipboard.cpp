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
    clipboard->setText(editorBytesToQString(text));
    return true;
}

std::optional<std::string> QtClipboard::text() const {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return std::nullopt;
    const QMimeData* data = clipboard->mimeData();
    if (data == nullptr || !data->hasText()) return std::nullopt;
    QString text = clipboard->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\n'), QChar('\r'));
    // Characters the single-byte editor cannot hold are left out rather than turned
    // into something the student did not copy; the window says how many.
    return programBytes(text, &leftOut_);
}

bool QtClipboard::hasText() const {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
    return data != nullptr && data->hasText() && !clipboard->text().isEmpty();
}

}  // namespace verdin::gui
