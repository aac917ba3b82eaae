// The Find and Replace dialog with a fragment and its replacement typed in.
#include <QCheckBox>
#include <QLineEdit>

#include "gui/qt_platform.h"
#include "gui/replace_dialog.h"
#include "gui/screenshots/scene.h"

VERDIN_SCENE(find_replace) {
    verdin::EditorController editor;
    editor.typeText("loop:   mov a,m\r        inx h\r        dcr c\r        jnz loop\r");
    verdin::gui::QtPlatform platform;
    verdin::gui::ReplaceDialog dialog(editor, platform);
    auto* fragment = dialog.findChild<QLineEdit*>(QStringLiteral("fragment"));
    auto* replacement = dialog.findChild<QLineEdit*>(QStringLiteral("replacement"));
    fragment->setText(QStringLiteral("loop"));
    replacement->setText(QStringLiteral("next"));
    dialog.findChild<QCheckBox*>(QStringLiteral("wholeWord"))->setChecked(true);
    shots.save(dialog, QStringLiteral("find_replace.png"));
}
