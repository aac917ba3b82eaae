// Which editor lines go on which printed sheet, and in which order the sheets come
// out when several copies are asked for.
//
// Usage:
//   auto sheets = verdin::printLayout(verdin::printableLineCount(lines, lastEmpty),
//                                     verdin::kLinesPerPage, copies, collate);
//   for (const auto& s : sheets)   // one printer page each
//       for (int k = 0; k < s.lineCount; ++k) draw(s.firstLine + k, row k);
//
// Every sheet starts a new printer page, so groups of 70 lines never overprint one
// another, and the order follows what the Print dialog's "Collate" box promises:
// collated copies come out as whole sets (1 2 1 2), uncollated ones page by page
// (1 1 2 2).
#pragma once

#include <vector>

namespace verdin {

constexpr int kLinesPerPage = 70;

struct PrintSheet {
    int page = 0;       // 0-based page of the text
    int copy = 0;       // 0-based copy number
    int firstLine = 0;  // editor line printed on row 0
    int lineCount = 0;  // rows on this sheet; row k shows line firstLine + k
    bool operator==(const PrintSheet&) const = default;
};

// The number of lines worth printing: every line of the text, except that the empty
// line after a final line break is left out. A last line with text is printed.
int printableLineCount(int lineCount, bool lastLineEmpty);

// Pages of `linesPerPage` lines (the last may be shorter), each printed `copies`
// times. Nothing to print gives no sheets; fewer than one copy counts as one.
std::vector<PrintSheet> printLayout(int lineCount, int linesPerPage, int copies, bool collate);

// Number of pages one copy takes.
int printPageCount(int lineCount, int linesPerPage);

}  // namespace verdin
