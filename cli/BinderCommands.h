#pragma once

#include <QStringList>

namespace quillery::cli {

class CliSession;

// Each takes the arguments after its command word and returns the exit code.
int createBinder(CliSession &session, const QStringList &args);
int addPages(CliSession &session, const QStringList &args);
int listPages(CliSession &session, const QStringList &args);
int extractPages(CliSession &session, const QStringList &args);
int showInfo(CliSession &session, const QStringList &args);
int checkFile(const QStringList &args);

} // namespace quillery::cli
