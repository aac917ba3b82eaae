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

#include <string>
#include <string_view>
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

class TextBuffer;
// The lines Print puts on paper: all of them except the empty line after a final
// line break.
std::vector<std::string> printableLines(const TextBuffer& text);

}  // namespace verdin

namespace verdin {

// ---- The printed page -------------------------------------------------------------
// A sheet a teacher can grade: a header with the file, the date and "Page N of M",
// then the lines with the editor's line numbers beside them, all inside margins wide
// enough for any printer's unprintable border. Lengths are in points (1/72 inch).

constexpr double kPointsPerMm = 72.0 / 25.4;
// 15 mm is the least a teacher's printer needs; one more keeps the glyphs' own
// overhang (accents, descenders) inside it too.
constexpr double kPrintMarginPoints = 16.0 * kPointsPerMm;
constexpr double kLargestPrintFont = 10.0;
// The header row and the gap with its rule under it, counted in text rows.
constexpr int kPrintHeaderRows = 2;
// The widest line a student can type, and the room the numbers take beside it.
constexpr int kPrintTextColumns = 80;

// A line as the page shows it: a TAB reaches the next multiple of 8 columns, as the
// editor draws it, and what lies past the columns a student can type is cut (a line
// loaded from a file may be longer than any typed one).
std::string printedLineText(std::string_view line);

struct PrintGeometry {
    double fontPoints = 0;   // size of the fixed font
    double lineSpacing = 0;  // baseline to baseline
    double left = 0;         // left edge of the line numbers
    double textLeft = 0;     // left edge of the program text
    double right = 0;        // right edge of the header
    double top = 0;          // top of the header row
    double bodyTop = 0;      // top of row 0 of the lines
    int numberColumns = 0;   // width of the numbers, right-aligned
};

// Where things go on a page of `pageWidth` x `pageHeight`, for a fixed font whose
// line spacing and character advance at 1 point are `spacingPerPoint` and
// `advancePerPoint`, numbering up to `lineCount` lines. The font shrinks below
// kLargestPrintFont until 70 lines and the header fit the height and a full line
// with its number fits the width.
PrintGeometry printGeometry(double pageWidth, double pageHeight, double spacingPerPoint, double advancePerPoint,
                            int lineCount);

// The columns the line numbers take for a text of `lineCount` lines: three at least,
// so a program growing past 99 lines keeps its layout.
int printNumberColumns(int lineCount);
// "   7": line `index` (counted from 0) numbered from 1, as the editor's margin
// shows it, right-aligned in `columns`.
std::string printLineNumber(int index, int columns);
// The header's texts: the file's name ("Untitled" for a new text) and "Page 2 of 5".
std::string printHeaderName(std::string_view currentFile);
std::string printPageText(int page, int pages);

// The name the Print dialog offers for a PDF: the source's name with ".pdf" in its
// folder, or "Untitled.pdf" in `lastFolder` for a new text.
std::string defaultPdfPath(std::string_view currentFile, std::string_view lastFolder);

}  // namespace verdin
