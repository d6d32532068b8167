// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageList.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace quillery {

class Binder;

// What the page clipboard knows about the copied page besides its bytes: one line of
// four quoted, comma-separated fields (name, comments, kind, colour) in UTF-8.
//
// A double quote inside a field is written doubled, so names and comments holding quotes
// or commas read back exactly; a line without doubled quotes is the plain quoted form
// older copies wrote, and reads the same way.
struct ClipInfo
{
    QString name;
    QString comments;
    QString kind;
    QString colour;

    // What the page clipboard keeps of a page.
    static ClipInfo of(const PageRow &row);
    // A new page of this binder from these details and the file that holds its bytes, as
    // the scratch folder holds it. Throws FileError when the details name no page kind.
    PageRow toPage(Binder &binder, const QString &dataPath) const;

    QByteArray toLine() const;
    // No value when the text is not four quoted fields.
    static std::optional<ClipInfo> parse(const QByteArray &text);
};

} // namespace quillery
