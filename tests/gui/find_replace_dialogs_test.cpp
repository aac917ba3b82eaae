// Find and Find and Replace as a student uses them: the proposed fragment, typing
// into the fields, ticking the boxes, the buttons, and the message boxes that
// follow, with what the editor's text and selection look like afterwards.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "gui/find_dialog.h"
#include "gui/progress_window.h"
#include "gui/qt_platform.h"
#include "gui/replace_dialog.h"
#include "gui_test_support.h"

using namespace verdin;
using namespace verdin::gui;

namespace {
QPushButton* button(QWidget* dialog, const QString& text) {
    for (auto* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

std::string selected(const EditorController& editor) {
    const EditorState& s = editor.state();
    return editor.text().substr(static_cast<size_t>(s.selectionLow()),
                                static_cast<size_t>(s.selectionHigh() - s.selectionLow()));
}
}  // namespace

class FindReplaceDialogsTest : public QObject {
    Q_OBJECT
    QtPlatform platform_;

private slots:
    void findSelectsTheNextMatchOrSaysItIsMissing() {
        EditorController editor;
        QVERIFY(editor.loadText("mov a,b\rMOV c,d\rmov e,a\r"));
        FindDialog dialog(editor, platform_);
        QCOMPARE(dialog.windowTitle(), QString("Find"));

        QString proposed;
        test::whenModalAppears([&](QWidget*) {
            auto* fragment = dialog.findChild<QLineEdit*>("fragment");
            proposed = fragment->selectedText();
            QTest::keyClicks(fragment, "MOV");  // typed over the proposal
            QTest::mouseClick(button(&dialog, "OK"), Qt::LeftButton);
        });
        std::optional<FindResult> found = dialog.run();
        QCOMPARE(proposed, QString("mov"));
        QVERIFY(found && found->outcome == FindOutcome::Found);
        // The match at the caret is skipped; match case off finds the capitals.
        QCOMPARE(editor.state().caretLine, 1);
        QCOMPARE(selected(editor), std::string("MOV"));

        QString message;
        test::whenModalAppears([&](QWidget*) {
            QTest::keyClicks(dialog.findChild<QLineEdit*>("fragment"), "add");
            test::whenModalAppears([&](QWidget* box) {
                message = test::messageBoxLine(box);
                test::press(box, QMessageBox::Ok);
            });
            QTest::mouseClick(button(&dialog, "OK"), Qt::LeftButton);
        });
        found = dialog.run();
        QVERIFY(found && found->outcome == FindOutcome::NotFound);
        QCOMPARE(message, QString("Information: Fragment was not found."));
    }

    void replaceAllThroughTheDialog() {
        EditorController editor;
        QVERIFY(editor.loadText("; fill\rmvi a,1\rmvi b,2\r; mvi\radd b\r"));
        ReplaceDialog dialog(editor, platform_);
        QCOMPARE(dialog.windowTitle(), QString("Find and Replace"));

        QString message;
        int progressRange = -1;
        bool progressGone = false;
        test::whenModalAppears([&](QWidget*) {
            QTest::keyClicks(dialog.findChild<QLineEdit*>("fragment"), "mvi");
            QTest::keyClicks(dialog.findChild<QLineEdit*>("replacement"), "MVI");
            QTest::mouseClick(dialog.findChild<QCheckBox*>("wholeWord"), Qt::LeftButton);
            test::whenModalAppears([&](QWidget* box) {
                message = test::messageBoxLine(box);
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (auto* progress = qobject_cast<ProgressWindow*>(w)) {
                        progressRange = progress->maximum();
                        progressGone = !progress->isVisible();
                    }
                }
                test::press(box, QMessageBox::Ok);
            });
            QTest::mouseClick(button(&dialog, "Replace All"), Qt::LeftButton);
        });
        std::optional<FindResult> result = dialog.run();
        QVERIFY(result && result->outcome == FindOutcome::Found);
        QCOMPARE(message, QString("Information: 3 replacements was(were) made."));
        QCOMPARE(progressRange, int(std::string("; fill\rmvi a,1\rmvi b,2\r; mvi\radd b\r").size()));
        QVERIFY(progressGone);
        QCOMPARE(editor.text(), std::string("; fill\rMVI a,1\rMVI b,2\r; MVI\radd b\r"));
        QVERIFY(editor.state().modified);
        QVERIFY(editor.undo());
        QCOMPARE(editor.text(), std::string("; fill\rmvi a,1\rmvi b,2\r; mvi\radd b\r"));
    }

    void okReplacesOnlyTheNextMatchAndCancelNothing() {
        EditorController editor;
        QVERIFY(editor.loadText("inr a\rinr a\rinr a\r"));
        ReplaceDialog dialog(editor, platform_);
        QSignalSpy help(&dialog, &ReplaceDialog::helpRequested);

        QString proposed;
        test::whenModalAppears([&](QWidget*) {
            proposed = dialog.findChild<QLineEdit*>("fragment")->text();
            QTest::keyClicks(dialog.findChild<QLineEdit*>("replacement"), "dcr");
            QTest::mouseClick(button(&dialog, "Help"), Qt::LeftButton);
            QTest::mouseClick(button(&dialog, "Ok"), Qt::LeftButton);
        });
        std::optional<FindResult> result = dialog.run();
        QCOMPARE(proposed, QString("inr"));
        QVERIFY(result && result->outcome == FindOutcome::Found);
        QCOMPARE(editor.text(), std::string("inr a\rdcr a\rinr a\r"));
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).toInt(), kFindHelpContext);

        test::whenModalAppears([&](QWidget*) {
            QTest::keyClicks(dialog.findChild<QLineEdit*>("replacement"), "xyz");
            QTest::keyClick(dialog.findChild<QLineEdit*>("replacement"), Qt::Key_Escape);
        });
        QVERIFY(!dialog.run());
        QCOMPARE(editor.text(), std::string("inr a\rdcr a\rinr a\r"));
    }
};

QTEST_MAIN(FindReplaceDialogsTest)
#include "find_replace_dialogs_test.moc"
