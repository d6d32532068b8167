// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace quillery {

// Starting other programs on a file. Nothing goes through a shell: a file name is only
// ever one argument, and the program itself stays where it is.
namespace RunDoc {

// Opens the document with the program the desktop's MIME database names for its type,
// through that desktop entry's command (the desktop's own opener only where that
// command is too long to read). Throws FileError when no program opens the type or
// none could be started.
void open(const QString &document);

// Starts the program with the arguments, in workingFolder when that is not empty, and
// does not wait for it. Throws FileError naming the program when it cannot be started
// (missing, not executable, the folder gone).
void start(const QString &program, const QStringList &arguments,
           const QString &workingFolder = QString());

} // namespace RunDoc

// Replaces how RunDoc::open hands documents to the desktop, for tests; the handler
// returns false for a desktop that cannot open the document. An empty function
// restores the desktop.
void setRunDocHandler(std::function<bool(const QString &)> handler);

} // namespace quillery
