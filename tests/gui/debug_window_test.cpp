// The debug window driven as a student drives it: buttons, keys, the breakpoint
// margin, the scroll bars and double-clicks, with the machine's messages answered
// as they appear. What each command does to the machine is the core's and tested
// there; these check that the window shows it.
#include <QApplication>
#include <QAccessible>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include "files/source_file.h"
#include "gui/debug_list_delegate.h"
#include "gui/debug_window.h"
#include "gui/input_value_dialog.h"
#include "gui/program_list.h"
#include "gui/qt_platform.h"
#include "gui/text_screen_window.h"
#include "gui/value_edit_dialog.h"
#include "gui_test_support.h"
#include "machine/machine.h"
#include "scratch_folder.h"
#include "shell/commands.h"

using namespace verdin;
using namespace verdin::gui;
using namespace verdin::gui::test;

namespace {

struct Debugging {
    QtPlatform platform;
    Machine machine{platform};
    std::unique_ptr<DebugWindow> window;

    explicit Debugging(const std::vector<std::string>& lines) {
        if (compileProgram(machine, lines, {.stopAtEmptyLine = true}) != -1) qFatal("test program does not compile");
        window = std::make_unique<DebugWindow>(machine, platform);
        window->show();
        QVERIFY2(QTest::qWaitForWindowExposed(window.get()), "debug window not shown");
    }
    template <typename T>
    T* child(const char* name) const {
        T* found = window->findChild<T*>(name);
        if (found == nullptr) qFatal("no child %s", name);
        return found;
    }
    ProgramList* program() const { return child<ProgramList>("program"); }
    QListWidget* list(const char* name) const { return child<QListWidget>(name); }
    QString row(const char* name, int row) const { return list(name)->item(row)->text(); }
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    QString status() const { return child<QLabel>("status")->text(); }
    int selected() const {
        const auto items = program()->selectedItems();
        return items.isEmpty() ? -1 : program()->row(items.first());
    }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(window.get(), key, modifiers);
    }
    // A person's double-click: a click, then the second press that Qt reports as one.
    void doubleClick(const char* name, int row) const {
        QListWidget* l = list(name);
        const QPoint at = l->visualItemRect(l->item(row)).center();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
    }
    // Pixels of a row painted in `colour`, by default that of a value the last command changed.
    int redPixels(const char* name, int row, const QColor& colour = QColor(200, 0, 0)) const {
        QListWidget* l = list(name);
        return pixelsNear(l->viewport(), l->visualItemRect(l->item(row)), colour);
    }
    // At the window's smallest size every fixed entry of every list is whole inside
    // its list: all registers and flags, six rows of dump and stack, the ports' values.
    void expectEntriesInside() const {
        window->resize(window->minimumSizeHint());
        QCoreApplication::processEvents();
        const std::pair<const char*, int> lists[] = {{"registers", 6}, {"flags", 5},     {"dump", 6},
                                                     {"stack", 6},     {"inputPorts", 1}, {"outputPorts", 1}};
        for (const auto& [name, rows] : lists) {
            QListWidget* l = list(name);
            QVERIFY2(l->count() >= rows && l->sizeHintForColumn(0) <= l->viewport()->width(), name);
            for (int row = 0; row < rows; ++row)
                QVERIFY2(l->viewport()->rect().contains(l->visualItemRect(l->item(row))), qPrintable(name + QString::number(row)));
        }
    }
};

// Answers the next value dialog of type T by typing `value` and Enter.
template <typename T>
void whenAsked(const QString& value, QString* offered = nullptr, QString* description = nullptr) {
    whenShown<T>([=](T* dialog) {
        auto* field = dialog->template findChild<QLineEdit*>("value");
        if (offered != nullptr) *offered = field->selectedText();
        if (description != nullptr) *description = dialog->template findChild<QLineEdit*>("description")->text();
        QTest::keyClicks(field, value);
        QTest::keyClick(field, Qt::Key_Return);
    });
}

}  // namespace

