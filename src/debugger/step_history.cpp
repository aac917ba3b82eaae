#include "debugger/step_history.h"

#include <array>
#include <cctype>
#include <functional>
#include <utility>

#include "machine/line_fields.h"

namespace verdin {

namespace {

using Scalar = std::int32_t ProcessorState::*;
// The input ports are left out: what the user typed into them stays.
constexpr std::array<Scalar, 16> kScalars = {
    &ProcessorState::regA,   &ProcessorState::regB,   &ProcessorState::regC,        &ProcessorState::regD,
    &ProcessorState::regE,   &ProcessorState::regH,   &ProcessorState::regL,        &ProcessorState::regF,
    &ProcessorState::flagZ,  &ProcessorState::flagCY, &ProcessorState::flagP,       &ProcessorState::flagS,
    &ProcessorState::flagAC, &ProcessorState::sp,     &ProcessorState::stopAddress, &ProcessorState::callDepth,
};

constexpr std::uint32_t kOutPortsAt = kMemorySize;
constexpr std::uint32_t kReturnAddressesAt = kOutPortsAt + kPortCount;
constexpr std::uint32_t kReturnLinesAt = kReturnAddressesAt + kMaxCallDepth;

// Calls f(array, first flat index) for every array of the state a line can write.
template <class State, class F>
void forEachArray(State& s, F f) {
    f(s.memory, 0u);
    f(s.outPorts, kOutPortsAt);
    f(s.returnAddresses, kReturnAddressesAt);
    f(s.returnLines, kReturnLinesAt);
}

std::string lineName(int zeroBased) { return "line " + std::to_string(zeroBased + 1); }

}  // namespace

struct StepHistory::Record {
    std::vector<Cell> cells;  // the values before, of the cells that changed
    std::array<std::int32_t, kScalars.size()> scalars{};
    Machine::RunPosition position;
    ScreenState screen;  // the text screen and the last typed value
    DebugSession::View view;
    // A Run: taken back line by line by running it again up to one line fewer.
    bool isRun = false;
    bool fromStart = false;
    int runLine = 0;
    std::int64_t linesRun = 0;
    std::int64_t budgetBefore = -1;
    std::vector<std::optional<std::string>> answers;
    // The last line of the command that used the host file or table services, or -1
    // when none did or a checkpoint stands after it.
    int outsideLine = -1;
    std::unique_ptr<Checkpoint> checkpoint;
    std::vector<Checkpoint> replayPoints;  // in the order the Run passed them
};

// A Run's state before one of its lines: just after a line that used the host file or
// table services, since running the Run again from its start would use the file again;
// or a replay point of a long Run, which saves replaying the lines before it.
struct StepHistory::Checkpoint {
    ProcessorState state;
    Machine::RunPosition position;
    ScreenState screen;
    std::int32_t line = 0;          // the line the Run goes on with
    std::int32_t outsideLine = -1;  // the line that used the services
    std::int64_t linesAt = 0;       // lines of the Run taken before this point
    std::size_t answersAt = 0;      // typed values read before this point
};

// Forwards everything to the window, keeping the typed values a Run may be replayed with,
// and tells the history each time the Run lets the window handle its events.
class StepHistory::LoggingPlatform : public Platform {
public:
    LoggingPlatform(Platform& inner, std::vector<std::optional<std::string>>& log, std::function<void()> onPump)
        : inner_(inner), log_(log), onPump_(std::move(onPump)) {}
    void showMessageWithHint(MessageKind kind, const std::string& text, const std::string& hint) override {
        inner_.showMessageWithHint(kind, text, hint);
    }
    void pumpEvents() override {
        inner_.pumpEvents();
        onPump_();
    }
    void textScreenChanged(const std::vector<std::string>& lines, bool open) override {
        inner_.textScreenChanged(lines, open);
    }
    void textScreenOutput(const std::string& text) override { inner_.textScreenOutput(text); }
    std::optional<std::string> inputValue(const ValueRequest& request) override {
        log_.push_back(inner_.inputValue(request));
        return log_.back();
    }
    bool inputReady(const ValueRequest& request) override { return inner_.inputReady(request); }

private:
    Platform& inner_;
    std::vector<std::optional<std::string>>& log_;
    std::function<void()> onPump_;
};

// Shows nothing and answers from the log, so that a replayed Run asks no one.
class StepHistory::ReplayPlatform : public Platform {
public:
    ReplayPlatform(const std::vector<std::optional<std::string>>& log, std::size_t first) : log_(log), next_(first) {}
    void showMessageWithHint(MessageKind, const std::string&, const std::string&) override {}
    std::optional<std::string> inputValue(const ValueRequest&) override {
        return next_ < log_.size() ? log_[next_++] : std::nullopt;
    }

private:
    const std::vector<std::optional<std::string>>& log_;
    std::size_t next_;
};

// Stops a replayed Run before its line number `lines` (counted from 0); no breakpoint stops it.
class StepHistory::ReplayBreaks : public LineBreaks {
public:
    explicit ReplayBreaks(std::int64_t lines) : left_(lines) { flagged.fill(1); }
    bool stopBefore(const Machine&, std::int32_t) override { return left_-- == 0; }

private:
    std::int64_t left_;
};

// Stands between a recorded Run and the session's breakpoints: the lines after every RST
// are flagged too, to keep a checkpoint there when the RST used a host file or table;
// and, when a replay point is due, every line until the next one is reached.
class StepHistory::CheckpointBreaks : public LineBreaks {
public:
    CheckpointBreaks(StepHistory& history, LineBreaks* inner) : history_(history), inner_(inner) {
        const Machine& m = history.m_;
        for (std::int32_t i = 0; i + 1 < m.fields().programLineCount && i + 1 < kMaxProgramLines; ++i) {
            const std::string_view mnemonic = splitFields(m.fields().programLines[static_cast<std::size_t>(i)]).mnemonic;
            afterRst_[static_cast<std::size_t>(i) + 1] =
                mnemonic.size() == 3 && std::toupper(static_cast<unsigned char>(mnemonic[0])) == 'R' &&
                std::toupper(static_cast<unsigned char>(mnemonic[1])) == 'S' &&
                std::toupper(static_cast<unsigned char>(mnemonic[2])) == 'T';
        }
        refresh();
    }
    void flagNextLine() {
        pointWanted_ = true;
        flagged.fill(1);
    }
    // Takes up the lines the session has flagged since (pause() flags them all); a
    // wanted point still flags every line.
    void refresh() {
        if (pointWanted_) return;
        for (std::size_t i = 0; i < flagged.size(); ++i) flagged[i] = afterRst_[i] || (inner_ != nullptr && inner_->flagged[i]);
    }
    bool stopBefore(const Machine& m, std::int32_t line) override {
        if (afterRst_[static_cast<std::size_t>(line)]) history_.checkpointIfOutside(line);
        if (pointWanted_) {
            pointWanted_ = false;
            history_.keepReplayPoint(line);
        }
        const bool stop = inner_ != nullptr && inner_->flagged[static_cast<std::size_t>(line)] && inner_->stopBefore(m, line);
        refresh();
        return stop;
    }

private:
    StepHistory& history_;
    LineBreaks* inner_;
    std::array<std::uint8_t, kMaxProgramLines> afterRst_{};
    bool pointWanted_ = false;
};

StepHistory::StepHistory(DebugSession& session, Machine& machine, std::size_t budgetBytes)
    : session_(session), m_(machine), budget_(budgetBytes), before_(std::make_unique<ProcessorState>()) {}

StepHistory::~StepHistory() = default;

void StepHistory::clear() {
    pending_.reset();
    pendingRun_.reset();
    pendingCheckpoint_.reset();
    pendingPoints_.clear();
    answers_.clear();
    records_.clear();
    bytes_ = 0;
    refusal_.clear();
}

std::int64_t StepHistory::lineCount() const {
    std::int64_t n = 0;
    for (const Record& r : records_) n += r.isRun ? r.linesRun + 1 : 1;
    return n;
}

std::size_t StepHistory::recordBytes(const Record& r) {
    std::size_t n = sizeof(Record) + r.cells.capacity() * sizeof(Cell) + r.screen.inputText.capacity() +
                    r.screen.lines.capacity() * sizeof(std::string) + r.answers.capacity() * sizeof(r.answers[0]);
    for (const std::string& s : r.screen.lines) n += s.capacity();
    for (const auto& a : r.answers) n += a ? a->capacity() : 0;
    auto checkpointBytes = [](const Checkpoint& c) {
        std::size_t b = sizeof(Checkpoint) + c.screen.inputText.capacity();
        for (const std::string& s : c.screen.lines) b += sizeof(std::string) + s.capacity();
        return b;
    };
    if (r.checkpoint) n += checkpointBytes(*r.checkpoint);
    for (const Checkpoint& c : r.replayPoints) n += checkpointBytes(c);
    return n;
}

std::size_t StepHistory::replayPoints() const { return records_.empty() ? 0 : records_.back().replayPoints.size(); }

void StepHistory::begin() {
    *before_ = m_.processorState();
    pending_ = std::make_unique<Record>();
    Record& r = *pending_;
    r.position = m_.runPosition();
    r.screen = m_.services().screenState();
    r.view = session_.view();
    m_.clearOutsideEffect();
    refusal_.clear();
}

void StepHistory::finish(bool isRun, const RunStart& run) {
    Record r = std::move(*pending_);
    pending_.reset();
    keepDifferences(r);
    r.isRun = isRun;
    r.fromStart = run.fromStart;
    r.runLine = run.runLine;
    r.budgetBefore = run.budgetBefore;
    if (isRun) {
        r.linesRun = linesTaken();
        r.answers = std::move(answers_);
        r.checkpoint = std::move(pendingCheckpoint_);
        r.replayPoints = std::move(pendingPoints_);
    }
    pendingCheckpoint_.reset();
    pendingPoints_.clear();
    answers_.clear();
    r.outsideLine = m_.fields().outsideEffectLine;
    const std::size_t size = recordBytes(r);
    records_.push_back(std::move(r));
    bytes_ += size;
    while (bytes_ > budget_ && records_.size() > 1) {
        bytes_ -= recordBytes(records_.front());
        records_.pop_front();
    }
}

void StepHistory::keepDifferences(Record& r) const {
    const ProcessorState& before = *before_;
    r.cells.clear();
    for (std::size_t i = 0; i < kScalars.size(); ++i) r.scalars[i] = before.*kScalars[i];
    forEachArray(before, [&](const auto& was, std::uint32_t at) {
        const std::int32_t* now = [&]() -> const std::int32_t* {
            if (at == 0) return m_.fields().memory.data();
            if (at == kOutPortsAt) return m_.fields().outPorts.data();
            if (at == kReturnAddressesAt) return m_.fields().returnAddresses.data();
            return m_.fields().returnLines.data();
        }();
        for (std::size_t i = 0; i < was.size(); ++i) {
            if (was[i] != now[i]) r.cells.push_back({at + static_cast<std::uint32_t>(i), was[i]});
        }
    });
    r.cells.shrink_to_fit();
}

void StepHistory::endStep() {
    if (!session_.suspended()) finish(false, {});
}

void StepHistory::step(int line) {
    begin();
    session_.step(line);
    endStep();
}

void StepHistory::stepOver(int line) {
    begin();
    session_.stepOver(line);
    endStep();
}

void StepHistory::stepOut(int line) {
    begin();
    session_.stepOut(line);
    endStep();
}

void StepHistory::run() {
    begin();
    RunStart start{!session_.paused(), session_.view().resumeLine, m_.fields().lineBudget};
    // The line budget counts the lines the Run takes; without a limit of the user's it
    // starts so high that no run reaches it.
    if (start.budgetBefore < 0) m_.setLineBudget(std::int64_t{1} << 62);
    runBudgetStart_ = m_.fields().lineBudget;
    linesRunAgain_ = 0;
    pointSpacing_ = replayPointLines_;
    pendingRun_ = start;
    recordRunWalk([this] { session_.run(); });
}

void StepHistory::resume() {
    if (!session_.suspended()) return;
    if (!pending_) {
        session_.resume();
        return;
    }
    if (!pendingRun_) {
        session_.resume();
        endStep();
        return;
    }
    if (session_.waitingForInput()) ++linesRunAgain_;
    recordRunWalk([this] { session_.resume(); });
}

template <class Go>
void StepHistory::recordRunWalk(Go go) {
    Platform* window = m_.fields().ownerWindow;
    LineBreaks* breaks = m_.fields().lineBreaks;
    CheckpointBreaks checkpoints(*this, breaks);
    LoggingPlatform logging(*window, answers_, [&] {
        if (replayPointDue()) checkpoints.flagNextLine();
        checkpoints.refresh();
    });
    m_.setOwnerWindow(&logging);
    m_.setLineBreaks(&checkpoints);
    go();
    m_.setLineBreaks(breaks);
    m_.setOwnerWindow(window);
    if (session_.suspended()) return;
    const RunStart start = *pendingRun_;
    pendingRun_.reset();
    finish(true, start);
    if (start.budgetBefore < 0) m_.setLineBudget(-1);
}

std::int64_t StepHistory::linesTaken() const { return runBudgetStart_ - m_.fields().lineBudget - linesRunAgain_; }

void StepHistory::restore(const Record& r) {
    ProcessorState s = m_.processorState();
    for (std::size_t i = 0; i < kScalars.size(); ++i) s.*kScalars[i] = r.scalars[i];
    for (const Cell& c : r.cells) {
        if (c.index < kOutPortsAt) s.memory[c.index] = c.value;
        else if (c.index < kReturnAddressesAt) s.outPorts[c.index - kOutPortsAt] = c.value;
        else if (c.index < kReturnLinesAt) s.returnAddresses[c.index - kReturnAddressesAt] = c.value;
        else s.returnLines[c.index - kReturnLinesAt] = c.value;
    }
    m_.restoreProcessorState(s);
    m_.restoreRunPosition(r.position);
    const bool screenChanged = m_.services().screenLines() != r.screen.lines ||
                               m_.services().screenShown() != r.screen.shown;
    m_.services().restoreScreenState(r.screen);
    if (screenChanged) m_.fields().ownerWindow->textScreenChanged(m_.services().screenLines(), m_.services().screenShown());
    session_.restoreView(r.view);
}

void StepHistory::checkpointIfOutside(std::int32_t line) {
    if (m_.fields().outsideEffectLine < 0) return;
    auto c = std::make_unique<Checkpoint>();
    c->state = m_.processorState();
    c->position = m_.runPosition();
    c->screen = m_.services().screenState();
    c->line = line;
    c->outsideLine = m_.fields().outsideEffectLine;
    c->linesAt = linesTaken();
    c->answersAt = answers_.size();
    pendingCheckpoint_ = std::move(c);
    // A replay from a point before the line would use the file or table again.
    pendingPoints_.clear();
    m_.clearOutsideEffect();
}

bool StepHistory::replayPointDue() const {
    const std::int64_t lastAt = !pendingPoints_.empty() ? pendingPoints_.back().linesAt
                                : pendingCheckpoint_   ? pendingCheckpoint_->linesAt
                                                       : 0;
    return linesTaken() - lastAt >= pointSpacing_;
}

void StepHistory::keepReplayPoint(std::int32_t line) {
    if (m_.fields().outsideEffectLine >= 0) return;  // the checkpoint after that line comes first
    if (pendingPoints_.size() == kMaxReplayPoints) {
        // Every other point goes, and the spacing doubles: a Run of any length keeps at
        // most this many, and a replay never has more than the spacing to run.
        std::size_t kept = 0;
        for (std::size_t i = 1; i < pendingPoints_.size(); i += 2) pendingPoints_[kept++] = std::move(pendingPoints_[i]);
        pendingPoints_.resize(kept);
        pointSpacing_ *= 2;
    }
    Checkpoint& c = pendingPoints_.emplace_back();
    c.state = m_.processorState();
    c.position = m_.runPosition();
    c.screen = m_.services().screenState();
    c.line = line;
    c.linesAt = linesTaken();
    c.answersAt = answers_.size();
}

void StepHistory::replayRun(Record& r, std::int64_t lines) {
    Platform* window = m_.fields().ownerWindow;
    LineBreaks* breaks = m_.fields().lineBreaks;
    // The latest point at or before the line to stop at: the checkpoint after a host file
    // or table line, or a replay point after it.
    const Checkpoint* c = r.checkpoint.get();
    for (const Checkpoint& p : r.replayPoints) {
        if (p.linesAt <= lines && (c == nullptr || p.linesAt >= c->linesAt)) c = &p;
    }
    ReplayPlatform silent(r.answers, c != nullptr ? c->answersAt : 0);
    ReplayBreaks stopAt(c != nullptr ? lines - c->linesAt : lines);
    m_.setOwnerWindow(&silent);
    m_.setLineBreaks(&stopAt);
    m_.setLineBudget(-1);
    if (c != nullptr) {
        m_.restoreProcessorState(c->state);
        m_.restoreRunPosition(c->position);
        m_.services().restoreScreenState(c->screen);
        m_.continueRun(c->line);
    } else if (r.fromStart) {
        m_.resetRun();
        m_.run();
    } else {
        m_.runFrom(r.runLine);
    }
    m_.setOwnerWindow(window);
    m_.setLineBreaks(breaks);
    m_.setLineBudget(r.budgetBefore < 0 ? -1 : r.budgetBefore - lines);
    r.linesRun = lines;
    // Points past the new end are never replayed from again.
    while (!r.replayPoints.empty() && r.replayPoints.back().linesAt > lines) r.replayPoints.pop_back();
    const std::vector<std::string> screen = m_.services().screenLines();
    window->textScreenChanged(screen, m_.services().screenShown());
    DebugSession::View v;
    v.selectedLine = m_.fields().currentLine + 1;
    v.resumeLine = v.selectedLine;
    v.statusText = "Step back: " + lineName(v.selectedLine) +
                   " runs next; Run goes on from there. (lines counted from 1)";
    session_.restoreView(v);
}

bool StepHistory::stepBack() {
    refusal_.clear();
    if (pending_) return false;  // a suspended command goes on first
    if (records_.empty()) {
        refusal_ = "Nothing to step back to.";
        return false;
    }
    Record& r = records_.back();
    const bool beforeCheckpoint = r.checkpoint != nullptr && r.linesRun - 1 < r.checkpoint->linesAt;
    if (r.outsideLine >= 0 || beforeCheckpoint) {
        refusal_ = "Step back cannot go before " + lineName(r.outsideLine >= 0 ? r.outsideLine : r.checkpoint->outsideLine) +
                   ": it used the host file or table services, whose effects cannot be taken back."
                   " (lines counted from 1)";
        return false;
    }
    session_.editableChanges().remember(m_);
    const std::size_t size = recordBytes(r);
    restore(r);
    if (r.isRun && r.linesRun > 0) {
        // The cells the shorter run leaves changed are not those the whole run did.
        *before_ = m_.processorState();
        replayRun(r, r.linesRun - 1);
        keepDifferences(r);
        bytes_ = bytes_ - size + recordBytes(r);
    } else {
        records_.pop_back();
        bytes_ -= size;
        DebugSession::View v = session_.view();
        v.statusText = "Step back: " + lineName(v.selectedLine) + " runs next. (lines counted from 1)";
        session_.restoreView(v);
    }
    session_.editableChanges().compare(m_);
    return true;
}

}  // namespace verdin
