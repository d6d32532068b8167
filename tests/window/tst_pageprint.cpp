// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "TextDocumentSupport.h"
#include "pagetext/PageDocument.h"
#include "window/PagePrint.h"

#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

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

ProgramRun cli(const QStringList &args)
{
    return runProgram(QUILLERY_CLI, args);
}

// The text inside the sheets' one-inch margins, without white space: Qt draws the line
// before a sheet's first line too, hidden in the margin, where a PDF reader still finds it.
QString bodyText(const QString &pdf)
{
    const QRegularExpression size("Page size: *([0-9.]+) x ([0-9.]+) pts");
    const auto paper = size.match(run("pdfinfo", {pdf}));
    const int width = int(paper.captured(1).toDouble()) - 144;
    const int height = int(paper.captured(2).toDouble()) - 144;
    return run("pdftotext", {"-x", "72", "-y", "72", "-W", QString::number(width), "-H",
                             QString::number(height), pdf, "-"})
        .remove(QRegularExpression("\\s"));
}

// How often each line "WORD N" (such as "Line 12") occurs in the text.
QHash<QString, int> numberedLines(const QString &text, const QString &words)
{
    QHash<QString, int> counts;
    const QRegularExpression line("\\b(" + words + ") (\\d+)\\b");
    for (auto it = line.globalMatch(text); it.hasNext();)
        ++counts[it.next().captured()];
    return counts;
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
        const QString pdf = f.path("one.pdf");
        QPrinter printer;
        pdfPrinter(printer, pdf);
        QVERIFY(printTextDocument(printer, text, PrintMargins(), "Shopping List",
                                  "06/12/2026 10:00:00"));
        const QStringList pages = sheets(pdf);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(numberLine(pages.first()), QString("-1-"));

        // Printed again (as Print Preview does), the text still starts an inch in.
        QVERIFY(printTextDocument(printer, text, PrintMargins(), "Shopping List", "again"));
        QVERIFY(qAbs(wordAt(pdf, "Bodyword").x() - 72) < 2);
        // The title and the date are centred across the sheet, each halfway into its margin.
        const QRectF title = wordAt(pdf, "Shopping") | wordAt(pdf, "List");
        QVERIFY(qAbs(title.center().x() - 306) < 2);
        QVERIFY(qAbs(title.top() - 36) < 2);
        QVERIFY(qAbs(wordAt(pdf, "again").top() - (792 - 36)) < 2);

        // Margins that leave no room print nothing, and say so.
        PrintMargins wide;
        wide.left = wide.right = 5 * PrintMargins::Inch;
        QVERIFY(!printTextDocument(printer, text, wide, "Too wide", ""));
    }

    // A bottom margin unlike the top one is kept: the text fills the sheet down to it.
    void aDeepBottomMarginIsKept()
    {
        BinderFixture f;
        QStringList rows;
        for (int i = 1; i <= 80; ++i)
            rows << QString("Row%1").arg(i);
        QTextDocument text;
        text.setPlainText(rows.join(u'\n'));
        PrintMargins deep;
        deep.bottom = 4 * PrintMargins::Inch;
        const QString pdf = f.path("deep.pdf");
        QPrinter printer;
        pdfPrinter(printer, pdf);
        QVERIFY(printTextDocument(printer, text, deep, "", ""));
        int last = 0;
        while (last < 80 && !wordAt(pdf, QString("Row%1").arg(last + 1)).isNull())
            ++last;
        QVERIFY(last > 1 && last < 80);
        const double bottom = wordAt(pdf, QString("Row%1").arg(last)).bottom();
        const double marginTop = 792 - 4 * 72;
        QVERIFY2(bottom <= marginTop + 1 && bottom > marginTop - 40,
                 qPrintable(QString::number(bottom)));
    }

    // Thousands of paragraphs are laid out a part at a time, a part never starting just
    // after a table (here where the first part is full) and a numbered list kept in one part.
    // Nothing is lost or doubled at the seams.
    void partsOfALongTextGoOnOnTheSameSheet()
    {
        BinderFixture f;
        QTextDocument text;
        QTextCursor cursor(&text);
        for (int i = 1; i <= 2500; ++i) {
            cursor.insertText(QString("Line %1").arg(i));
            cursor.insertBlock();
            if (i == 1998) {
                QTextTable *table = cursor.insertTable(1, 2);
                table->cellAt(0, 0).firstCursorPosition().insertText("Table 1");
                table->cellAt(0, 1).firstCursorPosition().insertText("Table 2");
                cursor.movePosition(QTextCursor::End);
            }
        }
        QTextListFormat numbers;
        numbers.setStyle(QTextListFormat::ListDecimal);
        cursor.createList(numbers);
        for (int i = 1; i <= 2500; ++i) {
            if (i > 1)
                cursor.insertBlock();
            cursor.insertText(QString("Item %1").arg(i));
        }
        QPrinter printer;
        pdfPrinter(printer, f.path("parts.pdf"));
        QVERIFY(printTextDocument(printer, text, PrintMargins(), "Parts", "today"));
        const QStringList pages = sheets(f.path("parts.pdf"));
        const QHash<QString, int> lines = numberedLines(pages.join(u'\n'), "Line|Item|Table");
        QCOMPARE(lines.size(), 5002);
        for (auto it = lines.cbegin(); it != lines.cend(); ++it)
            QVERIFY2(it.value() == 1, qPrintable(it.key()));
        QCOMPARE(numberLine(pages.last()), QString("-%1-").arg(pages.size()));
        QVERIFY(pages.last().contains("2500. Item 2500"));
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
        const QString word = QString("abcdefghijklmnopqrstuvwxyz").repeated(12'000);
        const QString binder = f.makeBinder(
            "long.qly", {{"Tall.rtf", tall}, {"Word.txt", word.toUtf8()}, {"Table.rtf", table}});

        const QString tallPdf = f.path("tall.pdf");
        QCOMPARE(cli({"print", binder, tallPdf, "--pages", "1"}).code, 0);
        QVERIFY(run("pdfinfo", {tallPdf}).contains(QRegularExpression("Pages: *3800\n")));
        QVERIFY(run("pdftotext", {"-f", "3800", tallPdf, "-"}).contains("Bottom 1899\n"));

        // A word of 312,000 letters is laid out quickly and printed whole.
        QCOMPARE(cli({"print", binder, f.path("word.pdf"), "--pages", "2"}).code, 0);
        QCOMPARE(bodyText(f.path("word.pdf")), word);

        const ProgramRun refused = cli({"print", binder, f.path("table.pdf"), "--pages", "3"});
        QCOMPARE(refused.code, 1);
        QVERIFY2(
            refused.err.contains(": page 3 cannot be printed: A paragraph or table is too long"),
            qPrintable(refused.err));
        QVERIFY(!QFile::exists(f.path("table.pdf")));
    }

    void aTableOfThousandsOfColumnsPrints()
    {
        BinderFixture f;
        const QByteArray rtf =
            "{\\rtf1\\ansi " + wideRtfRow(2000, "c") + "\\pard After the table\\par}";
        const QString binder = f.makeBinder("wide.qly", {{"Wide.rtf", rtf}});
        QCOMPARE(cli({"print", binder, f.path("wide.pdf")}).code, 0);
        const QStringList pages = sheets(f.path("wide.pdf"));
        QVERIFY(pages.size() < 10);
        QVERIFY(pages.last().contains("After the table"));
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
    }

    void cliPrintsTextPagesIntoOnePdf()
    {
        BinderFixture f;
        const QString binder =
            f.makeBinder("p.qly", {{"Rich.rtf", "{\\rtf1\\ansi Rich words}"},
                                   {"Photo.png", "PNG"},
                                   {"Plain.txt", "Plain words"},
                                   {"Web.html", "<p>Web words</p><img src=\"/etc/hostname\">"}});
        const QString out = f.path("all.pdf");
        QCOMPARE(cli({"print", binder, out}).code, 0);
        const QStringList pages = sheets(out);
        QCOMPARE(pages.size(), 3);
        QVERIFY(pages.at(0).contains("Rich words"));
        QVERIFY(pages.at(1).contains("Plain words"));
        QVERIFY(pages.at(2).contains("Web words"));

        const QByteArray before = readFile(out);
        const ProgramRun again = cli({"print", binder, out});
        QCOMPARE(again.code, 1);
        QVERIFY(again.err.contains("not replaced"));
        QCOMPARE(readFile(out), before);
        const QString bad = f.path("bad.pdf");
        QCOMPARE(cli({"print", binder, bad, "--pages", "2-1"}).code, 64);
        QCOMPARE(cli({"print", binder, bad, "--pages", "5"}).code, 1); // one past the last
        QCOMPARE(cli({"print", binder, bad, "--pages", "2"}).code, 1); // a picture alone
        QVERIFY(!QFile::exists(bad));
    }
};

QTEST_MAIN(tst_pageprint)
#include "tst_pageprint.moc"
