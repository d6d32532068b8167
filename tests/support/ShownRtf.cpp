// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShownRtf.h"

#include "pagetext/RtfShownText.h"
#include "rtf/RtfReader.h"

#include <QRegularExpression>
#include <QTextDocument>

namespace quillery::test {

QByteArray shownInPieces(ShownText &&reader, const QByteArray &bytes, qsizetype piece)
{
    QByteArray text;
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        reader.read(QByteArrayView(bytes).sliced(at, qMin(piece, bytes.size() - at)), text);
    reader.finish(text);
    return text;
}

QByteArray shownRtf(const QByteArray &rtf, qsizetype piece)
{
    return shownInPieces(RtfShownText(), rtf, piece);
}

QString readerText(const QByteArray &rtf)
{
    QTextDocument doc;
    readRtf(rtf, &doc);
    return doc.toPlainText();
}

QString comparable(QString text)
{
    text = QString::fromUtf8(text.toUtf8());
    text.remove(QChar(0x00AD));
    static const QRegularExpression breaks(QStringLiteral("\n+"));
    text.replace(breaks, QStringLiteral("\n"));
    while (text.startsWith(u'\n'))
        text.remove(0, 1);
    while (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

bool isComparable(const QByteArray &rtf)
{
    return !rtf.contains("pntext") && !rtf.contains("listtext");
}

} // namespace quillery::test
