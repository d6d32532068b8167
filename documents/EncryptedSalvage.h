// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace quillery {

class Encryption;
struct Salvage;
class Workspace;

// The plain binder inside a damaged encrypted one, as far as its chunks pass their check
// in order: a cut or spoilt chunk ends it, like a plain binder cut there. It lives in a
// memory file of the encryption, which also keeps the key the rescued pages are
// encrypted with again, so that no plain byte reaches a disk.
struct DecryptedPrefix
{
    std::shared_ptr<Encryption> encryption;
    QString plainPath;
    QString damage; // why the plain binder ends early; empty when it is whole
};

// Asks for the passphrase and decrypts what passes its check; nothing when no
// passphrase opening the binder was given. Throws FileError when the file is no
// container at all.
std::optional<DecryptedPrefix> decryptWhatAuthenticates(Workspace &workspace, const QString &path);

// Writes the salvaged pages of the prefix to target, encrypted with the same key.
void writeEncryptedSalvage(const Salvage &salvage, const DecryptedPrefix &prefix,
                           const QString &target);

} // namespace quillery
