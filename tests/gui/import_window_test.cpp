// Import: the changes and what is left by hand are listed in a window that stays
// open beside the editor, and a file that cannot be read is refused with a message
// box. The conversions themselves are the core's.
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
        testing_support::ScratchFolder::write(path, "// kit program\n        RST 1\n");
        QtPlatform platform;
        ImportWindow window(platform);
        QVERIFY(window.importFile(QString::fromStdString(path)));
        QCOMPARE(window.lines(), (std::vector<std::string>{"; kit program", "        RST 1", ""}));
        QStringList shown;
        for (int i = 0; i < window.changeList()->count(); ++i) shown << window.changeList()->item(i)->text();
        QCOMPARE(shown, (QStringList{"line 1: \"//\" -> \";\"",
                                     "line 2: by hand: RST 1 does nothing here: if it ends the program, write HLT"}));
        QVERIFY(window.summary()->text().startsWith("1 change(s) made, 1 thing(s) to do by hand."));
        QCOMPARE(window.windowTitle(), QString("Import - kit.asm"));

        // Modeless: it shows without blocking, and its Close button closes it.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.isModal());
        QTest::mouseClick(window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close), Qt::LeftButton);
        QTRY_VERIFY(!window.isVisible());

        QString seen;
        test::whenMessageBoxAppears(&seen);
        QVERIFY(!window.importFile("/nonexistent/kit.asm"));
        QCOMPARE(seen, QString("Error: Can't open the file /nonexistent/kit.asm: No such file or directory."));
        QVERIFY(window.lines().empty());
    }
};

QTEST_MAIN(ImportWindowTest)
#include "import_window_test.moc"
