// The pictures of the README: each scene builds real windows in the state a
// student would see, and saves them as PNG files. A scene lives in a file of its
// own beside the window it shows, registered with VERDIN_SCENE:
//
//   VERDIN_SCENE(calculator) {
//       Calculator model;
//       CalculatorDialog dialog(model);
//       ... press keys ...
//       shots.save(dialog, "calculator.png");
//   }
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "machine/machine.h"

namespace verdin::gui::screenshots {

class Shots {
public:
    explicit Shots(QString folder) : folder_(std::move(folder)) {}
    // Shows the widget if needed, lets it lay out and paint, and writes
    // folder/fileName. Returns false (and says why on stderr) when it could not.
    bool save(QWidget& widget, const QString& fileName);
    // Paths written so far.
    const QStringList& written() const { return written_; }
    // The examples folder of the source tree, for scenes that open a program.
    static QString examplesFolder();
    // Compiles examples/`fileName` into `machine` as Debug does; false when it
    // cannot be read or does not compile.
    static bool compileExample(Machine& machine, const QString& fileName);

private:
    QString folder_;
    QStringList written_;
};

using SceneFunction = void (*)(Shots& shots);
bool registerScene(const char* name, SceneFunction function);

}  // namespace verdin::gui::screenshots

#define VERDIN_SCENE(name)                                                                            \
    static void verdinScene_##name(::verdin::gui::screenshots::Shots& shots);                         \
    [[maybe_unused]] static const bool verdinSceneRegistered_##name =                                 \
        ::verdin::gui::screenshots::registerScene(#name, &verdinScene_##name);                        \
    static void verdinScene_##name([[maybe_unused]] ::verdin::gui::screenshots::Shots& shots)
