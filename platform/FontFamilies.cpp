// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FontFamilies.h"

#include <QFont>
#include <QStringList>

namespace quillery {

void installFontSubstitutes()
{
    // The Liberation fonts first, then their Chrome OS twins, which share the metrics.
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
}

} // namespace quillery
