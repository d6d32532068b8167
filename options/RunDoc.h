#pragma once

#include <QString>
#include <QStringList>

namespace quillery {

// Starting other programs on a file. Nothing goes through a shell: a file name is only
// ever one argument, and the program itself stays where it is.
namespace RunDoc {

// Opens the file with the desktop's default application for its type. False when the
// desktop cannot open it.
bool run(const QString &document);

// Starts the program with the arguments, in workingFolder when that is not empty, and
// does not wait for it. False when the program cannot be started (missing, not
// executable, the folder gone).
bool run(const QString &program, const QStringList &arguments,
         const QString &workingFolder = QString());

} // namespace RunDoc

} // namespace quillery
