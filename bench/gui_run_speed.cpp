// How fast a Run goes in the debug window, against the same program run headless,
// and how long Stop takes to end a run. The window pumps Qt's events every 15 ms
// of a run; this shows what that and the breakpoint check cost.
// Usage: gui_run_speed   (under any Qt platform; offscreen when none is set)
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_programs.h"
#include "gui/debug_window.h"
#include "gui/qt_platform.h"
#include "machine/machine.h"
#include "shell/commands.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr long long kBudget = 1LL << 60;

using verdin::bench::delayLoop;

double headless(const std::vector<std::string>& program) {
    verdin::HeadlessPlatform platform;
    verdin::Machine machine(platform);
    verdin::compileProgram(machine, program, {.stopAtEmptyLine = true});
    machine.setLineBudget(kBudget);
    const auto start = Clock::now();
    verdin::runProgram(machine);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return static_cast<double>(kBudget - machine.fields().lineBudget) / seconds;
}

// The Run button of a shown debug window; a breakpoint on HLT ends the run
// without a message box.
double inWindow(const std::vector<std::string>& program) {
    verdin::gui::QtPlatform platform;
    verdin::Machine machine(platform);
    verdin::compileProgram(machine, program, {.stopAtEmptyLine = true});
    verdin::gui::DebugWindow window(machine, platform);
    window.show();
    QApplication::processEvents();
    window.setBreakpoint(static_cast<int>(program.size()) - 1, true);
    machine.setLineBudget(kBudget);
    auto* run = window.findChild<QPushButton*>("run");
    const auto start = Clock::now();
    run->click();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return static_cast<double>(kBudget - machine.fields().lineBudget) / seconds;
}

// The desktop platform, except that a message box only notes when it was shown.
struct TimedPlatform : verdin::gui::QtPlatform {
    Clock::time_point shown;
    void showMessageWithHint(verdin::MessageKind, const std::string&, const std::string&) override {
        shown = Clock::now();
    }
};

// Milliseconds from a click on Stop to "Program interrupted by user" of a run of an
// endless loop, clicked `delayMs` into the run.
double stopLatency(int delayMs) {
    TimedPlatform platform;
    verdin::Machine machine(platform);
    verdin::compileProgram(machine, {"LOOP:   INR  A", "        JMP  LOOP"}, {.stopAtEmptyLine = true});
    verdin::gui::DebugWindow window(machine, platform);
    window.show();
    QApplication::processEvents();
    // The click is due delayMs after the run starts; it lands when the run next lets
    // Qt handle its events, which is what a person waits for.
    QTimer::singleShot(delayMs, [&] { window.findChild<QPushButton*>("stop")->click(); });
    const Clock::time_point due = Clock::now() + std::chrono::milliseconds(delayMs);
    window.findChild<QPushButton*>("run")->click();
    return std::chrono::duration<double, std::milli>(platform.shown - due).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto program = delayLoop(250);
    double bestHeadless = 0, bestWindow = 0;
    for (int i = 0; i < 3; ++i) {
        bestHeadless = std::max(bestHeadless, headless(program));
        bestWindow = std::max(bestWindow, inWindow(program));
    }
    std::printf("headless Run            %8.2f million lines/s\n", bestHeadless / 1e6);
    std::printf("debug window Run        %8.2f million lines/s (%.0f%% of headless)\n", bestWindow / 1e6,
                100.0 * bestWindow / bestHeadless);
    double worst = 0;
    for (int delay : {100, 200, 333, 450, 1000}) worst = std::max(worst, stopLatency(delay));
    std::printf("Stop to end of run      %8.1f ms at most (5 runs)\n", worst);
    return 0;
}
