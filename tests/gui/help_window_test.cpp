// The help window as a student uses it: opened by a context number, a link followed
// with the mouse, Back, the index and the search box; the pop-up of a right click;
// and the Help button of an error box.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "gui/help_popup.h"
#include "gui/help_window.h"
#include "gui/qt_platform.h"
#include "gui_test_support.h"
#include "help/help_pages.h"

using namespace verdin;
using namespace verdin::gui;

namespace {

// Clicks the first occurrence of `text` in the browser, as a person clicks a link.
bool clickText(HelpBrowser* browser, const QString& text) {
    QTextCursor found = browser->document()->find(text);
    if (found.isNull()) return false;
    QTextCursor inside(browser->document());
    inside.setPosition(found.selectionStart() + 1);
    browser->setTextCursor(inside);
    browser->ensureCursorVisible();
    QRect place = browser->cursorRect(inside);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, place.center() + QPoint(2, 0));
    return true;
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void contextNumbersOpenTheirPages() {
        HelpWindow window;
        QVERIFY(window.showContext(105 + 5 * 9));  // DAD, the tenth mnemonic of the editor
        QVERIFY(window.isVisible());
        QCOMPARE(window.browser()->pageId(), QString("dad"));
        QVERIFY(window.browser()->toPlainText().startsWith("DAD: add a register pair to HL"));
        QVERIFY(window.windowTitle().contains("DAD"));

        const std::pair<int, const char*> windows[] = {
            {help::kMainWindowContext, "Menus and keys"}, {help::kDebugWindowContext, "The debug window"},
            {help::kCalculatorContext, "The calculator"}};
        for (const auto& [context, title] : windows) {
            QVERIFY(window.showContext(context));
            QCOMPARE(window.browser()->documentTitle(), QString(title));
        }
        for (int i = 0; i < 78; ++i) {
            QVERIFY(window.showContext(105 + 5 * i));
            QVERIFY2(window.browser()->documentTitle().contains(':'), qPrintable(QString::number(i)));
        }
        QVERIFY(!window.showContext(104));
    }

    void followingALinkAndGoingBack() {
        HelpWindow window;
        window.showPage("mov");
        QVERIFY(clickText(window.browser(), "How the flags work"));
        QTRY_COMPARE(window.browser()->pageId(), QString("flags"));
        QVERIFY(window.browser()->toPlainText().contains("Where the workbench differs"));
        QVERIFY(window.backButton()->isEnabled());
        QTest::mouseClick(window.backButton(), Qt::LeftButton);
        QTRY_COMPARE(window.browser()->pageId(), QString("mov"));
    }

    void indexAndSearchOpenPages() {
        HelpWindow window;
        window.show();
        QCOMPARE(window.indexList()->count(), 78);
        QListWidgetItem* xchg = window.indexList()->findItems("XCHG:", Qt::MatchStartsWith).value(0);
        QVERIFY(xchg != nullptr);
        window.tabs()->setCurrentIndex(1);
        window.indexList()->scrollToItem(xchg);
        QTest::mouseClick(window.indexList()->viewport(), Qt::LeftButton, {},
                          window.indexList()->visualItemRect(xchg).center());
        QTRY_COMPARE(window.browser()->pageId(), QString("xchg"));

        window.tabs()->setCurrentIndex(2);
        window.searchBox()->setFocus();
        QTest::keyClicks(window.searchBox(), "breakpoint");
        QTRY_VERIFY(window.searchResults()->count() > 0);
        QCOMPARE(window.searchResults()->item(0)->text(), QString("The debug window"));
        QTest::keyClick(window.searchBox(), Qt::Key_Return);
        QTRY_COMPARE(window.browser()->pageId(), QString("debug_window"));
    }

    void contentsTreeListsThePagesOfTheContents() {
        HelpWindow window;
        QTreeWidget* tree = window.contentsTree();
        QVERIFY(tree->topLevelItemCount() >= 5);
        QList<QTreeWidgetItem*> flags = tree->findItems("How the flags work", Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(flags.size(), 1);
        window.show();
        tree->scrollToItem(flags[0]);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(flags[0]).center());
        QTRY_COMPARE(window.browser()->pageId(), QString("flags"));
    }

    void rightClickPopupShowsThePageNearTheMouseAndHandsLinksToTheWindow() {
        HelpWindow window;
        HelpPopup popup;
        QObject::connect(&popup, &HelpPopup::openInWindow, &window, &HelpWindow::showPage);
        const QPoint mouse(200, 150);
        QVERIFY(popup.showContext(175, mouse));  // MOV
        QTRY_VERIFY(popup.isVisible());
        QVERIFY(popup.browser()->toPlainText().startsWith("MOV: copy a byte"));
        QVERIFY((popup.pos() - mouse).manhattanLength() < 40);
        QVERIFY(clickText(popup.browser(), "Data transfer"));
        QTRY_VERIFY(!popup.isVisible());
        QTRY_COMPARE(window.browser()->pageId(), QString("transfer"));
        QVERIFY(window.isVisible());

        QVERIFY(popup.showContext(105, mouse));  // NOP
        QTRY_VERIFY(popup.isVisible());
        QTest::keyClick(popup.browser(), Qt::Key_Escape);
        QTRY_VERIFY(!popup.isVisible());
        QVERIFY(!popup.showContext(3, mouse));
    }

    void errorBoxHelpButtonOpensThePageOfTheMessage() {
        QtPlatform platform;
        std::string opened;
        platform.setHelpHandler([&](const std::string& page) { opened = page; });
        bool hadHelp = false;
        test::whenModalAppears([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QAbstractButton* help = box != nullptr ? box->button(QMessageBox::Help) : nullptr;
            hadHelp = help != nullptr;
            if (help != nullptr) QTest::mouseClick(help, Qt::LeftButton);
            else test::press(modal, QMessageBox::Ok);
        });
        platform.showMessage(MessageKind::Error, "Invalid operand at string 3. Here are the most likely causes");
        QVERIFY(hadHelp);
        QCOMPARE(opened, std::string("errors#invalid-operand"));

        // Information boxes and messages without a page keep their single OK button.
        for (auto [kind, text] : {std::pair{MessageKind::Information, "Compile successful 3 byte(s)"},
                                  {MessageKind::Error, "Something nobody wrote a page for"}}) {
            int buttons = -1;
            test::whenModalAppears([&buttons](QWidget* modal) {
                buttons = static_cast<int>(qobject_cast<QMessageBox*>(modal)->buttons().size());
                test::press(modal, QMessageBox::Ok);
            });
            platform.showMessage(kind, text);
            QCOMPARE(buttons, 1);
        }
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
