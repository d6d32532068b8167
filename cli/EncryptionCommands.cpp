// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/EncryptionCommands.h"

#include "cli/BinderCommands.h"
#include "cli/CliSession.h"
#include "cli/TerminalSecret.h"
#include "documents/BinderFormat.h"
#include "documents/BinderKey.h"
#include "documents/CompanionFiles.h"
#include "documents/EncryptedBinder.h"
#include "documents/LumpArchive.h"
#include "documents/PassphrasePrompt.h"
#include "documents/PlainSource.h"
#include "documents/SecretStream.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/FileLock.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <functional>
#include <optional>

#include <unistd.h>

namespace quillery::cli {

namespace {

// The command has already said why it stops.
struct Reported
{
};

// Where the result goes: over the binder itself, held locked so that no window of it is
// open meanwhile, or into a new file that nothing was at before. Throws FileError when
// neither can be had, Reported when the new file's name is taken.
class Target
{
public:
    Target(const QString &source, const QStringList &args)
    {
        if (args.size() < 2) {
            m_path = source;
            m_lock = FileLock::acquire(source);
            // Left by a writer that was killed; with the lock held nobody else writes one.
            removeStaleScratchFiles(source);
            return;
        }
        m_path = QFileInfo(args.at(1)).absoluteFilePath();
        try {
            fileio::createNew(m_path);
        } catch (const FileError &error) {
            if (error.number() != FileError::FileExists)
                throw;
            fail(m_path, QStringLiteral("already exists; the tool never replaces a file"));
            throw Reported();
        }
        m_placeholder = true;
    }
    ~Target()
    {
        if (m_placeholder && !m_written)
            ::unlink(QFile::encodeName(m_path).constData());
    }
    Target(const Target &) = delete;
    Target &operator=(const Target &) = delete;

    // Writes the file beside its place and renames it there; fill writes the bytes to
    // the descriptor it is given.
    void write(const std::function<void(int fd, const QString &path)> &fill)
    {
        SafeFileWriter writer(m_path);
        // Held, as the program holds its own, so that no other run takes it for stale.
        const FileLock scratchLock = FileLock::acquire(writer.tempPath());
        fill(writer.fd(), writer.tempPath());
        writer.commit();
        m_written = true;
        if (!writer.groupWarning().isEmpty())
            QTextStream(stderr) << "quillery-cli: warning: " << writer.groupWarning() << '\n';
    }

private:
    QString m_path;
    FileLock m_lock;
    bool m_placeholder = false;
    bool m_written = false;
};

std::optional<KdfLimits> kdfLimits(QStringList &args)
{
    const qsizetype at = args.indexOf(QStringLiteral("--kdf"));
    if (at < 0)
        return KdfLimits::moderate();
    if (at + 1 >= args.size())
        return std::nullopt;
    const QString level = args.at(at + 1);
    args.remove(at, 2);
    if (level == u"interactive")
        return KdfLimits::interactive();
    if (level == u"moderate")
        return KdfLimits::moderate();
    if (level == u"sensitive")
        return KdfLimits::sensitive();
    return std::nullopt;
}

// Runs one of the two commands, reporting what goes wrong with the file named.
int guarded(const QString &path, const std::function<int()> &work)
{
    try {
        return work();
    } catch (const Reported &) {
        return int(ExitFailed);
    } catch (const FileError &error) {
        if (error.isPermissionDenied())
            return fail(path,
                        QStringLiteral("is in use or cannot be written; nothing was changed"));
        return fail(path, error.description());
    }
}

} // namespace

int encryptCommand(CliSession &session, const QStringList &arguments)
{
    QStringList args = arguments;
    const std::optional<KdfLimits> limits = kdfLimits(args);
    if (!limits || args.isEmpty() || args.size() > 2)
        return ExitUsage;
    const QString source = QFileInfo(args.first()).absoluteFilePath();
    return guarded(source, [&] {
        if (isEncryptedBinderFile(source))
            return fail(source, QStringLiteral("is encrypted already"));
        // Only a binder is encrypted as one: its header and directory must read.
        LumpArchive::readDirectory(source, BinderHeader);
        const std::optional<QString> passphrase = session.ui().newPassphrase(source);
        if (!passphrase)
            return int(ExitPassword);
        const BinderKey key(*passphrase, BinderKey::newSalt(), *limits);
        Target target(source, args);
        FileSource plain(source);
        target.write([&](int fd, const QString &path) { encryptInto(plain, fd, path, key); });
        return int(ExitOk);
    });
}

int decryptCommand(CliSession &session, const QStringList &args)
{
    if (args.isEmpty() || args.size() > 2)
        return ExitUsage;
    const QString source = QFileInfo(args.first()).absoluteFilePath();
    return guarded(source, [&] {
        if (!isEncryptedBinderFile(source))
            return fail(source, QStringLiteral("is not an encrypted binder"));
        const ContainerReader reader(source);
        PassphrasePrompt prompt(session.workspace(), source, reader);
        session.workspace().ui.askPassphrase(prompt);
        if (!prompt.key())
            return int(ExitPassword);
        Target target(source, args);
        target.write(
            [&](int fd, const QString &path) { reader.decryptInto(*prompt.key(), fd, path); });
        return int(ExitOk);
    });
}

} // namespace quillery::cli
