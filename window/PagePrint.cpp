// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PagePrint.h"

#include <QPainter>
#include <QPrinter>

namespace quillery {

bool printTextDocument(QPrinter &printer, QTextDocument &text, const PrintMargins &margins,
                       const QString &title, const QString &date, int copies)
{
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int copy = 0; copy < copies; ++copy) {
        if ((copy > 0 && !printer.newPage()) ||
            printText(painter, printer, text, margins, title, date) == 0) {
            printer.abort();
            painter.end();
            return false;
        }
    }
    return painter.end();
}

} // namespace quillery
