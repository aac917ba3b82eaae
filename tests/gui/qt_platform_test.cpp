// The core's messages reach the student as message boxes with the caption and
// icon of their kind, and a run's event pumping lets queued clicks through.
#include <QMessageBox>
#include <QtTest>

#include "gui/qt_platform.h"
#include "gui_test_support.h"

using namespace verdin;
using namespace verdin::gui;

class QtPlatformTest : public QObject {
    Q_OBJECT
private slots:
    void messageBoxHasCaptionIconAndText() {
        QtPlatform platform;
        const struct {
            MessageKind kind;
            QMessageBox::Icon icon;
            const char* line;
        } cases[] = {{MessageKind::Error, QMessageBox::Critical, "Error: Invalid command at string 3"},
                     {MessageKind::Warning, QMessageBox::Warning, "Warning: Invalid command at string 3"},
                     {MessageKind::Information, QMessageBox::Information,
                      "Information: Invalid command at string 3"}};
        for (const auto& c : cases) {
            QString seen;
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            test::whenModalAppears([&](QWidget* modal) {
                seen = test::messageBoxLine(modal);
                icon = qobject_cast<QMessageBox*>(modal)->icon();
                test::press(modal, QMessageBox::Ok);
            });
            platform.showMessage(c.kind, "Invalid command at string 3");
            QCOMPARE(seen, QString(c.line));
            QCOMPARE(icon, c.icon);
        }
    }

    void pumpingDeliversQueuedEvents() {
        QtPlatform platform;
        bool delivered = false;
        QMetaObject::invokeMethod(qApp, [&] { delivered = true; }, Qt::QueuedConnection);
        platform.pumpEvents();
        QVERIFY(delivered);
    }
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
