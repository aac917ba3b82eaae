// The debug window as a lab session sees it: the decimal numbers example stopped by
// a breakpoint on its HLT, the arrow on the line the next Step runs, line numbers,
// addresses and comments beside the program, what the run changed in red, and the
// text screen with the program's report beside the window.
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>

#include "gui/debug_window.h"
#include "gui/qt_platform.h"
#include "gui/screenshots/scene.h"
#include "gui/text_screen_window.h"
#include "machine/machine.h"

VERDIN_SCENE(debug_window) {
    using namespace verdin;
    gui::QtPlatform platform;
    Machine machine(platform);
    if (!gui::screenshots::Shots::compileExample(machine, "services_circle.asm")) return;
    gui::DebugWindow window(machine, platform);
    window.move(0, 0);
    window.show();
    QCoreApplication::processEvents();  // laid out, as a student's window is before Run
    for (int line = 0; line < machine.fields().programLineCount; ++line) {
        machine.splitLine(machine.fields().programLines[static_cast<std::size_t>(line)]);
        if (machine.fields().mnemonicText == "HLT") window.setBreakpoint(line, true);
    }
    window.run();
    gui::TextScreenWindow* screen = platform.textScreen();
    if (screen == nullptr) {
        shots.save(window, "debug_window.png");
        return;
    }
    for (int i = 0; i < 2; ++i) QCoreApplication::processEvents();
    // Both windows in one picture, where they stand on the screen.
    const QRect both = window.frameGeometry().united(screen->frameGeometry());
    QPixmap picture(both.size());
    picture.fill(QColor(90, 110, 130));
    QPainter painter(&picture);
    painter.drawPixmap(window.geometry().topLeft() - both.topLeft(), window.grab());
    painter.drawPixmap(screen->geometry().topLeft() - both.topLeft(), screen->grab());
    painter.end();
    QLabel shown;
    shown.setPixmap(picture);
    shown.resize(picture.size());
    shots.save(shown, "debug_window.png");
}