class DebugWindowTest : public QObject {
    Q_OBJECT
private slots:
    void stepShowsTheNextLineAndTheChangedValuesInRed() {
        Debugging d({"        MVI  A,1", "        JMP  SEVEN", "        MVI  A,9", "        NOP", "        NOP",
                     "        NOP", "        NOP", "SEVEN:  INR  A", "        HLT"});
        QCOMPARE(d.window->windowTitle(), QString("Debug window"));
        QCOMPARE(d.program()->count(), 10);  // the lines and the empty line that ends them
        QCOMPARE(d.selected(), 0);
        QCOMPARE(d.redPixels("registers", 0), 0);
        const auto states = [&] { return d.child<QLabel>("states")->text(); };
        QCOMPARE(states(), QString("States: last 0, total 0 (0 µs at 2 MHz)"));
        d.click("step");
        QCOMPARE(d.selected(), 1);
        QCOMPARE(d.row("registers", 0), QString(" AF  01 00"));
        QVERIFY(d.redPixels("registers", 0) > 5);
        QCOMPARE(d.redPixels("registers", 1), 0);
        d.machine.setClockKHz(3000);  // the options' clock, read at each command
        d.key(Qt::Key_F11);
        QCOMPARE(states(), QString("States: last 10, total 17 (5.67 µs at 3 MHz)"));
        QCOMPARE(d.selected(), 7);
        QCOMPARE(d.row("registers", 5), QString(" PC  00 0B"));
        QCOMPARE(d.redPixels("registers", 0), 0);  // only the last step's changes
        QVERIFY(d.redPixels("registers", 5) > 5);
    }

