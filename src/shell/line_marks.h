// Marks on lines (breakpoints) carried through a change of the text.
#pragma once

#include <string_view>
#include <vector>

#include "shell/undo_history.h"

namespace verdin {

// Where the marked `marks` (ascending lines) of `before` are once `change` is made to
// it: lines above the change stay, lines below move by the line ends it added or
// removed. A line split by an inserted line end keeps its mark on the part holding
// its start; joined lines keep one mark if any of them had one; a line deleted with
// its line end loses it. Ascending, without duplicates.
std::vector<int> moveLineMarks(const std::vector<int>& marks, std::string_view before, const TextChange& change);

}  // namespace verdin
