// The calculator as a student drives it: keys clicked with the mouse and typed on
// the keyboard reach the calculator and its display line, the letter keys and +/-
// follow the base, and ? asks for help. The arithmetic is the core's.
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "debugger/calculator.h"
#include "gui/calculator_dialog.h"
#include "gui_test_support.h"

using namespace verdin;
using namespace verdin::gui;
using namespace verdin::gui::test;

namespace {
QString line(const char* base, const char* value) {
    const QString shown = QString::fromLatin1(value);
    return QString::fromLatin1(base) + QString(Calculator::kDisplayWidth - shown.size(), QLatin1Char(' ')) + shown;
}
}  // namespace

class CalculatorDialogTest : public QObject {
    Q_OBJECT
private slots:
    void mouseAndKeyboardReachTheCalculator() {
        Calculator calculator;
        CalculatorDialog dialog(calculator);
        QSignalSpy help(&dialog, &CalculatorDialog::helpRequested);
        QStringList seen;
        bool decimalLetters = true, hexLetters = false, hexNegate = true;
        whenShown<CalculatorDialog>([&](CalculatorDialog* shown) {
            auto click = [shown](const char* label) { QTest::mouseClick(shown->key(label), Qt::LeftButton); };
            decimalLetters = shown->key("A")->isEnabled();
            click("9");
            QTest::keyClick(shown, '*');
            click("9");
            QTest::keyClicks(shown, "=b");  // a letter means nothing in decimal
            seen << shown->displayLine();
            QTest::keyClick(shown, 'm');
            seen << shown->displayLine();
            hexLetters = shown->key("A")->isEnabled() && shown->key("F")->isEnabled();
            hexNegate = shown->key("+/-")->isEnabled();
            click("CE");
            QTest::keyClicks(shown, "1f");
            seen << shown->displayLine();
            click("?");
            seen << (shown->isVisible() ? "open" : "closed");
            QTest::keyClick(shown, Qt::Key_Escape);
        });
        QCOMPARE(dialog.run(), int(QDialog::Rejected));
        QCOMPARE(seen, QStringList({line("DN", "81"), line("HN", "0051"), line("HN", "001F"), "open"}));
        QVERIFY(!decimalLetters);
        QVERIFY(hexLetters);
        QVERIFY(!hexNegate);
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).toInt(), kCalcHelpContext);
    }
};

QTEST_MAIN(CalculatorDialogTest)
#include "calculator_dialog_test.moc"
