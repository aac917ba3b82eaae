// Import: the converted text is handed back, the changes and what is left by hand
// are listed in a window that stays open beside the editor, and a file that cannot
// be read is refused with a message box.
#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

#include "gui/import_window.h"
#include "gui/qt_platform.h"
#include "gui_test_support.h"
#include "scratch_folder.h"

using namespace verdin;
using namespace verdin::gui;

class ImportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void listsChangesAndHandsBackTheText() {
        testing_support::ScratchFolder folder;
        const std::string path = folder.file("kit.asm");
        const std::string original = "// kit program\nCOUNTER: MVI A,0x1F\n\n        RST 1\n";
        testing_support::ScratchFolder::write(path, original);
        QtPlatform platform;
        ImportWindow window(platform);
        QVERIFY(window.importFile(QString::fromStdString(path)));
        QCOMPARE(window.lines(),
                 (std::vector<std::string>{"; kit program", "COUNTE: MVI A,1FH", ";", "        RST 1", ""}));
        QStringList shown;
        for (int i = 0; i < window.changeList()->count(); ++i) shown << window.changeList()->item(i)->text();
        QCOMPARE(shown, (QStringList{"line 1: \"//\" -> \";\"", "line 2: label \"COUNTER\" -> \"COUNTE\"",
                                     "line 2: \"0x1F\" -> \"1FH\"", "line 3: empty line -> \";\"",
                                     "line 4: by hand: RST 1 does nothing here: if it ends the program, write HLT"}));
        QVERIFY(window.summary()->text().startsWith("4 change(s) made, 1 thing(s) to do by hand."));
        QCOMPARE(window.windowTitle(), QString("Import - kit.asm"));
        QCOMPARE(testing_support::ScratchFolder::read(path), original);

        // Modeless: it shows without blocking, and its Close button closes it.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.isModal());
        auto* close = window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
        QTest::mouseClick(close, Qt::LeftButton);
        QTRY_VERIFY(!window.isVisible());
    }

    void aFileThatCannotBeReadIsRefused() {
        QtPlatform platform;
        ImportWindow window(platform);
        QString seen;
        test::whenModalAppears([&](QWidget* modal) {
            seen = test::messageBoxLine(modal);
            test::press(modal, QMessageBox::Ok);
        });
        QVERIFY(!window.importFile("/nonexistent/kit.asm"));
        QCOMPARE(seen, QString("Error: Can't open the file /nonexistent/kit.asm: No such file or directory."));
        QVERIFY(window.lines().empty());
    }
};

QTEST_MAIN(ImportWindowTest)
#include "import_window_test.moc"
