#include "shell/AppInfo.h"

#include <QCoreApplication>

namespace quillery::AppInfo {

QString productName()
{
    return QStringLiteral("Quillery");
}

QString companyName()
{
    return QStringLiteral("Tamsin Orde");
}

QString version()
{
    return QStringLiteral(QUILLERY_VERSION);
}

QString comments()
{
    return QStringLiteral("Quillery keeps rich text, plain text, web pages, pictures, sounds "
                          "and any other files together as the pages of one binder file.");
}

QString contactLine()
{
    return QStringLiteral("Comments and suggestions: ") + feedbackAddress();
}

QString feedbackAddress()
{
    return QStringLiteral("feedback@quillery.example");
}

QString website()
{
    return QStringLiteral("https://quillery.example/");
}

void identifyApplication()
{
    QCoreApplication::setOrganizationName(companyName());
    QCoreApplication::setApplicationName(productName());
    QCoreApplication::setApplicationVersion(version());
}

} // namespace quillery::AppInfo
