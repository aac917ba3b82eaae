// The Import window beside a converted trainer-kit program.
#include <QFile>
#include <QTemporaryDir>

#include "gui/import_window.h"
#include "gui/qt_platform.h"
#include "gui/screenshots/scene.h"

using namespace verdin::gui;

VERDIN_SCENE(import_window) {
    QTemporaryDir dir;
    const QString path = dir.filePath("multiply.asm");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write("; Multiplication by repeated addition\n"
               "# ORG 0000H\n"
               "        LDA 2050H       // first number\n"
               "        MOV B,A\n"
               "        LDA 2051H\n"
               "        MOV C,A\n"
               "\n"
               "        MVI A,00\n"
               "MULTIPLY: ADD B\n"
               "        DCR C\n"
               "        JNZ MULTIPLY\n"
               "        STA 8052H\n"
               "        CALL 06D3H      ; show it\n"
               "        RST 1\n");
    file.close();
    QtPlatform platform;
    ImportWindow window(platform);
    if (!window.importFile(path)) return;
    shots.save(window, "import_window.png");
}
