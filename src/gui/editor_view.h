// The editor's view: paints the core's EditorController and forwards keys, characters,
// the mouse, the wheel and the scroll bar to it. No Qt text widget: the controller
// owns the text, the caret and the selection, and the view only measures and paints.
//
// Left of the text a margin numbers the lines from 1, as the compile messages count
// them, and marks the line of the last compile fault until the text changes.
#pragma once

#include <QPoint>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

#include "shell/editor_controller.h"

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
    LineNumberMargin* margin() const { return margin_; }

signals:
    // The text, caret, selection or mode changed: title, status bar and menus follow.
    void stateChanged();
    // A right click on a mnemonic: its help context.
    void helpRequested(int context);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend class LineNumberMargin;
    void layoutChildren();
    void syncScrollBar();
    void syncModifiers(Qt::KeyboardModifiers modifiers);
    // The line under view y (a row above the text area gives a line above topLine)
    // and the column on it nearest to view x.
    int lineAt(int y) const;
    int columnAt(int line, int x) const;
    int prefixWidth(int line, int column) const;
    void paintLine(QPainter& painter, int line, int y) const;
    void restartBlink();

    EditorController editor_;
    LineNumberMargin* margin_;
    QScrollBar* scrollBar_;
    QTimer autoScroll_;
    QTimer blink_;
    bool caretOn_ = true;
    bool syncing_ = false;
    bool leftHeld_ = false;
};

// The line numbers beside the text, and the fault mark.
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
