// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RecoverCommand.h"

#include "cli/BinderCommands.h"
#include "cli/CliSession.h"
#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/RecoveryStore.h"
#include "platform/ConsoleText.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "transfer/RecoveryOpener.h"

#include <QFileInfo>
#include <QTextStream>

namespace quillery::cli {

namespace {

QString diskState(const SnapshotRecord &record)
{
    if (record.binderPath.isEmpty())
        return QStringLiteral("never-saved");
    return record.binderChangedOnDisk() ? QStringLiteral("changed-on-disk")
                                        : QStringLiteral("unchanged-on-disk");
}

int listSnapshots(const RecoveryStore &store)
{
    QStringList problems;
    QTextStream out(stdout);
    for (const SnapshotEntry &entry : store.list(problems)) {
        const SnapshotRecord &record = entry.record;
        out << entry.id() << '\t' << record.taken.toLocalTime().toString(Qt::ISODate) << '\t'
            << record.changedPages << '/' << record.pageCount() << '\t' << diskState(record) << '\t'
            << consoleText(record.title) << '\t' << consoleText(record.binderPath) << '\n';
    }
    QTextStream err(stderr);
    for (const QString &problem : std::as_const(problems))
        err << consoleText(problem) << '\n';
    return ExitOk;
}

int writeOut(CliSession &session, const SnapshotEntry &entry, const QString &target)
{
    // Written out for a user whose desktop is broken: a name the file manager knows.
    if (!target.endsWith(u".qly", Qt::CaseInsensitive))
        return fail(target, QStringLiteral("not a binder name (a binder's name ends in .qly)"));
    if (const int code = takeNewName(target))
        return code;
    RecoveredBinder recovered = recoverBinder(session.workspace(), entry, RecoverPurpose::Export);
    bool saved = false;
    if (recovered.binder) {
        saved = saveBinderFile(session.workspace(), *recovered.binder, target);
        recovered.binder.reset();
        removeCompanions(target);
    }
    if (!saved)
        fileio::removeIfExists(target);
    return saved ? ExitOk : session.passwordFailure(entry.folder, ExitFailed);
}

} // namespace

int recoverCommand(CliSession &session, const QStringList &args)
{
    const RecoveryStore store;
    if (args == QStringList{QStringLiteral("--list")})
        return listSnapshots(store);
    if (args.size() != 2)
        return ExitUsage;
    return writeOut(session, store.find(args[0]), QFileInfo(args[1]).absoluteFilePath());
}

} // namespace quillery::cli
