#include "options/ExportName.h"

namespace quillery {

namespace {

QString withExtension(const QString &kind, const QString &title)
{
    const QString lower = title.toLower();
    if (kind == u"RTF")
        return lower.endsWith(u".rtf") ? title : title + u".rtf";
    if (kind == u"TXT")
        return lower.endsWith(u".txt") ? title : title + u".txt";
    if (kind == u"HTML") {
        const bool webPage =
            lower.endsWith(u".htm") || lower.endsWith(u".html") || lower.endsWith(u".php");
        return webPage ? title : title + u".htm";
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
