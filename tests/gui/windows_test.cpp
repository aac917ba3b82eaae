// What every window and dialog owes a person who cannot see it or whose screen is
// small: each button, field and list has a name a screen reader can say, and each
// window opens wholly on its owner's screen, no larger than it.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include "debugger/calculator.h"
#include "gui/about_dialog.h"
#include "gui/calculator_dialog.h"
#include "gui/editor_view.h"
#include "gui/find_dialog.h"
#include "gui/help_window.h"
#include "gui/import_window.h"
#include "gui/input_value_dialog.h"
#include "gui/listing_window.h"
#include "gui/main_window.h"
#include "gui/progress_window.h"
#include "gui/replace_dialog.h"
#include "gui/value_edit_dialog.h"
#include "gui/window_placement.h"
#include "gui_test_support.h"
#include "scratch_folder.h"
#include "shell/settings.h"

using namespace verdin;
using namespace verdin::gui;
using namespace verdin::gui::test;

namespace {

bool isControl(QWidget* w) {
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QTextEdit*>(w);
}

// The controls of `window` a screen reader would reach without a name. The editor's
// own text interface is the editor view's business and tested with it.
QStringList unnamedControls(QWidget* window) {
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || !isControl(w)) continue;
        bool inEditor = false;
        for (QWidget* p = w; p != nullptr && !inEditor; p = p->parentWidget()) inEditor = qobject_cast<EditorView*>(p);
        if (inEditor) continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (face == nullptr || face->text(QAccessible::Name).trimmed().isEmpty()) {
            unnamed << QString("%1 \"%2\"").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
        }
    }
    return unnamed;
}

bool whollyOnScreen(QWidget* window) {
    const QRect room = window->screen()->availableGeometry();
    return room.contains(window->frameGeometry()) && room.contains(window->geometry());
}

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT
private slots:
    void everyControlHasAName() {
        ScratchConfig config;
        QtPlatform platform;
        Machine machine(platform);
        FileSession files(platform, settingsFilePathFromEnvironment());
        MainWindow main(machine, platform, files);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QCOMPARE(unnamedControls(&main), QStringList());
        // The check sees a list nobody named.
        QWidget bare;
        (new QListWidget(&bare))->setObjectName("bare");
        bare.show();
        QCOMPARE(unnamedControls(&bare), QStringList({"QListWidget \"bare\""}));

        EditorController editor;
        Calculator calculator;
        FindDialog find(editor, platform, &main);
        ReplaceDialog replace(editor, platform, &main);
        CalculatorDialog calc(calculator, &main);
        AboutDialog about(&main);
        HelpWindow help(&main);
        ListingWindow listing(&main);
        listing.showListing({"        hlt"}, "");
        ProgressWindow progress(&main);
        InputValueDialog input(ValueRequest{"How many?", ValueKind::Number, "5"}, &main);
        ValueEditDialog value(InputRequest{"Input port #0A", "3F"}, &main);
        QTemporaryDir dir;
        const QString kit = dir.filePath("kit.asm");
        testing_support::ScratchFolder::write(kit.toStdString(), "  MVI A,0x1F\n");
        ImportWindow import(platform, &main);
        QVERIFY(import.importFile(kit));
        QWidget* windows[] = {&find, &replace, &calc, &about, &help, &listing, &progress, &input, &value, &import};
        for (QWidget* window : windows) {
            window->show();
            QCOMPARE(unnamedControls(window), QStringList());
            window->hide();
        }

        // The Print dialog is the system's: only what it lacks is named.
        QPrinter printer;
        QStringList printUnnamed{"none seen"};
        whenShown<QPrintDialog>([&printUnnamed](QPrintDialog* dialog) {
            printUnnamed = unnamedControls(dialog);
            dialog->reject();
        });
        QPrintDialog print(&printer, &main);
        print.exec();
        QCOMPARE(printUnnamed, QStringList());
    }

    // The windows a student looks at and puts away close on Esc, as dialogs do, from
    // wherever the focus is in them.
    void escapeClosesTheListingAndTheImportReport() {
        ScratchConfig config;
        QtPlatform platform;
        ListingWindow listing;
        listing.showListing({"        hlt"}, "");
        QTemporaryDir dir;
        const QString kit = dir.filePath("kit.asm");
        testing_support::ScratchFolder::write(kit.toStdString(), "  MVI A,0x1F\n");
        ImportWindow import(platform);
        QVERIFY(import.importFile(kit));
        for (QWidget* window : {static_cast<QWidget*>(&listing), static_cast<QWidget*>(&import)}) {
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr && focus->window() == window ? focus : window, Qt::Key_Escape);
            QTRY_VERIFY(!window->isVisible());
        }
    }

    void aWindowTooLargeOrTooLowComesOnScreen() {
        // Pure geometry first: cut to the room, then slid in from the edge it crossed.
        const QRect room(0, 0, 800, 600);
        QCOMPARE(fittedInto(QRect(100, 100, 300, 200), room), QRect(100, 100, 300, 200));
        QCOMPARE(fittedInto(QRect(600, 500, 300, 200), room), QRect(500, 400, 300, 200));
        QCOMPARE(fittedInto(QRect(-50, -20, 300, 200), room), QRect(0, 0, 300, 200));
        QCOMPARE(fittedInto(QRect(40, 40, 1000, 900), room), QRect(0, 0, 800, 600));
        QCOMPARE(fittedInto(QRect(40, 40, 1000, 900), room, QSize(900, 100)), QRect(0, 0, 900, 600));

        // A help window larger than the screen, and an Import report whose owner sits
        // in the screen's bottom corner.
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect available = screen->availableGeometry();
        HelpWindow help;
        help.resize(available.width() + 200, available.height() + 150);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QVERIFY(whollyOnScreen(&help));

        QWidget owner;
        owner.setGeometry(available.right() - 100, available.bottom() - 80, 90, 70);
        owner.show();
        QtPlatform platform;
        auto* report = new ImportWindow(platform, &owner);
        report->move(owner.pos());
        report->show();
        QVERIFY(QTest::qWaitForWindowExposed(report));
        QVERIFY(whollyOnScreen(report));
        QVERIFY(report->width() > 300);
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
