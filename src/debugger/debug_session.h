// The debug window's commands beyond the bare drivers: breakpoints, Step over, a Run
// that goes on from a breakpoint, what the last command changed and why it ended.
// The window and verdin-cli both drive the machine through one of these, so the
// rules are the same with and without a display.
//
// Usage:
//   verdin::DebugSession session(machine);      // after a successful Debug compile
//   session.toggleBreakpoint(7);                // lines counted from 0
//   session.run();                              // stops before line 7
//   list.select(session.selectedLine());        // the line the next Step runs
//   statusLine.setText(session.statusText());   // "Breakpoint on line 8 ..."
//   session.run();                              // goes on from line 7
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "debugger/machine_changes.h"
#include "machine/machine.h"

namespace verdin {

class DebugSession : private LineBreaks {
public:
    explicit DebugSession(Machine& machine);
    ~DebugSession() override;
    DebugSession(const DebugSession&) = delete;
    DebugSession& operator=(const DebugSession&) = delete;

    // ---- Breakpoints (program lines counted from 0; others are ignored) --------
    bool hasBreakpoint(int line) const;
    void setBreakpoint(int line, bool on);
    // Returns whether the line has a breakpoint now.
    bool toggleBreakpoint(int line);
    std::vector<int> breakpoints() const;

    // ---- Commands ----------------------------------------------------------------
    // Step on `line` (the selected list entry).
    void step(int line);
    // On a line that calls a subroutine: runs until the line after it is reached at
    // the same call depth; a breakpoint, Stop or the end of the program still ends it
    // first. On any other line (or a call not taken) it is Step.
    void stepOver(int line);
    // Runs from `line` until a return makes the call depth smaller than it is now, and
    // selects the line that call returns to; outside every subroutine it is Step. A
    // breakpoint, HLT, a fault or Stop still end it first.
    void stepOut(int line);
    // From the start after resetting the registers; from the line a breakpoint
    // stopped at (and any Steps since) when the machine is paused there.
    void run();
    // The Stop button: the running walk ends before its next line.
    void stop();
    // The student selected `line` in the program list: the next Step runs it, and
    // while a breakpoint pauses the run, Run goes on from it too.
    void choose(int line);

    // ---- Runs in slices, for a front end that must not block (the browser page) ----
    // Ends the running walk of a Run or Step over before its next line, leaving the
    // command unfinished: suspended() is then true and resume() goes on with it.
    void pause();
    // The last command has not finished: pause() ended its walk, or an RST 7 waits for
    // its answer (waitingForInput(); see Platform::inputReady). Only resume() and
    // stop() may follow; what changed and the status text wait for its end.
    bool suspended() const { return suspendedLine_ >= 0; }
    bool waitingForInput() const { return suspended() && m_.fields().lastStatus == WaitingForInput; }
    // Goes on with the suspended command where it stopped: the RST line runs again
    // from its start. After stop() the run ends there with "Program interrupted by user".
    void resume();

    // ---- After a command -------------------------------------------------------------
    bool running() const { return running_; }
    // True while a Run would go on from a breakpoint instead of starting again.
    bool paused() const { return resumeLine_ >= 0; }
    // The list entry to select: the line the next Step runs (may be past the end).
    int selectedLine() const { return selectedLine_; }
    // The line a fault stopped on, counted from 0; -1 when the last command had none.
    int faultLine() const { return faultLine_; }
    // Why the last command ended, with lines counted from 1 as the editor shows them.
    const std::string& statusText() const { return statusText_; }
    const MachineChanges& changes() const { return changes_; }
    // Clock states of the last command, and since the session began or Run started
    // from the first line.
    std::int64_t lastStates() const { return m_.fields().states - statesBefore_; }
    std::int64_t totalStates() const { return m_.fields().states; }
    // Brings changes() up to the machine as it stands in the middle of a command, as
    // when a message box is about to show what the command has done so far.
    void compareChanges() { changes_.compare(m_); }

    // What the window shows beside the machine, saved and put back by Step back.
    struct View {
        int selectedLine = 0;
        int resumeLine = -1;
        int faultLine = -1;
        std::string statusText;
    };
    View view() const { return {selectedLine_, resumeLine_, faultLine_, statusText_}; }
    void restoreView(const View& v);
    MachineChanges& editableChanges() { return changes_; }

    // True for the mnemonics of CALL and the conditional calls.
    static bool isCallMnemonic(std::string_view mnemonic);

private:
    bool stopBefore(const Machine& m, std::int32_t line) override;
    void updateFlags();
    // Queries of a program line; they leave the machine's line fields alone.
    bool lineIsCall(int line) const;
    bool lineIsClosingBrace(int line) const;
    void begin();
    void finishStep(int line);
    void finishRun(bool wasStepOver);
    // After the walk of a Run or Step over: true when it ended early and was suspended.
    bool suspendAfterWalk();
    void endStepOver();

    Machine& m_;
    std::vector<std::uint8_t> breakpoints_;
    bool running_ = false;
    int resumeLine_ = -1;
    int skipOnce_ = -1;      // a resumed run does not stop again at its own first line
    int overLine_ = -1;      // Step over: the line after the call ...
    int overDepth_ = -1;     // ... reached at this call depth
    bool overReached_ = false;
    int selectedLine_ = 0;
    int faultLine_ = -1;
    std::string statusText_;
    MachineChanges changes_;
    std::int64_t statesBefore_ = 0;
    enum class Command { Step, StepOver, Run } command_ = Command::Step;
    bool pauseRequested_ = false;
    bool pauseReached_ = false;
    int suspendedLine_ = -1;            // the line the suspended command goes on from
    std::int32_t suspendedAddress_ = 0;  // and its address
};

}  // namespace verdin
