#include "gui/input_value_dialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/window_placement.h"

namespace verdin::gui {

namespace {
// What the machine keeps of a confirmed text.
constexpr int kInputLength = 79;
}  // namespace

InputValueDialog::InputValueDialog(const QString& initial, QWidget* owner)
    : QDialog(owner), field_(new QLineEdit(initial, this)) {
    setWindowTitle("Input value");
    setObjectName("inputValue");
    field_->setObjectName("value");
    field_->setMaxLength(kInputLength);
    field_->setMinimumWidth(field_->fontMetrics().horizontalAdvance(QString(28, 'M')));
    field_->selectAll();
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(field_);
    layout->addWidget(buttons);
    field_->setAccessibleName("Value");
    keepOnOwnersScreen(this);
    field_->setFocus();
}

QString InputValueDialog::text() const { return field_->text(); }

}  // namespace verdin::gui
