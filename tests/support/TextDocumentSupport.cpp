// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextDocumentSupport.h"

#include "TestSupport.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace quillery::test {

QTextTable *firstTable(const QTextDocument &doc)
{
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame))
            return table;
    }
    return nullptr;
}

QByteArray rtfSample(const QString &name)
{
    const QByteArray bytes = readFile(QStringLiteral(QUILLERY_TEST_DATA "/rtf/") + name);
    if (bytes.isEmpty())
        qWarning("missing test file %s", qPrintable(name));
    return bytes;
}

static int positionOf(const QTextDocument &doc, const QString &text)
{
    const int position = int(doc.toRawText().indexOf(text));
    if (position < 0)
        qWarning("text not found: %s", qPrintable(text));
    return position;
}

QTextCharFormat formatOf(const QTextDocument &doc, const QString &text)
{
    const int position = positionOf(doc, text);
    if (position < 0)
        return {};
    QTextCursor cursor(const_cast<QTextDocument *>(&doc));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

QTextBlock blockOf(const QTextDocument &doc, const QString &text)
{
    const int position = positionOf(doc, text);
    return position < 0 ? QTextBlock() : doc.findBlock(position);
}

QStringList paragraphs(const QTextDocument &doc)
{
    QStringList texts;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        texts.append(block.text());
    return texts;
}

QString family(const QTextCharFormat &format)
{
    return format.fontFamilies().toStringList().value(0);
}

QByteArray wideRtfRow(int cells, const QByteArray &name)
{
    QByteArray row = "\\trowd";
    for (int i = 0; i < cells; ++i)
        row += "\\cellx" + QByteArray::number(100 * (i + 1));
    row += "\\intbl ";
    for (int i = 0; i < cells; ++i)
        row += name + QByteArray::number(i) + "\\cell ";
    return row + "\\row";
}

} // namespace quillery::test
