// Printing to a PDF file, read back with pdfinfo and pdftotext -bbox: 70 numbered
// lines to a page under a header with the file, the date and "Page N of M", every
// word inside margins of 15 mm on A4 and on Letter; the copies chosen in the Print
// dialog, which opens again on them and offers a PDF named after the source. The
// order of the pages of several copies is the core's page layout, tested there.
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

int pageCount(const QString& pdf) {
    const auto match = QRegularExpression("Pages:\\s+(\\d+)").match(run("pdfinfo", {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

struct Word {
    QRectF box;
    QString text;
};
struct Page {
    QSizeF size;
    QList<Word> words;
    // The words as a person reads them, row by row from the left, one blank between
    // them (pdftotext reads the numbers' column as a block of its own).
    QList<Word> inRows() const {
        QList<Word> sorted = words;
        std::sort(sorted.begin(), sorted.end(),
                  [](const Word& a, const Word& b) { return a.box.center().y() < b.box.center().y(); });
        QList<Word> rows;
        for (qsizetype start = 0; start < sorted.size();) {
            qsizetype end = start;
            const double row = sorted[start].box.center().y();
            while (end < sorted.size() && sorted[end].box.center().y() - row < sorted[start].box.height() / 2) ++end;
            QList<Word> one = sorted.mid(start, end - start);
            std::sort(one.begin(), one.end(), [](const Word& a, const Word& b) { return a.box.left() < b.box.left(); });
            rows += one;
            start = end;
        }
        return rows;
    }
    QString text() const {
        QStringList all;
        for (const Word& w : inRows()) all << w.text;
        return all.join(' ');
    }
};

QList<Page> pagesOf(const QString& pdf) {
    QList<Page> pages;
    static const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (const QString& line : run("pdftotext", {"-bbox", pdf, "-"}).split('\n')) {
        if (const auto m = page.match(line); m.hasMatch()) {
            pages.append(Page{QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
        } else if (const auto w = word.match(line); w.hasMatch() && !pages.isEmpty()) {
            const QPointF topLeft(w.captured(1).toDouble(), w.captured(2).toDouble());
            const QPointF bottomRight(w.captured(3).toDouble(), w.captured(4).toDouble());
            pages.last().words.append(Word{QRectF(topLeft, bottomRight), w.captured(5)});
        }
    }
    return pages;
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

        const QList<Page> pages = pagesOf(pdf);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0].text(), "sort.asm 2026-12-07 Page 1 of 2 " + numberedRows(1, 70, lines));
        QCOMPARE(pages[1].text(), "sort.asm 2026-12-07 Page 2 of 2 " + numberedRows(71, 75, lines));
        const double margin = 42.5;  // 15 mm
        for (const Page& page : pages) {
            const QRectF inside(margin, margin, page.size.width() - 2 * margin, page.size.height() - 2 * margin);
            for (const Word& word : page.words) {
                QVERIFY2(inside.contains(word.box), qPrintable(word.text + QString(" at %1,%2 %3x%4")
                                                                  .arg(word.box.x()).arg(word.box.y())
                                                                  .arg(word.box.width()).arg(word.box.height())));
            }
        }
        // The header stands above the lines, which stand beside their numbers.
        const QList<Word> read = pages[0].inRows();
        QVERIFY(read[0].box.bottom() < read[6].box.top());
        QVERIFY(read[6].box.right() < read[7].box.left());
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
        QCOMPARE(pageCount(pdf), 4);
        const QList<Page> pages = pagesOf(pdf);
        QCOMPARE(pages.size(), 4);
        QStringList headers;
        for (const Page& page : pages) headers << page.text().section(' ', 0, 0) + ' ' + page.text().section(' ', 2, 5);
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
