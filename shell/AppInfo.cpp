// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AppInfo.h"

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
    return QStringLiteral("Comments and suggestions: ") + feedbackAddress();
}

QString aboutText()
{
    return QStringLiteral("Quillery version ") + version() + QStringLiteral(".  ") + companyName() +
           QStringLiteral("\n\nQuillery keeps rich text, plain text, web pages, pictures, sounds "
                          "and any other files together as the pages of one binder file.\n\n"
                          "On the web: ") +
           projectAddress() + QStringLiteral("\n\n");
}

} // namespace quillery::AppInfo
