// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace quillery {

// Text whose encoding nothing names, as the program reads it where it can read it piece by
// piece: UTF-8, and a byte that is no part of UTF-8 is a Windows-1252 character. Made UTF-8
// throughout.
class Utf8OrWindows1252
{
public:
    // The next piece as UTF-8, valid until the next call. A sequence the piece cuts short
    // waits for the next piece; with last set nothing waits.
    QByteArrayView toUtf8(QByteArrayView bytes, bool last);

private:
    QByteArray m_partial; // the start of a UTF-8 sequence at a piece's end
    QByteArray m_converted;
};

} // namespace quillery
