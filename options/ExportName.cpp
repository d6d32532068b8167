// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/ExportName.h"

#include "documents/PageKind.h"
#include "transfer/FileNames.h"

namespace quillery {

namespace {

QString safeFileName(const QString &name)
{
    QString result;
    result.reserve(name.size());
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\')
            result += u'_';
        else if (c.category() != QChar::Other_Control)
            result += c;
    }
    if (result.count(u'.') == result.size())
        result.prepend(u'_');
    return result;
}

} // namespace

QString editFileName(const QString &kind, const QString &title)
{
    return safeFileName(exportFileName(title, kindFromString(kind)));
}

} // namespace quillery
