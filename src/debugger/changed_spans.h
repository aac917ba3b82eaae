// Which characters of a debug list entry the last Step or Run changed, so that the
// window draws exactly those in red: a whole register or flag entry, the bytes of a
// stack entry or dump row, the value of an output port. A span list holds pairs of
// (first column, length), in column order.
#pragma once

#include <vector>

#include "debugger/machine_changes.h"

namespace verdin {

using ChangedSpans = std::vector<int>;

// Register entry `index` (0 AF .. 5 PC) and flag entry `index` (0 CY .. 4 AC), which
// are `length` characters long.
ChangedSpans registerEntrySpans(const MachineChanges& changes, int index, int length);
ChangedSpans flagEntrySpans(const MachineChanges& changes, int index, int length);
// The stack entry that starts at `address` ("3FF4  00 00").
ChangedSpans stackEntrySpans(const MachineChanges& changes, int address);
// The dump row that starts at `address` ("0000   00 11 22 ...").
ChangedSpans dumpRowSpans(const MachineChanges& changes, int address);
// Output port `port` (" 0A    3F").
ChangedSpans outputPortSpans(const MachineChanges& changes, int port);

}  // namespace verdin
