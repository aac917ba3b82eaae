#include "gui/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/resources.h"

#include "gui/window_placement.h"

namespace verdin::gui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    ensureResources();
    setWindowTitle(QStringLiteral("About Verdin"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/verdin.svg")).pixmap(64, 64));
    auto* text = new QLabel(QStringLiteral("Verdin Version 2.0"), this);
    text->setObjectName(QStringLiteral("aboutText"));
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    icon->setAccessibleName(QStringLiteral("Verdin"));
    keepOnOwnersScreen(this);
}

}  // namespace verdin::gui
