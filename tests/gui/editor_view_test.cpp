// The editor view inside the main window as a student meets it: tab stops and
// sideways scrolling, the clicks and the right button's menu, the status bar's notes,
// zoom, breakpoints handed to the debug window and back, and what a screen reader
// reads. The editing rules themselves are the core's and tested by its key scripts.
#include <QAccessible>
#include <QClipboard>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>
#include <memory>

#include "gui/debug_window.h"
#include "gui/help_window.h"
#include "gui/main_window.h"
#include "gui/program_list.h"
#include "gui/text_screen_window.h"
#include "gui_test_support.h"
#include "workbench.h"
#include "shell/file_session.h"
#include "shell/settings.h"

using namespace verdin;
using namespace verdin::gui;
using namespace verdin::gui::test;

namespace {

std::vector<int> programBreakpoints(DebugWindow* window) {
    const QSet<int> set = window->findChild<ProgramList*>("program")->breakpoints();
    std::vector<int> lines(set.begin(), set.end());
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Every accessibility event the view sends while a test watches.
QList<QAccessible::Event> accessibleEvents;
int lastCaretEvent = -1;

void watchAccessibility(QAccessibleEvent* event) {
    accessibleEvents << event->type();
    if (event->type() == QAccessible::TextCaretMoved) {
        lastCaretEvent = static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition();
    }
}

}  // namespace

class EditorViewTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void tabsStopEveryEightBlanksAndTheViewFollowsTheCaretSideways() {
        Workbench w;
        w.window->resize(480, 400);
        w.load("\tmov\ta,b\r" + std::string(79, 'x'));
        const int blank = QFontMetrics(w.view()->font()).horizontalAdvance(QLatin1Char(' '));
        QCOMPARE(w.view()->columnX(0, 1), 8 * blank);
        QCOMPARE(w.view()->columnX(0, 5), 16 * blank);
        // The mnemonic after a TAB is blue, where the TAB puts it.
        QVERIFY(pixelsNear(w.view(), QRect(w.view()->textLeft() + 8 * blank, 0, 3 * blank, w.view()->lineHeight()),
                           QColor(0, 0, 200)) > 5);
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, w.view()->pointOf(0, 5));
        QCOMPARE(w.editor().state().caretColumn, 5);

        QVERIFY2(w.view()->columnX(1, 79) > w.view()->width(), "the window must be narrower than the line");
        QVERIFY(w.view()->horizontalScrollBar()->isVisible());
        w.key(Qt::Key_Down);
        w.key(Qt::Key_End);
        const int caretX = w.view()->textLeft() - w.view()->horizontalOffset() + w.view()->columnX(1, 79);
        QVERIFY(caretX > w.view()->textLeft() && caretX < w.view()->width());
        QVERIFY(!w.view()->scrollBar()->isVisible());
        QCOMPARE(w.view()->horizontalScrollBar()->value(), w.view()->horizontalOffset());
        w.key(Qt::Key_Home);
        QCOMPARE(w.view()->horizontalOffset(), 0);
        QCOMPARE(w.view()->horizontalScrollBar()->value(), 0);

