// "Input value": the modal box in which a program's RST 7 input is typed. It offers
// the last text confirmed, selected, so Enter alone repeats it.
#pragma once

#include <QDialog>

class QLineEdit;

namespace verdin::gui {

class InputValueDialog : public QDialog {
    Q_OBJECT
public:
    InputValueDialog(const QString& initial, QWidget* owner);
    QString text() const;
    QLineEdit* field() const { return field_; }

private:
    QLineEdit* field_;
};

}  // namespace verdin::gui
