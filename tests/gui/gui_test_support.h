// Helpers for the Qt Test suites: answering modal dialogs that the code under test
// opens, and a private configuration folder so no test reads or writes the user's.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>

namespace verdin::gui::test {

// Calls `act` on the first modal widget (message box, dialog) that appears after
// this call, from inside that widget's own event loop. Returns at once.
void whenModalAppears(std::function<void(QWidget*)> act, int timeoutMs = 5000);

// What a person reads in a message box: "Caption: text".
QString messageBoxLine(QWidget* modal);

// Presses a standard button of a message box (Ok, Yes, No, Cancel).
void press(QWidget* modal, QMessageBox::StandardButton button);

// Points XDG_CONFIG_HOME at a fresh folder for the life of the object.
class ScratchConfig {
public:
    ScratchConfig();
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

}  // namespace verdin::gui::test
