#include "gui/print_job.h"

#include <QCoreApplication>
#include <QDate>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>

#include "gui/progress_window.h"
#include "gui/program_text.h"
#include "gui/window_placement.h"
#include "shell/print_layout.h"

namespace verdin::gui {

namespace {
constexpr const char* kPrintFailed = "Can't print the text.";

// The page in points and the font that makes 70 lines, the header and a full line
// with its number fit inside the margins; the painter is left with that font.
PrintGeometry pageGeometry(QPrinter& printer, QPainter& painter, int lineCount) {
    const double pointToDevice = printer.resolution() / 72.0;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(kLargestPrintFont);
    const QFontMetricsF metrics(font, &printer);
    const double perPoint = pointToDevice * kLargestPrintFont;
    const QRectF paper = printer.pageLayout().fullRectPoints();
    const PrintGeometry geometry =
        printGeometry(paper.width(), paper.height(), metrics.lineSpacing() / perPoint,
                      metrics.horizontalAdvance(QLatin1Char('M')) / perPoint, lineCount);
    font.setPointSizeF(geometry.fontPoints);
    painter.setFont(font);
    return geometry;
}
}  // namespace

bool printLines(QPrinter& printer, const std::vector<std::string>& lines, const PrintHeading& heading,
                ProgressWindow* progress) {
    const int copies = std::max(printer.copyCount(), 1);
    const bool collate = printer.collateCopies();
    const auto lineCount = static_cast<int>(lines.size());
    const std::vector<PrintSheet> sheets = printLayout(lineCount, kLinesPerPage, copies, collate);
    const int pages = printPageCount(lineCount, kLinesPerPage);
    const QString date = heading.date.empty() ? QDate::currentDate().toString(Qt::ISODate) : programText(heading.date);
    // The copies are drawn here, so the printer must not multiply them again; the
    // dialog shows the student's choice next time.
    printer.setCopyCount(1);
    // The margins are ours, measured from the paper's edge, whatever the printer's own.
    printer.setFullPage(true);
    QPainter painter;
    const bool started = painter.begin(&printer);
    bool ok = started;
    if (started) {
        const PrintGeometry g = pageGeometry(printer, painter, lineCount);
        const double k = printer.resolution() / 72.0;
        const QFontMetricsF metrics(painter.font(), &printer);
        const double ascent = metrics.ascent();
        const double spacing = g.lineSpacing * k;
        QFont bold = painter.font();
        bold.setBold(true);
        const QFont plain = painter.font();
        if (progress) progress->begin(static_cast<int>(sheets.size()));
        for (size_t s = 0; s < sheets.size() && ok; ++s) {
            if (s > 0) ok = printer.newPage();
            const PrintSheet& sheet = sheets[s];
            const double headerBaseline = g.top * k + ascent;
            painter.setFont(bold);
            painter.drawText(QPointF(g.left * k, headerBaseline), QString::fromStdString(heading.name));
            painter.setFont(plain);
            const QString page = programText(printPageText(sheet.page + 1, pages));
            const double middle = (g.left + g.right) / 2 * k;
            painter.drawText(QPointF(middle - metrics.horizontalAdvance(date) / 2, headerBaseline), date);
            painter.drawText(QPointF(g.right * k - metrics.horizontalAdvance(page), headerBaseline), page);
            const double rule = (g.top + g.lineSpacing * 1.5) * k;
            painter.drawLine(QPointF(g.left * k, rule), QPointF(g.right * k, rule));
            for (int row = 0; row < sheet.lineCount && ok; ++row) {
                const int index = sheet.firstLine + row;
                const double baseline = g.bodyTop * k + row * spacing + ascent;
                const std::string shown = printedLineText(lines[static_cast<size_t>(index)]);
                if (heading.numbered) {
                    painter.drawText(QPointF(g.left * k, baseline), programText(printLineNumber(index, g.numberColumns)));
                    painter.drawText(QPointF(g.textLeft * k, baseline), programText(shown));
                } else {
                    painter.drawText(QPointF(g.left * k, baseline), programText(shown));
                }
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

bool PrintJob::print(const TextBuffer& text, const std::string& fileName, const std::string& lastFolder) {
    PrintHeading heading;
    heading.name = printHeaderName(fileName);
    // The lines are copied before the first page, so the job prints the text as it
    // was when OK was pressed.
    return run(printableLines(text), heading, fileName, defaultPdfPath(fileName, lastFolder));
}

bool PrintJob::printRows(const std::vector<std::string>& rows, const std::string& title, const std::string& fileName,
                         const std::string& lastFolder) {
    PrintHeading heading;
    heading.name = title;
    heading.numbered = false;
    std::string pdf = defaultPdfPath(fileName, lastFolder);
    pdf.insert(pdf.size() - 4, "-listing");
    return run(rows, heading, fileName, pdf);
}

bool PrintJob::run(const std::vector<std::string>& lines, const PrintHeading& heading, const std::string& fileName,
                   const std::string& pdfName) {
    QPrintDialog dialog(&printer_, owner_);
    dialog.setWindowTitle(QStringLiteral("Print"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    // The dialog's own offer is "print.pdf" in the home folder, where no student
    // looks for it.
    if (auto* pdf = dialog.findChild<QLineEdit*>(QStringLiteral("filename"))) pdf->setText(QString::fromLocal8Bit(pdfName.c_str()));
    keepOnOwnersScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted) return false;

    printer_.setDocName(QString::fromLocal8Bit(fileName.c_str()));
    ProgressWindow progress(owner_);
    if (printLines(printer_, lines, heading, &progress)) return true;
    platform_.showMessage(MessageKind::Error, kPrintFailed);
    return false;
}

}  // namespace verdin::gui
