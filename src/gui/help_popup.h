// The small pop-up that a right click on a mnemonic opens beside the mouse: the
// instruction's page in a frameless window that closes on Esc or a click elsewhere.
//
// Usage (the main window keeps one):
//   auto* popup = new HelpPopup(mainWindow);
//   connect(popup, &HelpPopup::openInWindow, helpWindow, &HelpWindow::showPage);
//   popup->showContext(105 + 5 * index, event->globalPosition().toPoint());
#pragma once

#include <QFrame>

class QLabel;

namespace verdin::gui {

class HelpBrowser;

class HelpPopup : public QFrame {
    Q_OBJECT
public:
    explicit HelpPopup(QWidget* parent = nullptr);

    // Shows the page of `contextNumber` with its top left corner near `globalPos`,
    // kept on the screen. False, and nothing shown, for a number without a page.
    bool showContext(int contextNumber, const QPoint& globalPos);

    HelpBrowser* browser() const { return browser_; }

signals:
    // A link in the pop-up was followed, or "Open in the help window" was clicked:
    // the page belongs in the help window, which has room for it.
    void openInWindow(const QString& target);

private:
    HelpBrowser* browser_;
    QLabel* more_;
    QString page_;
};

}  // namespace verdin::gui
