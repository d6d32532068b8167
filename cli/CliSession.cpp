// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSession.h"

#include "cli/TerminalSecret.h"
#include "documents/Binder.h"
#include "documents/EncryptedBinder.h"
#include "documents/PassphrasePrompt.h"
#include "documents/Password.h"
#include "platform/FileError.h"
#include "platform/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

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

const QString NoPassphrase = QStringLiteral("the binder is encrypted; give its passphrase with "
                                            "--password-file, or type it at a terminal (never "
                                            "on the command line)");

const QString EmptyPassphrase = QStringLiteral("the passphrase read with --password-file is "
                                               "empty; a passphrase must not be empty");

} // namespace

void CliUi::askPassphrase(PassphrasePrompt &prompt)
{
    passphraseAsked = true;
    if (password && !passwordOnCommandLine) {
        if (password->isEmpty())
            QTextStream(stderr) << prompt.fileName() << ": " << EmptyPassphrase << '\n';
        prompt.allowOneTry();
        if (password->isEmpty() || !prompt.ok(*password))
            prompt.cancel();
        return;
    }
    bool typed = false;
    while (!prompt.finished()) {
        const std::optional<QString> passphrase =
            readSecretFromTerminal(QStringLiteral("Passphrase for %1: ").arg(prompt.fileName()));
        if (!passphrase) {
            prompt.cancel();
            break;
        }
        typed = true;
        prompt.ok(*passphrase);
    }
    if (!typed)
        QTextStream(stderr) << prompt.fileName() << ": " << NoPassphrase << '\n';
}

std::optional<QString> CliUi::newPassphrase(const QString &path)
{
    if (password && !passwordOnCommandLine) {
        if (!password->isEmpty())
            return password;
        QTextStream(stderr) << path << ": " << EmptyPassphrase << "; nothing was changed\n";
        return std::nullopt;
    }
    const std::optional<QString> first =
        readSecretFromTerminal(QStringLiteral("New passphrase for %1: ").arg(path));
    if (!first) {
        QTextStream(stderr) << path << ": " << NoPassphrase << '\n';
        return std::nullopt;
    }
    const std::optional<QString> again = readSecretFromTerminal(QStringLiteral("Type it again: "));
    if (again != first) {
        QTextStream(stderr) << path << ": the two passphrases differ; nothing was changed\n";
        return std::nullopt;
    }
    if (first->isEmpty()) {
        QTextStream(stderr) << path << ": a passphrase must not be empty; nothing was changed\n";
        return std::nullopt;
    }
    return first;
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

CliSession::CliSession(std::optional<QString> password, bool passwordOnCommandLine)
    : m_temp(makePrivateFolder()), m_workspace(std::make_unique<Workspace>(m_temp, m_dialogs, m_ui))
{
    m_ui.password = std::move(password);
    m_ui.passwordOnCommandLine = passwordOnCommandLine;
    // The name the program stores binders under, as it does; the login name without one.
    m_workspace->authorName = Settings().authorName();
    if (m_workspace->authorName.isEmpty())
        m_workspace->authorName = loginName();
}

CliSession::~CliSession()
{
    m_temp.deleteRegistered();
    ::rmdir(QFile::encodeName(m_temp.path()).constData());
}

std::unique_ptr<Binder> CliSession::open(const QString &path, OpenPurpose purpose, int &exitCode)
{
    if (!isBinderFile(path)) {
        m_dialogs.message(MsgIcon::Critical, MsgButtons::Ok, path, QStringLiteral("not a binder"));
        exitCode = ExitFailed;
        return nullptr;
    }
    m_ui.passwordRefused = false;
    m_ui.passphraseAsked = false;
    auto binder = openFile(*m_workspace, QFileInfo(path).absoluteFilePath(), purpose);
    if (binder)
        return binder;
    exitCode = passwordFailure(path, ExitFailed);
    return nullptr;
}

int CliSession::passwordFailure(const QString &path, int otherwise)
{
    if (!m_ui.passwordRefused)
        return otherwise;
    m_ui.passwordRefused = false;
    // The passphrase prompt has said what was wrong with the passphrase.
    if (!m_ui.passphraseAsked)
        m_dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok, path,
                          m_ui.password ? QStringLiteral("the password is wrong")
                                        : QStringLiteral("the binder is protected by a password; "
                                                         "give it with --password-file"));
    return ExitPassword;
}

} // namespace quillery::cli
