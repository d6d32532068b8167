// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <functional>
#include <optional>

namespace quillery {
class Binder;
}

namespace quillery::cli {

class CliSession;

// A wrong command line that a command names itself: the tool says what in one line and
// exits with ExitUsage.
struct UsageFault
{
    QString what;
};

// Takes "option VALUE" out of the arguments and returns the value; no value when the
// option is not there. Throws UsageFault when the value is missing.
std::optional<QString> takeOption(QStringList &args, const QString &option,
                                  const QString &valueName);

// Each takes the arguments after its command word and returns the exit code.
int createBinder(CliSession &session, const QStringList &args);
int addPages(CliSession &session, const QStringList &args);
int listPages(CliSession &session, const QStringList &args);
int extractPages(CliSession &session, const QStringList &args);
int showInfo(CliSession &session, const QStringList &args);
int checkFile(const QStringList &args);
// Lists the text pages whose stored data holds the text, as Search All finds them;
// ExitFailed when none does.
int searchBinder(CliSession &session, const QStringList &args);

// Writes "path: what" to standard error as one line (consoleText) and returns ExitFailed.
int fail(const QString &path, const QString &what);

// Makes an empty file at target for a command to write; ExitOk, or the failure reported
// (a file already there is never replaced).
int takeNewName(const QString &target);

// Opens the binder named by the first of argCount arguments for reading only and runs
// work on it.
int inspect(CliSession &session, const QStringList &args, int argCount,
            const std::function<int(Binder &)> &work);

} // namespace quillery::cli
