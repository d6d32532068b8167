// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QString>

namespace quillery {

// Where a page's data is while its binder is open, with its serial number, kind and
// colour. Its text form is six fields joined by "?": serial, offset, length, kind,
// location ("|" + working copy, a page data file, or empty) and colour.
struct PageKey
{
    qint64 serial = 0;
    qint64 offset = -1; // -1: not a range of the working copy
    qint64 length = -1;
    StoredKind kind;
    QString location;
    QString colour;

    bool inWorkingCopy() const { return location.startsWith(u'|'); }
    // The file that holds the data: the working copy, a page data file, or empty.
    QString dataPath() const { return inWorkingCopy() ? location.mid(1) : location; }

    QString field(int number) const;
    QString toString() const;
    static PageKey parse(const QString &text);
};

} // namespace quillery
