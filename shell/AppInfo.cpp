// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AppInfo.h"

#include "platform/Settings.h"
#include <QCoreApplication>

namespace quillery::AppInfo {

QString productName()
{
    return Settings::Application;
}

QString companyName()
{
    return Settings::Organisation;
}

QString version()
{
    return QStringLiteral(QUILLERY_VERSION);
}

QString projectAddress()
{
    return QStringLiteral(QUILLERY_HOMEPAGE);
}

QString feedbackAddress()
{
    return projectAddress() + QStringLiteral("/issues");
}

QString contactLine()
{
    return QCoreApplication::translate("AppInfo", "Comments and suggestions: ") + feedbackAddress();
}

QString aboutText()
{
    return QCoreApplication::translate("AppInfo", "Quillery version ") + version() +
           QStringLiteral(".  ") + companyName() +
           QCoreApplication::translate(
               "AppInfo", "\n\nQuillery keeps rich text, plain text, web pages, pictures, sounds "
                          "and any other files together as the pages of one binder file.\n\n"
                          "On the web: ") +
           projectAddress() + QStringLiteral("\n\n");
}

} // namespace quillery::AppInfo
