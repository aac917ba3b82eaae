#include "gui/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace verdin::gui {

namespace {

QScreen* ownersScreen(const QWidget* window) {
    const QWidget* owner = window->parentWidget() != nullptr ? window->parentWidget()->window() : window;
    if (QScreen* screen = owner->screen()) return screen;
    return QGuiApplication::primaryScreen();
}

// Until a window manager has framed the window once, its frame is unknown: a title
// bar and thin borders are allowed for, so that the title bar never lands off screen.
QMargins frameOf(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    if (frame != inner) {
        return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                frame.bottom() - inner.bottom()};
    }
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return {4, title + 4, 4, 4};
}

class ScreenKeeper : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched == parent()) fit(static_cast<QWidget*>(watched));
        return false;
    }

private:
    static void fit(QWidget* window) {
        if (!window->isWindow()) return;
        QScreen* screen = ownersScreen(window);
        if (screen == nullptr) return;
        const QMargins frame = frameOf(window);
        const QRect outer = window->geometry().marginsAdded(frame);
        // Below its layout's least size a window would hide its own rows: such a
        // window keeps that size and is only moved.
        const QSize minimum = window->minimumSize().expandedTo(window->minimumSizeHint()).grownBy(frame);
        const QRect fitted = fittedInto(outer, screen->availableGeometry(), minimum);
        if (fitted == outer) return;
        const QRect inner = fitted.marginsRemoved(frame);
        if (inner.size() != window->size()) window->resize(inner.size());
        // A top-level widget's position is that of its frame.
        window->move(fitted.topLeft());
    }
};

}  // namespace

QRect fittedInto(const QRect& frame, const QRect& room, const QSize& minimum) {
    QRect result = frame;
    result.setWidth(std::max(std::min(frame.width(), room.width()), minimum.width()));
    result.setHeight(std::max(std::min(frame.height(), room.height()), minimum.height()));
    if (result.right() > room.right()) result.moveRight(room.right());
    if (result.bottom() > room.bottom()) result.moveBottom(room.bottom());
    if (result.left() < room.left()) result.moveLeft(room.left());
    if (result.top() < room.top()) result.moveTop(room.top());
    return result;
}

void keepOnOwnersScreen(QWidget* window) {
    auto* keeper = new ScreenKeeper(window);
    window->installEventFilter(keeper);
}

void closeOnEscape(QWidget* window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

}  // namespace verdin::gui
