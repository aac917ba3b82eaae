// The debug window driven as a student drives it: buttons, keys, the breakpoint
// margin, the scroll bars and double-clicks, with the machine's messages answered
// as they appear.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "gui/debug_window.h"
#include "gui/input_value_dialog.h"
#include "gui/program_list.h"
#include "gui/qt_platform.h"
#include "gui/text_screen_window.h"
#include "gui/value_edit_dialog.h"
#include "gui_test_support.h"
#include "machine/machine.h"
#include "shell/commands.h"
#include "files/source_file.h"

using namespace verdin;
using namespace verdin::gui;

namespace {

// Presses OK on every message box that opens while it lives, keeping their lines.
class MessageAnswerer : public QObject {
public:
    QStringList lines;
    MessageAnswerer() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            lines << test::messageBoxLine(box);
            test::press(box, QMessageBox::Ok);
        });
        timer_.start(5);
    }

private:
    QTimer timer_;
};

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
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    QString status() const { return child<QLabel>("status")->text(); }
    int selected() const {
        const auto items = program()->selectedItems();
        return items.isEmpty() ? -1 : program()->row(items.first());
    }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    void doubleClick(QListWidget* list, int row) const {
        // A person's double-click: a click, then the second press that Qt reports as
        // a double-click.
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    QList<int> changedSpans(const char* name, int row) const {
        return list(name)->item(row)->data(Qt::UserRole + 1).value<QList<int>>();
    }
};

}  // namespace

class DebugWindowTest : public QObject {
    Q_OBJECT
private slots:
    void stepSelectsTheNextLineAndAJumpSelectsItsTarget() {
        Debugging d({"        MVI  A,1", "        JMP  SEVEN", "        MVI  A,9", "        NOP", "        NOP",
                     "        NOP", "        NOP", "SEVEN:  INR  A", "        HLT"});
        QCOMPARE(d.window->windowTitle(), QString("Debug window"));
        QCOMPARE(d.program()->count(), 10);  // the lines and the empty line that ends them
        QCOMPARE(d.selected(), 0);
        QCOMPARE(d.list("stack")->item(0)->text(), QString("3FF4  00 00"));
        QCOMPARE(d.list("dump")->item(0)->text(), QString("0000   3E 01 C3 0B 00 3E 09 00 "));
        d.click("step");
        QCOMPARE(d.selected(), 1);
        QCOMPARE(d.list("registers")->item(0)->text(), QString(" AF  01 00"));
        QVERIFY(!d.changedSpans("registers", 0).isEmpty());
        QVERIFY(d.changedSpans("registers", 1).isEmpty());
        QTest::keyClick(d.window.get(), Qt::Key_F11);
        QCOMPARE(d.selected(), 7);
        QCOMPARE(d.list("registers")->item(5)->text(), QString(" PC  00 0B"));
        QVERIFY2(d.changedSpans("registers", 0).isEmpty(), "only the last step's changes");
        QCOMPARE(d.status(), QString("Step ran line 2; line 8 runs next. (lines counted from 1)"));
    }

    void runToHltShowsTheMessageAndTheStatusLine() {
        Debugging d({"        MVI  A,5", "        MOV  B,A", "        STA  20H", "        HLT"});
        MessageAnswerer answers;
        d.click("run");
        QCOMPARE(answers.lines, QStringList{"Information: Program interrupted by user"});
        QCOMPARE(d.status(), QString("HLT on line 4. (lines counted from 1)"));
        QCOMPARE(d.selected(), 4);
        QCOMPARE(d.list("registers")->item(1)->text(), QString(" BC  05 00"));
        QCOMPARE(d.changedSpans("dump", 4), (QList<int>{7, 2}));  // cell 20H
        QVERIFY(d.button("run")->isEnabled());
        QVERIFY(!d.button("stop")->isEnabled());
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
        QCOMPARE(d.program()->faultLine(), -1);
        QCOMPARE(d.program()->item(1)->background(), QBrush());
    }

