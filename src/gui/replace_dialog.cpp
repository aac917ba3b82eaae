#include "gui/replace_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/find_dialog.h"
#include "gui/program_text.h"
#include "gui/progress_window.h"

#include "gui/window_placement.h"

namespace verdin::gui {

ReplaceDialog::ReplaceDialog(EditorController& editor, Platform& platform, QWidget* parent)
    : QDialog(parent),
      editor_(editor),
      platform_(platform),
      fragment_(makeFragmentEdit(this)),
      replacement_(makeFragmentEdit(this)),
      matchCase_(new QCheckBox(QStringLiteral("Match case"), this)),
      wholeWord_(new QCheckBox(QStringLiteral("Match whole word only"), this)) {
    setWindowTitle(QStringLiteral("Find and Replace"));
    fragment_->setObjectName(QStringLiteral("fragment"));
    replacement_->setObjectName(QStringLiteral("replacement"));
    matchCase_->setObjectName(QStringLiteral("matchCase"));
    wholeWord_->setObjectName(QStringLiteral("wholeWord"));

    auto* findLabel = new QLabel(QStringLiteral("Find"), this);
    findLabel->setBuddy(fragment_);
    auto* replaceLabel = new QLabel(QStringLiteral("Replace"), this);
    replaceLabel->setBuddy(replacement_);

    // Ok, Cancel, Replace All, Help from the top, in the order the student reads them.
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* all = new QPushButton(QStringLiteral("Replace All"), this);
    all->setObjectName(QStringLiteral("replaceAll"));
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(all, &QPushButton::clicked, this, [this] { done(kReplaceAll); });
    connect(help, &QPushButton::clicked, this, [this] { emit helpRequested(kFindHelpContext); });
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {ok, cancel, all, help}) buttons->addWidget(b);
    buttons->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(fragment_, 0, 1);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(replacement_, 1, 1);
    grid->addWidget(matchCase_, 2, 1);
    grid->addWidget(wholeWord_, 3, 1);
    grid->setRowStretch(4, 1);
    grid->addLayout(buttons, 0, 2, 5, 1);
    setFixedSize(sizeHint());
    fragment_->setAccessibleName(QStringLiteral("Find what"));
    replacement_->setAccessibleName(QStringLiteral("Replace with"));
    keepOnOwnersScreen(this);
}

std::optional<FindResult> ReplaceDialog::run() {
    editor_.releaseCtrl();
    fragment_->setText(programText(proposedReplaceFragment(editor_)));
    fragment_->selectAll();
    fragment_->setFocus();
    replacement_->clear();
    matchCase_->setChecked(false);
    wholeWord_->setChecked(false);
    const int answer = exec();
    if (answer != QDialog::Accepted && answer != kReplaceAll) return std::nullopt;

    const FindOptions options{matchCase_->isChecked(), wholeWord_->isChecked()};
    const std::string fragment = programBytes(fragment_->text());
    const std::string replacement = programBytes(replacement_->text());
    if (answer == QDialog::Accepted) return replaceNext(editor_, fragment, replacement, options, platform_);

    ProgressWindow progress(parentWidget());
    const ReplaceAllProgress callbacks = progress.replaceAllProgress();
    return replaceAll(editor_, fragment, replacement, options, platform_, &callbacks);
}

}  // namespace verdin::gui
