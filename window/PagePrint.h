// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pagetext/TextSheets.h"

class QPrinter;

namespace quillery {

// Prints the text as one job of its own, the copies one after another in it; false, with
// the job given up, when the printer could not start it or the text could not be laid
// out on its sheets.
bool printTextDocument(QPrinter &printer, QTextDocument &text, const PrintMargins &margins,
                       const QString &title, const QString &date, int copies = 1);

} // namespace quillery
