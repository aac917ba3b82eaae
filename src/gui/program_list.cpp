#include "gui/program_list.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>

namespace verdin::gui {

namespace {
const QColor kBreakpointColour(200, 30, 30);
const QColor kFaultColour(255, 205, 205);
}  // namespace

// Painted beside the list's viewport, so a click here never moves the selection. The
// dot sits in its left half and the arrow in its right half, so a breakpoint on the
// next line shows both.
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
        painter.setPen(Qt::NoPen);
        for (int row = 0; row < list_->count(); ++row) {
            const QRect item = list_->visualItemRect(list_->item(row));
            if (item.bottom() < 0 || item.top() > height()) continue;
            const QRect cell(0, item.top(), width(), item.height());
            if (row == list_->faultLine_) painter.fillRect(cell, kFaultColour);
            if (list_->breakpoints_.contains(row)) {
                const int d = std::min(cell.width() / 2, cell.height()) - 4;
                painter.setBrush(kBreakpointColour);
                painter.drawEllipse(QRect(cell.left() + cell.width() / 4 - d / 2, cell.center().y() - d / 2, d, d));
            }
            if (row == list_->nextLine_) {
                const QRect a = list_->arrowRect(row);
                QPainterPath arrow;
                arrow.moveTo(a.left(), a.top() + a.height() / 3.0);
                arrow.lineTo(a.center().x(), a.top() + a.height() / 3.0);
                arrow.lineTo(a.center().x(), a.top());
                arrow.lineTo(a.right(), a.center().y());
                arrow.lineTo(a.center().x(), a.bottom());
                arrow.lineTo(a.center().x(), a.top() + 2 * a.height() / 3.0);
                arrow.lineTo(a.left(), a.top() + 2 * a.height() / 3.0);
                arrow.closeSubpath();
                painter.setBrush(ProgramList::arrowColour());
                painter.drawPath(arrow);
            }
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

ProgramList::ProgramList(QWidget* parent) : QListWidget(parent), margin_(new BreakpointMargin(this)) {
    fitMargin();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, margin_, qOverload<>(&QWidget::update));
    connect(this, &QListWidget::currentRowChanged, margin_, qOverload<>(&QWidget::update));
}

void ProgramList::fitMargin() {
    marginWidth_ = 2 * fontMetrics().height() + 2;
    setViewportMargins(marginWidth_, 0, 0, 0);
    const QRect area = contentsRect();
    margin_->setGeometry(area.left(), area.top(), marginWidth_, area.height());
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

void ProgramList::setNextLine(int row) {
    nextLine_ = row >= 0 && row < count() ? row : -1;
    margin_->update();
}

QPoint ProgramList::marginPoint(int row) const {
    if (row < 0 || row >= count()) return {};
    return {marginWidth_ / 4, visualItemRect(item(row)).center().y()};
}

QRect ProgramList::arrowRect(int row) const {
    if (row < 0 || row >= count()) return {};
    const QRect item = visualItemRect(this->item(row));
    const int h = std::max(item.height() - 4, 4);
    return {marginWidth_ / 2 + 1, item.center().y() - h / 2, marginWidth_ / 2 - 3, h};
}

void ProgramList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    const QRect area = contentsRect();
    margin_->setGeometry(area.left(), area.top(), marginWidth_, area.height());
}

void ProgramList::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) fitMargin();
}

}  // namespace verdin::gui
