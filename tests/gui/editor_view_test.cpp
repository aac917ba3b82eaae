// The editor view as a person uses it: what typing shows (colours, margin, caret
// position), selection with keys and the mouse, the clipboard, undo and redo.
#include <QClipboard>
#include <QImage>
#include <QtTest>

#include "gui/editor_view.h"
#include "workbench.h"

using namespace verdin;
using namespace verdin::gui;
using namespace verdin::gui::test;

namespace {

// Pixels of row `line` of the text area whose colour is near `colour` (text is
// smoothed, so the strokes' cores are compared loosely).
int pixelsNear(EditorView* view, int line, QColor colour) {
    const QImage image = view->grab().toImage();
    int count = 0;
    const int top = line * view->lineHeight();
    for (int y = top; y < top + view->lineHeight(); ++y) {
        for (int x = view->textLeft(); x < image.width() - 20; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
                std::abs(c.blue() - colour.blue()) < 40)
                ++count;
        }
    }
    return count;
}

}  // namespace

class EditorViewTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void typedTextIsColouredAndTheMarginCounts() {
        Workbench w;
        w.type("mov a,b");
        w.key(Qt::Key_Return);
        w.type("\tdb 1 ; data");
        w.key(Qt::Key_Return);
        w.type("movx");
        QCOMPARE(w.text(), std::string("mov a,b\r        db 1 ; data\rmovx\r"));
        QCOMPARE(w.window->statusPart(0)->text(), QString("Ln 3, Col 4;\tTotal: 4"));
        const QColor blue(0, 0, 200), green(0, 100, 0);
        QVERIFY(pixelsNear(w.view(), 0, blue) > 5);
        QCOMPARE(pixelsNear(w.view(), 0, green), 0);
        QVERIFY(pixelsNear(w.view(), 1, green) > 5);
        QCOMPARE(pixelsNear(w.view(), 1, blue), 0);
        QCOMPARE(pixelsNear(w.view(), 2, blue), 0);  // movx is no mnemonic

        // A selection shows white on black.
        w.key(Qt::Key_Home);
        w.key(Qt::Key_End, Qt::ShiftModifier);
        QVERIFY(pixelsNear(w.view(), 2, Qt::black) > 20);

    }

    void keysAndMouseSelectAndTheCaretFollows() {
        Workbench w;
        w.type("abc def");
        w.key(Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(w.state().caretColumn, 4);
        w.key(Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(w.state().selectionLow(), 0);
        QCOMPARE(w.state().selectionHigh(), 4);
        w.type("x");  // typing replaces the selection
        QCOMPARE(w.text(), std::string("xdef\r"));

        // A click places the caret; a drag with the button held selects.
        w.key(Qt::Key_End);
        w.key(Qt::Key_Return);
        w.type("second line");
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, w.view()->pointOf(0, 1));
        QCOMPARE(w.state().caretLine, 0);
        QCOMPARE(w.state().caretColumn, 1);
        QTest::mousePress(w.view(), Qt::LeftButton, {}, w.view()->pointOf(0, 2));
        QTest::mouseMove(w.view(), w.view()->pointOf(1, 3));
        QTest::mouseRelease(w.view(), Qt::LeftButton, {}, w.view()->pointOf(1, 3));
        QCOMPARE(w.state().selectionLow(), 2);
        QCOMPARE(w.state().selectionHigh(), 5 + 3);
    }

    void draggingPastTheBottomKeepsScrolling() {
        Workbench w;
        for (int i = 0; i < 3 * w.state().visibleLines; ++i) {
            w.type("nop");
            w.key(Qt::Key_Return);
        }
        w.key(Qt::Key_PageUp, Qt::ControlModifier);
        QTest::mousePress(w.view(), Qt::LeftButton, {}, w.view()->pointOf(0, 0));
        QTest::mouseMove(w.view(), QPoint(w.view()->pointOf(0, 1).x(), w.view()->height() + 10));
        // The pointer stays below the text; the timer goes on one line at a time.
        QTRY_VERIFY(w.state().topLine >= 3);
        QTest::mouseRelease(w.view(), Qt::LeftButton, {}, QPoint(w.view()->pointOf(0, 1).x(), w.view()->height() + 10));
        const int top = w.state().topLine;
        QCOMPARE(w.state().selectionLow(), 0);
        QVERIFY(w.state().selectionHigh() > 4 * (top + w.state().visibleLines - 2));
        QCOMPARE(w.view()->scrollBar()->value(), top);
    }

    void clipboardCutCopyPaste() {
        Workbench w;
        w.type("mov a,b");
        w.key(Qt::Key_Home, Qt::ShiftModifier);
        w.key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("mov a,b"));
        w.key(Qt::Key_End);
        w.key(Qt::Key_Return);
        w.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.text(), std::string("mov a,b\rmov a,b\r"));

        // Cut (menu only) takes the line away; line ends reach other programs as LF.
        w.key(Qt::Key_Up, Qt::ShiftModifier);
        w.chooseMenuItem("Edit", "Cut");
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("\nmov a,b"));
        QCOMPARE(w.text(), std::string("mov a,b\r"));

        // Text from elsewhere: LF and CR LF become the editor's line ends.
        QGuiApplication::clipboard()->setText("nop\r\nhlt\n");
        w.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(w.text(), std::string("mov a,bnop\rhlt\r\r"));
    }

    void undoAndRedo() {
        Workbench w;
        w.type("nop");
        w.key(Qt::Key_Return);
        w.type("hlt");
        const std::string typed = w.text();
        w.key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(w.text() != typed);
        while (w.editor().canUndo()) w.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.text(), std::string("\r"));
        QCOMPARE(w.title(), QString("Verdin - Untitled"));
        while (w.editor().canRedo()) w.key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.text(), typed);
        QCOMPARE(w.title(), QString("Verdin - Untitled*"));
    }
};

QTEST_MAIN(EditorViewTest)
#include "editor_view_test.moc"
