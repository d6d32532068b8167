// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SalvageCommand.h"

#include "cli/BinderCommands.h"
#include "cli/ExitCodes.h"
#include "documents/BinderSalvage.h"
#include "platform/ConsoleText.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QFileInfo>
#include <QTextStream>

namespace quillery::cli {

int salvageFile(const QStringList &args)
{
    if (args.size() != 2)
        return ExitUsage;
    const QString damaged = args.at(0);
    const QString target = QFileInfo(args.at(1)).absoluteFilePath();
    if (!target.endsWith(u".qly", Qt::CaseInsensitive))
        return fail(target, QStringLiteral("not a binder name (a binder's name ends in .qly)"));
    Salvage salvage;
    try {
        salvage = findSalvage(damaged);
    } catch (const FileError &error) {
        return fail(damaged, error.description());
    }
    if (const int code = takeNewName(target))
        return code;
    try {
        writeSalvage(salvage, damaged, target);
    } catch (const FileError &error) {
        fileio::removeIfExists(target);
        return fail(target, error.description());
    }
    for (const QString &line : std::as_const(salvage.guessed))
        QTextStream(stderr) << consoleText(damaged + QStringLiteral(": ") + line) << '\n';
    for (const QString &line : std::as_const(salvage.lost))
        fail(damaged, line);
    QTextStream(stdout) << consoleText(QStringLiteral("%1: %2 of %3 pages saved, found through %4")
                                           .arg(target)
                                           .arg(salvage.pages.size())
                                           .arg(salvage.pageCount)
                                           .arg(salvage.source))
                        << '\n';
    return salvage.lost.isEmpty() ? ExitOk : ExitFailed;
}

} // namespace quillery::cli
