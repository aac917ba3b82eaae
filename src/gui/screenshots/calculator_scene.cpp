// The calculator after 255 + 1 = and a switch to hexadecimal: the letter keys are
// enabled and the display reads HN ... 0100.
#include <QPushButton>

#include "gui/calculator_dialog.h"
#include "gui/screenshots/scene.h"

VERDIN_SCENE(calculator) {
    verdin::Calculator calculator;
    verdin::gui::CalculatorDialog dialog(calculator);
    for (const char* label : {"2", "5", "5", "+", "1", "=", "M"}) dialog.key(QString::fromLatin1(label))->click();
    shots.save(dialog, QStringLiteral("calculator.png"));
}
