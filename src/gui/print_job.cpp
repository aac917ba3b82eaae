#include "gui/print_job.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QPrintDialog>

#include "gui/progress_window.h"
#include "gui/program_text.h"
#include "shell/print_layout.h"

namespace verdin::gui {

namespace {
constexpr const char* kPrintFailed = "Can't print the text.";

// A fixed-pitch font, since programs are written in columns, small enough that the
// 70 lines of a sheet fit the printable height of the page.
QFont pageFont(QPainter& painter, int pageHeight) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(10.0);
    painter.setFont(font);
    const int spacing = painter.fontMetrics().lineSpacing();
    if (spacing * kLinesPerPage > pageHeight && spacing > 0) {
        font.setPointSizeF(10.0 * pageHeight / (spacing * kLinesPerPage));
        painter.setFont(font);
    }
    return font;
}
}  // namespace

std::vector<std::string> printableLines(const TextBuffer& text) {
    const int lines = text.countLineEnds() + 1;
    const int count = printableLineCount(lines, text.lineLength(lines - 1) == 0);
    std::vector<std::string> result;
    result.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) result.push_back(text.lineText(i));
    return result;
}

bool printLines(QPrinter& printer, const std::vector<std::string>& lines, ProgressWindow* progress) {
    const int copies = std::max(printer.copyCount(), 1);
    const bool collate = printer.collateCopies();
    const std::vector<PrintSheet> sheets =
        printLayout(static_cast<int>(lines.size()), kLinesPerPage, copies, collate);
    // The copies are drawn here, so the printer must not multiply them again; the
    // dialog shows the student's choice next time.
    printer.setCopyCount(1);
    QPainter painter;
    const bool started = painter.begin(&printer);
    bool ok = started;
    if (started) {
        const int pageHeight = painter.viewport().height();
        pageFont(painter, pageHeight);
        const int spacing = std::max(painter.fontMetrics().lineSpacing(), 1);
        const int ascent = painter.fontMetrics().ascent();
        if (progress) progress->begin(static_cast<int>(sheets.size()));
        for (size_t s = 0; s < sheets.size() && ok; ++s) {
            if (s > 0) ok = printer.newPage();
            const PrintSheet& sheet = sheets[s];
            for (int k = 0; k < sheet.lineCount && ok; ++k) {
                const std::string& line = lines[static_cast<size_t>(sheet.firstLine + k)];
                painter.drawText(0, k * spacing + ascent,
                                 programText(line));
            }
            if (progress) progress->setPosition(static_cast<int>(s) + 1);
            // The windows keep painting while the pages are drawn; input waits, so the
            // text cannot change and Print cannot start again in the middle of a job.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        ok = painter.end() && ok;
        if (progress) progress->end();
    }
    printer.setCopyCount(copies);
    return ok;
}

PrintJob::PrintJob(Platform& platform, QWidget* owner)
    : platform_(platform), owner_(owner), printer_(QPrinter::HighResolution) {}

bool PrintJob::print(const TextBuffer& text, const std::string& fileName) {
    QPrintDialog dialog(&printer_, owner_);
    dialog.setWindowTitle(QStringLiteral("Print"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    if (dialog.exec() != QDialog::Accepted) return false;

    printer_.setDocName(QString::fromLocal8Bit(fileName.c_str()));
    // The lines are copied before the first page, so the job prints the text as it
    // was when OK was pressed.
    const std::vector<std::string> lines = printableLines(text);
    ProgressWindow progress(owner_);
    if (printLines(printer_, lines, &progress)) return true;
    platform_.showMessage(MessageKind::Error, kPrintFailed);
    return false;
}

}  // namespace verdin::gui
