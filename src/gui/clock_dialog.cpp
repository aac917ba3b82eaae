#include "gui/clock_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "debugger/state_time.h"

namespace verdin::gui {

ClockDialog::ClockDialog(Timing timing, int kHz, QWidget* owner)
    : QDialog(owner), field_(new QLineEdit(QString::fromStdString(megahertzText(kHz)), this)) {
    setWindowTitle("Clock");
    setObjectName("clockDialog");
    field_->setObjectName("clock");
    field_->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(field_, &QLineEdit::textChanged, this, [this] { ok_->setEnabled(clockKHz().has_value()); });
    auto* layout = new QFormLayout(this);
    layout->addRow(QString::fromStdString(clockCaption(timing)), field_);
    layout->addRow(buttons);
    field_->setFocus();
}

std::optional<int> ClockDialog::clockKHz() const { return parseClockMHz(field_->text().toStdString()); }

std::optional<int> ClockDialog::ask(Timing timing, int kHz, QWidget* owner) {
    ClockDialog dialog(timing, kHz, owner);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.clockKHz();
}

}  // namespace verdin::gui
