// A hint is shown under the message, as the box's informative text; the message
// itself is unchanged.
#include <QMessageBox>
#include <QtTest>

#include "gui/qt_platform.h"
#include "gui_test_support.h"

using namespace verdin;
using namespace verdin::gui;

class QtPlatformHintTest : public QObject {
    Q_OBJECT
private slots:
    void hintIsTheInformativeText() {
        QtPlatform platform;
        QString line, informative = "unset";
        auto answer = [&](QWidget* modal) {
            line = test::messageBoxLine(modal);
            informative = qobject_cast<QMessageBox*>(modal)->informativeText();
            test::press(modal, QMessageBox::Ok);
        };
        test::whenModalAppears(answer);
        platform.showMessageWithHint(MessageKind::Information, "Compile successful 2 byte(s)",
                                     "The program ends at the empty line 2.");
        QCOMPARE(line, QString("Information: Compile successful 2 byte(s)"));
        QCOMPARE(informative, QString("The program ends at the empty line 2."));

        test::whenModalAppears(answer);
        platform.showMessage(MessageKind::Error, "There is no program!!!");
        QCOMPARE(line, QString("Error: There is no program!!!"));
        QCOMPARE(informative, QString());
    }
};

QTEST_MAIN(QtPlatformHintTest)
#include "qt_platform_hint_test.moc"
