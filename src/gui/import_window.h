// Import: a program from a trainer kit or another assembler, converted as
// `verdin-cli tidy` converts it, handed back as the text of a new untitled editor
// text, with the list of changes in a window the student keeps open beside the
// editor while finishing what is left to do by hand.
//
// Clicking a row puts the editor's caret on the line it names.
//
// Usage (the main window's File > Import...):
//   auto* window = new ImportWindow(platform, mainWindow);
//   if (window->importFile(path)) { newUntitledText(window->lines()); window->show(); }
//   else delete window;
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace verdin::gui {

class ImportWindow : public QWidget {
    Q_OBJECT
public:
    // `platform` shows the message when a file cannot be imported.
    explicit ImportWindow(Platform& platform, QWidget* parent = nullptr);

    // Reads and converts the file and fills the list. False, after a message box
    // that says why, when the file cannot be read or the result would not fit the
    // editor; the window then holds nothing.
    // `bareNumbersAreHex`: the file comes from a kit that reads 2050 as 2050H.
    bool importFile(const QString& path, bool bareNumbersAreHex = false);

    // The converted text, one entry a line, for the new untitled editor text.
    const std::vector<std::string>& lines() const { return lines_; }

    QListWidget* changeList() const { return list_; }
    QLabel* summary() const { return summary_; }

signals:
    // A row of the list was clicked or activated: the editor line (from 0) it is about.
    void lineChosen(int line);

private:
    static constexpr int kLineRole = Qt::UserRole;

    Platform& platform_;
    QLabel* summary_;
    QListWidget* list_;
    std::vector<std::string> lines_;
};

}  // namespace verdin::gui
