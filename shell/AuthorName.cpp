// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/AuthorName.h"

#include "platform/Dialogs.h"
#include "platform/Settings.h"

#include <QCoreApplication>
#include <pwd.h>
#include <unistd.h>

namespace quillery {

QString loginName()
{
    for (const char *variable : {"USERNAME", "USER", "LOGNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return name;
    }
    const passwd *entry = ::getpwuid(::getuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

QString ensureAuthorName(Settings &settings, Dialogs &dialogs,
                         const std::function<void()> &closeSplash)
{
    QString name = settings.authorName();
    if (!name.isEmpty())
        return name;
    if (closeSplash)
        closeSplash();
    name =
        dialogs
            .input(QCoreApplication::translate("AuthorName", "Author Name"),
                   QCoreApplication::translate("AuthorName", "Please type your name:"), loginName())
            .value_or(QString());
    if (name.isEmpty())
        name = QStringLiteral(" ");
    settings.setAuthorName(name);
    return name;
}

std::optional<QString> askAuthorName(Settings &settings, Dialogs &dialogs)
{
    QString name = settings.authorName();
    if (name.isEmpty())
        name = loginName();
    const QString prompt =
        QCoreApplication::translate(
            "AuthorName", "This name will be stored in new Quillery files to show you as the "
                          "author and in existing files as the last person to save.  It is "
                          "stored in the settings file here: '") +
        settings.fileName() + QStringLiteral(" [") + Settings::Main + QStringLiteral("]'");
    const std::optional<QString> answer =
        dialogs.input(QCoreApplication::translate("AuthorName", "Author Name"), prompt, name);
    if (!answer || answer->isEmpty())
        return std::nullopt;
    settings.setAuthorName(*answer);
    return answer;
}

} // namespace quillery
