// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "pagetext/PageDocument.h"
#include "window/PagePrint.h"
#include "window/PrintCommand.h"

#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

using namespace quillery;
using namespace quillery::test;

namespace {

QString run(const QString &program, const QStringList &args)
{
    return runProgram(program, args).out;
}

// The page number as the sheet's text has it: the extractor may drop the narrow spaces.
QString numberLine(const QString &sheet)
{
    return sheet.split(u'\n', Qt::SkipEmptyParts).first().simplified().remove(u' ');
}

// The text of each sheet of a PDF.
QStringList sheets(const QString &pdf)
{
    QStringList pages = run("pdftotext", {"-layout", pdf, "-"}).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

void pdfPrinter(QPrinter &printer, const QString &path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::Letter));
}

// A word's box on the first sheet, in points from the paper's corner.
QRectF wordAt(const QString &pdf, const QString &word)
{
    const QString boxes = run("pdftotext", {"-bbox", "-l", "1", pdf, "-"});
    const QRegularExpression re(
        "xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">" + word +
        "<");
    const auto m = re.match(boxes);
    if (!m.hasMatch())
        return QRectF();
    return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
}

QString cli(const QStringList &args, int *code = nullptr)
{
    const ProgramRun done = runProgram(QUILLERY_CLI, args);
    if (code)
        *code = done.code;
    return done.err;
}

} // namespace

