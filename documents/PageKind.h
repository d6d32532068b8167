// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

// The six kinds of page. The enumerator values are the kind numbers that import and
// new-page creation pass around; Unknown stands for a stored kind string that is none
// of the six (such a row gets no icon but is otherwise kept).
enum class PageKind { Unknown = 0, RTF = 1, TXT = 2, HTML = 3, PICTURE = 4, SOUND = 5, FILE = 6 };

// The kind as stored in lump names and page keys ("RTF" ... "FILE"); empty for Unknown.
QString kindString(PageKind kind);
// Lump names may come back padded with NULs, so those are ignored.
PageKind kindFromString(const QString &text);
// Unknown for numbers outside 1 to 6.
PageKind kindFromNumber(int number);

// A page's kind as its binder stores it. The name is kept as it came, even when it is none
// of the six, so that a save writes back what was read; the program works with the kind.
class StoredKind
{
public:
    StoredKind() = default;
    explicit StoredKind(PageKind kind) : m_name(kindString(kind)), m_kind(kind) {}
    static StoredKind fromName(const QString &name);

    const QString &name() const { return m_name; }
    operator PageKind() const { return m_kind; }

    bool operator==(const StoredKind &other) const { return m_name == other.m_name; }

private:
    QString m_name;
    PageKind m_kind = PageKind::Unknown;
};

// The kind a file gets when imported without a chosen kind: by the extension of its
// file name, compared in lower case; anything unlisted (or no extension) is FILE.
PageKind kindFromExtension(const QString &path);

// Only rich text pages carry a background colour; the others store NoColour.
inline const QString NoColour = QStringLiteral("NA");
bool hasColourField(PageKind kind);
// The colour field of a page of this kind: background for a rich text page, else NoColour.
QString colourField(PageKind kind, const QString &background);

} // namespace quillery
