// The debug window's looks: list sizes measured in the window's own font, zoom, the
// place of the text screen, the grey of lists that show the state before a Run, and
// the names a screen reader gives its parts.
#include <QEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <algorithm>

#include "debugger/window_placement.h"
#include "gui/debug_list_delegate.h"
#include "gui/debug_window.h"
#include "gui/program_list.h"

namespace verdin::gui {

namespace {

ScreenRect screenRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

ScreenRect globalRect(const QWidget* w) {
    return screenRect(QRect(w->mapToGlobal(QPoint(0, 0)), w->size()));
}

// The width of `columns` characters of a list's entries, with what the list and its
// item style add around them.
int listWidth(const QListWidget* list, int columns, bool withBar) {
    const QFontMetrics metrics(list->font());
    const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    int width = metrics.horizontalAdvance(QString(columns, '0')) + margin + 2 * list->frameWidth() + 2;
    if (withBar) width += list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    return width;
}

int rowHeight(const QListWidget* list) {
    const int hint = list->count() > 0 ? list->sizeHintForRow(0) : -1;
    return hint > 0 ? hint : QFontMetrics(list->font()).lineSpacing() + 2;
}

}  // namespace

// Measured with the lists themselves after they hold their entries, so the font the
// lists really draw with (the window's, zoomed or not) decides every size.
void DebugWindow::fitLists() {
    auto fit = [](QListWidget* list, int columns, int rows, bool withBar) {
        list->setMinimumSize(listWidth(list, columns, withBar), rows * rowHeight(list) + 2 * list->frameWidth());
    };
    fit(registers_, 10, 6, false);
    fit(flags_, 9, 5, false);
    fit(dump_, 31, kDebugRows, false);
    fit(stack_, 18, kDebugRows, false);  // "3FF4  00 00  < SP", the arrow perhaps wider
    fit(inPorts_, 9, 6, true);
    fit(outPorts_, 9, 6, true);
    // Line number, address and 40 columns of the line; a comment may need the bar.
    const int digits = static_cast<int>(QString::number(std::max(program_->count(), 1)).size());
    program_->setMinimumWidth(listWidth(program_, digits + 8 + 40, true) + program_->margin()->width());
    address_->setMaximumWidth(QFontMetrics(font()).horizontalAdvance(QString(8, '0')));
    if (layout() != nullptr) layout()->activate();
}

void DebugWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::FontChange || registers_ == nullptr) return;
    fitLists();
    const QSize least = minimumSizeHint();
    if (width() < least.width() || height() < least.height()) resize(size().expandedTo(least));
}

// ---- Zoom ------------------------------------------------------------------------------

void DebugWindow::addZoomKeys() {
    const struct {
        QKeySequence keys;
        int direction;
    } keys[] = {{QKeySequence::ZoomIn, 1},
                {QKeySequence(Qt::CTRL | Qt::Key_Equal), 1},
                {QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Plus), 1},
                {QKeySequence::ZoomOut, -1},
                {QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Minus), -1},
                {QKeySequence(Qt::CTRL | Qt::Key_0), 0},
                {QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_0), 0}};
    for (const auto& k : keys) {
        auto* shortcut = new QShortcut(k.keys, this);
        const int direction = k.direction;
        connect(shortcut, &QShortcut::activated, this, [this, direction] {
            if (direction == 0) resetZoom();
            else zoomBy(direction);
        });
    }
}

void DebugWindow::setZoom(int points) {
    zoom_ = points == 0 ? 0 : std::clamp(points, kMinZoomPoints, kMaxZoomPoints);
    QFont zoomed = baseFont_;
    if (zoom_ != 0) zoomed.setPointSize(zoom_);
    setFont(zoomed);
}

void DebugWindow::zoomBy(int direction) {
    const int before = font().pointSize() > 0 ? font().pointSize() : QFontInfo(font()).pointSize();
    const QSize size = this->size();
    setZoom(zoomedPoints(before, direction));
    // The layout grows and shrinks with the font, as far as the screen allows.
    const int after = font().pointSize();
    QSize scaled = size * (static_cast<double>(after) / std::max(before, 1));
    if (screen() != nullptr) scaled = scaled.boundedTo(screen()->availableGeometry().size());
    resize(scaled.expandedTo(minimumSizeHint()));
    emit zoomChanged(zoom_);
}

void DebugWindow::resetZoom() {
    if (zoom_ == 0) return;
    const int before = zoom_;
    const QSize size = this->size();
    setZoom(0);
    const int after = std::max(font().pointSize(), 1);
    resize((size * (static_cast<double>(after) / before)).expandedTo(minimumSizeHint()));
    emit zoomChanged(0);
}

// ---- The text screen beside the window --------------------------------------------------

void DebugWindow::placeTextScreen(QWidget* textScreen) {
    if (!isVisible() || screen() == nullptr) return;
    // The frame the window system adds is the debug window's, as far as it can be known
    // before the text screen has one of its own.
    const QRect frame = frameGeometry();
    const QSize border = frame.size() - size();
    const QSize wanted = textScreen->size() + border;
    const ScreenRect at = placeBeside(screenRect(frame), {globalRect(programBox_), globalRect(registersBox_)},
                                      wanted.width(), wanted.height(), screenRect(screen()->availableGeometry()));
    textScreen->resize(at.width - border.width(), at.height - border.height());
    textScreen->move(at.x, at.y);
}

// ---- During a Run -----------------------------------------------------------------------

void DebugWindow::setStale(bool stale) {
    for (QListWidget* list : {registers_, flags_, dump_, stack_, inPorts_, outPorts_}) {
        if (list->property(kStaleProperty).toBool() == stale) continue;
        list->setProperty(kStaleProperty, stale);
        list->setAccessibleDescription(stale ? "Shows the state from before the run" : QString());
        list->viewport()->update();
    }
    // Where the run stands is not known until it ends.
    if (stale) program_->setNextLine(-1);
}

// ---- Names for a screen reader ---------------------------------------------------------

void DebugWindow::nameForAccessibility() {
    const struct {
        QWidget* widget;
        const char* name;
    } names[] = {{program_, "Program"},
                 {registers_, "Registers"},
                 {flags_, "Flags"},
                 {dump_, "Memory dump"},
                 {stack_, "Stack"},
                 {inPorts_, "Input ports"},
                 {outPorts_, "Output ports"},
                 {dumpBar_, "Memory dump scroll"},
                 {stackBar_, "Stack scroll"},
                 {address_, "Go to address"},
                 {step_, "Step"},
                 {stepOver_, "Step over"},
                 {stepOut_, "Step out"},
                 {stepBack_, "Step back"},
                 {run_, "Run"},
                 {stop_, "Stop"},
                 {help_, "Help"},
                 {status_, "Status"},
                 {rules_, "Arithmetic rules"},
                 {program_->margin(), "Breakpoints"}};
    for (const auto& n : names) n.widget->setAccessibleName(n.name);
}

}  // namespace verdin::gui
