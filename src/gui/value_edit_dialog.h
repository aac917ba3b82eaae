// "Input": the small dialog in which the debug window changes an input port or a
// register pair. It shows what is being changed and offers the current value,
// selected; what it returns is judged by the core (debugger/debug_lists.h).
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "debugger/debug_lists.h"

class QLineEdit;

namespace verdin::gui {

class ValueEditDialog : public QDialog {
    Q_OBJECT
public:
    ValueEditDialog(const InputRequest& request, QWidget* owner);
    QString value() const;
    QLineEdit* valueField() const { return value_; }

    // Shows the dialog modally: the typed text after OK, nothing after Cancel.
    static std::optional<std::string> ask(const InputRequest& request, QWidget* owner);

private:
    QLineEdit* value_;
};

}  // namespace verdin::gui
