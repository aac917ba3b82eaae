#include "gui/value_edit_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "gui/window_placement.h"

namespace verdin::gui {

namespace {
constexpr int kValueLength = 79;
}  // namespace

ValueEditDialog::ValueEditDialog(const InputRequest& request, QWidget* owner)
    : QDialog(owner), value_(new QLineEdit(QString::fromStdString(request.value), this)) {
    setWindowTitle("Input");
    setObjectName("valueEdit");
    auto* description = new QLineEdit(QString::fromStdString(request.description), this);
    description->setObjectName("description");
    description->setReadOnly(true);
    description->setFocusPolicy(Qt::NoFocus);
    value_->setObjectName("value");
    value_->setMaxLength(kValueLength);
    // Hexadecimal digits are shown in capitals, as the lists show them.
    connect(value_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text) return;
        const int cursor = value_->cursorPosition();
        value_->setText(upper);
        value_->setCursorPosition(cursor);
    });
    value_->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QGridLayout(this);
    layout->addWidget(description, 0, 0);
    layout->addWidget(value_, 1, 0);
    layout->addWidget(buttons, 0, 1, 2, 1);
    description->setAccessibleName("What is changed");
    value_->setAccessibleName("New value");
    keepOnOwnersScreen(this);
    value_->setFocus();
}

QString ValueEditDialog::value() const { return value_->text(); }

std::optional<std::string> ValueEditDialog::ask(const InputRequest& request, QWidget* owner) {
    ValueEditDialog dialog(request, owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.value().toLatin1().toStdString();
}

}  // namespace verdin::gui
