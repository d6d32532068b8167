// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSession.h"

#include "documents/Binder.h"
#include "documents/Password.h"
#include "platform/FileError.h"
#include "platform/Settings.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <pwd.h>
#include <unistd.h>

namespace quillery::cli {

void CliUi::askPassword(PasswordPrompt &prompt)
{
    // The tool says itself what is wrong with the password, in its own words.
    if (!password || !prompt.accept(*password))
        prompt.cancel();
}

namespace {

// A folder of this run's own inside the user's temporary folder: a program instance that
// starts meanwhile cleans out that folder's files, never another folder's.
QString makePrivateFolder()
{
    const TempFolder shared;
    QByteArray pattern = QFile::encodeName(shared.filePath(QStringLiteral("cli-XXXXXX")));
    if (!::mkdtemp(pattern.data()))
        throw FileError::fromErrno(errno, shared.path());
    return QFile::decodeName(pattern);
}

// The user's login name from the password database: a script run by cron or over ssh
// need not have USER set.
QString loginName()
{
    const passwd *entry = ::getpwuid(::getuid());
    return entry ? QString::fromLocal8Bit(entry->pw_name) : qEnvironmentVariable("USER");
}

} // namespace

CliSession::CliSession(std::optional<QString> password)
    : m_temp(makePrivateFolder()), m_workspace(std::make_unique<Workspace>(m_temp, m_dialogs, m_ui))
{
    m_ui.password = std::move(password);
    // The name the program stores binders under, as it does; the login name without one.
    m_workspace->authorName = Settings().authorName();
    if (m_workspace->authorName.isEmpty())
        m_workspace->authorName = loginName();
}

CliSession::~CliSession()
{
    m_temp.DeleteTempFiles();
    ::rmdir(QFile::encodeName(m_temp.path()).constData());
}

std::unique_ptr<Binder> CliSession::open(const QString &path, OpenPurpose purpose, int &exitCode)
{
    if (!isBinderPath(path)) {
        m_dialogs.message(MsgIcon::Critical, MsgButtons::Ok, path,
                          QStringLiteral("not a binder (a binder's name ends in .qly)"));
        exitCode = ExitFailed;
        return nullptr;
    }
    m_ui.passwordRefused = false;
    auto binder = OpenFile(*m_workspace, QFileInfo(path).absoluteFilePath(), purpose);
    if (binder)
        return binder;
    exitCode = ExitFailed;
    if (m_ui.passwordRefused) {
        exitCode = ExitPassword;
        m_dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok, path,
                          m_ui.password ? QStringLiteral("the password is wrong")
                                        : QStringLiteral("the binder is protected by a password; "
                                                         "give it with --password-file"));
    }
    return nullptr;
}

} // namespace quillery::cli
