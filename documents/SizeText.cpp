// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/SizeText.h"

#include <QLocale>

namespace quillery {

QString sizeText(qint64 bytes)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(bytes);
}

} // namespace quillery
