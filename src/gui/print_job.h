// File > Print: the system's Print dialog, opened on the printer and options chosen
// the last time, then the editor's lines drawn 70 to a page under a header that names
// the file, the date and "Page N of M", with the editor's line numbers beside them,
// as many copies as were asked for, collated or not as the core's print layout orders
// them, while the "Please wait..." window shows the sheets done.
//
// Usage (the main window keeps one PrintJob for the whole run):
//   PrintJob printing(platform, this);
//   printing.print(editor.buffer(), session.fileName(), lastFolder);   // File > Print
//
// printLines is the drawing alone, for a QPrinter already set up (a PDF file in
// the tests).
#pragma once

#include <QPrinter>
#include <QPointer>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "shell/print_layout.h"
#include "shell/text_buffer.h"

class QWidget;

namespace verdin::gui {

class ProgressWindow;

// What stands above the lines of every page.
struct PrintHeading {
    std::string name = "Untitled";  // the file's name, or what is printed
    std::string date;               // as it is printed; empty: today's
    bool numbered = true;           // the editor's line numbers beside the lines
};

// Draws `lines` on `printer`: a new page for each sheet of the layout, `copies` and
// collation taken from the printer's settings (and left there for next time).
// Returns false when the printer could not be started or refused a page.
bool printLines(QPrinter& printer, const std::vector<std::string>& lines, const PrintHeading& heading = {},
                ProgressWindow* progress = nullptr);

class PrintJob {
public:
    PrintJob(Platform& platform, QWidget* owner);

    // Shows the Print dialog; on OK prints the text under the document name
    // `fileName` (empty for an untitled text). A PDF is offered as the source's name
    // with ".pdf" in its folder, or "Untitled.pdf" in `lastFolder`. False when
    // cancelled or failed; a failure has been reported through the platform.
    bool print(const TextBuffer& text, const std::string& fileName, const std::string& lastFolder = {});
    // The same for lines that are not the editor's (the listing), without numbers.
    bool printRows(const std::vector<std::string>& rows, const std::string& title, const std::string& fileName,
                   const std::string& lastFolder = {});

    // The remembered printer and options.
    QPrinter& printer() { return printer_; }

private:
    bool run(const std::vector<std::string>& lines, const PrintHeading& heading, const std::string& fileName,
             const std::string& pdfName);

    Platform& platform_;
    QPointer<QWidget> owner_;
    QPrinter printer_;
};

}  // namespace verdin::gui
