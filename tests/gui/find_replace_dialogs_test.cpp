// Find and Find and Replace as a student uses them: the proposed fragment, typing
// into the fields, ticking a box, the buttons, and the boxes that follow. Matching
// and replacing are the core's rules and tested there.
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
using namespace verdin::gui::test;

namespace {
void click(QWidget* dialog, const QString& text) {
    for (auto* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text) return QTest::mouseClick(b, Qt::LeftButton);
    QFAIL(qPrintable("no button " + text));
}

void type(QWidget* dialog, const char* field, const QString& text) {
    auto* line = dialog->findChild<QLineEdit*>(field);
    line->selectAll();
    QTest::keyClicks(line, text);
}
}  // namespace

class FindReplaceDialogsTest : public QObject {
    Q_OBJECT
    QtPlatform platform_;

private slots:
    void findSelectsTheNextMatchOrSaysItIsMissing() {
        EditorController editor;
        QVERIFY(editor.loadText("mov a,b\rMOV c,d\r"));
        FindDialog dialog(editor, platform_);
        QString proposed;
        whenShown<FindDialog>([&](FindDialog* shown) {
            proposed = shown->windowTitle() + ": " + shown->findChild<QLineEdit*>("fragment")->selectedText();
            type(shown, "fragment", "MOV");  // typed over the proposal
            click(shown, "OK");
        });
        std::optional<FindResult> found = dialog.run();
        QCOMPARE(proposed, QString("Find: mov"));
        QVERIFY(found && found->outcome == FindOutcome::Found);
        QCOMPARE(editor.state().caretLine, 1);
        QCOMPARE(editor.state().selectionHigh() - editor.state().selectionLow(), 3);

        QString message;
        whenShown<FindDialog>([&](FindDialog* shown) {
            type(shown, "fragment", "add");
            whenMessageBoxAppears(&message);
            click(shown, "OK");
        });
        found = dialog.run();
        QVERIFY(found && found->outcome == FindOutcome::NotFound);
        QCOMPARE(message, QString("Information: Fragment was not found."));
    }

    void replaceReplacesTheNextMatchOrAllOfThem() {
        const std::string text = "; fill\rmvi a,1\rmvi b,2\r; mvi\radd b\r";
        EditorController editor;
        QVERIFY(editor.loadText(text));
        ReplaceDialog dialog(editor, platform_);
        QSignalSpy help(&dialog, &ReplaceDialog::helpRequested);
        whenShown<ReplaceDialog>([&](ReplaceDialog* shown) {
            type(shown, "fragment", "mvi");
            type(shown, "replacement", "dcr");
            click(shown, "Help");
            click(shown, "Ok");
        });
        std::optional<FindResult> result = dialog.run();
        QVERIFY(result && result->outcome == FindOutcome::Found);
        QCOMPARE(editor.text(), std::string("; fill\rdcr a,1\rmvi b,2\r; mvi\radd b\r"));
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).toInt(), kFindHelpContext);

        QString message;
        int progressRange = -1;
        bool progressGone = false;
        whenShown<ReplaceDialog>([&](ReplaceDialog* shown) {
            type(shown, "fragment", "mvi");
            type(shown, "replacement", "dcr");
            QTest::mouseClick(shown->findChild<QCheckBox*>("wholeWord"), Qt::LeftButton);
            whenShown<QMessageBox>([&](QMessageBox* box) {
                message = messageBoxLine(box);
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (auto* progress = qobject_cast<ProgressWindow*>(w)) {
                        progressRange = progress->maximum();
                        progressGone = !progress->isVisible();
                    }
                }
                press(box, QMessageBox::Ok);
            });
            click(shown, "Replace All");
        });
        result = dialog.run();
        QVERIFY(result && result->outcome == FindOutcome::Found);
        QCOMPARE(message, QString("Information: 2 replacements was(were) made."));
        QCOMPARE(progressRange, int(text.size()));
        QVERIFY(progressGone);
        QCOMPARE(editor.text(), std::string("; fill\rdcr a,1\rdcr b,2\r; dcr\radd b\r"));
    }
};

QTEST_MAIN(FindReplaceDialogsTest)
#include "find_replace_dialogs_test.moc"
