// Step back: what each Step, Step over, Step out and Run changed, kept so that the
// debug window can take the lines back one at a time.
//
// A Step keeps only what differs from the machine after it (the cells, ports and
// call-stack entries it wrote, and the small fields), so ten thousand of them fit in a
// few megabytes. A Run keeps the machine as it stood before it, how many lines it ran
// and the values typed during it: taking back its last line runs it again, silently,
// up to one line fewer, so the run itself records nothing per line. A long Run also
// keeps its state every million lines or so (taken when the platform handles its
// events, so the lines in between cost nothing), and replays from the nearest one. A
// Run that used the host file or table services also keeps its state just after the
// last such line: its later lines are replayed from there, and the lines before it
// cannot be taken back.
//
// A front end that runs commands in slices (DebugSession::pause, an RST 7 waiting for
// its answer) goes on with resume(): the command is recorded once, when it ends.
//
// Usage:
//   verdin::StepHistory history(session, machine);
//   history.step(line);                 // instead of session.step(line)
//   while (session.suspended()) history.resume();   // a sliced front end only
//   if (!history.stepBack()) show(history.refusal());
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "debugger/debug_session.h"
#include "machine/machine.h"

namespace verdin {

class StepHistory {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t{16} << 20;
    // Lines between two of a Run's replay points, at the least; a Run keeps at most
    // kMaxReplayPoints, and spaces them twice as far apart each time it would have more.
    static constexpr std::int64_t kReplayPointLines = std::int64_t{1} << 20;
    static constexpr std::size_t kMaxReplayPoints = 32;

    StepHistory(DebugSession& session, Machine& machine, std::size_t budgetBytes = kDefaultBudget);
    ~StepHistory();
    StepHistory(const StepHistory&) = delete;
    StepHistory& operator=(const StepHistory&) = delete;

    // The session's commands, recorded.
    void step(int line);
    void stepOver(int line);
    void stepOut(int line);
    void run();
    // Instead of session.resume(): goes on with the suspended command, and records it
    // once it has ended.
    void resume();

    // True when a line can be taken back now (a barrier still counts: pressing says why);
    // never while a command is suspended.
    bool canStepBack() const { return !records_.empty() && !pending_; }
    // Takes back the last line. False, with refusal() saying why, when the line used the
    // host file or table services, or when nothing is left.
    bool stepBack();
    const std::string& refusal() const { return refusal_; }
    // The replay points the last command kept (0 unless it is a long Run).
    std::size_t replayPoints() const;
    // Tests space the points closer than a real Run would.
    void setReplayPointLines(std::int64_t lines) { replayPointLines_ = lines; }

    // Lines that could be taken back (a Run counts its lines), and the bytes they hold.
    std::int64_t lineCount() const;
    std::size_t bytes() const { return bytes_; }
    // Forgets everything (a new debug session, a compile).
    void clear();

private:
    struct Cell {
        std::uint32_t index;
        std::int32_t value;
    };
    struct Record;
    class LoggingPlatform;
    class ReplayPlatform;
    class ReplayBreaks;
    class CheckpointBreaks;
    struct Checkpoint;

    // What a Run needs at its end, kept while it is suspended.
    struct RunStart {
        bool fromStart = false;
        int runLine = 0;
        std::int64_t budgetBefore = -1;
    };

    void begin();
    void finish(bool isRun, const RunStart& run);
    // Finishes a Step, Step over or Step out unless it is suspended.
    void endStep();
    // The session's walk of a Run `go` (its start or a resume), with the typed values
    // logged and the checkpoints kept; the Run is recorded once it has ended.
    template <class Go>
    void recordRunWalk(Go go);
    // The lines the recorded Run has taken so far.
    std::int64_t linesTaken() const;
    // Keeps in `r` what differs between before_ and the machine now.
    void keepDifferences(Record& r) const;
    void restore(const Record& r);
    void replayRun(Record& r, std::int64_t lines);
    // Called by a recorded Run before the line after an RST: after a host file or table
    // service, the Run's state there becomes the point its later lines are replayed from.
    void checkpointIfOutside(std::int32_t line);
    // The recorded Run's state before `line`, kept as a point to replay from.
    void keepReplayPoint(std::int32_t line);
    // Whether the recorded Run has gone far enough since its last point for another.
    bool replayPointDue() const;
    static std::size_t recordBytes(const Record& r);

    DebugSession& session_;
    Machine& m_;
    std::size_t budget_;
    std::size_t bytes_ = 0;
    std::deque<Record> records_;
    std::unique_ptr<ProcessorState> before_;
    std::unique_ptr<Record> pending_;
    std::unique_ptr<Checkpoint> pendingCheckpoint_;
    std::vector<Checkpoint> pendingPoints_;
    std::int64_t replayPointLines_ = kReplayPointLines;
    std::int64_t pointSpacing_ = kReplayPointLines;
    std::vector<std::optional<std::string>> answers_;
    // The line budget a recorded Run started with, to count the lines it has taken; an
    // RST line that waited for its answer counts once, though it ran again.
    std::int64_t runBudgetStart_ = 0;
    std::int64_t linesRunAgain_ = 0;
    std::optional<RunStart> pendingRun_;
    std::string refusal_;
};

}  // namespace verdin
