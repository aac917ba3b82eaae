// Printing to a PDF file, read back with pdfinfo and pdftotext: 70 lines to a
// page, the copies in the order the Collate box asks for, and the Print dialog
// opening again on the options chosen the first time.
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

namespace {
QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000)) return QString();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

int pageCount(const QString& pdf) {
    const QString info = run("pdfinfo", {pdf});
    static const QRegularExpression pages("Pages:\\s+(\\d+)");
    const auto match = pages.match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The printed lines of one page, blank lines and form feeds dropped.
QStringList pageLines(const QString& pdf, int page) {
    const QString text = run("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    QStringList lines;
    for (const QString& l : text.split('\n'))
        if (!l.trimmed().remove('\f').isEmpty()) lines << l.trimmed().remove('\f');
    return lines;
}

std::vector<std::string> numbered(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
    return lines;
}

QStringList expected(int first, int last) {
    QStringList lines;
    for (int i = first; i <= last; ++i) lines << QString("line %1").arg(i);
    return lines;
}
}  // namespace

class PrintJobTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString pdf(const char* name) const { return dir_.filePath(name); }
    static void toPdf(QPrinter& printer, const QString& path) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    }

private slots:
    void seventyFiveLinesGiveTwoPages() {
        QPrinter printer;
        toPdf(printer, pdf("single.pdf"));
        QVERIFY(printLines(printer, numbered(75)));
        QCOMPARE(pageCount(pdf("single.pdf")), 2);
        QCOMPARE(pageLines(pdf("single.pdf"), 1), expected(1, 70));
        QCOMPARE(pageLines(pdf("single.pdf"), 2), expected(71, 75));

        QPrinter nowhere;
        toPdf(nowhere, pdf("missing/folder.pdf"));
        QVERIFY(!printLines(nowhere, numbered(3)));
    }

    void copiesComeOutInTheOrderCollationAsks() {
        for (bool collate : {true, false}) {
            QPrinter printer;
            const QString path = pdf(collate ? "collated.pdf" : "uncollated.pdf");
            toPdf(printer, path);
            printer.setCopyCount(2);
            printer.setCollateCopies(collate);
            QVERIFY(printLines(printer, numbered(75)));
            QCOMPARE(pageCount(path), 4);
            QCOMPARE(pageLines(path, 2), collate ? expected(71, 75) : expected(1, 70));
            QCOMPARE(pageLines(path, 3), collate ? expected(1, 70) : expected(71, 75));
            QCOMPARE(printer.copyCount(), 2);  // still what the student chose
        }
    }

    void thePrintDialogRemembersTheCopies() {
        QtPlatform platform;
        PrintJob job(platform, nullptr);
        toPdf(job.printer(), pdf("dialog.pdf"));
        EditorController editor;
        std::string text;
        for (int i = 1; i <= 75; ++i) text += "line " + std::to_string(i) + "\r";
        QVERIFY(editor.loadText(text));

        test::whenModalAppears([&](QWidget* dialog) {
            auto* copies = dialog->findChild<QSpinBox*>("copies");
            QVERIFY(copies != nullptr);
            copies->setValue(2);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QVERIFY(job.print(editor.buffer(), "/tmp/prog.asm"));
        QCOMPARE(pageCount(pdf("dialog.pdf")), 4);
        QCOMPARE(job.printer().docName(), QString("/tmp/prog.asm"));

        int shown = 0;
        test::whenModalAppears([&](QWidget* dialog) {
            if (auto* copies = dialog->findChild<QSpinBox*>("copies")) shown = copies->value();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!job.print(editor.buffer(), ""));
        QCOMPARE(shown, 2);
    }
};

QTEST_MAIN(PrintJobTest)
#include "print_job_test.moc"
