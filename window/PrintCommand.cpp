// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PrintCommand.h"

#include "platform/Dialogs.h"
#include "platform/GeneralDate.h"
#include "window/PagePrint.h"

#include <QPrinter>
#include <QTextDocument>

#include <memory>

namespace quillery {

int printTextPage(Dialogs &dialogs, QPrinter &printer, const QTextDocument &shown,
                  const QString &title)
{
    if (!dialogs.print(printer))
        return 0;
    const int copies = qMax(1, printer.copyCount());
    printer.setCopyCount(1);
    const QString date = generalDate(QDateTime::currentDateTime());
    const std::unique_ptr<QTextDocument> text(shown.clone());
    int jobs = 0;
    for (; jobs < copies; ++jobs) {
        if (!PrintRTF(printer, *text, PrintMargins(), title, date)) {
            const QString where = printer.outputFileName().isEmpty() ? printer.printerName()
                                                                     : printer.outputFileName();
            dialogs.message(MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Print Error"),
                            QStringLiteral("The page '") + title +
                                QStringLiteral("' could not be printed on '") + where + u'\'');
            break;
        }
    }
    return jobs;
}

} // namespace quillery
