// The calculator as a student drives it: keys clicked with the mouse and typed on
// the keyboard, the display line after each step, the letter keys and +/- enabled
// by the base, and what survives closing the dialog.
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "debugger/calculator.h"
#include "gui/calculator_dialog.h"
#include "gui_test_support.h"
#include "machine/machine.h"

using namespace verdin;
using namespace verdin::gui;

namespace {
QString line(const char* base, const char* value) {
    const QString shown = QString::fromLatin1(value);
    return QString::fromLatin1(base) + QString(Calculator::kDisplayWidth - shown.size(), QLatin1Char(' ')) + shown;
}
}  // namespace

class CalculatorDialogTest : public QObject {
    Q_OBJECT
    HeadlessPlatform platform_;
    std::unique_ptr<Machine> machine_;
    std::unique_ptr<Calculator> calculator_;

    void click(CalculatorDialog& dialog, const char* label) {
        QPushButton* key = dialog.key(QString::fromLatin1(label));
        QVERIFY2(key != nullptr, label);
        QTest::mouseClick(key, Qt::LeftButton);
    }

private slots:
    void init() {
        machine_ = std::make_unique<Machine>(platform_);
        calculator_ = std::make_unique<Calculator>(*machine_);
    }

    void keySequenceThroughMouseAndKeyboard() {
        CalculatorDialog dialog(*calculator_);
        QStringList seen;
        int lettersEnabled = -1;
        bool negateEnabled = true;
        test::whenModalAppears([&](QWidget*) {
            seen << dialog.displayLine();
            click(dialog, "9");
            QTest::keyClick(&dialog, '*');
            click(dialog, "9");
            seen << dialog.displayLine();
            QTest::keyClick(&dialog, '=');
            seen << dialog.displayLine();
            // Letters mean nothing in decimal: typing one changes nothing.
            QTest::keyClick(&dialog, 'b');
            seen << dialog.displayLine();
            QTest::keyClick(&dialog, 'm');
            seen << dialog.displayLine();
            lettersEnabled = dialog.key("A")->isEnabled() && dialog.key("F")->isEnabled();
            negateEnabled = dialog.key("+/-")->isEnabled();
            click(dialog, "CE");
            click(dialog, "1");
            QTest::keyClick(&dialog, 'f');
            seen << dialog.displayLine();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QCOMPARE(dialog.run(), int(QDialog::Rejected));
        QCOMPARE(seen, QStringList({line("DN", "0"), line("DN", "9"), line("DN", "81"), line("DN", "81"),
                                    line("HN", "0051"), line("HN", "001F")}));
        QCOMPARE(lettersEnabled, 1);
        QVERIFY(!negateEnabled);
        QCOMPARE(dialog.findChild<QListWidget*>("display")->count(), 1);

        // Reopened: the entry starts empty, the base is kept and its keys with it.
        CalculatorDialog again(*calculator_);
        QString reopened;
        bool letters = false;
        test::whenModalAppears([&](QWidget*) {
            reopened = again.displayLine();
            letters = again.key("C")->isEnabled();
            QTest::keyClick(&again, Qt::Key_Return);
        });
        QCOMPARE(again.run(), int(QDialog::Accepted));
        QCOMPARE(reopened, line("HN", "0000"));
        QVERIFY(letters);
    }

    void typedSequenceAndHelp() {
        CalculatorDialog dialog(*calculator_);
        QSignalSpy help(&dialog, &CalculatorDialog::helpRequested);
        QString seen;
        bool stillOpen = false;
        test::whenModalAppears([&](QWidget*) {
            QVERIFY(!dialog.key("A")->isEnabled());
            QTest::keyClicks(&dialog, "10-20=");
            seen = dialog.displayLine();
            click(dialog, "?");
            stillOpen = dialog.isVisible();
            dialog.reject();
        });
        dialog.run();
        QCOMPARE(seen, line("DN", "-10"));
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).toInt(), kCalcHelpContext);
        QVERIFY(stillOpen);
    }
};

QTEST_MAIN(CalculatorDialogTest)
#include "calculator_dialog_test.moc"
