// SPDX-License-Identifier: GPL-3.0-or-later
#include "RichPage.h"

#include "rtf/RtfWriter.h"

#include <QTextCursor>
#include <QTextDocument>

namespace quillery {

QByteArray richPage(qint64 bytes, int *paragraphs)
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat red;
    red.setForeground(QColor(200, 0, 0));
    red.setFontItalic(true);
    const QString sentence = QStringLiteral("The quick brown fox jumps over the lazy dog %1. ");
    int n = 0;
    for (; doc.characterCount() * 1.15 < bytes; ++n) {
        cursor.insertText(sentence.arg(n), plain);
        cursor.insertText(QStringLiteral("Bold words "), bold);
        cursor.insertText(QStringLiteral("and red italics. "), red);
        cursor.insertText(sentence.arg(n + 1), plain);
        cursor.insertBlock();
    }
    if (paragraphs)
        *paragraphs = n;
    return writeRtf(doc);
}

} // namespace quillery
