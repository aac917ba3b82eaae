#include "gui/qt_platform.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "files/windows_1252.h"

#include "gui/input_value_dialog.h"
#include "gui/program_text.h"
#include "gui/text_screen_window.h"
#include "gui/window_placement.h"

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

// Messages quote the program's own bytes (a label, a text, a host file's name from
// memory), and sometimes a path the file system gave in UTF-8: a text that is valid
// UTF-8 beyond ASCII is the latter, since program bytes beyond ASCII almost never are.
QString messageText(const std::string& text) {
    return isUtf8BeyondAscii(text) ? QString::fromStdString(text) : programText(text);
}
}  // namespace

QtPlatform::QtPlatform() = default;

QtPlatform::~QtPlatform() { delete textScreen_.data(); }

void QtPlatform::showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) {
    showMessageWithHelp({kind, text, hint});
}

void QtPlatform::showMessageWithHelp(const Message& message) {
    const auto& [kind, text, hint, page] = message;
    if (beforeMessage_) beforeMessage_(text, hint);
    QMessageBox box(iconOf(kind), QString::fromUtf8(captionOf(kind)), messageText(text), QMessageBox::Ok, owner_);
    // An error whose code has a section offers it.
    QPushButton* help = kind == MessageKind::Error && openHelp_ && !page.empty() ? box.addButton(QMessageBox::Help)
                                                                                   : nullptr;
    if (!hint.empty()) box.setInformativeText(messageText(hint));
    keepOnOwnersScreen(&box);
    box.exec();
    // A window manager raises the box's owner with the box, over the text screen;
    // the program's output belongs above it again once the box is gone.
    if (textScreen_ && textScreen_->isVisible()) textScreen_->raise();
    if (help != nullptr && box.clickedButton() == help) openHelp_(page);
}

SaveAnswer QtPlatform::askToSave(const std::string& hint) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(captionOf(MessageKind::Warning)),
                    QString::fromStdString(savePromptText()), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    owner_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    if (!hint.empty()) box.setInformativeText(QString::fromStdString(hint));
    keepOnOwnersScreen(&box);
    switch (box.exec()) {
        case QMessageBox::Yes: return SaveAnswer::Yes;
        case QMessageBox::No: return SaveAnswer::No;
        default: return SaveAnswer::Cancel;
    }
}

void QtPlatform::pumpEvents() {
    // The core calls this every 15 ms of a run: Stop, the scroll bars and the text
    // screen are served, and a user's click on Stop sets the interrupt flag.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

TextScreenWindow* QtPlatform::textScreen() const { return textScreen_.data(); }

void QtPlatform::setTextScreenPointSize(int points) {
    textScreenPoints_ = points;
    if (textScreen_) textScreen_->setPointSize(points);
}

void QtPlatform::textScreenChanged(const std::vector<std::string>& lines, bool open) {
    if (!open) {
        if (textScreen_) {
            TextScreenWindow* window = textScreen_.data();
            textScreen_.clear();
            window->closeQuietly();
        }
        return;
    }
    if (!textScreen_) {
        textScreen_ = new TextScreenWindow(owner_);
        QObject::connect(textScreen_.data(), &TextScreenWindow::closedByUser, [this] {
            textScreen_.clear();
            if (textScreenClosed_) textScreenClosed_();
        });
        if (textScreenPoints_ > 0) textScreen_->setPointSize(textScreenPoints_);
    }
    textScreen_->setLines(lines);
    if (!textScreen_->isVisible()) {
        if (placeTextScreen_) placeTextScreen_(textScreen_.data());
        textScreen_->show();
        // Shown without taking the focus, some window managers put it under the
        // window that keeps the focus; it belongs above it.
        textScreen_->raise();
    }
}

std::optional<std::string> QtPlatform::inputValue(const ValueRequest& request) {
    InputValueDialog dialog(request, owner_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return programBytes(dialog.text());
}

}  // namespace verdin::gui
