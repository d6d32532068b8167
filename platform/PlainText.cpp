// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PlainText.h"

#include <QStringDecoder>

namespace quillery {

QString decodePlainText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252", QStringDecoder::Flag::Stateless);
    // Without a Windows-1252 converter Latin-1 gives the same letters for most bytes.
    return windows.isValid() ? windows.decode(bytes) : QString::fromLatin1(bytes);
}

} // namespace quillery
