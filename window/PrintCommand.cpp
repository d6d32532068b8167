// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PrintCommand.h"

#include "platform/Dialogs.h"
#include "platform/GeneralDate.h"
#include "window/PagePrint.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QTextDocument>

#include <memory>

namespace quillery {

namespace {

// The file the last print of this run went to, offered again to the next.
QString &lastOutputFile()
{
    static QString file;
    return file;
}

} // namespace

bool choosePrinter(Dialogs &dialogs, QPrinter &printer, const QString &documentFolder)
{
    if (printer.outputFileName().isEmpty() && !lastOutputFile().isEmpty())
        printer.setOutputFileName(lastOutputFile());
    if (!dialogs.print(printer))
        return false;
    const QString file = printer.outputFileName();
    if (!file.isEmpty() && !documentFolder.isEmpty() && QFileInfo(file).isRelative())
        printer.setOutputFileName(QDir(documentFolder).absoluteFilePath(file));
    if (!file.isEmpty())
        lastOutputFile() = printer.outputFileName();
    return true;
}

int printTextPage(Dialogs &dialogs, QPrinter &printer, const QTextDocument &shown,
                  const QString &title, const QString &documentFolder)
{
    if (!choosePrinter(dialogs, printer, documentFolder))
        return 0;
    const int copies = qMax(1, printer.copyCount());
    printer.setCopyCount(1);
    // A file would be replaced by each job: it gets every copy in one.
    const bool toFile = !printer.outputFileName().isEmpty();
    const int jobs = toFile ? 1 : copies;
    const QString date = localDate(QDateTime::currentDateTime());
    const std::unique_ptr<QTextDocument> text(shown.clone());
    for (int job = 0; job < jobs; ++job) {
        if (!printTextDocument(printer, *text, PrintMargins(), title, date, toFile ? copies : 1)) {
            const QString where = toFile ? printer.outputFileName() : printer.printerName();
            dialogs.message(
                MsgIcon::Critical, MsgButtons::Ok,
                QCoreApplication::translate("PrintCommand", "Print Error"),
                QCoreApplication::translate("PrintCommand", "The page '") + title +
                    QCoreApplication::translate("PrintCommand", "' could not be printed on '") +
                    where + u'\'');
            return job;
        }
    }
    return jobs;
}

} // namespace quillery
