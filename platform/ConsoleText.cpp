// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ConsoleText.h"

namespace quillery {

QString consoleText(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'\\')
            result += QStringLiteral("\\\\");
        else if (code < 0x20 || (code >= 0x7f && code < 0xa0) || code == 0x2028 || code == 0x2029)
            result += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        else
            result += c;
    }
    return result;
}

} // namespace quillery
