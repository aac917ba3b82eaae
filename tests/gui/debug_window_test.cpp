// The debug window driven as a student drives it: buttons, keys, the breakpoint
// margin, the scroll bars and double-clicks, with the machine's messages answered
// as they appear. What each command does to the machine is the core's and tested
// there; these check that the window shows it.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "files/source_file.h"
#include "gui/debug_window.h"
#include "gui/input_value_dialog.h"
#include "gui/program_list.h"
#include "gui/qt_platform.h"
#include "gui/text_screen_window.h"
#include "gui/value_edit_dialog.h"
#include "gui_test_support.h"
#include "machine/machine.h"
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
        if (compileProgram(machine, lines, true, false) != -1) qFatal("test program does not compile");
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
    // Pixels of a row painted in the colour of a value the last command changed.
    int redPixels(const char* name, int row) const {
        QListWidget* l = list(name);
        return pixelsNear(l->viewport(), l->visualItemRect(l->item(row)), QColor(200, 0, 0));
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
        d.click("step");
        QCOMPARE(d.selected(), 1);
        QCOMPARE(d.row("registers", 0), QString(" AF  01 00"));
        QVERIFY(d.redPixels("registers", 0) > 5);
        QCOMPARE(d.redPixels("registers", 1), 0);
        d.key(Qt::Key_F11);
        QCOMPARE(d.selected(), 7);
        QCOMPARE(d.row("registers", 5), QString(" PC  00 0B"));
        QCOMPARE(d.redPixels("registers", 0), 0);  // only the last step's changes
        QVERIFY(d.redPixels("registers", 5) > 5);
        QCOMPARE(d.status(), QString("Step ran line 2; line 8 runs next. (lines counted from 1)"));
    }

    void aFaultMarksItsLine() {
        Debugging d({"        NOP", "        RET", "        HLT"});
        MessageAnswerer answers;
        d.click("run");
        QCOMPARE(answers.lines.size(), 1);
        QVERIFY(answers.lines.first().startsWith("Error: Ret without Call at string 1."));
        QCOMPARE(d.program()->faultLine(), 1);
        QVERIFY(d.program()->item(1)->background() != QBrush());
        QCOMPARE(d.status(), QString("Ret without Call on line 2: the run stopped there. (lines counted from 1)"));
        d.program()->setCurrentRow(0);
        d.click("step");
        QCOMPARE(d.program()->item(1)->background(), QBrush());
    }

    void stopEndsAnEndlessRunThatTheTextScreenFollows() {
        Debugging d({"LOOP:   LXI  H,DOT", "        RST  7", "        JMP  LOOP", "DOT:    DB   'x',13,0"});
        MessageAnswerer answers;
        bool visibleAfterEsc = false, stepEnabled = true, stopEnabled = false;
        int linesDuringRun = 0;
        QTimer::singleShot(100, [&] {
            stepEnabled = d.button("step")->isEnabled();
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
        QVERIFY(linesDuringRun > 1);
        QCOMPARE(answers.lines, QStringList{"Information: Program interrupted by user"});
        QVERIFY(d.status().startsWith("Stop pressed before line "));
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
        QCOMPARE(d.status(), QString("Breakpoint on line 3: Run or Step goes on from there. (lines counted from 1)"));
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
        QCOMPARE(d.status(), QString("HLT on line 6. (lines counted from 1)"));
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

    void doubleClicksEditAnInputPortAndARegisterPair() {
        Debugging d({"        IN   3", "        HLT"});
        QString description;
        whenAsked<ValueEditDialog>("1f", nullptr, &description);
        d.doubleClick("inputPorts", 3);
        QTRY_COMPARE(d.row("inputPorts", 3), QString(" 03    1F"));  // typed digits shown in capitals
        QCOMPARE(description, QString("Input port #03"));
        QCOMPARE(d.machine.inPorts[3], 0x1F);

        whenAsked<ValueEditDialog>("12ab", nullptr, &description);
        d.doubleClick("registers", 1);
        QTRY_COMPARE(d.row("registers", 1), QString(" BC  12 AB"));
        QCOMPARE(description, QString("Registers BC"));
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
        QCOMPARE(d.machine.textScreenShown, 0);
        whenShown<InputValueDialog>([](InputValueDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        d.click("run");
        QVERIFY(d.platform.textScreen() != nullptr);
        // Cancel leaves the last answer in memory.
        QCOMPARE(d.platform.textScreen()->lines(), (QStringList{"Your name?", "Bob", ""}));
    }

    void aStepThatEndsTheProgramClosesTheTextScreen() {
        Debugging d({"        LXI  H,HI", "        RST  7", "        HLT", "HI:     DB   'hi',0"});
        MessageAnswerer answers;
        for (int i = 0; i < 2; ++i) d.click("step");
        QVERIFY(d.platform.textScreen() != nullptr);
        QCOMPARE(d.platform.textScreen()->lines(), QStringList{"hi"});
        d.click("step");  // HLT leaves the counter on its own line
        QCOMPARE(answers.lines, QStringList{"Information: Program interrupted by user"});
        QTRY_VERIFY(d.platform.textScreen() == nullptr);
        QCOMPARE(d.machine.textScreenShown, 0);
    }

    // Every example debugged to its end with Run ends as verdin-cli's run does.
    void everyExampleEndsAsTheCommandLineRunEnds() {
        const QDir examples(VERDIN_SOURCE_DIR "/examples");
        const QStringList files = examples.entryList({"*.asm"}, QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString& name : files) {
            const QString path = examples.filePath(name);
            QProcess cli;
            cli.start(VERDIN_CLI_PATH, {"run", path, "--state", "--memory", "0:16384"});
            cli.closeWriteChannel();
            QVERIFY(cli.waitForFinished(60000));
            const QJsonObject expected = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
            QVERIFY2(!expected.isEmpty(), qPrintable(name));

            LoadResult loaded = loadEditorFile(path.toStdString());
            QVERIFY(loaded.ok);
            Debugging d(loaded.text.lines);
            d.machine.sourceFolder = Machine::folderOf(path.toStdString());
            MessageAnswerer answers;
            d.click("run");
            const Machine& m = d.machine;
            QJsonObject actual{{"A", m.regA}, {"B", m.regB},  {"C", m.regC},  {"D", m.regD},
                               {"E", m.regE}, {"H", m.regH},  {"L", m.regL},  {"F", m.composeFlags()},
                               {"SP", m.sp},  {"PC", m.stopAddress}, {"status", m.lastStatus},
                               {"states", static_cast<qint64>(m.states)}};
            QJsonArray memory, out;
            for (int a = 0; a < kMemorySize; ++a) memory.append(m.memory[static_cast<std::size_t>(a)]);
            for (int p = 0; p < kPortCount; ++p) out.append(m.outPorts[static_cast<std::size_t>(p)]);
            actual["memory"] = QJsonObject{{"0", memory}};
            actual["out"] = out;
            for (auto it = actual.begin(); it != actual.end(); ++it)
                QVERIFY2(expected[it.key()] == it.value(), qPrintable(name + ": " + it.key()));
            // What the window shows is what the machine holds.
            QCOMPARE(d.row("registers", 5), QString(" PC  %1 %2")
                                                .arg(m.stopAddress >> 8, 2, 16, QChar('0'))
                                                .arg(m.stopAddress & 0xFF, 2, 16, QChar('0'))
                                                .toUpper());
        }
    }

    // The states line starts at 0 with the window, adds each Step and starts again
    // with a Run from the first line, at the clock of the options.
    void theStatesLineFollowsEveryCommand() {
        Debugging d({"        MVI  B,2", "LOOP:   DCR  B", "        JNZ  LOOP", "        HLT"});
        auto shown = [&] { return d.child<QLabel>("states")->text(); };
        QCOMPARE(shown(), QString("States: last 0, total 0 (0 µs at 2 MHz)"));
        d.click("step");
        QCOMPARE(shown(), QString("States: last 7, total 7 (3.5 µs at 2 MHz)"));
        d.machine.clockKHz = 3000;
        d.machine.timing = Timing::Intel8085;
        MessageAnswerer answers;
        d.click("run");  // MVI 7, DCR 4, JNZ 10 taken, DCR 4, JNZ 7 not taken, HLT 5
        QCOMPARE(shown(), QString("States: last 37, total 37 (12.33 µs at 3 MHz)"));
    }
};

QTEST_MAIN(DebugWindowTest)
#include "debug_window_test.moc"
