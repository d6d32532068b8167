// SPDX-License-Identifier: GPL-3.0-or-later
// Prints a binder of 100 rich text pages (about 300 sheets) to one PDF through the
// command-line tool's own code, and reports the time and sheets per second; beside it,
// LibreOffice's conversion of the same RTF files to PDF when `soffice` is installed.

#include "cli/CliSession.h"
#include "cli/PrintPages.h"
#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/NewBinder.h"
#include "transfer/PageImport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <random>

using namespace quillery;

namespace {

constexpr int PageCount = 100;
constexpr int ParagraphsPerPage = 26;

const char *const Words[] = {"binder", "quarterly", "minutes", "garden",  "invoice", "chapter",
                             "draft",  "meeting",   "recipe",  "journey", "letter",  "budget"};

QByteArray richPage(std::mt19937 &random)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times New "
                     "Roman;}{\\f1\\fswiss Arial;}}\\pard\\sa120\\f1\\fs32\\b Report\\b0\\par\r\n"
                     "\\f0\\fs24 ";
    for (int p = 0; p < ParagraphsPerPage; ++p) {
        for (int w = 0; w < 40; ++w) {
            if (w % 11 == 5)
                rtf += "\\b ";
            rtf += Words[random() % std::size(Words)];
            rtf += w % 11 == 5 ? "\\b0 " : " ";
        }
        rtf += "caf\\'e9.\\par\r\n";
    }
    return rtf + "}";
}

int sheetsOf(const QString &pdf)
{
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished(-1);
    for (const QByteArray &line : info.readAllStandardOutput().split('\n')) {
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString rtfDir = dir.filePath("rtf");
    QDir().mkpath(rtfDir);
    const QString binderPath = dir.filePath("print.qly");
    cli::CliSession session(std::nullopt);
    {
        std::mt19937 random(7);
        Binder binder;
        makeNewBinder(session.workspace(), binder, false);
        for (int i = 1; i <= PageCount; ++i) {
            const QString file = QString("%1/page%2.rtf").arg(rtfDir).arg(i, 3, 10, QChar('0'));
            QFile f(file);
            if (!f.open(QIODevice::WriteOnly))
                return 1;
            f.write(richPage(random));
            f.close();
            importFile(session.workspace(), binder, file, PageKind::Unknown);
        }
        if (!saveBinderFile(session.workspace(), binder, binderPath))
            return 1;
    }

    const QString pdf = dir.filePath("binder.pdf");
    QElapsedTimer clock;
    clock.start();
    if (cli::printBinder(session, {binderPath, pdf}) != 0)
        return 1;
    const double ours = clock.nsecsElapsed() / 1e9;
    const int sheets = sheetsOf(pdf);
    out << QString("Quillery print:  %1 pages, %2 sheets in %3 s, %4 sheets/s")
               .arg(PageCount)
               .arg(sheets)
               .arg(ours, 0, 'f', 2)
               .arg(sheets / ours, 0, 'f', 1)
        << Qt::endl;

    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty()) {
        out << "LibreOffice:     not installed (no soffice on PATH), no reference figure"
            << Qt::endl;
        return 0;
    }
    QStringList files = QDir(rtfDir).entryList({"*.rtf"}, QDir::Files, QDir::Name);
    for (QString &file : files)
        file = rtfDir + '/' + file;
    const QString outDir = dir.filePath("lo");
    clock.restart();
    QProcess lo;
    lo.start(soffice, QStringList{"--headless", "--convert-to", "pdf", "--outdir", outDir} + files);
    lo.waitForFinished(-1);
    const double theirs = clock.nsecsElapsed() / 1e9;
    int loSheets = 0;
    for (const QString &made : QDir(outDir).entryList({"*.pdf"}, QDir::Files))
        loSheets += sheetsOf(outDir + '/' + made);
    out << QString("LibreOffice:     %1 files, %2 sheets in %3 s, %4 sheets/s")
               .arg(files.size())
               .arg(loSheets)
               .arg(theirs, 0, 'f', 2)
               .arg(loSheets / theirs, 0, 'f', 1)
        << Qt::endl;
    return 0;
}
