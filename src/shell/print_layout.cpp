#include "shell/print_layout.h"

#include <algorithm>

namespace verdin {

int printableLineCount(int lineCount, bool lastLineEmpty) {
    if (lineCount <= 0) return 0;
    return lastLineEmpty ? lineCount - 1 : lineCount;
}

int printPageCount(int lineCount, int linesPerPage) {
    if (lineCount <= 0 || linesPerPage <= 0) return 0;
    return (lineCount + linesPerPage - 1) / linesPerPage;
}

std::vector<PrintSheet> printLayout(int lineCount, int linesPerPage, int copies, bool collate) {
    std::vector<PrintSheet> sheets;
    const int pages = printPageCount(lineCount, linesPerPage);
    if (pages == 0) return sheets;
    copies = std::max(copies, 1);
    sheets.reserve(static_cast<size_t>(pages) * static_cast<size_t>(copies));

    auto sheetOf = [&](int page, int copy) {
        const int first = page * linesPerPage;
        return PrintSheet{page, copy, first, std::min(linesPerPage, lineCount - first)};
    };
    if (collate) {
        for (int copy = 0; copy < copies; ++copy)
            for (int page = 0; page < pages; ++page) sheets.push_back(sheetOf(page, copy));
    } else {
        for (int page = 0; page < pages; ++page)
            for (int copy = 0; copy < copies; ++copy) sheets.push_back(sheetOf(page, copy));
    }
    return sheets;
}

}  // namespace verdin
