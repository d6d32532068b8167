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

QIcon toolbarIcon(int position)
{
    switch (position) {
    case 1:
        return toolIcon(ToolIcon::New);
    case 2:
        return toolIcon(ToolIcon::Open);
    case 3:
        return toolIcon(ToolIcon::Save);
    case 5:
        return pageKindIcon(PageKind::RTF);
    case 6:
        return toolIcon(ToolIcon::Rename);
    case 7:
        return toolIcon(ToolIcon::Delete);
    case 8:
        return toolIcon(ToolIcon::Edit);
    case 10:
        return toolIcon(ToolIcon::LargeIcons);
    case 12:
        return toolIcon(ToolIcon::Back);
    case 13:
        return toolIcon(ToolIcon::Forward);
    case 14:
        return toolIcon(ToolIcon::Stop);
    case 15:
        return toolIcon(ToolIcon::Refresh);
    default:
        return QIcon();
    }
}

QIcon smallPicture(int picture)
{
    if (picture >= 10 && picture <= 15)
        return pageKindIcon(kindFromNumber(picture - 9));
    switch (picture) {
    case 7:
        return toolIcon(ToolIcon::List);
    case 8:
        return toolIcon(ToolIcon::LargeIcons);
    case 9:
        return toolIcon(ToolIcon::SmallIcons);
    case 16:
        return toolIcon(ToolIcon::Details);
    case 17:
        return toolIcon(ToolIcon::Scanner);
    default:
        return QIcon();
    }
}

} // namespace quillery
