#include "debugger/debug_session.h"

#include <array>

#include "machine/hints.h"
#include "machine/line_fields.h"

namespace verdin {

namespace {

constexpr const char* kCountedFrom1 = " (lines counted from 1)";

std::string lineName(int zeroBased) { return "line " + std::to_string(zeroBased + 1); }

}  // namespace

DebugSession::DebugSession(Machine& machine) : m_(machine), breakpoints_(kMaxProgramLines, 0) {
    m_.setLineBreaks(this);
    m_.clearStateCount();
}

DebugSession::~DebugSession() {
    if (m_.fields().lineBreaks == this) m_.setLineBreaks(nullptr);
}

bool DebugSession::isCallMnemonic(std::string_view mnemonic) {
    static constexpr std::array<std::string_view, 9> kCalls = {"CALL", "CNZ", "CZ", "CNC", "CC",
                                                                "CPO", "CPE", "CP", "CM"};
    for (std::string_view c : kCalls) {
        if (mnemonic == c) return true;
    }
    return false;
}

// ---- Breakpoints ---------------------------------------------------------------------

bool DebugSession::hasBreakpoint(int line) const {
    return line >= 0 && line < kMaxProgramLines && breakpoints_[static_cast<std::size_t>(line)];
}

void DebugSession::setBreakpoint(int line, bool on) {
    if (line < 0 || line >= kMaxProgramLines) return;
    breakpoints_[static_cast<std::size_t>(line)] = on ? 1 : 0;
    updateFlags();
}

bool DebugSession::toggleBreakpoint(int line) {
    setBreakpoint(line, !hasBreakpoint(line));
    return hasBreakpoint(line);
}

std::vector<int> DebugSession::breakpoints() const {
    std::vector<int> lines;
    for (int i = 0; i < kMaxProgramLines; ++i) {
        if (breakpoints_[static_cast<std::size_t>(i)]) lines.push_back(i);
    }
    return lines;
}

void DebugSession::updateFlags() {
    for (int i = 0; i < kMaxProgramLines; ++i) {
        flagged[static_cast<std::size_t>(i)] = breakpoints_[static_cast<std::size_t>(i)] || i == overLine_;
    }
}

bool DebugSession::stopBefore(const Machine& m, std::int32_t line) {
    if (pauseRequested_) {
        pauseRequested_ = false;
        pauseReached_ = true;
        return true;
    }
    if (line == overLine_ && m.fields().callDepth <= overDepth_) {
        overReached_ = true;
        return true;
    }
    if (line == skipOnce_) {
        skipOnce_ = -1;
        return false;
    }
    return hasBreakpoint(line);
}

// ---- Commands -------------------------------------------------------------------------

void DebugSession::begin() {
    changes_.remember(m_);
    statesBefore_ = m_.fields().states;
    m_.clearStopRequest();
    faultLine_ = -1;
    overReached_ = false;
}

bool DebugSession::lineIsCall(int line) const {
    if (line < 0 || line >= kMaxProgramLines) return false;
    return isCallMnemonic(splitFields(m_.fields().programLines[static_cast<std::size_t>(line)]).mnemonic);
}

bool DebugSession::lineIsClosingBrace(int line) const {
    if (line < 0 || line >= kMaxProgramLines) return false;
    return splitFields(m_.fields().programLines[static_cast<std::size_t>(line)]).mnemonic == "}";
}

void DebugSession::step(int line) {
    begin();
    command_ = Command::Step;
    m_.step(line);
    if (m_.fields().lastStatus == WaitingForInput) {
        suspendedLine_ = line;
        return;
    }
    finishStep(line);
}

void DebugSession::stepOver(int line) {
    if (!lineIsCall(line)) {
        step(line);
        return;
    }
    begin();
    command_ = Command::StepOver;
    const std::int32_t depth = m_.fields().callDepth;
    m_.step(line);
    if (m_.fields().lastStatus != Ok || m_.fields().callDepth <= depth) {
        finishStep(line);
        return;
    }
    overLine_ = line + 1;
    overDepth_ = depth;
    updateFlags();
    running_ = true;
    m_.continueRun(m_.fields().currentLine + 1);
    running_ = false;
    if (suspendAfterWalk()) return;
    endStepOver();
    finishRun(true);
}

void DebugSession::stepOut(int line) {
    const std::int32_t depth = m_.fields().callDepth;
    if (depth < 0) {
        step(line);
        return;
    }
    begin();
    command_ = Command::StepOver;
    m_.step(line);
    if (m_.fields().lastStatus != Ok || m_.fields().callDepth < depth) {
        finishStep(line);
        return;
    }
    overLine_ = m_.fields().returnLines[static_cast<std::size_t>(depth)];
    overDepth_ = depth - 1;
    updateFlags();
    running_ = true;
    m_.continueRun(m_.fields().nextLine + 1);
    running_ = false;
    if (suspendAfterWalk()) return;
    endStepOver();
    finishRun(true);
    if (overReached_) {
        statusText_ = "Step out: the subroutine returned; " + lineName(selectedLine_) + " runs next." + kCountedFrom1;
    }
}

void DebugSession::restoreView(const View& v) {
    selectedLine_ = v.selectedLine;
    resumeLine_ = v.resumeLine;
    faultLine_ = v.faultLine;
    statusText_ = v.statusText;
}

void DebugSession::endStepOver() {
    overLine_ = -1;
    updateFlags();
}

void DebugSession::run() {
    begin();
    command_ = Command::Run;
    running_ = true;
    if (resumeLine_ >= 0) {
        skipOnce_ = hasBreakpoint(resumeLine_) ? resumeLine_ : -1;
        m_.runFrom(resumeLine_);
    } else {
        m_.resetRun();
        statesBefore_ = 0;
        m_.run();
    }
    skipOnce_ = -1;
    running_ = false;
    if (suspendAfterWalk()) return;
    finishRun(false);
}

void DebugSession::stop() { m_.requestStop(); }

void DebugSession::pause() {
    if (!running_) return;
    pauseRequested_ = true;
    flagged.fill(1);
}

bool DebugSession::suspendAfterWalk() {
    const bool pauseEnded = pauseReached_;
    pauseRequested_ = false;
    pauseReached_ = false;
    updateFlags();
    if (pauseEnded && m_.fields().lastStatus == Breakpoint) {
        suspendedLine_ = m_.fields().currentLine + 1;
    } else if (m_.fields().lastStatus == WaitingForInput) {
        suspendedLine_ = m_.fields().currentLine;
        m_.holdProgramCounter();
    } else {
        return false;
    }
    suspendedAddress_ = m_.fields().addressCounter;
    return true;
}

void DebugSession::resume() {
    if (!suspended()) return;
    const int line = suspendedLine_;
    const bool input = m_.fields().lastStatus == WaitingForInput;
    suspendedLine_ = -1;
    if (command_ == Command::Step) {
        m_.step(line);
        if (m_.fields().lastStatus == WaitingForInput) {
            suspendedLine_ = line;
            return;
        }
        finishStep(line);
        return;
    }
    // On from the address the walk stopped at: assembling the lines above again would
    // write back the cells the program has changed since.
    skipOnce_ = input && hasBreakpoint(line) ? line : -1;
    running_ = true;
    m_.resumeRun(line, suspendedAddress_);
    skipOnce_ = -1;
    running_ = false;
    if (suspendAfterWalk()) return;
    if (command_ == Command::StepOver) endStepOver();
    finishRun(command_ == Command::StepOver);
}

void DebugSession::choose(int line) {
    if (line < 0 || line >= kMaxProgramLines || line == selectedLine_) return;
    selectedLine_ = line;
    if (paused()) resumeLine_ = line;
    statusText_ = "L" + lineName(line).substr(1) + " chosen: Step runs it next" + kCountedFrom1;
}

// ---- Why a command ended ----------------------------------------------------------------

void DebugSession::finishStep(int line) {
    changes_.compare(m_);
    selectedLine_ = m_.fields().nextLine + 1;
    const std::int32_t status = m_.fields().lastStatus;
    const bool wasPaused = paused();
    resumeLine_ = -1;
    if (status == Interrupted) {
        statusText_ = interruptHint(m_);
        return;
    }
    if (status != Ok) {
        faultLine_ = m_.fields().currentLine;
        statusText_ = std::string(faultName(status)) + " on " + lineName(m_.fields().currentLine) + ": the step stopped there." +
                      kCountedFrom1;
        return;
    }
    const bool endLine = line >= m_.fields().programLineCount || m_.fields().programLines[static_cast<std::size_t>(line)].empty() ||
                         lineIsClosingBrace(line);
    if (endLine) {
        statusText_ = "The program ended on " + lineName(line) + "." + kCountedFrom1;
        return;
    }
    if (selectedLine_ >= m_.fields().programLineCount || selectedLine_ >= kMaxProgramLines) {
        statusText_ = "Step ran " + lineName(line) + ", the last of the program; the empty " +
                      lineName(m_.fields().programLineCount) + " ends it." + kCountedFrom1;
        return;
    }
    statusText_ = "Step ran " + lineName(line) + "; " + lineName(selectedLine_) + " runs next." + kCountedFrom1;
    if (wasPaused) resumeLine_ = selectedLine_;
}

void DebugSession::finishRun(bool wasStepOver) {
    changes_.compare(m_);
    selectedLine_ = m_.fields().currentLine + 1;
    const std::int32_t status = m_.fields().lastStatus;
    const bool wasPaused = paused();
    resumeLine_ = -1;
    switch (status) {
        case Breakpoint:
            if (overReached_) {
                statusText_ = "Step over: the call returned; " + lineName(selectedLine_) + " runs next." +
                              kCountedFrom1;
                if (wasPaused) resumeLine_ = selectedLine_;
            } else {
                statusText_ = "Breakpoint on " + lineName(selectedLine_) + ": Run or Step goes on from there." +
                              kCountedFrom1;
                resumeLine_ = selectedLine_;
            }
            return;
        case Interrupted:
            // The box said "Program interrupted by user" either way; the status line
            // says what its hint says.
            statusText_ = interruptHint(m_);
            return;
        case Ok: {
            const int last = m_.fields().currentLine;
            if (lineIsClosingBrace(last)) {
                statusText_ = "The program ended: } on " + lineName(last) + "." + kCountedFrom1;
            } else if (last + 1 >= kMaxProgramLines) {
                statusText_ = "The program ended after its last possible line, " + lineName(last) + "." +
                              kCountedFrom1;
            } else {
                statusText_ = "The program ended: empty " + lineName(last + 1) + "." + kCountedFrom1;
            }
            return;
        }
        default:
            faultLine_ = m_.fields().currentLine;
            statusText_ = std::string(faultName(status)) + " on " + lineName(m_.fields().currentLine) + ": the " +
                          (wasStepOver ? "step over" : "run") + " stopped there." + kCountedFrom1;
            return;
    }
}

}  // namespace verdin
