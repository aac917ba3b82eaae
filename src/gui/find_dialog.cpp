#include "gui/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include "gui/program_text.h"
#include "gui/window_placement.h"

namespace verdin::gui {

namespace {
// The editor holds single bytes and no control characters; anything else typed
// into the field could never match and would be lost in a replacement.
class EditorCharacters : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        std::size_t leftOut = 0;
        const std::string bytes = programBytes(input, &leftOut);
        if (leftOut > 0) return Invalid;
        for (char c : bytes)
            if (static_cast<unsigned char>(c) < 0x20) return Invalid;
        return Acceptable;
    }
};
}  // namespace

QLineEdit* makeFragmentEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(kMaxFragmentLength);
    edit->setValidator(new EditorCharacters(edit));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);
    return edit;
}


FindDialog::FindDialog(EditorController& editor, Platform& platform, QWidget* parent)
    : QDialog(parent),
      editor_(editor),
      platform_(platform),
      fragment_(makeFragmentEdit(this)),
      matchCase_(new QCheckBox(QStringLiteral("Match case"), this)),
      wholeWord_(new QCheckBox(QStringLiteral("Match whole word only"), this)) {
    setWindowTitle(QStringLiteral("Find"));
    fragment_->setObjectName(QStringLiteral("fragment"));
    matchCase_->setObjectName(QStringLiteral("matchCase"));
    wholeWord_->setObjectName(QStringLiteral("wholeWord"));

    auto* label = new QLabel(QStringLiteral("Find"), this);
    label->setBuddy(fragment_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { emit helpRequested(kFindHelpContext); });
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
    buttons->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(fragment_, 0, 1);
    grid->addWidget(matchCase_, 1, 1);
    grid->addWidget(wholeWord_, 2, 1);
    grid->setRowStretch(3, 1);
    grid->addLayout(buttons, 0, 2, 4, 1);
    setFixedSize(sizeHint());
    fragment_->setAccessibleName(QStringLiteral("Find what"));
    help->setAccessibleDescription(QStringLiteral("Opens the help on Find and Replace"));
    keepOnOwnersScreen(this);
}

std::optional<FindResult> FindDialog::run() {
    editor_.releaseCtrl();
    fragment_->setText(programText(proposedFindFragment(editor_)));
    fragment_->selectAll();
    fragment_->setFocus();
    matchCase_->setChecked(false);
    wholeWord_->setChecked(false);
    if (exec() != QDialog::Accepted) return std::nullopt;
    const FindOptions options{matchCase_->isChecked(), wholeWord_->isChecked()};
    return findNext(editor_, programBytes(fragment_->text()), options, platform_);
}

}  // namespace verdin::gui
