// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPrinter;
class QTextDocument;

namespace quillery {

class Dialogs;

// Prints a text page as shown: the print dialog first, then each copy asked for as a job
// of its own, after which the dialog's copy count is 1 again. A printer that fails is
// reported. Returns the number of jobs printed; 0 when the dialog was cancelled.
int printTextPage(Dialogs &dialogs, QPrinter &printer, const QTextDocument &shown,
                  const QString &title);

} // namespace quillery
