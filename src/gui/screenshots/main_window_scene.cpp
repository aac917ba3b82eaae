// The main window as a student sees it right after a compile failed: the program in
// colour, the faulty line marked in the margin and the caret on it, and a breakpoint
// the student set before debugging.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "gui/main_window.h"
#include "gui/screenshots/scene.h"
#include "shell/file_session.h"

namespace {

// The compile's message box waits for OK; the picture shows the window behind it.
void closeNextMessageBox() {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            box->accept();
        }
    });
    timer->start(20);
}

}  // namespace

VERDIN_SCENE(main_window) {
    using namespace verdin;
    QTemporaryDir folder;
    QFile example(verdin::gui::screenshots::Shots::examplesFolder() + "/sum_table.asm");
    if (!folder.isValid() || !example.open(QIODevice::ReadOnly)) return;
    QByteArray program = example.readAll();
    // A slip a student makes: a register that does not exist.
    program.replace("DCR  B", "DCR  Q");
    const QString path = QDir(folder.path()).filePath("sum_table.asm");
    QFile copy(path);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(program) != program.size()) return;
    copy.close();

    gui::QtPlatform platform;
    Machine machine(platform);
    FileSession files(platform, {});
    gui::MainWindow window(machine, platform, files);
    window.resize(760, 460);
    window.show();
    window.openPath(path);
    window.editor().setBreakpoint(9, true);  // STA SUM
    closeNextMessageBox();
    window.compile();
    // Active, so that the caret shows on the faulty line.
    QApplication::setActiveWindow(&window);
    window.editorView()->setFocus();
    shots.save(window, "main_window.png");
}
