// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/Twain.h"

#include <QInputDialog>
#include <QStringList>

namespace quillery {

int chooseTwainSourceInDialog(QWidget *window, const QList<TwainSource> &sources, int current)
{
    QStringList items;
    for (const TwainSource &s : sources)
        items << QStringLiteral("%1 %2 (%3)").arg(s.vendor, s.model, s.name);
    bool ok = false;
    const QString item =
        QInputDialog::getItem(window, QStringLiteral("Select Source"), QStringLiteral("Sources:"),
                              items, std::max(0, current), false, &ok);
    return ok ? int(items.indexOf(item)) : -1;
}

} // namespace quillery
