// Helpers for the Qt Test suites: answering the windows and boxes the code under test
// opens, reading colours off the screen, and a private configuration folder.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

namespace verdin::gui::test {

// Calls `act` once, from inside its event loop, on the first shown top-level widget of
// type T; returns at once. By type, as a new dialog may take a closed one's address.
template <typename T>
void whenShown(std::function<void(T*)> act, int timeoutMs = 10000) {
    auto* timer = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* found = qobject_cast<T*>(widget);
            if (found != nullptr && found->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(found);
                return;
            }
        }
        if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

// What a person reads in a message box: "Caption: text".
QString messageBoxLine(QWidget* modal);

// Presses a standard button of a message box (Ok, Yes, No, Cancel).
void press(QWidget* modal, QMessageBox::StandardButton button);

// Presses `button` on the next message box and keeps what it said.
void whenMessageBoxAppears(QString* seen, QMessageBox::StandardButton button = QMessageBox::Ok);

// Presses OK on every message box that opens while it lives, keeping their lines.
class MessageAnswerer {
public:
    MessageAnswerer();
    QStringList lines;

private:
    QTimer timer_;
};

// Pixels of `area` of the widget's picture whose colour is near `colour` (text is
// smoothed, so the strokes' cores are compared loosely).
int pixelsNear(QWidget* widget, const QRect& area, const QColor& colour);

// Points XDG_CONFIG_HOME at a fresh folder for the life of the object.
class ScratchConfig {
public:
    ScratchConfig() { qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit()); }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

}  // namespace verdin::gui::test
