// The main window as a student drives it: menus and their keys, the editor's colours,
// mouse and clipboard, Compile with the caret sent to the fault, the save prompt,
// files and the recent list, Import, Translate, help and About. The editing rules behind
// the keys are the core's and tested there; these check the wiring and the screen.
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>
#include <memory>

#include "gui/about_dialog.h"
#include "gui/calculator_dialog.h"
#include "gui/clock_dialog.h"
#include "gui/debug_window.h"
#include "gui/find_dialog.h"
#include "gui/help_popup.h"
#include "gui/help_window.h"
#include "gui/import_window.h"
#include "gui/listing_window.h"
#include "gui/main_window.h"
#include "gui/replace_dialog.h"
#include "gui_test_support.h"
#include "workbench.h"
#include "scratch_folder.h"
#include "shell/file_session.h"
#include "shell/settings.h"

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

// Answers the next file dialog with `path`.
void whenFileDialogAppears(const QString& path, QString* caption = nullptr) {
    whenShown<QFileDialog>([path, caption](QFileDialog* dialog) {
        if (caption != nullptr) *caption = dialog->windowTitle();
        // Typed into the name field, as a person would: selectFile depends on the
        // folder model, which a helper thread fills later.
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->setText(path);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as OK does
    });
}

int textPixels(EditorView* view, int line, const QColor& colour) {
    return pixelsNear(view, QRect(view->textLeft(), line * view->lineHeight(), view->width() - 20 - view->textLeft(),
                                  view->lineHeight()),
                      colour);
}

