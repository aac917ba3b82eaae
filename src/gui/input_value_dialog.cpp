#include "gui/input_value_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/program_text.h"
#include "gui/window_placement.h"

namespace verdin::gui {

namespace {
// What the machine keeps of a confirmed text.
constexpr int kInputLength = 79;
}  // namespace

InputValueDialog::InputValueDialog(const ValueRequest& request, QWidget* owner)
    : QDialog(owner), field_(new QLineEdit(programText(request.initial), this)) {
    setWindowTitle("Input value");
    setObjectName("inputValue");
    auto* layout = new QVBoxLayout(this);
    if (!request.prompt.empty()) {
        // The program's own words: shown as they are, never read as markup.
        auto* prompt = new QLabel(programText(request.prompt), this);
        prompt->setObjectName("prompt");
        prompt->setTextFormat(Qt::PlainText);
        prompt->setWordWrap(true);
        layout->addWidget(prompt);
    }
    auto* kind = new QLabel(QString::fromLatin1(valueKindText(request.kind)), this);
    kind->setObjectName("kind");
    kind->setBuddy(field_);
    layout->addWidget(kind);
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
    layout->addWidget(field_);
    layout->addWidget(buttons);
    field_->setAccessibleName("Value");
    keepOnOwnersScreen(this);
    field_->setFocus();
}

QString InputValueDialog::text() const { return field_->text(); }

}  // namespace verdin::gui
