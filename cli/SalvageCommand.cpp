// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/SalvageCommand.h"

#include "cli/BinderCommands.h"
#include "cli/CliSession.h"
#include "documents/BinderSalvage.h"
#include "documents/EncryptedBinder.h"
#include "documents/EncryptedSalvage.h"
#include "platform/ConsoleText.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QFileInfo>
#include <QTextStream>

#include <optional>

namespace quillery::cli {

namespace {

void note(const QString &path, const QString &what)
{
    QTextStream(stderr) << consoleText(path + QStringLiteral(": ") + what) << '\n';
}

} // namespace

int salvageFile(CliSession &session, const QStringList &args)
{
    if (args.size() != 2)
        return ExitUsage;
    const QString damaged = args.at(0);
    const QString target = QFileInfo(args.at(1)).absoluteFilePath();
    if (!target.endsWith(u".qly", Qt::CaseInsensitive))
        return fail(target, QStringLiteral("not a binder name (a binder's name ends in .qly)"));
    // An encrypted binder is salvaged from the plain binder its sound chunks hold, and
    // its rescued pages are encrypted again.
    std::optional<DecryptedPrefix> prefix;
    Salvage salvage;
    try {
        if (isEncryptedBinderFile(damaged)) {
            prefix = decryptWhatAuthenticates(session.workspace(), damaged);
            if (!prefix) {
                session.ui().openCancelled();
                return session.passwordFailure(damaged, ExitFailed);
            }
        }
        salvage = findSalvage(prefix ? prefix->plainPath : damaged);
    } catch (const FileError &error) {
        return fail(damaged, error.description());
    }
    if (const int code = takeNewName(target))
        return code;
    try {
        if (prefix)
            writeEncryptedSalvage(salvage, *prefix, target);
        else
            writeSalvage(salvage, damaged, target);
    } catch (const FileError &error) {
        fileio::removeIfExists(target);
        return fail(target, error.description());
    }
    if (prefix && !prefix->damage.isEmpty())
        note(damaged, QStringLiteral("its encrypted data ends early: ") + prefix->damage);
    for (const QString &line : std::as_const(salvage.guessed))
        note(damaged, line);
    for (const QString &line : std::as_const(salvage.lost))
        note(damaged, line);
    QTextStream(stdout) << consoleText(QStringLiteral("%1: %2 of %3 pages saved, found through %4")
                                           .arg(target)
                                           .arg(salvage.pages.size())
                                           .arg(salvage.pageCount)
                                           .arg(salvage.source))
                        << '\n';
    return salvage.lost.isEmpty() ? ExitOk : ExitFailed;
}

} // namespace quillery::cli
