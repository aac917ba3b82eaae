// The debug window's program list: the normalised lines, the line Step runs next
// selected, and a margin on the left in which a click sets or clears a breakpoint
// (drawn as a dot). A line on which a fault stopped the program is marked.
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
    // The margin, and the point in it beside `row` (where a click toggles it).
    QWidget* margin() const { return margin_; }
    QPoint marginPoint(int row) const;

signals:
    // A click in the margin beside `row`.
    void breakpointClicked(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class BreakpointMargin;
    QWidget* margin_;
    int marginWidth_;
    QSet<int> breakpoints_;
    int faultLine_ = -1;
};

}  // namespace verdin::gui
