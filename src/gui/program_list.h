// The debug window's program list: the normalised lines, each with its line number,
// address and typed comment beside it, and a margin on the left that shows the
// breakpoints (dots; a click sets or clears one) and an arrow at the line the next
// Step runs. A line on which a fault stopped the program is marked.
#pragma once

#include <QListWidget>
#include <QSet>

namespace verdin::gui {

class ProgramList : public QListWidget {
    Q_OBJECT
public:
    explicit ProgramList(QWidget* parent = nullptr);

    void setBreakpoints(const QSet<int>& lines);
    const QSet<int>& breakpoints() const { return breakpoints_; }
    // -1 for none.
    void setFaultLine(int line);
    int faultLine() const { return faultLine_; }
    // The row the arrow points at; -1 for none (the program has ended).
    void setNextLine(int row);
    int nextLine() const { return nextLine_; }
    // The margin, and the points in it beside `row`: where a click toggles a
    // breakpoint, and where the arrow is drawn.
    QWidget* margin() const { return margin_; }
    QPoint marginPoint(int row) const;
    QRect arrowRect(int row) const;
    static QColor arrowColour() { return QColor(230, 140, 0); }

signals:
    // A click in the margin beside `row`.
    void breakpointClicked(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class BreakpointMargin;
    void fitMargin();

    QWidget* margin_;
    int marginWidth_ = 0;
    QSet<int> breakpoints_;
    int faultLine_ = -1;
    int nextLine_ = -1;
};

}  // namespace verdin::gui
