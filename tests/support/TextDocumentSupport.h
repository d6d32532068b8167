// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTextBlock>
#include <QTextCharFormat>

class QTextDocument;
class QTextTable;

namespace quillery::test {

// The bytes of a file under tests/data/rtf.
QByteArray rtfSample(const QString &name);

// The format of the first character of the first occurrence of text; fails the test when
// the text is not in the document.
QTextCharFormat formatOf(const QTextDocument &doc, const QString &text);
// The paragraph holding the first occurrence of text.
QTextBlock blockOf(const QTextDocument &doc, const QString &text);
// The paragraphs' texts, in order, table cells included.
QStringList paragraphs(const QTextDocument &doc);
// The first table in the document's top frame, or null.
QTextTable *firstTable(const QTextDocument &doc);
// The first font family of a format.
QString family(const QTextCharFormat &format);
// An RTF table row of `cells` cells 100 twips apart, holding name + "0", name + "1" ...
QByteArray wideRtfRow(int cells, const QByteArray &name);

} // namespace quillery::test