int faultPixels(EditorView* view, int row = -1) {
    const int height = view->lineHeight();
    const QRect strip = row < 0 ? QRect(0, 0, 3, view->margin()->height()) : QRect(0, row * height, 3, height);
    return pixelsNear(view->margin(), strip, QColor(200, 30, 30));
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void startsUntitledWithItsMenusAndStatusBar() {
        Workbench w;
        QCOMPARE(w.title(), QString("Verdin - Untitled"));
        QCOMPARE(w.status(0), QString("Ln 1, Col 0;\tTotal: 1"));
        QCOMPARE(texts(w.window->menuBar()->actions()),
                 QStringList({"&File", "Edit", "&Compile", "&Debug", "Translate to", "&Options", "&Help"}));
        QMenu* file = w.menu("&File");
        QCOMPARE(texts(file->actions()),
                 QStringList({"New", "Open", "Save", "Save as...", "Import...", "Examples", "-", "-", "Print", "-", "E&xit"}));
        QVERIFY(!file->actions().at(7)->isVisible());  // no recent files: no second separator
        QMenu* edit = w.menu("Edit");
        QCOMPARE(texts(edit->actions()), QStringList({"Undo", "Redo", "-", "Copy", "Cut", "Paste", "-", "Select All",
                                                      "-", "Find", "Replace", "-", "Calculator"}));
        QCOMPARE(texts(w.menu("Translate to")->actions()), QStringList({"Z-80", "Intel x86", "-", "Save code", "Listing"}));
        QCOMPARE(texts(w.menu("&Help")->actions()), QStringList({"&About ..."}));
        for (const char* greyed : {"Copy", "Cut", "Paste", "Undo", "Redo"}) QVERIFY(!item(edit, greyed)->isEnabled());
        // The keys the other tests do not press.
        QCOMPARE(item(file, "E&xit")->shortcuts(), QList<QKeySequence>{QKeySequence("Alt+F4")});
        QCOMPARE(item(edit, "Copy")->shortcuts(), (QList<QKeySequence>{QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}));

        w.key(Qt::Key_Insert);
        QCOMPARE(w.status(1), QString("OVR"));
    }

    void typedTextIsColouredAndTheMouseSelects() {
        Workbench w;
        w.type("mov a,b\r\tdb 1 ; data\rmovx");
        QCOMPARE(w.text(), std::string("mov a,b\r        db 1 ; data\rmovx\r"));
        const QColor blue(0, 0, 200), green(0, 100, 0);
        QVERIFY(textPixels(w.view(), 0, blue) > 5);
        QCOMPARE(textPixels(w.view(), 0, green), 0);
        QVERIFY(textPixels(w.view(), 1, green) > 5);
        QCOMPARE(textPixels(w.view(), 1, blue), 0);
        QCOMPARE(textPixels(w.view(), 2, blue), 0);  // movx is no mnemonic

        // A click places the caret; a drag with the button held selects, white on black.
        QTest::mouseClick(w.view(), Qt::LeftButton, {}, w.view()->pointOf(0, 1));
        QCOMPARE(w.state().caretLine, 0);
        QCOMPARE(w.state().caretColumn, 1);
        QTest::mousePress(w.view(), Qt::LeftButton, {}, w.view()->pointOf(1, 2));
        QTest::mouseMove(w.view(), w.view()->pointOf(2, 3));
        QTest::mouseRelease(w.view(), Qt::LeftButton, {}, w.view()->pointOf(2, 3));
        QCOMPARE(w.state().selectionLow(), 8 + 2);
        QCOMPARE(w.state().selectionHigh(), 8 + 20 + 3);
        QVERIFY(textPixels(w.view(), 2, Qt::black) > 20);
    }

    void draggingPastTheBottomKeepsScrolling() {
        Workbench w;
        for (int i = 0; i < 3 * w.state().visibleLines; ++i) w.type("nop\r");
        w.key(Qt::Key_PageUp, Qt::ControlModifier);
        const QPoint below(w.view()->pointOf(0, 1).x(), w.view()->height() + 10);
        QTest::mousePress(w.view(), Qt::LeftButton, {}, w.view()->pointOf(0, 0));
        QTest::mouseMove(w.view(), below);
        // The pointer stays below the text; the timer goes on one line at a time.
        QTRY_VERIFY(w.state().topLine >= 3);
        QTest::mouseRelease(w.view(), Qt::LeftButton, {}, below);
        const int top = w.state().topLine;
        QCOMPARE(w.state().selectionLow(), 0);
        QVERIFY(w.state().selectionHigh() > 4 * (top + w.state().visibleLines - 2));
        QCOMPARE(w.view()->scrollBar()->value(), top);
    }

    void clipboardAndUndoKeys() {
        Workbench w;
        w.type("mov a,b");
        w.key(Qt::Key_Home, Qt::ShiftModifier);
        w.key(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("mov a,b"));
        w.key(Qt::Key_End);
        w.key(Qt::Key_Return);
        w.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.text(), std::string("mov a,b\rmov a,b\r"));

        // Cut (menu only) takes the line away; line ends reach other programs as LF.
        w.key(Qt::Key_Up, Qt::ShiftModifier);
        w.chooseMenuItem("Edit", "Cut");
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("\nmov a,b"));
        QCOMPARE(w.text(), std::string("mov a,b\r"));

        // Text from elsewhere: LF and CR LF become the editor's line ends.
        QGuiApplication::clipboard()->setText("nop\r\nhlt\n");
        w.key(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(w.text(), std::string("mov a,bnop\rhlt\r\r"));

        w.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.text(), std::string("mov a,b\r"));
        w.key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.text(), std::string("mov a,bnop\rhlt\r\r"));
    }

    // The editor's characters are Windows-1252: é keeps its byte both ways, a
    // typographic quote or dash with no byte becomes ASCII, anything else is left out
    // and the status bar says so.
    void pastedTextKeepsWhatHasAByte() {
        Workbench w;
        QGuiApplication::clipboard()->setText(QString::fromUtf8("db ‛café′ ; ‐ → é"));
        w.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.text(), std::string("db 'caf\xE9' ; -  \xE9\r"));
        QVERIFY2(w.window->statusBar()->currentMessage().startsWith("1 pasted character(s) left out"),
                 qPrintable(w.window->statusBar()->currentMessage()));
        w.chooseMenuItem("Edit", "Select All");
        w.key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8("db 'café' ; -  é\n"));
    }

    void compileSendsTheCaretToTheFaultAndPagesTheView() {
        Workbench w;
        const int visible = w.state().visibleLines;
        QVERIFY(visible > 3);
        for (int i = 0; i < visible + 4; ++i) w.type("\tnop\r");
        w.type("\tmvi q,1");
        const int faultLine = visible + 5;  // counted from 1
        w.key(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(w.state().topLine, 0);

        QString seen;
        whenMessageBoxAppears(&seen);
        w.key(Qt::Key_C, Qt::AltModifier);
        QVERIFY2(seen.startsWith(QString("Error: Invalid register at string %1").arg(faultLine)), qPrintable(seen));
        QCOMPARE(w.state().caretLine, faultLine - 1);
        QCOMPARE(w.state().caretColumn, 0);
        QCOMPARE(w.state().topLine, visible);  // one whole page on
        const int faultRow = faultLine - 1 - visible;
        QVERIFY(faultPixels(w.view(), faultRow) > 0);
        QCOMPARE(faultPixels(w.view()), faultPixels(w.view(), faultRow));
        QCOMPARE(w.status(0), QString("Ln %1, Col 0;\tTotal: %2").arg(faultLine).arg(faultLine + 1));

        // Mending the line clears the mark; the next compile succeeds.
        w.key(Qt::Key_End);
        for (int i = 0; i < 3; ++i) w.key(Qt::Key_Backspace);
        w.type("a,1");
        QCOMPARE(faultPixels(w.view()), 0);
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
        int zoom = 0;
        whenShown<DebugWindow>([&](DebugWindow* window) {
            program = window->findChild<QListWidget*>("program")->item(0)->text();
            rules = window->rulesText();
            QApplication::setActiveWindow(window);  // the zoom keys are the window's shortcuts
            QTest::keyClick(window, Qt::Key_Plus, Qt::ControlModifier);
            zoom = window->zoom();
            QTest::keyClick(window, Qt::Key_Escape);
        });
        w.key(Qt::Key_D, Qt::AltModifier);
        QCOMPARE(seen, QString("Information: Compile successful 1 byte(s)"));
        QCOMPARE(opened.count(), 1);
        QVERIFY2(program.contains("HLT"), qPrintable(program));
        QCOMPARE(rules, QString("Workbench arithmetic"));
        // Boxes belong to the main window again once the debug window has closed.
        QCOMPARE(w.platform.owner(), w.window.get());

        // The zoom is remembered, and the next debug window opens with it.
        QVERIFY(zoom > 0);
        QCOMPARE(readSettings(settingsFilePathFromEnvironment()).debugZoom, zoom);
        whenMessageBoxAppears(nullptr);
        whenShown<DebugWindow>([&](DebugWindow* window) { zoom -= window->zoom(), window->close(); });
        w.key(Qt::Key_D, Qt::AltModifier);
        QCOMPARE(zoom, 0);
    }

    void newAndCloseAskBeforeDroppingChanges() {
        QTemporaryDir folder;
        const QString path = folder.filePath("closing.asm");
        Workbench w;
        w.type("hlt");
        QCOMPARE(w.title(), QString("Verdin - Untitled*"));
        QString seen, hint;
        whenShown<QMessageBox>([&](QMessageBox* box) {
            seen = messageBoxLine(box);
            hint = box->informativeText();
            press(box, QMessageBox::Cancel);
        });
        w.key(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(seen, QString("Warning: File was changed. Do you want to save it?"));
        QCOMPARE(hint, QString("Untitled: never saved"));
        QCOMPARE(w.text(), std::string("hlt\r"));

        // Yes on an untitled text asks for a name and saves before the window goes.
        whenShown<QMessageBox>([path](QMessageBox* prompt) {
            whenFileDialogAppears(path);
            press(prompt, QMessageBox::Yes);
        });
        QVERIFY(w.window->close());
        QCOMPARE(fileBytes(path), QByteArray("hlt\n"));
    }

    void saveReopenAndRecentFiles() {
        QTemporaryDir folder;
        const QString first = folder.filePath("first.asm");
        const QString second = folder.filePath("second");  // the Save dialog adds .asm
        Workbench w;
        w.type("nop\rmvi a,5");
        QString caption;
        whenFileDialogAppears(first, &caption);
        w.key(Qt::Key_F2);
        QCOMPARE(caption, QString("Save as"));
        QCOMPARE(fileBytes(first), QByteArray("nop\nmvi a,5\n"));
        QCOMPARE(w.title(), "Verdin - " + first);
        w.type("0");
        w.key(Qt::Key_F2);  // a titled text saves without asking
        QCOMPARE(fileBytes(first), QByteArray("nop\nmvi a,50\n"));

        w.key(Qt::Key_N, Qt::ControlModifier);
        w.type("hlt");
        whenFileDialogAppears(second);
        w.chooseMenuItem("&File", "Save as...");
        QCOMPARE(fileBytes(second + ".asm"), QByteArray("hlt"));  // New: no line end at all
        QMenu* file = w.menu("&File");
        QCOMPARE(file->actions().at(7)->text(), QString("&1 second.asm"));
        QCOMPARE(file->actions().at(8)->text(), QString("&2 first.asm"));
        QVERIFY(file->actions().at(9)->isSeparator() && file->actions().at(9)->isVisible());

        // Alt+2 reopens the older one, which moves to the front; F3 opens through a dialog.
        w.key(Qt::Key_2, Qt::AltModifier);
        QCOMPARE(w.text(), std::string("nop\rmvi a,50\r"));
        QCOMPARE(file->actions().at(7)->text(), QString("&1 first.asm"));
        whenFileDialogAppears(second + ".asm", &caption);
        w.key(Qt::Key_F3);
        QCOMPARE(caption, QString("Open"));
        QCOMPARE(w.text(), std::string("hlt"));

    }

    void translateNeedsASavedFileAndWritesBesideIt() {
        QTemporaryDir folder;
        Workbench w;
        w.type("mvi a,5\rhlt");
        QString seen;
        whenMessageBoxAppears(&seen);
        w.chooseMenuItem("Translate to", "Z-80");
        QCOMPARE(seen, QString("Warning: File is not saved. Please save it before translating."));

        whenFileDialogAppears(folder.filePath("prog.asm"));
        w.key(Qt::Key_F2);
        whenMessageBoxAppears(&seen);
        w.chooseMenuItem("Translate to", "Intel x86");
        QCOMPARE(seen, "Information: File was saved with as " + folder.filePath("prog.i86"));
        QVERIFY(fileBytes(folder.filePath("prog.i86")).contains("HLT"));

        whenFileDialogAppears(folder.filePath("prog.dat"));
        w.chooseMenuItem("Translate to", "Save code");
        QTRY_COMPARE(fileBytes(folder.filePath("prog.dat")), QByteArray("\x3E\x05\x76", 3));
    }

    void helpAndAbout() {
        Workbench w;
        QSignalSpy help(w.view(), &EditorView::helpRequested);
        w.type("loop:   mov a,b");
        // Right click on the mnemonic shows its page in a pop-up.
        QTest::mouseClick(w.view(), Qt::RightButton, {}, w.view()->pointOf(0, 9));
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).toInt(), 175);
        auto* popup = w.window->findChild<HelpPopup*>();
        QVERIFY(popup != nullptr);
        QTRY_VERIFY(popup->isVisible());
        QVERIFY(popup->findChild<QTextBrowser*>()->toPlainText().contains("MOV"));
        popup->hide();

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

    void theMenusOpenTheirDialogsOverTheEditor() {
        Workbench w;
        w.type("mov a,b");
        QString caption;
        auto keepCaption = [&caption](QDialog* dialog) {
            caption = dialog->windowTitle();
            dialog->reject();
        };
        whenShown<FindDialog>(keepCaption);
        w.key(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(caption, QString("Find"));
        whenShown<ReplaceDialog>(keepCaption);
        w.key(Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(caption, QString("Find and Replace"));
        whenShown<CalculatorDialog>(keepCaption);
        w.chooseMenuItem("Edit", "Calculator");
        QCOMPARE(caption, QString("Calculator"));
        // Print asks for the printer first.
        caption.clear();
        whenShown<QPrintDialog>(keepCaption);
        w.chooseMenuItem("&File", "Print");
        QTRY_VERIFY(!caption.isEmpty());
    }

    void importListsTheChangesBesideAnUntitledText() {
        QTemporaryDir folder;
        const QString path = folder.filePath("kit.asm");
        testing_support::ScratchFolder::write(path.toStdString(), "// kit\n  MVI A,0x1F\n  RST 1\n");
        Workbench w;
        whenFileDialogAppears(path);
        w.chooseMenuItem("&File", "Import...");
        QTRY_COMPARE(w.title(), QString("Verdin - Untitled*"));
        QVERIFY(w.text().find("MVI A,1FH") != std::string::npos);
        auto* changes = w.window->findChild<ImportWindow*>();
        QVERIFY(changes != nullptr && changes->isVisible() && !changes->isModal());
        QCOMPARE(changes->windowTitle(), QString("Import - kit.asm"));
        QStringList shown;
        for (int i = 0; i < changes->changeList()->count(); ++i) shown << changes->changeList()->item(i)->text();
        QCOMPARE(shown, (QStringList{"line 1: \"//\" -> \";\"", "line 2: \"0x1F\" -> \"1FH\"",
                                     "line 3: by hand: RST 1 does nothing here: if it ends the program, write HLT"}));
        QVERIFY(changes->summary()->text().startsWith("2 change(s) made, 1 thing(s) to do by hand."));
        // A row names a line: a click puts the editor's caret there.
        QListWidgetItem* third = changes->changeList()->item(2);
        QTest::mouseClick(changes->changeList()->viewport(), Qt::LeftButton, {},
                          changes->changeList()->visualItemRect(third).center());
        QCOMPARE(w.state().caretLine, 2);
        QCOMPARE(w.state().caretColumn, 0);
        QTest::mouseClick(changes->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close), Qt::LeftButton);
        QTRY_VERIFY(w.window->findChild<ImportWindow*>() == nullptr);

        // A file that cannot be read is refused with a box, and the text stays.
        QString seen;
        whenMessageBoxAppears(&seen);
        QVERIFY(!w.window->importPath("/nonexistent/kit.asm"));
        QCOMPARE(seen, QString("Error: Can't open the file /nonexistent/kit.asm: No such file or directory."));
        QVERIFY(w.text().find("MVI A,1FH") != std::string::npos);
    }

    void theListingFollowsEveryCompile() {
        QTemporaryDir folder;
        const QString path = folder.filePath("l.asm");
        Workbench w;
        w.type("loop:   mvi a,5 ; five\r        jmp loop\rtext:   db 'ABCDE'\r");
        whenFileDialogAppears(path);
        w.key(Qt::Key_F2);
        w.key(Qt::Key_L, Qt::ControlModifier);
        ListingWindow* listing = w.window->listingWindow();
        QVERIFY(listing != nullptr);
        QTRY_VERIFY(listing->isVisible());
        QCOMPARE(listing->windowTitle(), QString("Listing - l.asm"));
        // Row for row what the command line prints.
        QProcess cli;
        cli.start(VERDIN_CLI_PATH, {"listing", path});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(listing->text() + '\n', QString::fromLatin1(cli.readAllStandardOutput()));
        QVERIFY(listing->view()->isReadOnly());
        // Printable: to a PDF offered beside the source, under its own name.
        QString offered;
        whenShown<QPrintDialog>([&offered](QPrintDialog* dialog) {
            offered = dialog->findChild<QLineEdit*>("filename")->text();
            // To the file, never to a printer the machine may have.
            auto* printers = dialog->findChild<QComboBox*>("printers");
            printers->setCurrentIndex(printers->count() - 1);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QTest::mouseClick(listing->findChild<QPushButton*>("printListing"), Qt::LeftButton);
        QCOMPARE(offered, folder.filePath("l-listing.pdf"));
        QProcess pdf;
        pdf.start("pdftotext", {"-layout", offered, "-"});
        QVERIFY(pdf.waitForFinished(30000));
        const QString printed = QString::fromLatin1(pdf.readAllStandardOutput());
        QVERIFY2(printed.contains("Listing of l.asm") && printed.contains("41 42 43 44 text:"), qPrintable(printed));

        // A fault replaces the rows by the message; mending and Save code brings them back.
        w.type("        mvi q,1");
        QString seen;
        whenMessageBoxAppears(&seen);
        w.key(Qt::Key_C, Qt::AltModifier);
        QVERIFY(listing->showsFault());
        QVERIFY2(listing->text().startsWith("Error: Invalid register at string 4"), qPrintable(listing->text()));
        QVERIFY(listing->summary()->text().contains("mend line 4"));
        w.key(Qt::Key_End, Qt::ShiftModifier);
        w.key(Qt::Key_Delete);
        whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        w.chooseMenuItem("Translate to", "Save code");
        QTRY_VERIFY(!listing->showsFault());
        QVERIFY(listing->text().contains("0005  41 42 43 44 text:   db 'ABCDE'"));
    }

    void anExampleOpensAsANewUntitledText() {
        Workbench w;
        QAction* examples = item(w.menu("&File"), "Examples");
        QVERIFY(examples != nullptr && examples->menu() != nullptr);
        QAction* multiply = item(examples->menu(), "multiply.asm");
        QVERIFY(multiply != nullptr);
        QVERIFY(multiply->statusTip().startsWith("Multiplication"));
        multiply->trigger();
        QCOMPARE(w.title(), QString("Verdin - Untitled"));
        QVERIFY(w.text().rfind("; Multiplication", 0) == 0);
    }

    // The arithmetic, "8085 timing" and Clock... are remembered and shown; the open help
    // page follows the arithmetic at once; each processor keeps its own clock, and the
    // Clock box offers OK only for a clock it accepts.
    void optionsAreRememberedAndShown() {
        Workbench w;
        auto rulesShown = [](const MainWindow& window) {
            QStringList shown;
            for (QLabel* label : window.statusBar()->findChildren<QLabel*>()) shown << label->text();
            return shown;
        };
        QVERIFY(rulesShown(*w.window).contains("Workbench arithmetic"));
        HelpBrowser* help = w.window->helpWindow()->browser();
        help->setSource(HelpBrowser::urlOf("sub"));
        QVERIFY(help->toPlainText().contains("Workbench rules (in force)"));
        w.chooseMenuItem("&Options", "Intel 8080 arithmetic");
        QCOMPARE(w.machine.fields().arithmeticRules, ArithmeticRules::Intel8080);
        QVERIFY(rulesShown(*w.window).contains("Intel 8080 arithmetic"));
        QTRY_VERIFY(help->toPlainText().contains("Intel 8080 rules (in force)"));

        QCOMPARE(w.machine.fields().clockKHz, 2000);
        w.chooseMenuItem("&Options", "8085 timing");
        QCOMPARE(w.machine.fields().timing, Timing::Intel8085);
        QCOMPARE(w.machine.fields().clockKHz, 3000);
        bool refused = false;
        whenShown<ClockDialog>([&](ClockDialog* dialog) {
            QCOMPARE(dialog->field()->selectedText(), QString("3"));
            auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QTest::keyClicks(dialog->field(), "0");
            refused = !ok->isEnabled();
            dialog->field()->selectAll();
            QTest::keyClicks(dialog->field(), "6.144");
            QTest::keyClick(dialog->field(), Qt::Key_Return);
        });
        w.chooseMenuItem("&Options", "Clock...");
        QTRY_COMPARE(w.machine.fields().clockKHz, 6144);
        QVERIFY(refused);

        // The next start (same settings folder) comes up with the options on.
        {
            Machine machine(w.platform);
            FileSession files(w.platform, settingsFilePathFromEnvironment());
            MainWindow next(machine, w.platform, files);
            QCOMPARE(machine.fields().arithmeticRules, ArithmeticRules::Intel8080);
            QVERIFY(rulesShown(next).contains("Intel 8080 arithmetic"));
            QCOMPARE(machine.fields().timing, Timing::Intel8085);
            QCOMPARE(machine.fields().clockKHz, 6144);
        }
        w.platform.setOwner(w.window.get());
        w.chooseMenuItem("&Options", "8085 timing");
        QCOMPARE(w.machine.fields().timing, Timing::Intel8080);
        QCOMPARE(w.machine.fields().clockKHz, 2000);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
