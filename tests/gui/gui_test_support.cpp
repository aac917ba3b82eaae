#include "gui_test_support.h"

#include <QAbstractButton>
#include <QImage>
#include <cstdlib>

namespace verdin::gui::test {

QString messageBoxLine(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    return box == nullptr ? QString() : box->windowTitle() + ": " + box->text();
}

void press(QWidget* modal, QMessageBox::StandardButton button) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    if (QAbstractButton* b = box->button(button)) b->click();
}

void whenMessageBoxAppears(QString* seen, QMessageBox::StandardButton button) {
    whenShown<QMessageBox>([seen, button](QMessageBox* box) {
        if (seen != nullptr) *seen = messageBoxLine(box);
        press(box, button);
    });
}

MessageAnswerer::MessageAnswerer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        lines << messageBoxLine(box);
        press(box, QMessageBox::Ok);
    });
    timer_.start(5);
}

int pixelsNear(QWidget* widget, const QRect& area, const QColor& colour) {
    const QImage image = widget->grab().toImage();
    const QRect inside = area.intersected(image.rect());
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
                std::abs(c.blue() - colour.blue()) < 40)
                ++count;
        }
    }
    return count;
}

}  // namespace verdin::gui::test
