#include "shell/undo_history.h"

#include <algorithm>

namespace verdin {

namespace {

// The single span in which `before` and `after` differ.
void diff(std::string_view before, std::string_view after, int& offset, std::string& removed,
          std::string& inserted) {
    std::size_t prefix = 0;
    const std::size_t shorter = std::min(before.size(), after.size());
    while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    offset = static_cast<int>(prefix);
    removed.assign(before.substr(prefix, before.size() - prefix - suffix));
    inserted.assign(after.substr(prefix, after.size() - prefix - suffix));
}

}  // namespace

TextChange textChange(std::string_view before, std::string_view after) {
    TextChange change;
    diff(before, after, change.offset, change.removed, change.inserted);
    return change;
}

namespace {

std::size_t sizeOf(const UndoStep& step) { return step.removed.size() + step.inserted.size(); }

}  // namespace

bool UndoHistory::mergeable(EditKind kind) {
    return kind == EditKind::Typing || kind == EditKind::Backspace || kind == EditKind::Delete;
}

void UndoHistory::record(EditKind kind, std::string_view before, std::string_view after,
                         const EditorSnapshot& stateBefore, const EditorSnapshot& stateAfter,
                         const std::vector<int>& marksBefore, const std::vector<int>& marksAfter) {
    if (before == after) return;
    undone_.clear();

    // A step merges only if the text still holds what the previous step inserted.
    const bool continues = !done_.empty() &&
                           before.substr(std::min(static_cast<std::size_t>(done_.back().offset), before.size()),
                                         done_.back().inserted.size()) == done_.back().inserted;
    if (mergeOpen_ && continues && done_.back().kind == kind && mergeable(kind)) {
        // Rebuild the text before the previous step and compare it with `after`,
        // so the merged step is again one span.
        UndoStep& last = done_.back();
        std::string older(before);
        older.replace(static_cast<std::size_t>(last.offset), last.inserted.size(), last.removed);
        bytes_ -= sizeOf(last);
        diff(older, after, last.offset, last.removed, last.inserted);
        bytes_ += sizeOf(last);
        last.after = stateAfter;
        last.marksAfter = marksAfter;
        last.serial = nextSerial_++;
    } else {
        UndoStep step;
        step.kind = kind;
        diff(before, after, step.offset, step.removed, step.inserted);
        step.before = stateBefore;
        step.after = stateAfter;
        step.marksBefore = marksBefore;
        step.marksAfter = marksAfter;
        step.serial = nextSerial_++;
        bytes_ += sizeOf(step);
        done_.push_back(std::move(step));
    }
    mergeOpen_ = mergeable(kind);
    trim();
}

void UndoHistory::trim() {
    while (done_.size() > 1 && (done_.size() > kMaxSteps || bytes_ > kMaxBytes)) {
        bytes_ -= sizeOf(done_.front());
        baseSerial_ = done_.front().serial;
        done_.pop_front();
    }
}

const UndoStep* UndoHistory::undo(std::string& text) { return carry(done_, undone_, text, true); }

const UndoStep* UndoHistory::redo(std::string& text) { return carry(undone_, done_, text, false); }

const UndoStep* UndoHistory::carry(std::deque<UndoStep>& from, std::deque<UndoStep>& to, std::string& text,
                                   bool backwards) {
    if (from.empty()) return nullptr;
    UndoStep& step = from.back();
    const std::string& present = backwards ? step.inserted : step.removed;
    text.replace(static_cast<std::size_t>(step.offset), present.size(), backwards ? step.removed : step.inserted);
    // The byte count holds the steps that can be undone.
    if (backwards) bytes_ -= sizeOf(step);
    else bytes_ += sizeOf(step);
    to.push_back(std::move(step));
    from.pop_back();
    mergeOpen_ = false;
    return &to.back();
}

void UndoHistory::clear() {
    done_.clear();
    undone_.clear();
    bytes_ = 0;
    baseSerial_ = nextSerial_++;
    savedSerial_ = baseSerial_;
    mergeOpen_ = false;
}

}  // namespace verdin
