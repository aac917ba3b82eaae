#include "shell/print_layout.h"

#include <algorithm>

#include "files/file_names.h"
#include "shell/text_buffer.h"

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

namespace verdin {

namespace {
int digitsOf(int n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}
}  // namespace

int printNumberColumns(int lineCount) { return std::max(3, digitsOf(std::max(lineCount, 1))); }

std::vector<std::string> printableLines(const TextBuffer& text) {
    const int lines = text.countLineEnds() + 1;
    const int count = printableLineCount(lines, text.lineLength(lines - 1) == 0);
    std::vector<std::string> result;
    result.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) result.push_back(text.lineText(i));
    return result;
}

PrintGeometry printGeometry(double pageWidth, double pageHeight, double spacingPerPoint, double advancePerPoint,
                            int lineCount) {
    PrintGeometry g;
    g.numberColumns = printNumberColumns(lineCount);
    const double frameWidth = pageWidth - 2 * kPrintMarginPoints;
    const double frameHeight = pageHeight - 2 * kPrintMarginPoints;
    const int rows = kLinesPerPage + kPrintHeaderRows;
    const int columns = g.numberColumns + 2 + kPrintTextColumns;
    double size = kLargestPrintFont;
    if (spacingPerPoint > 0) size = std::min(size, frameHeight / (rows * spacingPerPoint));
    if (advancePerPoint > 0) size = std::min(size, frameWidth / (columns * advancePerPoint));
    g.fontPoints = std::max(size, 1.0);
    g.lineSpacing = g.fontPoints * spacingPerPoint;
    g.left = kPrintMarginPoints;
    g.textLeft = g.left + (g.numberColumns + 2) * g.fontPoints * advancePerPoint;
    g.right = pageWidth - kPrintMarginPoints;
    g.top = kPrintMarginPoints;
    g.bodyTop = g.top + kPrintHeaderRows * g.lineSpacing;
    return g;
}

std::string printLineNumber(int index, int columns) {
    std::string number = std::to_string(index + 1);
    if (static_cast<int>(number.size()) < columns) number.insert(0, static_cast<size_t>(columns) - number.size(), ' ');
    return number;
}

std::string printHeaderName(std::string_view currentFile) {
    return currentFile.empty() ? std::string("Untitled") : fileNamePart(currentFile);
}

std::string printPageText(int page, int pages) {
    return "Page " + std::to_string(page) + " of " + std::to_string(pages);
}

std::string defaultPdfPath(std::string_view currentFile, std::string_view lastFolder) {
    if (currentFile.empty()) {
        std::string folder(lastFolder);
        if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
        return folder + "Untitled.pdf";
    }
    return folderOf(currentFile) + withExtension(currentFile, "pdf");
}

std::string printedLineText(std::string_view line) {
    constexpr std::size_t kTabColumns = 8;
    std::string shown;
    for (char c : line) {
        if (shown.size() >= kPrintTextColumns) break;
        if (c == '\t') {
            shown.append(kTabColumns - shown.size() % kTabColumns, ' ');
        } else {
            shown.push_back(c);
        }
    }
    if (shown.size() > kPrintTextColumns) shown.resize(kPrintTextColumns);
    return shown;
}

}  // namespace verdin
