// File > Print: the system's Print dialog, opened on the printer and options chosen
// the last time, then the editor's lines drawn 70 to a printer page, as many copies
// as were asked for, collated or not as the core's print layout orders them, while
// the "Please wait..." window shows the sheets done.
//
// Usage (the main window keeps one PrintJob for the whole run):
//   PrintJob printing(platform, this);
//   printing.print(editor.buffer(), session.fileName());   // File > Print
//
// printLines is the drawing alone, for a QPrinter already set up (a PDF file in
// the tests).
#pragma once

#include <QPrinter>
#include <QPointer>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "shell/text_buffer.h"

class QWidget;

namespace verdin::gui {

class ProgressWindow;

// The lines Print puts on paper: all of them except the empty line after a final
// line break.
std::vector<std::string> printableLines(const TextBuffer& text);

// Draws `lines` on `printer`: a new page for each sheet of the layout, `copies` and
// collation taken from the printer's settings (and left there for next time).
// Returns false when the printer could not be started or refused a page.
bool printLines(QPrinter& printer, const std::vector<std::string>& lines, ProgressWindow* progress = nullptr);

class PrintJob {
public:
    PrintJob(Platform& platform, QWidget* owner);

    // Shows the Print dialog; on OK prints the text under the document name
    // `fileName` (empty for an untitled text). False when cancelled or failed; a
    // failure has been reported through the platform.
    bool print(const TextBuffer& text, const std::string& fileName);

    // The remembered printer and options.
    QPrinter& printer() { return printer_; }

private:
    Platform& platform_;
    QPointer<QWidget> owner_;
    QPrinter printer_;
};

}  // namespace verdin::gui
