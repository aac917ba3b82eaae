#include "gui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

namespace verdin::gui::test {

void whenModalAppears(std::function<void(QWidget*)> act, int timeoutMs) {
    QWidget* before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [=] {
        *waited += 10;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != before && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        } else if (*waited > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

QString messageBoxLine(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return QString();
    return box->windowTitle() + ": " + box->text();
}

void press(QWidget* modal, QMessageBox::StandardButton button) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    if (QAbstractButton* b = box->button(button)) b->click();
}

ScratchConfig::ScratchConfig() { qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit()); }

}  // namespace verdin::gui::test
