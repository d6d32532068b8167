// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/ContainerHeader.h"
#include "platform/TempFolder.h"

#include <QString>

#include <memory>
#include <optional>

namespace quillery {

class Binder;
class BinderKey;
class Workspace;

// What a binder keeps once it is encrypted: the key its saves are encrypted with, and its
// plain working copy and the files of its new and changed pages, in memory files that go
// with the process however it ends. Files that must have a name (a page handed to another
// program, a scanned picture) go in a folder of its own in the runtime folder, made when
// first needed; the folder and everything in it go with it, and the next start removes
// the folder of a process that was killed.
class Encryption
{
public:
    Encryption() = default;
    ~Encryption();
    Encryption(const Encryption &) = delete;
    Encryption &operator=(const Encryption &) = delete;

    // Throws FileError when the runtime folder cannot be used.
    TempFolder &namedFolder();

    // None once the user chose to save the binder plain.
    std::shared_ptr<const BinderKey> key;
    TempFolder scratch = TempFolder::inMemory();

private:
    std::optional<TempFolder> m_named;
};

// Removes the named folders of encrypted binders left by processes that were killed.
void removeStaleEncryptionFolders();

// Whether the file begins as an encrypted binder does, whatever its name.
bool isEncryptedBinderFile(const QString &path);
// Whether saving the binder encrypts it.
bool isEncrypted(const Binder &binder);
// The name the recent files list keeps for the binder: its title, or for an encrypted
// binder its file's name, since the list is stored unencrypted.
QString recentFilesTitle(const Binder &binder);
// The folder the binder's page files go in: its own in memory once it is encrypted, else
// the workspace's.
TempFolder &scratchFolder(Workspace &workspace, const Binder &binder);
TempFolder &scratchFolder(TempFolder &workspaceTemp, const Binder &binder);
// The same for files that need a name another program can open. Throws FileError when an
// encrypted binder's runtime folder cannot be used.
TempFolder &namedScratchFolder(Workspace &workspace, const Binder &binder);

// The working copy of an encrypted binder for opening, from source (its file or its
// shadow copy): asks for the passphrase, then decrypts the file into a memory file of the
// binder's, sealed. Throws FileError, or Cancelled when no passphrase opened it.
QString decryptWorkingCopy(Workspace &workspace, Binder &binder, const QString &source);

// Gives the binder a key made from a new passphrase with a new salt; its saves are
// encrypted with it from then on. The files its pages are read from move into its memory
// files first.
void setPassphrase(Workspace &workspace, Binder &binder, const QString &passphrase,
                   KdfLimits limits = KdfLimits::moderate());

} // namespace quillery
