// The help window as a student uses it: opened by a context number, a link followed
// with the mouse, Back, the contents, the index and the search box; and the pop-up
// of a right click. Which page a number opens, and what pages say, is tested with
// the help pages themselves.
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "gui/help_popup.h"
#include "gui/help_window.h"

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
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(inside).center() + QPoint(2, 0));
    return true;
}

template <typename View, typename Item>
void clickItem(View* view, Item* item) {
    view->scrollToItem(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(item).center());
}

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void aContextOpensItsPageAndLinksLeadOn() {
        HelpWindow window;
        QVERIFY(window.showContext(105 + 5 * 9));  // DAD, the tenth mnemonic of the editor
        QVERIFY(window.isVisible());
        QCOMPARE(window.browser()->pageId(), QString("dad"));
        QVERIFY(window.browser()->toPlainText().startsWith("DAD: add a register pair to HL"));
        QVERIFY(window.windowTitle().contains("DAD"));

        window.showPage("mov");
        QVERIFY(clickText(window.browser(), "How the flags work"));
        QTRY_COMPARE(window.browser()->pageId(), QString("flags"));
        QVERIFY(window.backButton()->isEnabled());
        QTest::mouseClick(window.backButton(), Qt::LeftButton);
        QTRY_COMPARE(window.browser()->pageId(), QString("mov"));
    }

    void contentsIndexAndSearchOpenPages() {
        HelpWindow window;
        window.show();
        QList<QTreeWidgetItem*> flags =
            window.contentsTree()->findItems("How the flags work", Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(flags.size(), 1);
        clickItem(window.contentsTree(), flags[0]);
        QTRY_COMPARE(window.browser()->pageId(), QString("flags"));

        QCOMPARE(window.indexList()->count(), 78);
        QListWidgetItem* xchg = window.indexList()->findItems("XCHG:", Qt::MatchStartsWith).value(0);
        QVERIFY(xchg != nullptr);
        window.tabs()->setCurrentIndex(1);
        clickItem(window.indexList(), xchg);
        QTRY_COMPARE(window.browser()->pageId(), QString("xchg"));

        // The Search tab puts the keys in its field at once.
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.tabs()->setCurrentIndex(2);
        QTRY_COMPARE(QApplication::focusWidget(), window.searchBox());
        QTest::keyClicks(window.searchBox(), "breakpoint");
        QTRY_VERIFY(window.searchResults()->count() > 0);
        QCOMPARE(window.searchResults()->item(0)->text(), QString("The debug window"));
        QTest::keyClick(window.searchBox(), Qt::Key_Return);
        QTRY_COMPARE(window.browser()->pageId(), QString("debug_window"));

        // Esc puts the help away, from wherever the focus is.
        QTest::keyClick(window.browser(), Qt::Key_Escape);
        QTRY_VERIFY(!window.isVisible());
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
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
