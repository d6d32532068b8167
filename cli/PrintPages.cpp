// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PrintPages.h"

#include "cli/BinderCommands.h"
#include "cli/CliSession.h"
#include "documents/Binder.h"
#include "pagetext/PageDocument.h"
#include "pagetext/TextSheets.h"
#include "platform/ConsoleText.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/GeneralDate.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTextStream>

namespace quillery::cli {

namespace {

// A page list may not ask for more pages than any binder could hold.
constexpr int MaxListed = 1 << 20;
// Dots per inch of the PDF's layout, as fine as a printer's high resolution.
constexpr int PdfResolution = 1200;

int printPages(Binder &binder, const QList<int> &positions, const QString &target)
{
    QPdfWriter printer(target);
    printer.setResolution(PdfResolution);
    printer.setPageMargins(QMarginsF());
    QPainter painter;
    const QString date = generalDate(QDateTime::currentDateTime());
    bool first = true;
    for (int position : positions) {
        const PageRow &page = binder.page(position);
        const auto text = pageTextDocument(page.key.kind, pageBytes(binder, position));
        if (!text) {
            QTextStream(stderr) << "page " << position << " (" << consoleText(page.name)
                                << ") has no text and is not printed\n";
            continue;
        }
        if (first && !painter.begin(&printer))
            return fail(target, QStringLiteral("cannot be written"));
        if (!first)
            printer.newPage();
        first = false;
        QString error;
        if (printText(painter, printer, *text, PrintMargins(), page.name, date, &error) == 0)
            return fail(binder.fileName(),
                        QStringLiteral("page %1 cannot be printed: %2").arg(position).arg(error));
    }
    if (first)
        return fail(binder.fileName(), QStringLiteral("has no text pages to print"));
    if (!painter.end())
        return fail(target, QStringLiteral("cannot be written"));
    return ExitOk;
}

} // namespace

std::optional<QList<int>> parsePageList(const QString &list)
{
    QList<int> positions;
    for (const QString &part : list.split(u',')) {
        const QStringList ends = part.split(u'-');
        bool okFirst = false;
        bool okLast = false;
        const int from = ends.first().trimmed().toInt(&okFirst);
        const int to = ends.last().trimmed().toInt(&okLast);
        if (ends.size() > 2 || !okFirst || !okLast || from < 1 || to < from ||
            positions.size() + qint64(to) - from + 1 > MaxListed)
            return std::nullopt;
        for (int p = from; p <= to; ++p)
            positions << p;
    }
    return positions;
}

int printBinder(CliSession &session, const QStringList &args)
{
    QStringList rest = args;
    std::optional<QList<int>> chosen;
    if (const auto list = takeOption(rest, QStringLiteral("--pages"),
                                     QStringLiteral("a list of pages such as 1,4-6"))) {
        chosen = parsePageList(*list);
        if (!chosen)
            throw UsageFault{QStringLiteral("--pages takes pages numbered from 1, in a list such "
                                            "as 1,4-6, not \"") +
                             *list + u'"'};
    }
    if (rest.size() != 2)
        return ExitUsage;
    const QString target = QFileInfo(rest.at(1)).absoluteFilePath();
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return fail(target, QStringLiteral("already exists and is not replaced"));
    return inspect(session, rest, 2, [&](Binder &binder) {
        QList<int> positions;
        if (chosen) {
            positions = *chosen;
            for (int position : positions) {
                if (position > binder.pageCount())
                    return fail(rest.first(), QStringLiteral("has no page %1").arg(position));
            }
        } else {
            for (int position = 1; position <= binder.pageCount(); ++position)
                positions << position;
        }
        // Whatever stops the printing, no half-written PDF is left behind.
        int code = ExitFailed;
        try {
            code = printPages(binder, positions, target);
        } catch (...) {
            fileio::removeIfExists(target);
            throw;
        }
        if (code != ExitOk)
            fileio::removeIfExists(target);
        return code;
    });
}

} // namespace quillery::cli
