// The small "Please wait..." window with a progress bar that Replace All and Print
// show while they work. It has no caption and no buttons: the work it watches
// cannot be cancelled, it only tells the student the program has not hung.
//
// Usage:
//   ProgressWindow progress(mainWindow);
//   progress.begin(total);          // shows it over its owner
//   progress.setPosition(done);     // repeatedly
//   progress.end();                 // hides it
#pragma once

#include <QDialog>

#include "shell/find_replace.h"

class QProgressBar;

namespace verdin::gui {

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* owner = nullptr);

    void begin(int maximum);
    void setPosition(int position);
    void end();

    int maximum() const;
    int position() const;

    // Replace All's progress callbacks, bound to this window.
    ReplaceAllProgress replaceAllProgress();

private:
    QProgressBar* bar_;
};

}  // namespace verdin::gui
