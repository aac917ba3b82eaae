// Edit > Find: the "Find" dialog (a fragment, "Match case", "Match whole word only")
// and the search it starts. The fragment edit shared with the Find and Replace
// dialog is made here too.
//
// Usage (the main window, on Ctrl+F):
//   FindDialog find(editor, platform, this);
//   connect(&find, &FindDialog::helpRequested, this, &MainWindow::showHelp);
//   if (find.run()) { repaint the editor view; update the status bar }
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "shell/editor_controller.h"
#include "shell/find_replace.h"

class QCheckBox;
class QLineEdit;

namespace verdin::gui {

// The help page both find dialogs open.
inline constexpr int kFindHelpContext = 131200;

// A one-line edit for a fragment or replacement: at most kMaxFragmentLength
// characters, and only characters the editor's single-byte text can hold.
QLineEdit* makeFragmentEdit(QWidget* parent);

class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(EditorController& editor, Platform& platform, QWidget* parent = nullptr);

    // Proposes a fragment (the selection, else the word at the caret), and on OK
    // selects the next match after the caret, or says it was not found. Nothing when
    // the dialog was cancelled. The caller repaints the editor either way.
    std::optional<FindResult> run();

signals:
    // "Help" was pressed; the dialog stays open.
    void helpRequested(int context);

private:
    EditorController& editor_;
    Platform& platform_;
    QLineEdit* fragment_;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
};

}  // namespace verdin::gui
