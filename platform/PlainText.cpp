#include "platform/PlainText.h"

#include <QStringDecoder>

namespace quillery {

QString plainFromBytes(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QStringDecoder("windows-1252").decode(bytes);
}

} // namespace quillery
