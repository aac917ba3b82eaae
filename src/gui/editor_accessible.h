// The editor view as assistive technology sees it: a multi-line editable text with
// a caret and a selection, read through Qt's text interface as a QPlainTextEdit is.
// Offsets are the buffer's: one character a byte, a line end one "\n".
#pragma once

#include <QAccessibleWidget>

namespace verdin::gui {

class EditorView;

class EditorAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit EditorAccessible(EditorView* view);

    // Makes Qt build one of these for every EditorView; idempotent.
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    EditorView* view() const;
};

}  // namespace verdin::gui
