#include "gui/program_list.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace verdin::gui {

namespace {
const QColor kBreakpointColour(200, 30, 30);
const QColor kFaultColour(255, 205, 205);
}  // namespace

// Painted beside the list's viewport, so a click here never moves the selection.
class BreakpointMargin : public QWidget {
public:
    explicit BreakpointMargin(ProgramList* list) : QWidget(list), list_(list) {
        setObjectName("breakpointMargin");
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        painter.setRenderHint(QPainter::Antialiasing);
        for (int row = 0; row < list_->count(); ++row) {
            const QRect item = list_->visualItemRect(list_->item(row));
            if (item.bottom() < 0 || item.top() > height()) continue;
            const QRect cell(0, item.top(), width(), item.height());
            if (row == list_->faultLine_) painter.fillRect(cell, kFaultColour);
            if (!list_->breakpoints_.contains(row)) continue;
            const int d = std::min(cell.width(), cell.height()) - 4;
            painter.setPen(Qt::NoPen);
            painter.setBrush(kBreakpointColour);
            painter.drawEllipse(QRect(cell.center().x() - d / 2, cell.center().y() - d / 2, d, d));
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        QListWidgetItem* item = list_->itemAt(QPoint(1, event->position().toPoint().y()));
        if (item != nullptr) emit list_->breakpointClicked(list_->row(item));
    }

private:
    ProgramList* list_;
};

ProgramList::ProgramList(QWidget* parent) : QListWidget(parent) {
    marginWidth_ = fontMetrics().height() + 2;
    margin_ = new BreakpointMargin(this);
    setViewportMargins(marginWidth_, 0, 0, 0);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, margin_, qOverload<>(&QWidget::update));
    connect(this, &QListWidget::currentRowChanged, margin_, qOverload<>(&QWidget::update));
}

void ProgramList::setBreakpoints(const QSet<int>& lines) {
    breakpoints_ = lines;
    margin_->update();
}

void ProgramList::setFaultLine(int line) {
    if (faultLine_ >= 0 && faultLine_ < count()) item(faultLine_)->setBackground(QBrush());
    faultLine_ = line;
    if (faultLine_ >= 0 && faultLine_ < count()) item(faultLine_)->setBackground(kFaultColour);
    margin_->update();
}

QPoint ProgramList::marginPoint(int row) const {
    if (row < 0 || row >= count()) return {};
    return {marginWidth_ / 2, visualItemRect(item(row)).center().y()};
}

void ProgramList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    const QRect area = contentsRect();
    margin_->setGeometry(area.left(), area.top(), marginWidth_, area.height());
}

}  // namespace verdin::gui
