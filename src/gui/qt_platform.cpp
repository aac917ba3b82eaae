#include "gui/qt_platform.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace verdin::gui {

namespace {
QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Error: return QMessageBox::Critical;
        case MessageKind::Warning: return QMessageBox::Warning;
        case MessageKind::Information: return QMessageBox::Information;
    }
    return QMessageBox::Critical;
}
}  // namespace

void QtPlatform::showMessage(MessageKind kind, const std::string& text) { showMessageWithHint(kind, text, {}); }

void QtPlatform::showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) {
    QMessageBox box(iconOf(kind), QString::fromUtf8(captionOf(kind)), QString::fromStdString(text),
                    QMessageBox::Ok, owner_);
    if (!hint.empty()) box.setInformativeText(QString::fromStdString(hint));
    box.exec();
}

void QtPlatform::pumpEvents() {
    // The core calls this every 15 ms of a run: Stop, the scroll bars and the text
    // screen are served, and a user's click on Stop sets the interrupt flag.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace verdin::gui