        // The 81st character is refused with a note, not a box.
        w.key(Qt::Key_End);
        w.type("yz");
        QCOMPARE(w.note(), QString("Line full: a typed line holds at most 80 characters"));
        QGuiApplication::clipboard()->setText("abc");
        w.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.note(), QString("Paste: 3 characters did not fit"));
    }

    void clicksSelectWordsAndLinesAndTheRightButtonOffersAMenu() {
        Workbench w;
        w.load("loop1:\tmvi a,5\rdb 5");
        QTest::mouseDClick(w.view(), Qt::LeftButton, {}, w.view()->pointOf(0, 2));
        QCOMPARE(w.selected(), QString("loop1"));
        if (QGuiApplication::clipboard()->supportsSelection()) {
            QCOMPARE(QGuiApplication::clipboard()->text(QClipboard::Selection), QString("loop1"));
        }
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, w.view()->pointOf(0, 2));
        QCOMPARE(w.selected(), QString("loop1:\tmvi a,5\r"));
        w.key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("loop1:\tmvi a,5\n"));

        // Off a mnemonic the right button opens the menu; its last item looks the
        // word up in the help.
        QStringList items;
        whenShown<QMenu>([&items](QMenu* menu) {
            for (QAction* action : menu->actions()) items << (action->isSeparator() ? "-" : action->text());
            menu->actions().last()->trigger();
            menu->close();
        });
        QTest::mouseClick(w.view(), Qt::RightButton, {}, w.view()->pointOf(0, 0));
        QTRY_COMPARE(items, (QStringList{"Cut", "Copy", "Paste", "Select All", "-", "Help on \"DB\""}));
        QTRY_VERIFY(w.window->helpWindow()->isVisible());
        QCOMPARE(w.window->helpWindow()->searchBox()->text(), QString("DB"));
    }

    void zoomSizesTheEditorTheHelpAndTheTextScreenAndIsRemembered() {
        Workbench w;
        const int normal = w.view()->pointSize();
        const int helpNormal = w.window->helpWindow()->browser()->font().pointSize();
        const int rows = w.editor().state().visibleLines;
        w.key(Qt::Key_Plus, Qt::ControlModifier);
        w.key(Qt::Key_Equal, Qt::ControlModifier);
        const int larger = zoomedPoints(zoomedPoints(normal, 1), 1);
        QCOMPARE(w.view()->pointSize(), larger);
        QVERIFY(w.editor().state().visibleLines < rows);
        QCOMPARE(w.window->helpWindow()->browser()->font().pointSize(), helpNormal + larger - normal);
        w.platform.textScreenChanged({"HELLO"}, true);
        QCOMPARE(w.platform.textScreen()->findChild<QWidget*>("textScreenLines")->font().pointSize(),
                 QFontDatabase::systemFont(QFontDatabase::FixedFont).pointSize() + larger - normal);
        w.platform.textScreenChanged({}, false);
        QCOMPARE(readSettings(settingsFilePathFromEnvironment()).editorZoom, larger);
        {
            // The next start comes up at that size.
            Machine machine(w.platform);
            FileSession files(w.platform, settingsFilePathFromEnvironment());
            MainWindow next(machine, w.platform, files);
            QCOMPARE(next.editorView()->pointSize(), larger);
            w.platform.setOwner(w.window.get());
        }
        w.key(Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(w.view()->pointSize(), zoomedPoints(larger, -1));
        w.key(Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(w.view()->pointSize(), normal);
        QCOMPARE(w.window->helpWindow()->browser()->font().pointSize(), helpNormal);
        QCOMPARE(readSettings(settingsFilePathFromEnvironment()).editorZoom, 0);
    }

    void breakpointsSetInTheEditorGoToTheDebugWindowAndComeBack() {
        Workbench w;
        w.load("mvi a,1\rinr a\rhlt\r\rnop");
        const int height = w.view()->lineHeight();
        QTest::mouseClick(w.view()->margin(), Qt::LeftButton, {}, QPoint(6, height + height / 2));
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, w.view()->pointOf(4, 1));
        w.key(Qt::Key_F9);
        QCOMPARE(w.editor().breakpoints(), (std::vector<int>{1, 4}));
        const QColor red(200, 30, 30);
        QVERIFY(pixelsNear(w.view()->margin(), QRect(4, height, height / 2 + 2, height), red) > 3);
        QCOMPARE(pixelsNear(w.view()->margin(), QRect(4, 0, height / 2 + 2, height), red), 0);

        // Only the program before the empty line reaches the debug window; what the
        // student changes there comes back.
        std::vector<int> shown;
        QString seen;
        whenMessageBoxAppears(&seen);
        whenShown<DebugWindow>([&shown](DebugWindow* window) {
            shown = programBreakpoints(window);
            window->setBreakpoint(1, false);
            window->setBreakpoint(2, true);
            QTest::keyClick(window, Qt::Key_Escape);
        });
        w.key(Qt::Key_D, Qt::AltModifier);
        QCOMPARE(shown, std::vector<int>{1});
        QCOMPARE(w.editor().breakpoints(), (std::vector<int>{2, 4}));

        // Reopened, the window shows them again; an edit above moves them first.
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, w.view()->pointOf(0, 0));
        QTest::keyClicks(w.view(), "nop\r");
        whenMessageBoxAppears(&seen);
        whenShown<DebugWindow>([&shown](DebugWindow* window) {
            shown = programBreakpoints(window);
            QTest::keyClick(window, Qt::Key_Escape);
        });
        w.key(Qt::Key_D, Qt::AltModifier);
        QCOMPARE(shown, std::vector<int>{3});
    }

    void screenReadersReadTheTextTheCaretAndTheSelection() {
        Workbench w;
        // The offscreen platform has no screen reader to pass events to.
        w.view()->setAccessibleEventSink(watchAccessibility);
        accessibleEvents.clear();
        QTest::keyClicks(w.view(), "mvi a,1\rhlt");
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(w.view());
        QVERIFY(view != nullptr);
        QCOMPARE(view->role(), QAccessible::EditableText);
        QCOMPARE(view->text(QAccessible::Name), QString("Program text"));
        QVERIFY(view->state().multiLine && view->state().editable);
        QAccessibleTextInterface* text = view->textInterface();
        QVERIFY(text != nullptr);
        QCOMPARE(text->text(0, text->characterCount()), QString("mvi a,1\nhlt\n"));
        QCOMPARE(text->cursorPosition(), 11);
        int start = -1, end = -1;
        QVERIFY(text->textAtOffset(9, QAccessible::LineBoundary, &start, &end).startsWith("hlt"));
        QCOMPARE(start, 8);
        QVERIFY(accessibleEvents.contains(QAccessible::TextInserted));
        QCOMPARE(lastCaretEvent, 11);

        QTest::keyClick(w.view(), Qt::Key_Home, Qt::ShiftModifier);
        QVERIFY(accessibleEvents.contains(QAccessible::TextSelectionChanged));
        QCOMPARE(text->selectionCount(), 1);
        text->selection(0, &start, &end);
        QCOMPARE(QPair(start, end), QPair(8, 11));
        QTest::keyClick(w.view(), Qt::Key_Backspace);
        QVERIFY(accessibleEvents.contains(QAccessible::TextRemoved));

        // A screen reader may move the caret and select, too.
        text->setCursorPosition(2);
        QCOMPARE(w.editor().caretOffset(), 2);
        text->setSelection(0, 4, 7);
        QCOMPARE(w.selected(), QString("a,1"));
        const QRect character = text->characterRect(4);
        QCOMPARE(text->offsetAtPoint(character.center() - QPoint(character.width() / 4, 0)), 4);
    }
};

QTEST_MAIN(EditorViewTest)
#include "editor_view_test.moc"
