// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/ContainerHeader.h"
#include "platform/TempFolder.h"

#include <QString>

#include <memory>

namespace quillery {

class Binder;
class BinderKey;
class LumpArchive;
class Workspace;

// What a binder keeps once it is encrypted: the key its saves are encrypted with, and a
// folder of its own in the runtime folder, in memory only, for its plain working copy and
// the files of its new and changed pages. The folder and everything in it go with it.
class Encryption
{
public:
    // Makes the folder; throws FileError when the runtime folder cannot be used.
    Encryption();
    ~Encryption();
    Encryption(const Encryption &) = delete;
    Encryption &operator=(const Encryption &) = delete;

    // None once the user chose to save the binder plain.
    std::shared_ptr<const BinderKey> key;
    TempFolder scratch;
};

// Whether the file begins as an encrypted binder does, whatever its name.
bool isEncryptedBinderFile(const QString &path);
// Whether saving the binder encrypts it.
bool isEncrypted(const Binder &binder);
// The name the recent files list keeps for the binder: its title, or for an encrypted
// binder its file's name, since the list is stored unencrypted.
QString recentFilesTitle(const Binder &binder);
// The folder the binder's page files go in: its own in the runtime folder once it is
// encrypted, else the workspace's.
TempFolder &scratchFolder(Workspace &workspace, const Binder &binder);
TempFolder &scratchFolder(TempFolder &workspaceTemp, const Binder &binder);

// The working copy of an encrypted binder for opening, from source (its file or its
// shadow copy): asks for the passphrase, then decrypts the file into the binder's folder
// in the runtime folder. Throws FileError, or Cancelled when no passphrase opened it.
QString decryptWorkingCopy(Workspace &workspace, Binder &binder, const QString &source);

// Saves an encrypted binder: its archive is encrypted as it is put together from the
// pages into a new file, which is locked and then renamed over fileName. A failure leaves
// the file and the binder as they were.
void writeEncryptedBinder(Binder &binder, LumpArchive &archive, const QString &fileName);

// Gives the binder a key made from a new passphrase with a new salt; its saves are
// encrypted with it from then on. The files its pages are read from move into its folder
// in the runtime folder first. Throws FileError when the runtime folder cannot be used.
void setPassphrase(Workspace &workspace, Binder &binder, const QString &passphrase,
                   KdfLimits limits = KdfLimits::moderate());

} // namespace quillery