    void stopEndsAnEndlessRunAndEscIsIgnoredUntilThen() {
        Debugging d({"LOOP:   INR  A", "        JMP  LOOP"});
        MessageAnswerer answers;
        bool visibleAfterEsc = false, stepEnabled = true, stopEnabled = false;
        QTimer::singleShot(100, [&] {
            stepEnabled = d.button("step")->isEnabled();
            stopEnabled = d.button("stop")->isEnabled();
            QTest::keyClick(d.window.get(), Qt::Key_Escape);
            d.window->close();
            visibleAfterEsc = d.window->isVisible();
            d.click("stop");
        });
        d.click("run");
        QVERIFY(visibleAfterEsc);
        QVERIFY(!stepEnabled);
        QVERIFY(stopEnabled);
        QCOMPARE(answers.lines, QStringList{"Information: Program interrupted by user"});
        QVERIFY(d.status().startsWith("Stop pressed before line "));
        QVERIFY(d.button("step")->isEnabled());
        QTest::keyClick(d.window.get(), Qt::Key_Escape);
        QTRY_VERIFY(!d.window->isVisible());
    }

    void breakpointStopsTheRunAndRunGoesOnFromIt() {
        Debugging d({"        MVI  B,3", "LOOP:   INR  A", "        DCR  B", "        JNZ  LOOP", "        HLT"});
        MessageAnswerer answers;
        ProgramList* program = d.program();
        QTest::mouseClick(program->margin(), Qt::LeftButton, {}, program->marginPoint(2));
        QCOMPARE(program->breakpoints(), QSet<int>{2});
        QCOMPARE(d.selected(), 0);  // a click in the margin leaves the selection
        d.click("run");
        QCOMPARE(d.selected(), 2);
        QCOMPARE(d.status(), QString("Breakpoint on line 3: Run or Step goes on from there. (lines counted from 1)"));
        QVERIFY(answers.lines.isEmpty());
        QCOMPARE(d.list("registers")->item(0)->text().left(7), QString(" AF  01"));
        QTest::keyClick(d.window.get(), Qt::Key_F5);
        QCOMPARE(d.selected(), 2);
        QCOMPARE(d.list("registers")->item(0)->text().left(7), QString(" AF  02"));
        QTest::keyClick(d.window.get(), Qt::Key_F9);
        QVERIFY(program->breakpoints().isEmpty());
        d.click("run");
        QCOMPARE(d.list("registers")->item(0)->text().left(7), QString(" AF  03"));
        QCOMPARE(answers.lines, QStringList{"Information: Program interrupted by user"});
    }

    void stepOverRunsTheWholeSubroutine() {
        Debugging d({"        CALL SUB", "        MOV  B,A", "        HLT", "SUB:    MVI  A,7", "        RET"});
        QTest::keyClick(d.window.get(), Qt::Key_F10);
        QCOMPARE(d.selected(), 1);
        QCOMPARE(d.list("registers")->item(0)->text().left(7), QString(" AF  07"));
        QCOMPARE(d.list("registers")->item(4)->text(), QString(" SP  3F FE"));
        QCOMPARE(d.list("stack")->item(5)->text(), QString("3FFE  00 00"));
        QCOMPARE(d.changedSpans("stack", 4), (QList<int>{6, 2}));  // the return address 0003
        QCOMPARE(d.status(), QString("Step over: the call returned; line 2 runs next. (lines counted from 1)"));
    }

