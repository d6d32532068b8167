// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Icons.h"

#include "shell/ShellResources.h"

#include <QHash>

namespace quillery {

namespace {

struct IconSource
{
    const char *themeName;
    const char *file;
};

QIcon themed(const IconSource &source)
{
    static QHash<QString, QIcon> cache;
    const QString file = QLatin1String(source.file);
    auto found = cache.constFind(file);
    if (found != cache.constEnd())
        return *found;
    initShellResources();
    QIcon drawn;
    for (const int size : {16, 32})
        drawn.addFile(QStringLiteral(":/icons/%1.svg").arg(file), QSize(size, size));
    const QIcon icon = QIcon::fromTheme(QLatin1String(source.themeName), drawn);
    cache.insert(file, icon);
    return icon;
}

constexpr IconSource kindSources[] = {
    {"x-office-document", "page-rtf"}, {"text-x-generic", "page-txt"},
    {"text-html", "page-html"},        {"image-x-generic", "page-picture"},
    {"audio-x-generic", "page-sound"}, {"application-octet-stream", "page-file"},
};

constexpr IconSource toolSources[] = {
    {"document-new", "new"},
    {"document-open", "open"},
    {"document-save", "save"},
    {"edit-rename", "rename"},
    {"edit-delete", "delete"},
    {"document-edit", "edit"},
    {"go-previous", "back"},
    {"go-next", "forward"},
    {"process-stop", "stop"},
    {"view-refresh", "refresh"},
    {"view-list-icons", "view-large"},
    {"view-list-compact", "view-small"},
    {"view-list-text", "view-list"},
    {"view-list-details", "view-details"},
    {"scanner", "scanner"},
};
static_assert(std::size(toolSources) == int(ToolIcon::Scanner) + 1);

} // namespace

QIcon pageKindIcon(PageKind kind)
{
    const int number = int(kind);
    return number >= 1 && number <= 6 ? themed(kindSources[number - 1]) : QIcon();
}

QIcon binderIcon()
{
    return themed({"application-x-quillery", "quillery"});
}

QIcon toolIcon(ToolIcon icon)
{
    return themed(toolSources[int(icon)]);
}

QIcon smallPicture(int picture)
{
    if (picture >= 10 && picture <= 15)
        return pageKindIcon(kindFromNumber(picture - 9));
    static const QHash<int, ToolIcon> pictures = {
        {1, ToolIcon::New},      {2, ToolIcon::Open},       {3, ToolIcon::Save},
        {4, ToolIcon::Rename},   {5, ToolIcon::Delete},     {6, ToolIcon::Edit},
        {7, ToolIcon::List},     {8, ToolIcon::LargeIcons}, {9, ToolIcon::SmallIcons},
        {16, ToolIcon::Details}, {17, ToolIcon::Scanner},   {18, ToolIcon::Back},
        {19, ToolIcon::Forward}, {20, ToolIcon::Stop},      {21, ToolIcon::Refresh},
    };
    const auto found = pictures.constFind(picture);
    return found == pictures.constEnd() ? QIcon() : toolIcon(*found);
}

} // namespace quillery
