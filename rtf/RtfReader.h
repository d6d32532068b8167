// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QTextCursor;
class QTextDocument;

namespace quillery {

// True when the bytes start (after white space) like an RTF text.
bool isRtf(const QByteArray &data);

// Reads RTF, replacing the whole content of doc. Damaged and truncated RTF gives what could
// be read; only bytes that are not RTF at all fail, leaving doc as it was.
bool readRtf(const QByteArray &rtf, QTextDocument *doc, QString *error = nullptr);

// Inserts RTF at the cursor, as pasting does: the last paragraph joins the text after the
// cursor unless the RTF ends with a paragraph mark.
bool insertRtf(const QByteArray &rtf, QTextCursor &cursor, QString *error = nullptr);

} // namespace quillery
