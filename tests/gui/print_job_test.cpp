// Printing to a PDF file, read back with pdfinfo and pdftotext: 70 lines to a page,
// the copies chosen in the Print dialog, which opens again on them. The order of
// the pages of several copies is the core's page layout, tested there.
#include <QPrintDialog>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/print_job.h"
#include "gui/qt_platform.h"
#include "gui_test_support.h"
#include "shell/editor_controller.h"

using namespace verdin;
using namespace verdin::gui;
using namespace verdin::gui::test;

namespace {
QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(30000) ? QString::fromLocal8Bit(p.readAllStandardOutput()) : QString();
}

int pageCount(const QString& pdf) {
    const auto match = QRegularExpression("Pages:\\s+(\\d+)").match(run("pdfinfo", {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The first and last printed line of one page, "line 1..line 70" for example.
QString pageSpan(const QString& pdf, int page) {
    const QString number = QString::number(page);
    const QString text = run("pdftotext", {"-layout", "-f", number, "-l", number, pdf, "-"});
    QStringList lines;
    for (const QString& l : text.split('\n'))
        if (!l.trimmed().remove('\f').isEmpty()) lines << l.trimmed();
    return lines.isEmpty() ? QString() : lines.first() + ".." + lines.last() + QString(" (%1)").arg(lines.size());
}
}  // namespace

class PrintJobTest : public QObject {
    Q_OBJECT
private slots:
    void copiesOfSeventyLinePagesAndTheDialogRemembersThem() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("dialog.pdf");
        QtPlatform platform;
        PrintJob job(platform, nullptr);
        job.printer().setOutputFileName(pdf);
        job.printer().setCollateCopies(true);  // the second page ends the first copy
        EditorController editor;
        std::string text;
        for (int i = 1; i <= 75; ++i) text += "line " + std::to_string(i) + "\r";
        QVERIFY(editor.loadText(text));
        whenShown<QPrintDialog>([](QPrintDialog* dialog) {
            dialog->findChild<QSpinBox*>("copies")->setValue(2);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QVERIFY(job.print(editor.buffer(), "/tmp/prog.asm"));
        QCOMPARE(pageCount(pdf), 4);
        QCOMPARE(pageSpan(pdf, 1), QString("line 1..line 70 (70)"));
        QCOMPARE(pageSpan(pdf, 2), QString("line 71..line 75 (5)"));
        QCOMPARE(job.printer().docName(), QString("/tmp/prog.asm"));

        int shown = 0;
        whenShown<QPrintDialog>([&shown](QPrintDialog* dialog) {
            shown = dialog->findChild<QSpinBox*>("copies")->value();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!job.print(editor.buffer(), ""));
        QCOMPARE(shown, 2);

        // A page that cannot be written is a failure, not a silent success.
        QPrinter nowhere;
        nowhere.setOutputFileName(dir.filePath("missing/folder.pdf"));
        QVERIFY(!printLines(nowhere, {"line 1"}));
    }
};

QTEST_MAIN(PrintJobTest)
#include "print_job_test.moc"