    void theStackAndDumpScrollAndTheDumpJumpsToAnAddress() {
        Debugging d({"        NOP"});
        QScrollBar* stackBar = d.child<QScrollBar>("stackScroll");
        QScrollBar* dumpBar = d.child<QScrollBar>("dumpScroll");
        QListWidget* stack = d.list("stack");
        QListWidget* dump = d.list("dump");
        stackBar->setFocus();
        QTest::keyClick(stackBar, Qt::Key_Up);
        QCOMPARE(stack->item(0)->text().left(4), QString("3FF2"));
        QTest::keyClick(stackBar, Qt::Key_End);
        QCOMPARE(stack->item(stack->count() - 1)->text().left(4), QString("3FFE"));
        dumpBar->setFocus();
        QTest::keyClick(dumpBar, Qt::Key_PageDown);
        QCOMPARE(dump->item(0)->text().left(4), QString("0030"));
        QTest::keyClick(dumpBar, Qt::Key_End);
        QCOMPARE(dump->item(dump->count() - 1)->text().left(4), QString("3FF8"));
        QTest::keyClick(dumpBar, Qt::Key_Home);
        QCOMPARE(dump->item(0)->text().left(4), QString("0000"));
        auto* address = d.child<QLineEdit>("dumpAddress");
        address->setFocus();
        QTest::keyClicks(address, "1a3");
        QTest::keyClick(address, Qt::Key_Return);
        QCOMPARE(dump->item(0)->text().left(4), QString("01A0"));
        QCOMPARE(d.selected(), 0);  // Enter in the address field is no Step
        QCOMPARE(dumpBar->value(), 0x1A0 / 8);

        // A taller window shows more rows; at the end of memory the last ones.
        QCOMPARE(dump->count(), 6);
        d.window->resize(d.window->width(), d.window->height() + 200);
        QTRY_VERIFY(dump->count() > 6);
        QTRY_VERIFY(stack->count() > 6);
        QCOMPARE(stack->item(stack->count() - 1)->text().left(4), QString("3FFE"));
    }

    void theTextScreenFollowsARunAsItGoes() {
        Debugging d({"LOOP:   LXI  H,DOT", "        RST  7", "        JMP  LOOP", "DOT:    DB   'x',13,0"});
        MessageAnswerer answers;
        int linesDuringRun = 0;
        bool shownDuringRun = false;
        QTimer::singleShot(100, [&] {
            shownDuringRun = d.platform.textScreen() != nullptr && d.platform.textScreen()->isVisible();
            linesDuringRun = shownDuringRun ? d.platform.textScreen()->list()->count() : 0;
            QTest::keyClick(d.window.get(), Qt::Key_F5, Qt::ShiftModifier);
        });
        d.click("run");
        QVERIFY(shownDuringRun);
        QVERIFY(linesDuringRun > 1);
        QVERIFY(d.status().startsWith("Stop pressed"));
        QCOMPARE(d.platform.textScreen()->lines().first(), QString("x"));
    }

    void editingAnInputPortAndARegisterPair() {
        Debugging d({"        IN   3", "        HLT"});
        QListWidget* ports = d.list("inputPorts");
        QString errorLine, description;
        test::whenModalAppears([&](QWidget* modal) {
            description = modal->findChild<QLineEdit*>("description")->text();
            test::whenModalAppears([&](QWidget* box) {
                errorLine = test::messageBoxLine(box);
                test::press(box, QMessageBox::Ok);
            });
            auto* value = modal->findChild<QLineEdit*>("value");
            QTest::keyClicks(value, "1g");
            QCOMPARE(value->text(), QString("1G"));
            QTest::keyClick(value, Qt::Key_Return);
        });
        d.doubleClick(ports, 3);
        QTRY_VERIFY(!errorLine.isEmpty());
        QCOMPARE(description, QString("Input port #03"));
        QVERIFY(errorLine.startsWith("Error: Invalid number. String you have been typed has illegal character(s)."));
        QCOMPARE(ports->item(3)->text(), QString(" 03    01"));
        QCOMPARE(d.machine.inPorts[3], 1);

        QListWidget* registers = d.list("registers");
        test::whenModalAppears([&](QWidget* modal) {
            description = modal->findChild<QLineEdit*>("description")->text();
            QTest::keyClicks(modal->findChild<QLineEdit*>("value"), "12ab");
            QTest::keyClick(modal->findChild<QLineEdit*>("value"), Qt::Key_Return);
        });
        d.doubleClick(registers, 1);
        QTRY_COMPARE(registers->item(1)->text(), QString(" BC  12 AB"));
        QCOMPARE(description, QString("Registers BC"));
    }

