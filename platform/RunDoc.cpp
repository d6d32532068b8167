#include "platform/RunDoc.h"

#include <QDesktopServices>
#include <QUrl>

namespace quillery {

namespace {

std::function<bool(const QString &)> &handler()
{
    static std::function<bool(const QString &)> current;
    return current;
}

} // namespace

bool RunDoc(const QString &path)
{
    if (handler())
        return handler()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void setRunDocHandler(std::function<bool(const QString &)> handler_)
{
    handler() = std::move(handler_);
}

} // namespace quillery