class tst_pageprint : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void oneSheetCarriesNumberTitleAndDate()
    {
        BinderFixture f;
        QTextDocument text;
        text.setPlainText("Bodyword starts the page.");
        QPrinter printer;
        pdfPrinter(printer, f.path("one.pdf"));
        QVERIFY(PrintRTF(printer, text, PrintMargins(), "Shopping List", "06/12/2026 10:00:00"));
        const QStringList pages = sheets(f.path("one.pdf"));
        QCOMPARE(pages.size(), 1);
        const QStringList lines = pages.first().split(u'\n', Qt::SkipEmptyParts);
        // Number first (a quarter inch down), then the title, the text, the date last.
        QCOMPARE(numberLine(pages.first()), QString("-1-"));
        QCOMPARE(lines.at(1).trimmed(), QString("Shopping List"));
        QVERIFY(lines.at(2).contains("Bodyword"));
        QCOMPARE(lines.last().trimmed(), QString("06/12/2026 10:00:00"));

        // The text starts an inch in from the paper's edges.
        const QRectF body = wordAt(f.path("one.pdf"), "Bodyword");
        QVERIFY2(qAbs(body.x() - 72) < 2, qPrintable(QString::number(body.x())));
        QVERIFY2(body.y() >= 72 && body.y() < 80, qPrintable(QString::number(body.y())));
        const QRectF number = wordAt(f.path("one.pdf"), "1");
        QVERIFY(number.x() > 612 - 72 - 30 && number.x() < 612 - 72);
        QVERIFY2(qAbs(number.y() - 18) < 3, qPrintable(QString::number(number.y())));
        // The title and the date are centred across the sheet, each in its margin.
        const QRectF title =
            wordAt(f.path("one.pdf"), "Shopping") | wordAt(f.path("one.pdf"), "List");
        const QRectF date =
            wordAt(f.path("one.pdf"), "06/12/2026") | wordAt(f.path("one.pdf"), "10:00:00");
        QVERIFY2(qAbs(title.center().x() - 306) < 2,
                 qPrintable(QString::number(title.center().x())));
        QVERIFY2(qAbs(date.center().x() - 306) < 2, qPrintable(QString::number(date.center().x())));
        // Each starts halfway into its margin.
        QVERIFY2(qAbs(title.top() - 36) < 2, qPrintable(QString::number(title.top())));
        QVERIFY2(qAbs(date.top() - (792 - 36)) < 2, qPrintable(QString::number(date.top())));
    }

    void aLongPageRunsOverSeveralNumberedSheets()
    {
        BinderFixture f;
        QStringList paragraphs;
        for (int i = 1; i <= 200; ++i)
            paragraphs << QString("Paragraph %1 of the long page.").arg(i);
        QTextDocument text;
        text.setPlainText(paragraphs.join('\n'));
        QPrinter printer;
        pdfPrinter(printer, f.path("long.pdf"));
        QVERIFY(PrintRTF(printer, text, PrintMargins(), "Long", "today"));
        const QStringList pages = sheets(f.path("long.pdf"));
        QVERIFY(pages.size() >= 3);
        for (int n = 0; n < pages.size(); ++n) {
            const QStringList lines = pages.at(n).split(u'\n', Qt::SkipEmptyParts);
            QCOMPARE(numberLine(pages.at(n)), QString("-%1-").arg(n + 1));
            QCOMPARE(lines.at(1).trimmed(), QString("Long"));
            QCOMPARE(lines.last().trimmed(), QString("today"));
        }
        // Every paragraph printed exactly once: nothing lost or doubled at the seams.
        const QString all = pages.join("\n");
        for (int i = 1; i <= 200; ++i)
            QVERIFY2(all.count(QString("Paragraph %1 of").arg(i)) == 1,
                     qPrintable(QString::number(i)));
        // An empty text still prints its sheet.
        QTextDocument empty;
        pdfPrinter(printer, f.path("empty.pdf"));
        QVERIFY(PrintRTF(printer, empty, PrintMargins(), "", ""));
        QCOMPARE(numberLine(sheets(f.path("empty.pdf")).first()), QString("-1-"));
    }

    void eachCopyIsAJobOfItsOwn()
    {
        BinderFixture f;
        QTextDocument text;
        text.setPlainText("copy me");
        QPrinter printer;
        pdfPrinter(printer, f.path("copies.pdf"));
        printer.setCopyCount(3);
        f.dialogs.queuePrint(true);
        QCOMPARE(printTextPage(f.dialogs, printer, text, "Copies"), 3);
        QCOMPARE(printer.copyCount(), 1);
        // Each job replaced the file: one copy's sheet, not three collated.
        QCOMPARE(sheets(f.path("copies.pdf")).size(), 1);

        f.dialogs.queuePrint(false);
        QCOMPARE(printTextPage(f.dialogs, printer, text, "Copies"), 0);
        QCOMPARE(f.dialogs.calls().size(), 2); // two print dialogs, no messages
    }

    void pagesBecomeTextWithoutReadingWhatTheyName()
    {
        BinderFixture f;
        const QString secret = f.file("secret.png", readFile(QUILLERY_TEST_DATA "/rtf/red.png"));
        const QByteArray html = "<p>Visible</p><img src=\"file://" + secret.toUtf8() +
                                "\"><img src=\"" + secret.toUtf8() + "\">";
        const auto doc = pageTextDocument("HTML", html);
        QVERIFY(doc);
        QVERIFY(doc->toPlainText().contains("Visible"));
        QVERIFY(
            !doc->resource(QTextDocument::ImageResource, QUrl::fromLocalFile(secret)).isValid());
        QCOMPARE(pageTextDocument("TXT", "caf\xe9")->toPlainText(), QString("café"));
        QCOMPARE(pageTextDocument("RTF", "{\\rtf1 Rich}")->toPlainText(), QString("Rich"));
        QVERIFY(!pageTextDocument("PICTURE", "x"));
    }

    void cliPrintsTextPagesIntoOnePdf()
    {
        BinderFixture f;
        const QString binder =
            f.makeBinder("p.qly", {{"Rich.rtf", "{\\rtf1\\ansi Rich words}"},
                                   {"Photo.png", "PNG"},
                                   {"Plain.txt", "Plain words"},
                                   {"Web.html", "<p>Web words</p><img src=\"/etc/hostname\">"}});
        int code = -1;
        const QString out = f.path("all.pdf");
        cli({"print", binder, out}, &code);
        QCOMPARE(code, 0);
        const QStringList pages = sheets(out);
        QCOMPARE(pages.size(), 3);
        QVERIFY(pages.at(0).contains("Rich words") && pages.at(0).contains("Rich"));
        QVERIFY(pages.at(1).contains("Plain words"));
        QVERIFY(pages.at(2).contains("Web words"));
        for (const QString &page : pages)
            QCOMPARE(numberLine(page), QString("-1-"));

        cli({"print", binder, f.path("two.pdf"), "--pages", "3-4"}, &code);
        QCOMPARE(code, 0);
        QCOMPARE(sheets(f.path("two.pdf")).size(), 2);

        const QByteArray before = readFile(out);
        const QString said = cli({"print", binder, out}, &code);
        QCOMPARE(code, 1);
        QVERIFY(said.contains("not replaced"));
        QCOMPARE(readFile(out), before);
        cli({"print", binder, f.path("bad.pdf"), "--pages", "2-1"}, &code);
        QCOMPARE(code, 64);
        cli({"print", binder, f.path("bad.pdf"), "--pages", "9"}, &code);
        QCOMPARE(code, 1);
        cli({"print", binder, f.path("bad.pdf"), "--pages", "2"}, &code);
        QCOMPARE(code, 1); // a picture alone has nothing to print
        QVERIFY(!QFile::exists(f.path("bad.pdf")));
    }
};

QTEST_MAIN(tst_pageprint)
#include "tst_pageprint.moc"
