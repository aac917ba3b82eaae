// A program's text screen: the decimal numbers example, stopped by a breakpoint
// on its HLT so that no message box covers the report.

#include "gui/debug_window.h"
#include "gui/qt_platform.h"
#include "gui/screenshots/scene.h"
#include "gui/text_screen_window.h"
#include "machine/machine.h"

VERDIN_SCENE(text_screen) {
    using namespace verdin;
    gui::QtPlatform platform;
    Machine machine(platform);
    if (!gui::screenshots::Shots::compileExample(machine, "services_circle.asm")) return;
    gui::DebugWindow window(machine, platform);
    window.show();
    for (int line = 0; line < machine.fields().programLineCount; ++line) {
        machine.splitLine(machine.fields().programLines[static_cast<std::size_t>(line)]);
        if (machine.fields().mnemonicText == "HLT") window.setBreakpoint(line, true);
    }
    window.run();
    if (gui::TextScreenWindow* screen = platform.textScreen()) shots.save(*screen, "text_screen.png");
}
