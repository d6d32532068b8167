// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

namespace quillery {

class Dialogs;

// The print dialog for the printer. The file the last print of the program's run went to
// is offered again; a relative file name is taken in documentFolder, not in the folder
// the program was started in. False when the dialog was cancelled.
bool choosePrinter(Dialogs &dialogs, QPrinter &printer, const QString &documentFolder);

// Prints a text page as shown: the print dialog first, then each copy asked for as a job
// of its own, after which the dialog's copy count is 1 again; a file, which each job
// would replace, gets all the copies in one job. A printer that fails is reported.
// Returns the number of jobs printed; 0 when the dialog was cancelled.
int printTextPage(Dialogs &dialogs, QPrinter &printer, const QTextDocument &shown,
                  const QString &title, const QString &documentFolder);

} // namespace quillery