    void aProgramWritesToTheTextScreenAndReadsAValue() {
        Debugging d({"        MVI  B,0", "        LXI  H,ASK", "        MVI  A,0", "        RST  7",
                     "        MVI  B,1", "        LXI  H,ANSWER", "        RST  7", "        MVI  B,0",
                     "        RST  7", "        LXI  H,NL", "        RST  7", "        HLT",
                     "ASK:    DB   'Your name?',13,0", "NL:     DB   13,0", "ANSWER: DS   20"});
        MessageAnswerer answers;
        QString offered;
        test::whenModalAppears([&](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QString("Input value"));
            auto* field = modal->findChild<QLineEdit*>("value");
            offered = field->text();
            QTest::keyClicks(field, "Ada");
            QTest::keyClick(field, Qt::Key_Return);
        });
        d.click("run");
        TextScreenWindow* screen = d.platform.textScreen();
        QVERIFY(screen != nullptr);
        QVERIFY(screen->isVisible());
        QCOMPARE(screen->windowTitle(), QString("Text screen"));
        QCOMPARE(screen->lines(), (QStringList{"Your name?", "Ada", ""}));
        QCOMPARE(offered, QString());

        // The next box offers the last answer, selected: typing replaces it.
        test::whenModalAppears([&](QWidget* modal) {
            auto* field = modal->findChild<QLineEdit*>("value");
            offered = field->selectedText();
            QTest::keyClicks(field, "Bob");
            QTest::keyClick(field, Qt::Key_Return);
        });
        d.click("run");
        QCOMPARE(offered, QString("Ada"));
        QCOMPARE(screen->lines(), (QStringList{"Your name?", "Ada", "Your name?", "Bob", ""}));

        // Esc closes the text screen; the next output opens an empty one.
        QTest::keyClick(screen, Qt::Key_Escape);
        QTRY_VERIFY(d.platform.textScreen() == nullptr);
        QCOMPARE(d.machine.textScreenShown, 0);
        test::whenModalAppears([&](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
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
        QCOMPARE(d.status(), QString("HLT on line 3. (lines counted from 1)"));
    }

    // Every example debugged to its end ends as verdin-cli's run does.
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
            const std::pair<const char*, std::int32_t> values[] = {
                {"A", m.regA}, {"B", m.regB},   {"C", m.regC},           {"D", m.regD},        {"E", m.regE},
                {"H", m.regH}, {"L", m.regL},   {"F", m.composeFlags()}, {"SP", m.sp},         {"PC", m.stopAddress},
                {"status", m.lastStatus}};
            for (const auto& [key, value] : values) {
                QVERIFY2(expected[key].toInt() == value, qPrintable(name + ": " + key));
            }
            const QJsonArray memory = expected["memory"].toObject()["0"].toArray();
            QCOMPARE(memory.size(), kMemorySize);
            for (int a = 0; a < kMemorySize; ++a) {
                if (memory[a].toInt() != m.memory[static_cast<std::size_t>(a)]) {
                    QFAIL(qPrintable(name + QString(": memory cell %1").arg(a)));
                }
            }
            const QJsonArray out = expected["out"].toArray();
            for (int p = 0; p < kPortCount; ++p) QVERIFY(out[p].toInt() == m.outPorts[static_cast<std::size_t>(p)]);
            // What the window shows is what the machine holds.
            QCOMPARE(d.list("registers")->item(5)->text(),
                     QString(" PC  %1 %2").arg(m.stopAddress >> 8, 2, 16, QChar('0')).arg(m.stopAddress & 0xFF, 2, 16, QChar('0')).toUpper());
        }
    }
};

QTEST_MAIN(DebugWindowTest)
#include "debug_window_test.moc"
