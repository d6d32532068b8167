#include "options/ExportName.h"

namespace quillery {

namespace {

QString withSuffix(const QString &title, QLatin1StringView suffix)
{
    return title.endsWith(suffix, Qt::CaseInsensitive) ? title : title + suffix;
}

QString withExtension(const QString &kind, const QString &title)
{
    if (kind == u"RTF")
        return withSuffix(title, QLatin1StringView(".rtf"));
    if (kind == u"TXT")
        return withSuffix(title, QLatin1StringView(".txt"));
    if (kind == u"HTML") {
        for (const char *web : {".html", ".php"}) {
            if (title.endsWith(QLatin1StringView(web), Qt::CaseInsensitive))
                return title;
        }
        return withSuffix(title, QLatin1StringView(".htm"));
    }
    return title;
}

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
    return safeFileName(withExtension(kind, title));
}

} // namespace quillery
