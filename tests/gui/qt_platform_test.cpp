// The core's messages reach the student as message boxes with the caption and icon
// of their kind, a hint under the message, and a Help button where a help page
// explains the message.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

#include "gui/input_value_dialog.h"
#include "gui/qt_platform.h"
#include "gui_test_support.h"

using namespace verdin;
using namespace verdin::gui;
using namespace verdin::gui::test;

class QtPlatformTest : public QObject {
    Q_OBJECT
private slots:
    void messageBoxesShowKindHintAndHelp() {
        QtPlatform platform;
        std::string opened;
        platform.setHelpHandler([&](const std::string& page) { opened = page; });
        const struct {
            MessageKind kind;
            const char* text;
            const char* hint;
            const char* help;  // the page the message's code chose
            QMessageBox::Icon icon;
            const char* line;
            int buttons;  // OK, and Help for an error with a page
        } cases[] = {
            {MessageKind::Error, "Invalid operand at string 3. Here are the most likely causes", "",
             "errors#invalid-operand", QMessageBox::Critical,
             "Error: Invalid operand at string 3. Here are the most likely causes", 2},
            // The text alone finds no page.
            {MessageKind::Error, "Invalid register at string 3", "", "", QMessageBox::Critical,
             "Error: Invalid register at string 3", 1},
            {MessageKind::Warning, "Invalid command at string 3", "", "errors#invalid-command", QMessageBox::Warning,
             "Warning: Invalid command at string 3", 1},
            {MessageKind::Information, "Compile successful 2 byte(s)", "The program ends at the empty line 2.",
             "errors#compile-successful", QMessageBox::Information, "Information: Compile successful 2 byte(s)", 1},
            // Program bytes read as Windows-1252; a path the file system gave stays UTF-8.
            {MessageKind::Information, "Text <caf\xE9> at \x80 in CAF\xC9", "", "", QMessageBox::Information,
             "Information: Text <café> at € in CAFÉ", 1},
            {MessageKind::Warning, "Can't open the file /tmp/élève.asm", "", "", QMessageBox::Warning,
             "Warning: Can't open the file /tmp/élève.asm", 1},
        };
        for (const auto& c : cases) {
            QString line, hint;
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            int buttons = 0;
            whenShown<QMessageBox>([&](QMessageBox* box) {
                line = messageBoxLine(box);
                hint = box->informativeText();
                icon = box->icon();
                buttons = static_cast<int>(box->buttons().size());
                if (QAbstractButton* help = box->button(QMessageBox::Help)) QTest::mouseClick(help, Qt::LeftButton);
                else press(box, QMessageBox::Ok);
            });
            if (*c.help != '\0') platform.showMessageWithHelp({c.kind, c.text, c.hint, c.help});
            else if (*c.hint != '\0') platform.showMessageWithHint(c.kind, c.text, c.hint);
            else platform.showMessage(c.kind, c.text);
            QCOMPARE(line, QString(c.line));
            QCOMPARE(hint, QString(c.hint));
            QCOMPARE(icon, c.icon);
            QCOMPARE(buttons, c.buttons);
        }
        QCOMPARE(opened, std::string("errors#invalid-operand"));
    }

    // The box shows the program's question and what it wants, and gives back every
    // byte it offered, even those with no printable character.
    void inputValueShowsTheQuestionAndKeepsEveryByte() {
        QtPlatform platform;
        QString prompt, kind, offered;
        whenShown<InputValueDialog>([&](InputValueDialog* dialog) {
            prompt = dialog->findChild<QLabel*>("prompt")->text();
            kind = dialog->findChild<QLabel*>("kind")->text();
            offered = dialog->field()->selectedText();
            QTest::keyClick(dialog->field(), Qt::Key_Return);
        });
        const std::optional<std::string> answer =
            platform.inputValue({"Prix en \x80 ?", ValueKind::Number, "caf\xE9\x81"});
        QCOMPARE(prompt, QString("Prix en € ?"));
        QCOMPARE(kind, QString("Type a number"));
        QCOMPARE(offered, QString("café") + QChar(0x81));
        QVERIFY(answer.has_value());
        QCOMPARE(*answer, std::string("caf\xE9\x81"));

        whenShown<InputValueDialog>([&](InputValueDialog* dialog) {
            kind = dialog->findChild<QLabel*>("kind")->text();
            QVERIFY(dialog->findChild<QLabel*>("prompt") == nullptr);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!platform.inputValue({"", ValueKind::Text, ""}).has_value());
        QCOMPARE(kind, QString("Type a text"));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
