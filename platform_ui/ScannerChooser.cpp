// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/ScannerAccess.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QStringList>

namespace quillery {

int chooseScannerInDialog(QWidget *window, const QList<ScannerDevice> &sources, int current)
{
    QStringList items;
    for (const ScannerDevice &s : sources)
        items << QStringLiteral("%1 %2 (%3)").arg(s.vendor, s.model, s.name);
    bool ok = false;
    const QString item = QInputDialog::getItem(
        window, QCoreApplication::translate("ScannerChooser", "Select Source"),
        QCoreApplication::translate("ScannerChooser", "Sources:"), items, std::max(0, current),
        false, &ok);
    return ok ? int(items.indexOf(item)) : -1;
}

} // namespace quillery
