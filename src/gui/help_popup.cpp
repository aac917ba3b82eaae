#include "gui/help_popup.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "gui/help_window.h"
#include "help/help_pages.h"

namespace verdin::gui {

HelpPopup::HelpPopup(QWidget* parent)
    : QFrame(parent, Qt::Popup), browser_(new HelpBrowser), more_(new QLabel) {
    setObjectName(QStringLiteral("helpPopup"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    resize(480, 360);
    // Links leave the pop-up for the help window instead of replacing its page.
    browser_->setOpenLinks(false);
    browser_->setFrameStyle(QFrame::NoFrame);
    more_->setText(QStringLiteral("<a href=\"more\">%1</a>").arg(tr("Open in the help window")));
    more_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(browser_);
    layout->addWidget(more_, 0, Qt::AlignRight);

    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        QString target = url.path();
        while (target.startsWith('/')) target.remove(0, 1);
        if (target.isEmpty()) target = page_;
        if (url.hasFragment()) target += '#' + url.fragment();
        hide();
        emit openInWindow(target);
    });
    connect(more_, &QLabel::linkActivated, this, [this] {
        hide();
        emit openInWindow(page_);
    });
}

bool HelpPopup::showContext(int contextNumber, const QPoint& globalPos) {
    const std::string target = help::pageForContext(contextNumber);
    if (target.empty()) return false;
    page_ = QString::fromStdString(target);
    browser_->setSource(HelpBrowser::urlOf(page_));
    QPoint at = globalPos + QPoint(12, 12);
    if (QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect room = screen->availableGeometry();
        at.setX(std::max(room.left(), std::min(at.x(), room.right() - width())));
        at.setY(std::max(room.top(), std::min(at.y(), room.bottom() - height())));
    }
    move(at);
    show();
    browser_->setFocus();
    return true;
}

}  // namespace verdin::gui
