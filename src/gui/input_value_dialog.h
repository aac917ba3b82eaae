// "Input value": the modal box in which a program's RST 7 input is typed. It shows
// the program's question (the text screen's last line) and whether a number or a
// text is wanted, and offers the last text confirmed, selected, so Enter alone
// repeats it.
#pragma once

#include <QDialog>

#include "platform/platform.h"

class QLabel;
class QLineEdit;

namespace verdin::gui {

class InputValueDialog : public QDialog {
    Q_OBJECT
public:
    InputValueDialog(const ValueRequest& request, QWidget* owner);
    QString text() const;
    QLineEdit* field() const { return field_; }

private:
    QLineEdit* field_;
};

}  // namespace verdin::gui
