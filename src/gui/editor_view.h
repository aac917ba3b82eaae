// The editor's view: paints the core's EditorController and forwards keys, characters,
// the mouse, the wheel and the scroll bar to it. No Qt text widget: the controller
// owns the text, the caret and the selection, and the view only measures and paints.
//
// Left of the text a margin numbers the lines from 1, as the compile messages count
// them, marks the line of the last compile fault until the text changes, and shows the
// breakpoints, which a click there or F9 sets and clears.
//
// A TAB from a loaded or pasted text reaches the next multiple of eight blanks. The
// view scrolls sideways to keep the caret in sight.
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPoint>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

#include "gui/qt_clipboard.h"
#include "shell/editor_controller.h"

class QAction;
class QAccessibleEvent;

namespace verdin::gui {

class LineNumberMargin;

class EditorView : public QWidget {
    Q_OBJECT
public:
    // `clipboard` outlives the view (null: no clipboard).
    explicit EditorView(Clipboard* clipboard, QWidget* parent = nullptr);

    EditorController& controller() { return editor_; }
    const EditorController& controller() const { return editor_; }

    // After a command changed the controller: scroll bar, margin and text repainted,
    // stateChanged emitted.
    void refresh();

    int lineHeight() const;
    // Where the text area begins, in the view's coordinates (right of the margin).
    int textLeft() const;
    // A view point on the left half of the character at (line, column), when the line
    // is shown: a click there puts the caret before that character.
    QPoint pointOf(int line, int column) const;
    QScrollBar* scrollBar() const { return scrollBar_; }
    QScrollBar* horizontalScrollBar() const { return hScrollBar_; }
    LineNumberMargin* margin() const { return margin_; }
    // Pixels the text is scrolled to the left.
    int horizontalOffset() const { return xOffset_; }
    // x of `column` of `line` from the start of the text, TABs to every 8 blanks.
    int columnX(int line, int column) const;
    // Where the character at buffer `offset` is drawn, in the view's coordinates.
    QRect characterRect(int offset) const;
    // The buffer offset nearest to a view point.
    int offsetAt(const QPoint& point) const;

    // The text's size in points (zoom); the family stays the fixed one.
    void setPointSize(int points);
    int pointSize() const;
    int normalPointSize() const { return normalPoints_; }
    // The right button's menu off a mnemonic: these actions (Cut, Copy, Paste, Select
    // All of the main window), then "Help on the word".
    void setContextActions(const QList<QAction*>& actions) { contextActions_ = actions; }
    // Where the view's text, caret and selection events go: QAccessible, which hands
    // them to a screen reader when one listens, unless something else records them.
    using AccessibleEventSink = void (*)(QAccessibleEvent*);
    void setAccessibleEventSink(AccessibleEventSink sink) { accessibleSink_ = sink; }

signals:
    // The text, caret, selection or mode changed: title, status bar and menus follow.
    void stateChanged();
    // A right click on a mnemonic: its help context.
    void helpRequested(int context);
    // "Help on the word" of the right button's menu.
    void helpOnWordRequested(const QString& word);
    // What the last input ran into (a full line), for the status bar.
    void notice(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend class LineNumberMargin;
    void layoutChildren();
    void syncScrollBar();
    void keepCaretInSight();
    void contextMenu(const QPoint& at);
    void tellChanges();
    // Text, caret and selection changes for screen readers (editor_accessible.cpp).
    void tellAssistiveTools(bool selectionMoved);
    void syncModifiers(Qt::KeyboardModifiers modifiers);
    // The line under view y (a row above the text area gives a line above topLine)
    // and the column on it nearest to view x.
    int lineAt(int y) const;
    int columnAt(int line, int x) const;
    int prefixWidth(int line, int column) const;
    int textWidth() const;
    void paintLine(QPainter& painter, int line, int y) const;
    void restartBlink();

    EditorController editor_;
    LineNumberMargin* margin_;
    QScrollBar* scrollBar_;
    QScrollBar* hScrollBar_;
    QtClipboard primary_{QClipboard::Selection};
    QList<QAction*> contextActions_;
    QTimer autoScroll_;
    QElapsedTimer sinceDoubleClick_;
    QPoint doubleClickAt_;
    int xOffset_ = 0;
    std::string measuredText_;  // the text whose widest line is widestLine_
    QFont measuredFont_;
    int widestLine_ = 0;
    bool tripleClicked_ = false;
    int normalPoints_ = 10;
    bool followCaret_ = true;
    // What screen readers were last told about, to send only changes.
    std::string toldText_;
    int toldCaret_ = 0;
    int toldSelectionLow_ = 0;
    int toldSelectionHigh_ = 0;
    AccessibleEventSink accessibleSink_;
    QTimer blink_;
    bool caretOn_ = true;
    bool syncing_ = false;
    bool leftHeld_ = false;
};

// The line numbers beside the text, the fault mark and the breakpoints.
class LineNumberMargin : public QWidget {
    Q_OBJECT
public:
    explicit LineNumberMargin(EditorView* view);
    int widthForLines(int lines) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    EditorView* view_;
};

}  // namespace verdin::gui
