#include "debugger/changed_spans.h"

namespace verdin {

namespace {
// Columns of the bytes within the entries (see debug_lists.h for their formats).
constexpr int kStackLowColumn = 6;
constexpr int kStackHighColumn = 9;
constexpr int kDumpFirstByteColumn = 7;
constexpr int kPortValueColumn = 7;

ChangedSpans whole(bool changed, int length) { return changed && length > 0 ? ChangedSpans{0, length} : ChangedSpans{}; }
}  // namespace

ChangedSpans registerEntrySpans(const MachineChanges& changes, int index, int length) {
    return whole(changes.registerEntryChanged(index), length);
}

ChangedSpans flagEntrySpans(const MachineChanges& changes, int index, int length) {
    return whole(changes.flagEntryChanged(index), length);
}

ChangedSpans stackEntrySpans(const MachineChanges& changes, int address) {
    ChangedSpans spans;
    if (changes.cellChanged(address)) spans.insert(spans.end(), {kStackLowColumn, 2});
    if (changes.cellChanged(address + 1)) spans.insert(spans.end(), {kStackHighColumn, 2});
    return spans;
}

ChangedSpans dumpRowSpans(const MachineChanges& changes, int address) {
    ChangedSpans spans;
    for (int i = 0; i < 8; ++i) {
        if (changes.cellChanged(address + i)) spans.insert(spans.end(), {kDumpFirstByteColumn + 3 * i, 2});
    }
    return spans;
}

ChangedSpans outputPortSpans(const MachineChanges& changes, int port) {
    return changes.outPortChanged(port) ? ChangedSpans{kPortValueColumn, 2} : ChangedSpans{};
}

}  // namespace verdin
