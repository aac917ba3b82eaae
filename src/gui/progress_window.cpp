#include "gui/progress_window.h"

#include <algorithm>

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "gui/window_placement.h"

namespace verdin::gui {

ProgressWindow::ProgressWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::FramelessWindowHint), bar_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("progressWindow"));
    setModal(false);
    // Without a title bar the window needs a frame of its own to stand out.
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    auto* layout = new QVBoxLayout(frame);
    auto* label = new QLabel(QStringLiteral("Please wait..."), frame);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    bar_->setParent(frame);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(240);
    layout->addWidget(bar_);
    bar_->setAccessibleName(QStringLiteral("Pages printed"));
    keepOnOwnersScreen(this);
}

void ProgressWindow::begin(int maximum) {
    bar_->setRange(0, std::max(maximum, 0));
    bar_->setValue(0);
    show();
    raise();
    // Let the window appear before the work starts that keeps the loop busy.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::setPosition(int position) { bar_->setValue(std::clamp(position, 0, bar_->maximum())); }

void ProgressWindow::end() { hide(); }

int ProgressWindow::maximum() const { return bar_->maximum(); }
int ProgressWindow::position() const { return bar_->value(); }

ReplaceAllProgress ProgressWindow::replaceAllProgress() {
    return ReplaceAllProgress{[this](int maximum) { begin(maximum); }, [this](int position) { setPosition(position); },
                              [this] { end(); }};
}

}  // namespace verdin::gui
