// verdin-screenshots [FOLDER] [SCENE...]: renders every registered scene (or the
// named ones) into FOLDER (default: docs) under whatever Qt platform is active;
// scripts/screenshots runs it offscreen.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "files/source_file.h"
#include "gui/screenshots/scene.h"
#include "shell/commands.h"

namespace verdin::gui::screenshots {

namespace {
std::map<std::string, SceneFunction>& scenes() {
    static std::map<std::string, SceneFunction> registry;
    return registry;
}
}  // namespace

bool registerScene(const char* name, SceneFunction function) {
    scenes()[name] = function;
    return true;
}

QString Shots::examplesFolder() { return QStringLiteral(VERDIN_SOURCE_DIR "/examples"); }

bool Shots::compileExample(Machine& machine, const QString& fileName) {
    const LoadResult loaded = loadEditorFile(QDir(examplesFolder()).filePath(fileName).toStdString());
    return loaded.ok && compileProgram(machine, loaded.text.lines, {.stopAtEmptyLine = true}) == -1;
}

bool Shots::save(QWidget& widget, const QString& fileName) {
    if (!widget.isVisible()) widget.show();
    // Two rounds: one to lay out and one for paints the layout scheduled.
    for (int i = 0; i < 2; ++i) QCoreApplication::processEvents();
    QImage image = widget.grab().toImage();
    const QString path = QDir(folder_).filePath(fileName);
    // A picture of one colour is a window that never painted.
    bool painted = false;
    for (int y = 0; y < image.height() && !painted; y += 4)
        for (int x = 0; x < image.width() && !painted; x += 4) painted = image.pixel(x, y) != image.pixel(0, 0);
    if (image.isNull() || !painted || !image.save(path)) {
        std::fprintf(stderr, "verdin-screenshots: could not render %s\n", qPrintable(path));
        return false;
    }
    written_ << path;
    return true;
}

}  // namespace verdin::gui::screenshots

int main(int argc, char** argv) {
    using namespace verdin::gui::screenshots;
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString folder = args.isEmpty() ? QStringLiteral("docs") : args.takeFirst();
    QDir().mkpath(folder);
    Shots shots(folder);
    int failed = 0;
    for (const auto& [name, function] : scenes()) {
        if (!args.isEmpty() && !args.contains(QString::fromStdString(name))) continue;
        const auto before = shots.written().size();
        function(shots);
        if (shots.written().size() == before) {
            std::fprintf(stderr, "verdin-screenshots: scene %s saved nothing\n", name.c_str());
            ++failed;
        }
    }
    for (const QString& path : shots.written()) std::printf("%s\n", qPrintable(path));
    return failed == 0 ? 0 : 1;
}
