// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/RtfReader.h"

#include "rtf/RtfParser.h"

#include <QCoreApplication>
#include <QTextCursor>
#include <QTextDocument>

namespace quillery {

bool isRtf(const QByteArray &data)
{
    QByteArrayView view(data);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    view = view.trimmed();
    return view.startsWith("{\\rtf") || view.startsWith("{\\urtf");
}

namespace {

// Reads the RTF through a cursor; returns the cursor at the end of what was read.
QTextCursor read(const QByteArray &data, const QTextCursor &cursor, bool wholeDocument)
{
    rtf::RtfTables tables;
    rtf::RtfDocumentBuilder builder(cursor, tables, wholeDocument);
    rtf::Parser parser(QByteArrayView(data).sliced(data.indexOf('{')), tables, builder);
    parser.run();
    return builder.cursor();
}

bool refuse(QString *error)
{
    if (error)
        *error = QCoreApplication::translate("quillery", "The text is not in Rich Text Format.");
    return false;
}

} // namespace

bool readRtf(const QByteArray &rtf, QTextDocument *doc, QString *error)
{
    if (!isRtf(rtf))
        return refuse(error);
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    doc->clear();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    read(rtf, cursor, true);
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undo);
    return true;
}

bool insertRtf(const QByteArray &rtf, QTextCursor &cursor, QString *error)
{
    if (!isRtf(rtf))
        return refuse(error);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const QTextCursor end = read(rtf, cursor, false);
    cursor.endEditBlock();
    cursor.setPosition(end.position());
    return true;
}

} // namespace quillery
