// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace quillery {

namespace {

constexpr qsizetype maxNameChars = 250;
// A file name on Linux holds at most 255 bytes; stay below that with room for the
// number a unique temporary name may add.
constexpr qsizetype maxNameBytes = 250;

QString trimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

QString replaceUnsafeCharacters(QString name)
{
    // The characters Windows refuses in names, so exported files travel well.
    static const std::pair<QChar, QString> replacements[] = {
        {u'\\', QStringLiteral("_")}, {u'/', QStringLiteral("_")}, {u'<', QStringLiteral("(")},
        {u'>', QStringLiteral(")")},  {u'*', QStringLiteral("x")}, {u'"', QStringLiteral("''")},
        {u'?', QStringLiteral("!")},  {u':', QStringLiteral(";")}, {u'|', QStringLiteral("\u00A6")},
    };
    for (const auto &[from, to] : replacements)
        name.replace(from, to);
    return name;
}

// Characters that would end, hide or rearrange a line where the name is shown: C0 and C1
// controls, DEL, the line and paragraph separators and the bidirectional overrides.
bool isInvisibleControl(QChar c)
{
    const char16_t code = c.unicode();
    return c.category() == QChar::Other_Control || code == 0x2028 || code == 0x2029 ||
           (code >= 0x202a && code <= 0x202e) || (code >= 0x2066 && code <= 0x2069);
}

QString withoutControls(const QString &name)
{
    QString result;
    result.reserve(name.size());
    for (const QChar c : name) {
        if (!isInvisibleControl(c))
            result += c;
    }
    return result;
}

// The end of a name is what tells files apart (numbers, extensions), so long names
// lose their beginning.
QString keepTail(const QString &name)
{
    qsizetype start = qMax<qsizetype>(0, name.size() - maxNameChars);
    while (start < name.size() && (name.at(start).isLowSurrogate() ||
                                   QStringView(name).mid(start).toUtf8().size() > maxNameBytes))
        ++start;
    return name.mid(start);
}

bool nameTaken(const QString &path)
{
    // A dangling symbolic link still occupies the name.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString uniqueName(const QString &name, const QString &folder)
{
    const QDir dir(folder);
    if (!nameTaken(dir.filePath(name)))
        return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    for (qint64 n = 1;; ++n) {
        const QString candidate = base + QString::number(n) + extension;
        const QString path = dir.filePath(candidate);
        if (!nameTaken(path))
            return candidate;
        // Numbered copies from earlier exports of this name are stale by now.
        QFile::remove(path);
    }
}

} // namespace

QString extensionOf(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot);
}

QString safeFileName(const QString &name, bool inTemp, const QString &tempFolder)
{
    QString result = keepTail(replaceUnsafeCharacters(trimSpaces(withoutControls(name))));
    // The program's scratch files in the temporary folder end in ".tmp" (the page
    // clipboard's among them); an exported page must never take such a name.
    const QString lower = result.toLower();
    if (lower.endsWith(QLatin1String(".tmp")) && !lower.endsWith(QLatin1String("_.tmp"))) {
        result = lower;
        result.replace(QLatin1String(".tmp"), QLatin1String("_.tmp"));
    }
    // A name starting with "." hides the file (".profile" would even be the shell's), and
    // one starting with "-" reads as an option to the program it is handed to.
    if (result.startsWith(u'.') || result.startsWith(u'-'))
        result.prepend(u'_');
    return inTemp ? uniqueName(result, tempFolder) : result;
}

QString pageFileName(const QString &name, PageKind kind)
{
    const QString safe = safeFileName(name, false);
    return safeFileName(exportFileName(safe.isEmpty() ? QStringLiteral("page") : safe, kind),
                        false);
}

QString exportFileName(const QString &name, PageKind kind)
{
    const auto withSuffix = [&name](const QString &suffix) {
        return name.endsWith(suffix, Qt::CaseInsensitive) ? name : name + suffix;
    };
    static const QStringList webExtensions = {QStringLiteral(".htm"), QStringLiteral(".html"),
                                              QStringLiteral(".php")};
    switch (kind) {
    case PageKind::RTF:
        return withSuffix(QStringLiteral(".rtf"));
    case PageKind::TXT:
        return withSuffix(QStringLiteral(".txt"));
    case PageKind::HTML:
        return webExtensions.contains(extensionOf(name).toLower()) ? name
                                                                   : name + webExtensions.first();
    default:
        return name;
    }
}

} // namespace quillery
