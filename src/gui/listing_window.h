// Translate to > Listing: the address, bytes and line of every source line and the
// labels, the rows `verdin-cli listing` prints, in a read-only window the student
// keeps open beside the editor. Every command that compiles refreshes it; while the
// program has a fault it shows the compile's message instead.
//
// Usage (the main window keeps one, made on first use):
//   auto* listing = new ListingWindow(mainWindow);
//   listing->showListing(editorLines, "prog.asm");   // Translate to > Listing, Ctrl+L
//   listing->show();
//   if (listing->isVisible()) listing->showListing(...);   // after Compile, Debug, ...
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <vector>

#include "machine/machine.h"

namespace verdin::gui {

class ListingWindow : public QWidget {
    Q_OBJECT
public:
    explicit ListingWindow(QWidget* parent = nullptr);

    // Compiles `lines` on a machine of its own and fills the window with the listing
    // or the message (it does not show the window); `fileName` names the window
    // ("Untitled" for a new text).
    void showListing(const std::vector<std::string>& lines, const std::string& fileName,
                     ArithmeticRules rules = ArithmeticRules::Workbench);

    // The rows shown, one a line.
    QString text() const { return view_->toPlainText(); }
    bool showsFault() const { return fault_; }
    QPlainTextEdit* view() const { return view_; }
    QLabel* summary() const { return summary_; }

signals:
    // The Print button: the rows, to be printed under `title`.
    void printRequested(const std::vector<std::string>& rows, const std::string& title);

private:
    QLabel* summary_;
    QPlainTextEdit* view_;
    QPushButton* copy_;
    QPushButton* print_;
    std::vector<std::string> rows_;
    std::string title_;
    bool fault_ = false;
};

}  // namespace verdin::gui
