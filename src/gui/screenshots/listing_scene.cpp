// The Listing window beside a program, and the first page of its printout as the
// PDF a student hands in (rendered with pdftoppm, so the picture is the real page).
#include <QLabel>
#include <QPageSize>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>

#include "files/source_file.h"
#include "gui/listing_window.h"
#include "gui/print_job.h"
#include "gui/screenshots/scene.h"

using namespace verdin;
using namespace verdin::gui;

namespace {
std::vector<std::string> example(const char* name) {
    const LoadResult loaded = loadEditorFile((screenshots::Shots::examplesFolder() + "/" + name).toStdString());
    return loaded.ok ? loaded.text.lines : std::vector<std::string>{};
}
}  // namespace

VERDIN_SCENE(listing_window) {
    const std::vector<std::string> lines = example("sum_table.asm");
    if (lines.empty()) return;
    ListingWindow window;
    window.showListing(lines, "/home/student/lab3/sum_table.asm");
    window.resize(window.width(), 520);
    shots.save(window, "listing_window.png");
}

VERDIN_SCENE(printed_page) {
    std::vector<std::string> lines = example("bubble_sort.asm");
    if (lines.empty()) return;
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    if (!printLines(printer, lines, PrintHeading{"bubble_sort.asm", "2026-12-07", true})) return;
    QProcess render;
    render.start("pdftoppm", {"-png", "-r", "72", "-f", "1", "-l", "1", "-singlefile", dir.filePath("page.pdf"),
                              dir.filePath("page")});
    if (!render.waitForFinished(60000) || render.exitCode() != 0) return;
    const QPixmap sheet(dir.filePath("page.png"));
    if (sheet.isNull()) return;
    QLabel page;
    page.setPixmap(sheet);
    page.setAlignment(Qt::AlignCenter);
    page.setStyleSheet("background: #808080;");
    page.setFixedSize(sheet.size() + QSize(24, 24));
    shots.save(page, "printed_page.png");
}