    // Step back shows the window exactly as it was: every list, the selection and the
    // status; the values the undone line had changed are drawn as changed.
    void stepBackShowsTheStateOfFewerSteps() {
        const std::vector<std::string> lines = {"        MVI  A,1", "        LXI  H,100", "        MOV  M,A",
                                                "        OUT  3",   "        PUSH H",     "        INR  A",
                                                "        HLT"};
        const QStringList names = {"registers", "flags", "dump", "stack", "inputPorts", "outputPorts"};
        const auto lists = [&](const Debugging& d) {
            QStringList rows;
            for (const QString& name : names) {
                QListWidget* l = d.list(qPrintable(name));
                for (int r = 0; r < l->count(); ++r) rows << name + ":" + l->item(r)->text();
            }
            rows << QString::number(d.selected());
            return rows;
        };
        Debugging three(lines);
        for (int i = 0; i < 3; ++i) three.click("step");
        Debugging d(lines);
        QVERIFY(!d.button("stepBack")->isEnabled());
        for (int i = 0; i < 5; ++i) d.click("step");
        QVERIFY(d.button("stepBack")->isEnabled());
        d.click("stepBack");
        QVERIFY(d.redPixels("stack", 0) > 5 || d.redPixels("registers", 4) > 5);  // PUSH H taken back: SP
        d.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(lists(d), lists(three));
        QVERIFY(d.status().startsWith("Step back: line 4 runs next."));
        for (int i = 0; i < 3; ++i) d.key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!d.button("stepBack")->isEnabled());
        QCOMPARE(d.selected(), 0);
    }

    void stepOutLeavesTheSubroutine() {
        Debugging d({"        CALL SUB", "        HLT", "SUB:    MVI  A,1", "        INR  A", "        RET"});
        d.click("step");
        QCOMPARE(d.selected(), 2);
        d.key(Qt::Key_F11, Qt::ShiftModifier);
        QCOMPARE(d.selected(), 1);
        QCOMPARE(d.row("registers", 0).left(7), QString(" AF  02"));
    }

    void aFaultMarksItsLine() {
        Debugging d({"        NOP", "        RET", "        HLT"});
        MessageAnswerer answers;
        d.click("run");
        QCOMPARE(answers.lines.size(), 1);
        QVERIFY(answers.lines.first().startsWith("Error: Ret without Call at string 1."));
        QCOMPARE(d.program()->faultLine(), 1);
        QVERIFY(d.program()->item(1)->background() != QBrush());
        // The RET took SP past the top of memory.
        QCOMPARE(d.status(), QString("Ret without Call on line 2: the run stopped there. (lines counted from 1) "
                                     "SP 4000 is outside memory (0000 to 3FFF): the stack view stays where it was."));
        d.program()->setCurrentRow(0);
        d.click("step");
        QCOMPARE(d.program()->item(1)->background(), QBrush());
    }

    void stopEndsAnEndlessRunThatTheTextScreenFollows() {
        Debugging d({"LOOP:   LXI  H,DOT", "        RST  7", "        JMP  LOOP", "DOT:    DB   'x',13,0"});
        MessageAnswerer answers;
        bool visibleAfterEsc = false, stepEnabled = true, stopEnabled = false, greyDuringRun = false;
        int linesDuringRun = 0;
        QTimer::singleShot(100, [&] {
            stepEnabled = d.button("step")->isEnabled();
            greyDuringRun = d.list("registers")->property(kStaleProperty).toBool() &&
                            d.redPixels("registers", 0, d.list("registers")->palette().color(QPalette::Disabled, QPalette::Text)) > 5;
            stopEnabled = d.button("stop")->isEnabled();
            TextScreenWindow* screen = d.platform.textScreen();
            linesDuringRun = screen != nullptr && screen->isVisible() ? screen->list()->count() : 0;
            d.key(Qt::Key_Escape);
            d.window->close();
            visibleAfterEsc = d.window->isVisible();
            d.key(Qt::Key_F5, Qt::ShiftModifier);  // from the keys while the text screen shows
        });
        d.click("run");
        QVERIFY(visibleAfterEsc);
        QVERIFY(!stepEnabled && stopEnabled);
        QVERIFY(greyDuringRun);
        QVERIFY(!d.list("registers")->property(kStaleProperty).toBool());
        QVERIFY(linesDuringRun > 1);
        QCOMPARE(answers.lines, QStringList{"Information: Program interrupted by user"});
        QCOMPARE(d.platform.textScreen()->lines().first(), QString("x"));
        QVERIFY(d.button("step")->isEnabled());

        QTimer::singleShot(100, [&] { d.click("stop"); });
        d.click("run");
        QCOMPARE(answers.lines.size(), 2);
        d.key(Qt::Key_Escape);
        QTRY_VERIFY(!d.window->isVisible());
    }

    void breakpointsStepOverAndRunToHltFromTheKeys() {
        Debugging d({"        MVI  B,3", "LOOP:   CALL SUB", "        DCR  B", "        JNZ  LOOP", "        STA  20H",
                     "        HLT", "SUB:    INR  A", "        RET"});
        MessageAnswerer answers;
        ProgramList* program = d.program();
        QTest::mouseClick(program->margin(), Qt::LeftButton, {}, program->marginPoint(2));
        QCOMPARE(program->breakpoints(), QSet<int>{2});
        QCOMPARE(d.selected(), 0);  // a click in the margin leaves the selection
        d.click("run");
        QCOMPARE(d.selected(), 2);
        QVERIFY(answers.lines.isEmpty());
        d.key(Qt::Key_F5);
        QCOMPARE(d.selected(), 2);
        QCOMPARE(d.row("registers", 0).left(7), QString(" AF  02"));
        d.key(Qt::Key_F9);
        QVERIFY(program->breakpoints().isEmpty());
        d.key(Qt::Key_F11);
        d.key(Qt::Key_F11);
        QCOMPARE(d.selected(), 1);
        d.key(Qt::Key_F10);
        QCOMPARE(d.selected(), 2);
        QCOMPARE(d.status(), QString("Step over: the call returned; line 3 runs next. (lines counted from 1)"));

        d.key(Qt::Key_F5);
        QCOMPARE(answers.lines, QStringList{"Information: Program interrupted by user"});
        QCOMPARE(d.selected(), 6);
        QVERIFY(d.redPixels("dump", 4) > 5);  // cell 20H
        QVERIFY(d.button("run")->isEnabled());
        QVERIFY(!d.button("stop")->isEnabled());
    }

    void theStackAndDumpScrollAndTheDumpJumpsToAnAddress() {
        Debugging d({"        NOP"});
        QScrollBar* stackBar = d.child<QScrollBar>("stackScroll");
        QScrollBar* dumpBar = d.child<QScrollBar>("dumpScroll");
        stackBar->setFocus();
        QTest::keyClick(stackBar, Qt::Key_Up);
        QCOMPARE(d.row("stack", 0).left(4), QString("3FF2"));
        dumpBar->setFocus();
        QTest::keyClick(dumpBar, Qt::Key_PageDown);
        QCOMPARE(d.row("dump", 0).left(4), QString("0030"));
        auto* address = d.child<QLineEdit>("dumpAddress");
        address->setFocus();
        QTest::keyClicks(address, "1a3");
        QTest::keyClick(address, Qt::Key_Return);
        QCOMPARE(d.row("dump", 0).left(4), QString("01A0"));
        QCOMPARE(d.selected(), 0);  // Enter in the address field is no Step
        QCOMPARE(dumpBar->value(), 0x1A0 / 8);

        // A taller window shows more rows; at the end of memory the last ones.
        QCOMPARE(d.list("dump")->count(), 6);
        d.window->resize(d.window->width(), d.window->height() + 200);
        QTRY_VERIFY(d.list("dump")->count() > 6);
        QTRY_VERIFY(d.list("stack")->count() > 6);
        QCOMPARE(d.row("stack", d.list("stack")->count() - 1).left(4), QString("3FFE"));
    }

    // Double-clicks edit an input port and a register pair. A value that does not read
    // changes nothing: "Invalid number", and the box opens again with the text
    // selected; Cancel keeps the old value.
    void doubleClicksEditValuesAndARefusedEditChangesNothing() {
        Debugging d({"        IN   3", "        HLT"});
        QString description;
        whenAsked<ValueEditDialog>("1f", nullptr, &description);
        d.doubleClick("inputPorts", 3);
        QTRY_COMPARE(d.row("inputPorts", 3), QString(" 03    1F"));  // typed digits shown in capitals
        QCOMPARE(description, QString("Input port #03"));
        QCOMPARE(d.machine.fields().inPorts[3], 0x1F);

        whenAsked<ValueEditDialog>("12ab", nullptr, &description);
        d.doubleClick("registers", 1);
        QTRY_COMPARE(d.row("registers", 1), QString(" BC  12 AB"));
        QCOMPARE(description, QString("Registers BC"));

        QString message, offeredAgain = "unset";
        whenAsked<ValueEditDialog>("12G4");
        whenShown<QMessageBox>([&](QMessageBox* box) {
            message = messageBoxLine(box);
            press(box, QMessageBox::Ok);
            whenShown<ValueEditDialog>([&](ValueEditDialog* dialog) {
                offeredAgain = dialog->valueField()->selectedText();
                QTest::keyClick(dialog, Qt::Key_Escape);
            });
        });
        d.doubleClick("registers", 1);
        QTRY_COMPARE(offeredAgain, QString("12G4"));
        QVERIFY(message.startsWith("Error: Invalid number"));
        QCOMPARE(d.row("registers", 1), QString(" BC  12 AB"));
    }

    void aProgramWritesToTheTextScreenAndReadsAValue() {
        Debugging d({"        MVI  B,0", "        LXI  H,ASK", "        MVI  A,0", "        RST  7",
                     "        MVI  B,1", "        LXI  H,ANSWER", "        RST  7", "        MVI  B,0",
                     "        RST  7", "        LXI  H,NL", "        RST  7", "        HLT",
                     "ASK:    DB   'Your name?',13,0", "NL:     DB   13,0", "ANSWER: DS   20"});
        MessageAnswerer answers;
        QString offered = "unset";
        whenAsked<InputValueDialog>("Ada", &offered);
        d.click("run");
        TextScreenWindow* screen = d.platform.textScreen();
        QVERIFY(screen != nullptr && screen->isVisible());
        QCOMPARE(screen->windowTitle(), QString("Text screen"));
        QCOMPARE(screen->lines(), (QStringList{"Your name?", "Ada", ""}));
        QCOMPARE(offered, QString());

        // The next box offers the last answer, selected: typing replaces it.
        whenAsked<InputValueDialog>("Bob", &offered);
        d.click("run");
        QCOMPARE(offered, QString("Ada"));
        QCOMPARE(screen->lines(), (QStringList{"Your name?", "Ada", "Your name?", "Bob", ""}));

        // Esc closes the text screen; the next output opens an empty one.
        QTest::keyClick(screen, Qt::Key_Escape);
        QTRY_VERIFY(d.platform.textScreen() == nullptr);
        QVERIFY(!d.machine.services().screenShown());
        whenShown<InputValueDialog>([](InputValueDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        d.click("run");
        QVERIFY(d.platform.textScreen() != nullptr);
        // Cancel leaves the last answer in memory.
        QCOMPARE(d.platform.textScreen()->lines(), (QStringList{"Your name?", "Bob", ""}));
    }

    void onlyAStepOnTheProgramsEndClosesTheTextScreen() {
        Debugging d({"        LXI  H,HI", "        RST  7", "; said hi", "HERE:", "        HLT", "HI:     DB   'hi',0"});
        MessageAnswerer answers;
        for (int i = 0; i < 5; ++i) d.click("step");
        QCOMPARE(answers.lines, QStringList{"Information: Program interrupted by user"});
        QVERIFY2(d.platform.textScreen() != nullptr, "a comment, a label or HLT is no end of the program");
        QCOMPARE(d.platform.textScreen()->lines(), QStringList{"hi"});
        d.click("step");  // the data line
        d.click("step");  // the empty line that ends the program
        QTRY_VERIFY(d.platform.textScreen() == nullptr);
        QVERIFY(!d.machine.services().screenShown());
    }

    // The lists are measured in the font they draw with: a window font much larger
    // than the application's, and monospace fonts that ordinary desktops have with their
    // own line heights, hide nothing behind a scroll bar and cut nothing in half.
    void theListsFitTheWindowsOwnFont() {
        const QFont before = QApplication::font();
        const auto restore = qScopeGuard([&] { QApplication::setFont(before); });
        QApplication::setFont(QFont("DejaVu Sans", 7));
        QList<QFont> fonts{QFont("DejaVu Sans Mono", 16)};
        for (const char* file : {"/usr/share/fonts/truetype/noto/NotoSansMono-Regular.ttf",
                                 "/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf"}) {
            const int id = QFontDatabase::addApplicationFont(file);
            QVERIFY2(id >= 0, qPrintable(QStringLiteral("%1 is missing: run scripts/install-deps").arg(file)));
            const QString family = QFontDatabase::applicationFontFamilies(id).value(0);
            fonts << QFont(family, 9) << QFont(family, 13);
        }
        for (const QFont& font : fonts) {
            Debugging d({"        LXI  SP,3000H", "        HLT"});
            d.window->setFont(font);
            d.expectEntriesInside();
            d.key(Qt::Key_F11);
            QVERIFY2(d.redPixels("registers", 4) > 5, qPrintable(font.family()));  // SP changed
        }
    }

    // Ctrl++ and Ctrl+- scale the whole window between 6 and 32 points; Ctrl+0 goes
    // back; each change is handed on to be remembered.
    void zoomKeysScaleTheWindowWithinLimits() {
        Debugging d({"        NOP"});
        QList<int> remembered;
        connect(d.window.get(), &DebugWindow::zoomChanged, [&](int points) { remembered << points; });
        d.window->setZoom(10);
        const QSize small = d.window->size();
        d.key(Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(d.window->font().pointSize(), 11);
        d.key(Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(d.window->zoom(), 12);
        QVERIFY(d.window->width() > small.width());
        d.expectEntriesInside();
        for (int i = 0; i < 20; ++i) d.key(Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(d.window->zoom(), 6);
        d.key(Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(d.window->zoom(), 0);
        QCOMPARE(remembered.first(), 11);
        QCOMPARE(remembered.last(), 0);
    }

    // Opened as Debug opens it (modal, over the main window), the text screen of a Run
    // is whole on the screen, clear of the program and the registers, what the screen
    // shows there, and leaves the keys with the debug window. On this suite's offscreen
    // screen (1920 x 1080) it stands clear of the whole window; gui.window_manager runs
    // this under a window manager on a 1024 x 768 screen.
    void theTextScreenOpensBesideTheWindowOnTopWithoutTheKeys() {
        QtPlatform platform;
        Machine machine{platform};
        const LoadResult example = loadEditorFile(VERDIN_SOURCE_DIR "/examples/services_circle.asm");
        QVERIFY(example.ok && compileProgram(machine, example.text.lines, {.stopAtEmptyLine = true}) == -1);
        QWidget owner;
        owner.show();
        DebugWindow window(machine, platform, &owner);
        window.move(0, 0);
        window.setBreakpoint(machine.fields().programLineCount - 7, true);  // HLT: no box
        bool checked = false;
        QTimer::singleShot(0, &window, [&] {
            const auto done = qScopeGuard([&] { window.accept(); });
            QTRY_VERIFY(window.isActiveWindow());
            window.run();
            TextScreenWindow* screen = platform.textScreen();
            QVERIFY(screen != nullptr && QTest::qWaitForWindowExposed(screen));
            QTRY_VERIFY(window.screen()->availableGeometry().contains(screen->frameGeometry()));
            const bool offscreen = QGuiApplication::platformName() == "offscreen";
            if (offscreen) QVERIFY(!screen->frameGeometry().intersects(window.frameGeometry()));
            for (QGroupBox* box : window.findChildren<QGroupBox*>()) {
                if (box->title() != "Program" && box->title() != "Registers") continue;
                const QRect global(box->mapToGlobal(QPoint(0, 0)), box->size());
                QVERIFY2(!screen->frameGeometry().intersects(global), qPrintable(box->title()));
            }
            auto shownOnScreen = [&] {
                const QImage own = screen->grab().toImage();
                const QRect at = screen->geometry();
                const QImage shot = screen->screen()->grabWindow(0, at.x(), at.y(), own.width(), own.height())
                                        .toImage()
                                        .convertToFormat(own.format());
                int same = 0;
                for (int y = 0; y < own.height() && y < shot.height(); y += 2)
                    for (int x = 0; x < own.width() && x < shot.width(); x += 2) same += own.pixel(x, y) == shot.pixel(x, y);
                return same * 4 > own.width() * own.height() * 9 / 10;
            };
            QTRY_VERIFY(shownOnScreen());
            // The offscreen platform activates every window it shows; a window manager
            // leaves one shown without activating as it is.
            if (!offscreen) QVERIFY(window.isActiveWindow());
            checked = true;
        });
        window.exec();
        QVERIFY(checked);
    }

    // The arrow marks the line the next Step runs; a click moves it and says so (that
    // a paused Run goes on from there is DebugSession's). Beside each line: its number,
    // its address and its typed comment; the text stays the line, its bytes read as
    // Windows-1252.
    void theArrowShowsWhatRunsNextAndAClickMovesIt() {
        Debugging d({"        MVI  B,3 ; count", "LOOP:   DCR  B", "        JNZ  LOOP", "        MVI  A,7",
                     "        HLT", "CAF\xC9:  DB   'caf\xE9'"});
        ProgramList* program = d.program();
        QCOMPARE(program->nextLine(), 0);
        QVERIFY(pixelsNear(program->margin(), program->arrowRect(0), ProgramList::arrowColour()) > 5);
        QCOMPARE(program->item(0)->text(), QString("        MVI     B,3"));
        QCOMPARE(program->item(0)->data(kPrefixRole).toString(), QString("1  0000"));
        QCOMPARE(program->item(0)->data(kSuffixRole).toString(), QString("; count"));
        QVERIFY2(program->item(5)->text().startsWith("CAFÉ:") && program->item(5)->text().endsWith("'café'"),
                 qPrintable(program->item(5)->text()));
        QTest::mouseClick(program->viewport(), Qt::LeftButton, {}, program->visualItemRect(program->item(3)).center());
        QCOMPARE(program->nextLine(), 3);
        QCOMPARE(pixelsNear(program->margin(), program->arrowRect(0), ProgramList::arrowColour()), 0);
        d.key(Qt::Key_F11);
        QCOMPARE(d.machine.fields().regA, 7);
        QCOMPARE(program->nextLine(), 4);
    }

    // After a command the stack shows the row that holds SP, marked; the student's own
    // scroll stands until the next command. Changed output ports are red.
    void theStackFollowsSpAndChangedPortsAreRed() {
        Debugging d({"        LXI  SP,3001H", "        LXI  H,1234H", "        PUSH H", "        MVI  A,5",
                     "        OUT  3", "        HLT"});
        d.key(Qt::Key_F11);
        QCOMPARE(d.row("stack", 0), QString("3000  00 00  \u25C4 SP"));
        d.key(Qt::Key_F11);
        QScrollBar* bar = d.child<QScrollBar>("stackScroll");
        bar->setFocus();
        QTest::keyClick(bar, Qt::Key_Home);
        QCOMPARE(d.row("stack", 0).left(4), QString("0000"));
        d.program()->setCurrentRow(2);
        d.key(Qt::Key_F11);  // SP 2FFF: the row at 2FFE
        QCOMPARE(d.row("stack", 0), QString("2FFE  00 34  \u25C4 SP"));
        QVERIFY(d.redPixels("stack", 0) > 5);
        d.key(Qt::Key_F11);
        d.key(Qt::Key_F11);
        QVERIFY(d.redPixels("outputPorts", 3) > 5);
    }

    // The message box of a command is about the state it left: the lists behind it
    // show that state already, and the status line says what the box says.
    void theListsAreCurrentBeforeACommandsBoxAppears() {
        Debugging d({"        MVI  A,7", "        STA  10H", "        HLT"});
        QString registerSeen, statusSeen;
        bool stale = true;
        whenShown<QMessageBox>([&](QMessageBox* box) {
            registerSeen = d.row("registers", 0);
            statusSeen = d.status();
            stale = d.list("registers")->property(kStaleProperty).toBool();
            press(box, QMessageBox::Ok);
        });
        d.click("run");
        QCOMPARE(registerSeen, QString(" AF  07 00"));
        QVERIFY(!stale);
        QVERIFY2(statusSeen.startsWith("Program interrupted by user") || statusSeen.contains("HLT"), qPrintable(statusSeen));
    }

    // A screen reader finds a name for every control, and the rows of every list.
    void everyControlHasAnAccessibleNameAndListsExposeTheirRows() {
        Debugging d({"        MVI  A,1 ; one", "        HLT"});
        for (QWidget* w : d.window->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QListWidget*>(w) || qobject_cast<QScrollBar*>(w);
            bool part = false;  // of a list: its own scroll bars
            for (QWidget* p = w->parentWidget(); p != nullptr && !part; p = p->parentWidget())
                part = p->inherits("QAbstractScrollArea");
            if (!control || part || !w->isVisibleTo(d.window.get())) continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(a != nullptr && !a->text(QAccessible::Name).isEmpty(),
                     qPrintable(w->objectName() + " " + w->metaObject()->className()));
        }
        QAccessibleInterface* registers = QAccessible::queryAccessibleInterface(d.list("registers"));
        QCOMPARE(registers->childCount(), 6);
        QCOMPARE(registers->child(5)->text(QAccessible::Name), d.row("registers", 5));
        QAccessibleInterface* program = QAccessible::queryAccessibleInterface(d.program());
        QCOMPARE(program->child(0)->text(QAccessible::Name), QString("Line 1, address 0000: MVI A,1 ; one"));
    }
};

// The offscreen screen is 800 x 600 unless told otherwise; a student's monitor has
// room for the text screen beside the debug window, and so does this one.
int main(int argc, char** argv) {
    QTemporaryDir dir;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && dir.isValid()) {
        const QString config = dir.filePath("screen.json");
        testing_support::ScratchFolder::write(
            config.toStdString(), R"({"screens": [{"name": "desk", "x": 0, "y": 0, "width": 1920, "height": 1080}]})");
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    }
    QApplication app(argc, argv);
    DebugWindowTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "debug_window_test.moc"
