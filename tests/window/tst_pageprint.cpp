// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "pagetext/PageDocument.h"
#include "window/PagePrint.h"

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
        QCOMPARE(numberLine(pages.first()), QString("-1-"));

        // Printed again (as Print Preview does), the text still starts an inch in.
        QVERIFY(PrintRTF(printer, text, PrintMargins(), "Shopping List", "again"));
        const QRectF body = wordAt(f.path("one.pdf"), "Bodyword");
        QVERIFY2(qAbs(body.x() - 72) < 2, qPrintable(QString::number(body.x())));
        // The title and the date are centred across the sheet, each halfway into its margin.
        const QRectF title =
            wordAt(f.path("one.pdf"), "Shopping") | wordAt(f.path("one.pdf"), "List");
        const QRectF date = wordAt(f.path("one.pdf"), "again");
        QVERIFY2(qAbs(title.center().x() - 306) < 2,
                 qPrintable(QString::number(title.center().x())));
        QVERIFY2(qAbs(title.top() - 36) < 2, qPrintable(QString::number(title.top())));
        QVERIFY2(qAbs(date.top() - (792 - 36)) < 2, qPrintable(QString::number(date.top())));

        // Margins that leave no room print nothing, and say so.
        PrintMargins wide;
        wide.left = wide.right = 5 * PrintMargins::Inch;
        QVERIFY(!PrintRTF(printer, text, wide, "Too wide", ""));
    }

    void longTextsPrintWholeOrFailSaying()
    {
        BinderFixture f;
        // Two lines nine inches apart take two sheets each: 3,800 sheets, more than one
        // layout can place at the tool's 1200 dots per inch.
        QByteArray tall = "{\\rtf1\\ansi ";
        for (int i = 0; i < 1900; ++i)
            tall += "\\pard\\sl-9000 Top\\line Bottom " + QByteArray::number(i) + "\\par ";
        tall += "}";
        // The same as one table, which cannot be laid out in parts.
        QByteArray table = "{\\rtf1\\ansi ";
        for (int i = 0; i < 1900; ++i)
            table += "\\trowd\\cellx5000\\pard\\intbl\\sl-9000 Top\\line Bottom\\cell\\row ";
        table += "\\pard}";
        const QString binder = f.makeBinder("long.qly", {{"Tall.rtf", tall}, {"Table.rtf", table}});

        int code = -1;
        cli({"print", binder, f.path("tall.pdf"), "--pages", "1"}, &code);
        QCOMPARE(code, 0);
        const QString tallPdf = f.path("tall.pdf");
        QVERIFY(run("pdfinfo", {tallPdf}).contains(QRegularExpression("Pages: *3800\n")));
        QVERIFY(run("pdftotext", {"-f", "3800", tallPdf, "-"}).contains("Bottom 1899\n"));

        const QString said = cli({"print", binder, f.path("table.pdf"), "--pages", "2"}, &code);
        QCOMPARE(code, 1);
        QVERIFY2(said.contains(": page 2 cannot be printed: A paragraph or table is too long"),
                 qPrintable(said));
        QVERIFY(!QFile::exists(f.path("table.pdf")));
    }

    void pagesBecomeTextWithoutReadingWhatTheyName()
    {
        BinderFixture f;
        const QString secret = f.file("secret.png", readFile(QUILLERY_TEST_DATA "/rtf/red.png"));
        const QByteArray html = "<p>Visible</p><img src=\"file://" + secret.toUtf8() +
                                "\"><img src=\"" + secret.toUtf8() + "\">";
        const auto doc = pageTextDocument(PageKind::HTML, html);
        QVERIFY(doc);
        QVERIFY(doc->toPlainText().contains("Visible"));
        QVERIFY(
            !doc->resource(QTextDocument::ImageResource, QUrl::fromLocalFile(secret)).isValid());
        QCOMPARE(pageTextDocument(PageKind::TXT, "caf\xe9")->toPlainText(), QString("café"));
        QCOMPARE(pageTextDocument(PageKind::RTF, "{\\rtf1 Rich}")->toPlainText(), QString("Rich"));
        QVERIFY(!pageTextDocument(PageKind::PICTURE, "x"));
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
        QVERIFY(pages.at(0).contains("Rich words"));
        QVERIFY(pages.at(1).contains("Plain words"));
        QVERIFY(pages.at(2).contains("Web words"));

        const QByteArray before = readFile(out);
        const QString said = cli({"print", binder, out}, &code);
        QCOMPARE(code, 1);
        QVERIFY(said.contains("not replaced"));
        QCOMPARE(readFile(out), before);
        cli({"print", binder, f.path("bad.pdf"), "--pages", "2-1"}, &code);
        QCOMPARE(code, 64);
        cli({"print", binder, f.path("bad.pdf"), "--pages", "5"}, &code); // one past the last
        QCOMPARE(code, 1);
        cli({"print", binder, f.path("bad.pdf"), "--pages", "2"}, &code);
        QCOMPARE(code, 1); // a picture alone has nothing to print
        QVERIFY(!QFile::exists(f.path("bad.pdf")));
    }
};

QTEST_MAIN(tst_pageprint)
#include "tst_pageprint.moc"
