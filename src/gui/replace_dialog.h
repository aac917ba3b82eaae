// Edit > Replace: the "Find and Replace" dialog (fragment, replacement, "Match case",
// "Match whole word only") and the replacement it starts: "Ok" replaces the next
// match after the caret, "Replace All" every match in the text while the
// "Please wait..." window shows how far it got.
//
// Usage (the main window, on Ctrl+R):
//   ReplaceDialog replace(editor, platform, this);
//   connect(&replace, &ReplaceDialog::helpRequested, this, &MainWindow::showHelp);
//   if (auto result = replace.run()) { repaint; update the "*" of the title }
#pragma once

#include <QDialog>
#include <optional>

#include "platform/platform.h"
#include "shell/editor_controller.h"
#include "shell/find_replace.h"

class QCheckBox;
class QLineEdit;

namespace verdin::gui {

class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    // The result code of "Replace All".
    static constexpr int kReplaceAll = 1016;

    ReplaceDialog(EditorController& editor, Platform& platform, QWidget* parent = nullptr);

    // Proposes the word at the caret; "Ok" replaces the next match, "Replace All"
    // all of them (one undoable step). Nothing when the dialog was cancelled. The
    // text may have changed: the caller repaints and shows the modified marker.
    std::optional<FindResult> run();

signals:
    void helpRequested(int context);

private:
    EditorController& editor_;
    Platform& platform_;
    QLineEdit* fragment_;
    QLineEdit* replacement_;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
};

}  // namespace verdin::gui
