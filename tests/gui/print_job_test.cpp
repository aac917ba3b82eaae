// Printing to a PDF file, read back with pdftotext (-layout for the text, -bbox for
// where each word stands): 70 numbered lines to a page under a header with the file,
// the date and "Page N of M", every word inside margins of 15 mm on A4 and on Letter;
// the copies chosen in the Print dialog, which opens again on them and offers a PDF
// named after the source. The order of the pages of several copies is the core's
// page layout, tested there.
#include <QLineEdit>
#include <QPageSize>
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

// Each page's text as a person reads it, row by row from the left, one blank between words.
QStringList pageTexts(const QString& pdf) {
    QStringList pages = run("pdftotext", {"-layout", pdf, "-"}).split('\f', Qt::SkipEmptyParts);
    for (QString& page : pages) page = page.simplified();
    pages.removeAll(QString());
    return pages;
}

// How many words pdftotext -bbox finds, and those outside margins of `margin` points.
std::pair<int, QStringList> wordsOutsideMargins(const QString& pdf, double margin) {
    static const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    int words = 0;
    QStringList outside;
    QRectF inside;
    for (const QString& line : run("pdftotext", {"-bbox", pdf, "-"}).split('\n')) {
        if (const auto m = page.match(line); m.hasMatch()) {
            inside = QRectF(margin, margin, m.captured(1).toDouble() - 2 * margin, m.captured(2).toDouble() - 2 * margin);
        } else if (const auto w = word.match(line); w.hasMatch()) {
            ++words;
            const QRectF box(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                             QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()));
            if (!inside.contains(box)) outside << w.captured(5);
        }
    }
    return {words, outside};
}

// "3 line 3 4 line 4": rows `first`..`last` as the page shows them, number first.
QString numberedRows(int first, int last, const std::vector<std::string>& lines) {
    QStringList rows;
    for (int i = first; i <= last; ++i) rows << QString::number(i) + ' ' + QString::fromStdString(lines[i - 1]);
    return rows.join(' ');
}
}  // namespace

class PrintJobTest : public QObject {
    Q_OBJECT
private slots:
    void aPageATeacherCanGrade_data() {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::newRow("A4") << QPageSize::A4;
        QTest::newRow("Letter") << QPageSize::Letter;
    }

    void aPageATeacherCanGrade() {
        QFETCH(QPageSize::PageSizeId, paper);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("graded.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(paper));
        std::vector<std::string> lines;
        for (int i = 1; i <= 75; ++i) lines.push_back("line " + std::to_string(i));
        // The widest line a student can type, in the widest letter.
        lines[2] = std::string(80, 'W');
        QVERIFY(printLines(printer, lines, PrintHeading{"sort.asm", "2026-12-07", true}));

        QCOMPARE(pageTexts(pdf), QStringList({"sort.asm 2026-12-07 Page 1 of 2 " + numberedRows(1, 70, lines),
                                              "sort.asm 2026-12-07 Page 2 of 2 " + numberedRows(71, 75, lines)}));
        const auto [words, outside] = wordsOutsideMargins(pdf, 42.5);  // 15 mm
        QVERIFY(words > 2 * 75);
        QCOMPARE(outside, QStringList());
    }

    void copiesAndTheDialogRemembersThem() {
        QTemporaryDir dir;
        QtPlatform platform;
        PrintJob job(platform, nullptr);
        job.printer().setCollateCopies(true);  // the second page ends the first copy
        // To a file, never to a printer the machine may have.
        job.printer().setOutputFormat(QPrinter::PdfFormat);
        EditorController editor;
        std::string text;
        for (int i = 1; i <= 75; ++i) text += "line " + std::to_string(i) + "\r";
        QVERIFY(editor.loadText(text));
        // The PDF is offered beside the source, under its name.
        const QString pdf = dir.filePath("prog.pdf");
        QString offered;
        whenShown<QPrintDialog>([&offered](QPrintDialog* dialog) {
            offered = dialog->findChild<QLineEdit*>("filename")->text();
            dialog->findChild<QSpinBox*>("copies")->setValue(2);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QVERIFY(job.print(editor.buffer(), dir.filePath("prog.asm").toStdString()));
        QCOMPARE(offered, pdf);
        QStringList headers;
        for (const QString& page : pageTexts(pdf)) headers << page.section(' ', 0, 0) + ' ' + page.section(' ', 2, 5);
        QCOMPARE(headers, QStringList({"prog.asm Page 1 of 2", "prog.asm Page 2 of 2", "prog.asm Page 1 of 2",
                                       "prog.asm Page 2 of 2"}));
        QCOMPARE(job.printer().docName(), dir.filePath("prog.asm"));

        int shown = 0;
        whenShown<QPrintDialog>([&](QPrintDialog* dialog) {
            shown = dialog->findChild<QSpinBox*>("copies")->value();
            offered = dialog->findChild<QLineEdit*>("filename")->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QVERIFY(!job.print(editor.buffer(), "", dir.path().toStdString()));
        QCOMPARE(shown, 2);
        QCOMPARE(offered, dir.filePath("Untitled.pdf"));

        // A page that cannot be written is a failure, not a silent success.
        QPrinter nowhere;
        nowhere.setOutputFileName(dir.filePath("missing/folder.pdf"));
        QVERIFY(!printLines(nowhere, {"line 1"}));
    }
};

QTEST_MAIN(PrintJobTest)
#include "print_job_test.moc"
