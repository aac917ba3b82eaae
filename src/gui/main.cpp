// verdin [FILE]: the desktop workbench, opening FILE when one is named.
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>

#include "gui/main_window.h"
#include "gui/qt_platform.h"
#include "machine/machine.h"
#include "shell/file_session.h"
#include "shell/settings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("verdin"));
    QApplication::setApplicationVersion(QStringLiteral(VERDIN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("io.github.verdin.Verdin"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/verdin.svg")));

    verdin::gui::QtPlatform platform;
    verdin::Machine machine(platform);
    verdin::FileSession files(platform, verdin::settingsFilePathFromEnvironment());
    verdin::gui::MainWindow window(machine, platform, files);
    window.show();

    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty()) {
        // The title shows the full path, as after Open.
        window.openPath(QFileInfo(arguments.constFirst()).absoluteFilePath());
    }
    return QApplication::exec();
}
