#include <QApplication>
#include <QMainWindow>

#include "gui/qt_platform.h"
#include "machine/machine.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("verdin");
    QApplication::setApplicationVersion(VERDIN_VERSION);
    verdin::gui::QtPlatform platform;
    verdin::Machine machine(platform);
    QMainWindow window;
    window.setWindowTitle("Verdin - Untitled");
    platform.setOwner(&window);
    window.show();
    return QApplication::exec();
}
