// The debug window halfway through the bubble sort: a breakpoint on the line after
// a swap has just stopped the Run, and what the swap changed is coloured.
#include <QCoreApplication>

#include "gui/debug_window.h"
#include "gui/qt_platform.h"
#include "gui/screenshots/scene.h"
#include "machine/machine.h"

VERDIN_SCENE(debug_window) {
    using namespace verdin;
    gui::QtPlatform platform;
    Machine machine(platform);
    if (!gui::screenshots::Shots::compileExample(machine, "bubble_sort.asm")) return;
    gui::DebugWindow window(machine, platform);
    window.show();
    QCoreApplication::processEvents();  // laid out, as a student's window is before Run
    window.setBreakpoint(16, true);  // MVI D,1: a swap is done
    window.setBreakpoint(21, true);  // JNZ PASS: the end of a pass
    window.run();
    window.run();
    shots.save(window, "debug_window.png");
}
