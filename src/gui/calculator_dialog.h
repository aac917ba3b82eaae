// The "Calculator" dialog over the calculator model: a one-line display and the
// 26 keys of kCalcControls. The model outlives the dialog (the main window keeps it
// for the whole run), so the base, the sign marker, the accumulator and a pending
// operator are still there when the dialog opens again.
//
// Keyboard: Enter and Esc close the dialog; typing a key's label (0-9, A-F,
// + - * /, =) presses that key, as far as it is enabled.
//
// Usage (the main window, on Tools > Calculator):
//   CalculatorDialog dialog(calculator, this);   // calculator: a member, made once
//   connect(&dialog, &CalculatorDialog::helpRequested, this, &MainWindow::showHelp);
//   dialog.run();
#pragma once

#include <QDialog>
#include <map>

#include "debugger/calculator.h"

class QListWidget;
class QPushButton;

namespace verdin::gui {

class CalculatorDialog : public QDialog {
    Q_OBJECT
public:
    explicit CalculatorDialog(Calculator& calculator, QWidget* parent = nullptr);

    // Opens the dialog with an empty entry and waits until it is closed.
    int run();

    // The display line as the student reads it.
    QString displayLine() const;
    // The key with this label ("7", "+/-", "CE", ...), or null.
    QPushButton* key(const QString& label) const;

signals:
    void helpRequested(int context);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void press(const CalcControl& control);
    void refresh();

    Calculator& calculator_;
    QListWidget* display_;
    std::map<int, QPushButton*> keys_;  // by control id
};

}  // namespace verdin::gui
