// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/EncryptedBinder.h"

#include "documents/Binder.h"
#include "documents/BinderKey.h"
#include "documents/Interaction.h"
#include "documents/PassphrasePrompt.h"
#include "documents/SecretStream.h"
#include "documents/Workspace.h"
#include "platform/Cancelled.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/MemoryFile.h"
#include "platform/RuntimeFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace quillery {

namespace {

const QString EncryptionFolderPrefix = QStringLiteral("quillery-");

// A new registered file in the binder's own folder, removed again when filling it fails.
class ScratchFile
{
public:
    explicit ScratchFile(TempFolder &folder) : m_folder(folder), m_path(folder.createFile())
    {
        m_folder.registerFile(m_path);
    }
    ~ScratchFile()
    {
        if (!m_kept)
            m_folder.deleteFile(m_path);
    }
    const QString &path() const { return m_path; }
    void keep() { m_kept = true; }

private:
    TempFolder &m_folder;
    QString m_path;
    bool m_kept = false;
};

} // namespace

// The named folder is this binder's alone, so everything in it goes, registered or not.
Encryption::~Encryption()
{
    if (m_named)
        QDir(m_named->path()).removeRecursively();
}

TempFolder &Encryption::namedFolder()
{
    if (!m_named)
        m_named.emplace(makeRuntimeSubfolder(EncryptionFolderPrefix));
    return *m_named;
}

void removeStaleEncryptionFolders()
{
    removeStaleRuntimeFolders(EncryptionFolderPrefix);
}

bool isEncryptedBinderFile(const QString &path)
{
    try {
        UniqueFd fd = fileio::openForReading(path);
        const qint64 size = fileio::fileSize(fd.get(), path);
        return hasContainerMagic(fileio::readRange(
            fd.get(), 0, std::min<qint64>(size, ContainerHeader::Magic.size()), path));
    } catch (const FileError &) {
        return false;
    }
}

bool isEncrypted(const Binder &binder)
{
    return binder.encryption() && binder.encryption()->key;
}

QString recentFilesTitle(const Binder &binder)
{
    return isEncrypted(binder) ? QFileInfo(binder.fileName()).fileName() : binder.title();
}

TempFolder &scratchFolder(Workspace &workspace, const Binder &binder)
{
    return scratchFolder(workspace.temp, binder);
}

TempFolder &scratchFolder(TempFolder &workspaceTemp, const Binder &binder)
{
    return binder.encryption() ? binder.encryption()->scratch : workspaceTemp;
}

TempFolder &namedScratchFolder(Workspace &workspace, const Binder &binder)
{
    return binder.encryption() ? binder.encryption()->namedFolder() : workspace.temp;
}

QString decryptWorkingCopy(Workspace &workspace, Binder &binder, const QString &source)
{
    const ContainerReader reader(source);
    auto encryption = std::make_shared<Encryption>();
    PassphrasePrompt prompt(workspace, binder.fileName().isEmpty() ? source : binder.fileName(),
                            reader);
    workspace.ui.askPassphrase(prompt);
    if (!prompt.key())
        throw Cancelled();
    encryption->key = prompt.key();
    binder.setEncryption(encryption);

    BusyScope busy(workspace.ui);
    UniqueFd working = createMemoryFile(QStringLiteral("quillery-binder"));
    reader.decryptInto(*encryption->key, working.get(), source);
    // Nothing changes a working copy: pages that change get files of their own.
    sealMemoryFile(working.get());
    return encryption->scratch.adopt(std::move(working));
}

namespace {

// Moves the files the binder's pages are read from into its own folder, so that no plain
// byte of an encrypted binder stays where the workspace keeps its files (which may be on a
// disk). The pages the history holds go with them. The files the workspace made go from
// there.
void moveIntoScratch(Workspace &workspace, Binder &binder, TempFolder &scratch)
{
    QHash<QString, QString> moved;
    BusyScope busy(workspace.ui);
    // Where the key's data lies once moved; the key itself when it needs no move.
    const auto movedKey = [&](PageKey key) {
        const QString from = key.dataPath();
        if (from.isEmpty() || scratch.holds(from))
            return key;
        QString &to = moved[from];
        if (to.isEmpty()) {
            ScratchFile copy(scratch);
            fileio::copyFile(from, copy.path());
            copy.keep();
            to = copy.path();
        }
        key.location = key.inWorkingCopy() ? u'|' + to : to;
        return key;
    };
    for (int position = 1; position <= binder.pageCount(); ++position) {
        const PageKey key = movedKey(binder.page(position).key);
        binder.relocatePage(position, key.location, key.offset, key.length);
    }
    binder.forEachHeldKey([&](PageKey &key) { key = movedKey(key); });
    if (moved.contains(binder.workingCopy()))
        binder.setWorkingCopy(moved.value(binder.workingCopy()));
    for (auto it = moved.constBegin(); it != moved.constEnd(); ++it)
        workspace.temp.deleteFile(it.key());
}

} // namespace

void setPassphrase(Workspace &workspace, Binder &binder, const QString &passphrase,
                   KdfLimits limits)
{
    auto key = std::make_shared<const BinderKey>(passphrase, BinderKey::newSalt(), limits);
    if (!binder.encryption())
        binder.setEncryption(std::make_shared<Encryption>());
    moveIntoScratch(workspace, binder, binder.encryption()->scratch);
    binder.encryption()->key = std::move(key);
}

} // namespace quillery
