// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/PageKind.h"

#include <QHash>

namespace quillery {

namespace {

const QString kindStrings[] = {QString(),
                               QStringLiteral("RTF"),
                               QStringLiteral("TXT"),
                               QStringLiteral("HTML"),
                               QStringLiteral("PICTURE"),
                               QStringLiteral("SOUND"),
                               QStringLiteral("FILE")};

const QHash<QString, PageKind> &kindsByExtension()
{
    static const QHash<QString, PageKind> table = {
        {QStringLiteral("rtf"), PageKind::RTF},      {QStringLiteral("txt"), PageKind::TXT},
        {QStringLiteral("ini"), PageKind::TXT},      {QStringLiteral("inf"), PageKind::TXT},
        {QStringLiteral("log"), PageKind::TXT},      {QStringLiteral("dic"), PageKind::TXT},
        {QStringLiteral("htm"), PageKind::HTML},     {QStringLiteral("html"), PageKind::HTML},
        {QStringLiteral("php"), PageKind::HTML},     {QStringLiteral("asp"), PageKind::HTML},
        {QStringLiteral("bmp"), PageKind::PICTURE},  {QStringLiteral("gif"), PageKind::PICTURE},
        {QStringLiteral("jpeg"), PageKind::PICTURE}, {QStringLiteral("jfif"), PageKind::PICTURE},
        {QStringLiteral("jpg"), PageKind::PICTURE},  {QStringLiteral("jpe"), PageKind::PICTURE},
        {QStringLiteral("png"), PageKind::PICTURE},  {QStringLiteral("ico"), PageKind::PICTURE},
        {QStringLiteral("dib"), PageKind::PICTURE},  {QStringLiteral("wav"), PageKind::SOUND},
        {QStringLiteral("mp3"), PageKind::SOUND},    {QStringLiteral("wma"), PageKind::SOUND},
        {QStringLiteral("mid"), PageKind::SOUND},    {QStringLiteral("rmi"), PageKind::SOUND},
    };
    return table;
}

} // namespace

QString kindString(PageKind kind)
{
    return kindStrings[static_cast<int>(kind)];
}

PageKind kindFromString(const QString &text)
{
    QString name = text;
    name.remove(QChar(u'\0'));
    for (int number = 1; number <= 6; ++number) {
        if (name == kindStrings[number])
            return PageKind(number);
    }
    return PageKind::Unknown;
}

StoredKind StoredKind::fromName(const QString &name)
{
    StoredKind stored;
    stored.m_name = name;
    stored.m_kind = kindFromString(name);
    return stored;
}

PageKind kindFromNumber(int number)
{
    return number >= 1 && number <= 6 ? PageKind(number) : PageKind::Unknown;
}

PageKind kindFromExtension(const QString &path)
{
    // A dot that only occurs in a folder name is no extension, and neither is a name
    // without any dot: both must fall through to FILE, even for a bare name like "txt".
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || path.indexOf(u'/', dot) >= 0)
        return PageKind::FILE;
    return kindsByExtension().value(path.mid(dot + 1).toLower(), PageKind::FILE);
}

bool hasColourField(PageKind kind)
{
    return kind == PageKind::RTF;
}

QString colourField(PageKind kind, const QString &background)
{
    return hasColourField(kind) ? background : NoColour;
}

} // namespace quillery
