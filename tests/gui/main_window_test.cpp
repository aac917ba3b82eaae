// The main window as a student drives it: menus and their shortcuts, Compile with the
// caret sent to the fault, the save prompt, files and the recent list, Translate,
// help and About.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/about_dialog.h"
#include "gui/calculator_dialog.h"
#include "gui/debug_window.h"
#include "gui/find_dialog.h"
#include "gui/help_popup.h"
#include "gui/help_window.h"
#include "gui/import_window.h"
#include "gui/replace_dialog.h"
#include "workbench.h"

using namespace verdin;
using namespace verdin::gui;
using namespace verdin::gui::test;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList texts(const QList<QAction*>& actions) {
    QStringList result;
    for (QAction* a : actions) result << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return result;
}

QAction* item(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

QMenu* menuOf(MainWindow& window, const QString& title) {
    for (QAction* a : window.menuBar()->actions())
        if (a->text() == title) return a->menu();
    return nullptr;
}

// The rows of the margin painted in the fault colour.
QList<int> redMarginRows(EditorView* view) {
    const QImage image = view->margin()->grab().toImage();
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        const QColor c = image.pixelColor(2, y);
        const int row = y / view->lineHeight();
        if (c.red() > 150 && c.green() < 80 && (rows.isEmpty() || rows.last() != row)) rows << row;
    }
    return rows;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void startsUntitledWithItsMenusAndStatusBar() {
        Workbench w;
        QCOMPARE(w.title(), QString("Verdin - Untitled"));
        QCOMPARE(w.window->statusPart(0)->text(), QString("Ln 1, Col 0;\tTotal: 1"));
        QCOMPARE(w.window->statusPart(1)->text(), QString());
        QCOMPARE(texts(w.window->menuBar()->actions()),
                 QStringList({"&File", "Edit", "&Compile", "&Debug", "Translate to", "&Options", "&Help"}));
        QMenu* file = menuOf(*w.window, "&File");
        QCOMPARE(texts(file->actions()),
                 QStringList({"New", "Open", "Save", "Save as...", "Import...", "-", "-", "Print", "-", "E&xit"}));
        QVERIFY(!file->actions().at(6)->isVisible());  // no recent files: no second separator
        QMenu* edit = menuOf(*w.window, "Edit");
        QCOMPARE(texts(edit->actions()), QStringList({"Undo", "Redo", "-", "Copy", "Cut", "Paste", "-", "Select All",
                                                      "-", "Find", "Replace", "-", "Calculator"}));
        QCOMPARE(texts(menuOf(*w.window, "Translate to")->actions()),
                 QStringList({"Z-80", "Intel x86", "-", "Save code"}));
        QCOMPARE(texts(menuOf(*w.window, "&Help")->actions()), QStringList({"&About ..."}));
        for (const char* greyed : {"Copy", "Cut", "Paste", "Undo", "Redo"}) QVERIFY(!item(edit, greyed)->isEnabled());

        const struct {
            QMenu* menu;
            const char* text;
            QList<QKeySequence> keys;
        } shortcuts[] = {
            {file, "New", {QKeySequence("Ctrl+N")}},
            {file, "Open", {QKeySequence("F3")}},
            {file, "Save", {QKeySequence("F2")}},
            {file, "E&xit", {QKeySequence("Alt+F4")}},
            {edit, "Copy", {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}},
            {edit, "Paste", {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}},
            {edit, "Select All", {QKeySequence("Ctrl+A")}},
            {edit, "Find", {QKeySequence("Ctrl+F")}},
            {edit, "Replace", {QKeySequence("Ctrl+R")}},
            {edit, "Undo", {QKeySequence("Ctrl+Z")}},
            {edit, "Redo", {QKeySequence("Ctrl+Y")}},
            {menuOf(*w.window, "&Help"), "&About ...", {QKeySequence("Alt+/")}},
        };
        for (const auto& s : shortcuts) QCOMPARE(item(s.menu, s.text)->shortcuts(), s.keys);

        // Insert switches to overwriting, and the status bar says so.
        w.key(Qt::Key_Insert);
        QCOMPARE(w.window->statusPart(1)->text(), QString("OVR"));
    }

    void compileSendsTheCaretToTheFaultAndPagesTheView() {
        Workbench w;
        const int visible = w.state().visibleLines;
        QVERIFY(visible > 3);
        for (int i = 0; i < visible + 4; ++i) {
            w.type("\tnop");
            w.key(Qt::Key_Return);
        }
        w.type("\tmvi q,1");
        const int faultLine = visible + 5;  // counted from 1
        w.key(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(w.state().topLine, 0);
        QVERIFY(w.view()->scrollBar()->isVisible());

        QString seen;
        whenMessageBoxAppears(&seen);
        w.key(Qt::Key_C, Qt::AltModifier);
        QVERIFY2(seen.startsWith(QString("Error: Invalid register at string %1").arg(faultLine)), qPrintable(seen));
        QCOMPARE(w.state().caretLine, faultLine - 1);
        QCOMPARE(w.state().caretColumn, 0);
        QCOMPARE(w.state().topLine, visible);  // one whole page on
        QCOMPARE(w.editor().faultLine(), faultLine - 1);
        QCOMPARE(redMarginRows(w.view()), QList<int>{faultLine - 1 - visible});
        QCOMPARE(w.window->statusPart(0)->text(), QString("Ln %1, Col 0;\tTotal: %2").arg(faultLine).arg(faultLine + 1));

        // Mending the line clears the mark; the next compile succeeds.
        w.key(Qt::Key_End);
        for (int i = 0; i < 3; ++i) w.key(Qt::Key_Backspace);
        w.type("a,1");
        QCOMPARE(w.editor().faultLine(), -1);
        QCOMPARE(redMarginRows(w.view()), QList<int>{});
        whenMessageBoxAppears(&seen);
        w.key(Qt::Key_C, Qt::AltModifier);
        QCOMPARE(seen, QString("Information: Compile successful %1 byte(s)").arg(visible + 4 + 2));
    }

    void debugHandsOverOnlyACompiledProgram() {
        Workbench w;
        QSignalSpy opened(w.window.get(), &MainWindow::debugWindowRequested);
        w.type("mvi z,1");
        QString seen;
        whenMessageBoxAppears(&seen);
        w.key(Qt::Key_D, Qt::AltModifier);
        QVERIFY(seen.startsWith("Error: Invalid register at string 1"));
        QCOMPARE(opened.count(), 0);
        w.key(Qt::Key_Home);
        w.key(Qt::Key_End, Qt::ShiftModifier);
        w.type("hlt");
        whenMessageBoxAppears(&seen);
        QString program, rules;
        whenShown<DebugWindow>([&](DebugWindow* window) {
            program = window->findChild<QListWidget*>("program")->item(0)->text();
            rules = window->rulesText();
            QTest::keyClick(window, Qt::Key_Escape);
        });
        w.key(Qt::Key_D, Qt::AltModifier);
        QCOMPARE(seen, QString("Information: Compile successful 1 byte(s)"));
        QCOMPARE(opened.count(), 1);
        QVERIFY2(program.contains("HLT"), qPrintable(program));
        QCOMPARE(rules, QString("Workbench arithmetic"));
        // Boxes belong to the main window again once the debug window has closed.
        QCOMPARE(w.platform.owner(), w.window.get());
    }

    void newAsksBeforeDroppingChanges() {
        Workbench w;
        w.type("nop");
        QCOMPARE(w.title(), QString("Verdin - Untitled*"));

        QString seen;
        whenMessageBoxAppears(&seen, QMessageBox::Cancel);
        w.key(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(seen, QString("Warning: File was changed. Do you want to save it?"));
        QCOMPARE(w.text(), std::string("nop\r"));

        // Yes on an untitled text asks for a name; cancelling that keeps the text.
        whenShown<QMessageBox>([](QMessageBox* prompt) {
            whenFileDialogAppears({});
            press(prompt, QMessageBox::Yes);
        });
        w.key(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(w.text(), std::string("nop\r"));

        whenMessageBoxAppears(nullptr, QMessageBox::No);
        w.key(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(w.text(), std::string());
        QCOMPARE(w.title(), QString("Verdin - Untitled"));
    }

    void closingAsksAndYesSavesFirst() {
        QTemporaryDir folder;
        const QString path = folder.filePath("closing.asm");
        Workbench w;
        w.type("hlt");
        whenMessageBoxAppears(nullptr, QMessageBox::Cancel);
        QVERIFY(!w.window->close());
        QVERIFY(w.window->isVisible());

        whenShown<QMessageBox>([path](QMessageBox* prompt) {
            whenFileDialogAppears(path);
            press(prompt, QMessageBox::Yes);
        });
        QVERIFY(w.window->close());
        QCOMPARE(fileBytes(path), QByteArray("hlt\n"));

        Workbench other;
        other.type("nop");
        whenMessageBoxAppears(nullptr, QMessageBox::No);
        QVERIFY(other.window->close());
    }

    void saveReopenAndRecentFiles() {
        QTemporaryDir folder;
        const QString first = folder.filePath("first.asm");
        const QString second = folder.filePath("second");  // the Save dialog adds .asm
        Workbench w;
        w.type("nop");
        w.key(Qt::Key_Return);
        w.type("mvi a,5");
        QString caption;
        whenFileDialogAppears(first, &caption);
        w.key(Qt::Key_F2);
        QCOMPARE(caption, QString("Save as"));
        QCOMPARE(fileBytes(first), QByteArray("nop\nmvi a,5\n"));
        QCOMPARE(w.title(), "Verdin - " + first);

        w.type("0");
        QCOMPARE(w.title(), "Verdin - " + first + "*");
        w.key(Qt::Key_F2);  // a titled text saves without asking
        QCOMPARE(fileBytes(first), QByteArray("nop\nmvi a,50\n"));
        QCOMPARE(w.title(), "Verdin - " + first);

        w.key(Qt::Key_N, Qt::ControlModifier);
        w.type("hlt");
        whenFileDialogAppears(second);
        w.chooseMenuItem("&File", "Save as...");
        QCOMPARE(fileBytes(second + ".asm"), QByteArray("hlt"));  // New: no line end at all

        // Both files lead the list, in the menu and in verdin.ini.
        QMenu* file = menuOf(*w.window, "&File");
        QCOMPARE(file->actions().at(6)->text(), QString("&1 second.asm"));
        QCOMPARE(file->actions().at(7)->text(), QString("&2 first.asm"));
        QVERIFY(file->actions().at(8)->isSeparator() && file->actions().at(8)->isVisible());
        const QString ini = QDir(w.config.path()).filePath("verdin/verdin.ini");
        QCOMPARE(fileBytes(ini), (folder.path() + "/\n" + second + ".asm\n" + first + "\n\n\n").toLocal8Bit());

        // Alt+2 reopens the older one, which moves to the front.
        w.key(Qt::Key_2, Qt::AltModifier);
        QCOMPARE(w.text(), std::string("nop\rmvi a,50\r"));
        QCOMPARE(w.title(), "Verdin - " + first);
        QCOMPARE(file->actions().at(6)->text(), QString("&1 first.asm"));

        // Open (F3) through its dialog.
        whenFileDialogAppears(second + ".asm", &caption);
        w.key(Qt::Key_F3);
        QCOMPARE(caption, QString("Open"));
        QCOMPARE(w.text(), std::string("hlt"));

        // A new window reads the list back.
        w.window->editor().markSaved();
        w.window->close();
        FileSession files(w.platform, settingsFilePathFromEnvironment());
        MainWindow again(w.machine, w.platform, files);
        QCOMPARE(menuOf(again, "&File")->actions().at(6)->text(), QString("&1 second.asm"));
    }

    void translateNeedsASavedFileAndWritesBesideIt() {
        QTemporaryDir folder;
        const QString source = folder.filePath("prog.asm");
        Workbench w;
        w.type("mvi a,5");
        w.key(Qt::Key_Return);
        w.type("hlt");
        QString seen;
        whenMessageBoxAppears(&seen);
        w.chooseMenuItem("Translate to", "Z-80");
        QCOMPARE(seen, QString("Warning: File is not saved. Please save it before translating."));

        whenFileDialogAppears(source);
        w.key(Qt::Key_F2);
        whenMessageBoxAppears(&seen);
        w.chooseMenuItem("Translate to", "Intel x86");
        const QString output = folder.filePath("prog.i86");
        QCOMPARE(seen, "Information: File was saved with as " + output);
        QVERIFY(fileBytes(output).contains("HLT"));

        // A fault: its message, the caret on the line, and no file.
        w.key(Qt::Key_Up);
        w.key(Qt::Key_End);
        w.type("00");
        w.key(Qt::Key_Down);
        whenMessageBoxAppears(&seen);
        w.chooseMenuItem("Translate to", "Z-80");
        QVERIFY2(seen.startsWith("Error: Invalid operand at string 1"), qPrintable(seen));
        QCOMPARE(w.state().caretLine, 0);
        QVERIFY(!QFile::exists(folder.filePath("prog.z80")));
    }

    void helpAndAbout() {
        Workbench w;
        QSignalSpy help(w.view(), &EditorView::helpRequested);
        w.type("loop:   mov a,b");
        // Right click on the mnemonic shows its page in a pop-up; on the operands nothing.
        QTest::mouseClick(w.view(), Qt::RightButton, {}, w.view()->pointOf(0, 9));
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).toInt(), 175);
        auto* popup = w.window->findChild<HelpPopup*>();
        QVERIFY(popup != nullptr);
        QTRY_VERIFY(popup->isVisible());
        QVERIFY(popup->findChild<QTextBrowser*>()->toPlainText().contains("MOV"));
        popup->hide();
        QTest::mouseClick(w.view(), Qt::RightButton, {}, w.view()->pointOf(0, 13));
        QTest::mouseClick(w.view(), Qt::RightButton, {}, w.view()->pointOf(0, 1));
        QCOMPARE(help.count(), 1);

        // F1 opens the help window on the main window's page.
        w.key(Qt::Key_F1);
        HelpWindow* window = w.window->helpWindow();
        QTRY_VERIFY(window->isVisible());
        QVERIFY2(window->windowTitle().startsWith("Verdin Help - "), qPrintable(window->windowTitle()));
        window->close();

        QString about;
        whenShown<AboutDialog>([&about](AboutDialog* dialog) {
            about = dialog->windowTitle() + ": " + dialog->findChild<QLabel*>("aboutText")->text();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        w.key(Qt::Key_Slash, Qt::AltModifier);
        QCOMPARE(about, QString("About Verdin: Verdin Version 2.0"));
    }

    void editMenuOpensTheDialogsOverTheEditor() {
        Workbench w;
        w.type("mov a,b\rmov c,d");
        QString caption;
        whenShown<FindDialog>([&caption](FindDialog* dialog) {
            caption = dialog->windowTitle();
            dialog->reject();
        });
        w.key(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(caption, QString("Find"));
        whenShown<ReplaceDialog>([&caption](ReplaceDialog* dialog) {
            caption = dialog->windowTitle();
            dialog->reject();
        });
        w.key(Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(caption, QString("Find and Replace"));
        whenShown<CalculatorDialog>([&caption](CalculatorDialog* dialog) {
            caption = dialog->windowTitle();
            dialog->reject();
        });
        w.chooseMenuItem("Edit", "Calculator");
        QCOMPARE(caption, QString("Calculator"));
    }

    void importMakesAnUntitledChangedTextAndListsTheChanges() {
        QTemporaryDir folder;
        const QString path = folder.filePath("kit.asm");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("  MVI A,0x1F // load\n  HLT\n");
        file.close();
        Workbench w;
        whenFileDialogAppears(path);
        w.chooseMenuItem("&File", "Import...");
        QTRY_COMPARE(w.title(), QString("Verdin - Untitled*"));
        QVERIFY(w.text().find("1FH") != std::string::npos);
        auto* changes = w.window->findChild<ImportWindow*>();
        QVERIFY(changes != nullptr && changes->isVisible());
        // The imported text is nowhere on disk: New asks first.
        QString seen;
        whenMessageBoxAppears(&seen, QMessageBox::Cancel);
        w.key(Qt::Key_N, Qt::ControlModifier);
        QVERIFY2(seen.startsWith("Warning: "), qPrintable(seen));
    }

    void intelArithmeticIsRememberedAndShown() {
        Workbench w;
        QCOMPARE(w.machine.arithmeticRules, ArithmeticRules::Workbench);
        auto rulesShown = [](const MainWindow& window) {
            QStringList texts;
            for (QLabel* label : window.statusBar()->findChildren<QLabel*>()) texts << label->text();
            return texts;
        };
        QVERIFY(rulesShown(*w.window).contains("Workbench arithmetic"));
        w.chooseMenuItem("&Options", "Intel 8080 arithmetic");
        QCOMPARE(w.machine.arithmeticRules, ArithmeticRules::Intel8080);
        QVERIFY(rulesShown(*w.window).contains("Intel 8080 arithmetic"));

        // The next start (same settings folder) comes up with the option on.
        Machine machine(w.platform);
        FileSession files(w.platform, settingsFilePathFromEnvironment());
        MainWindow next(machine, w.platform, files);
        QCOMPARE(machine.arithmeticRules, ArithmeticRules::Intel8080);
        QVERIFY(rulesShown(next).contains("Intel 8080 arithmetic"));
        w.platform.setOwner(w.window.get());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
