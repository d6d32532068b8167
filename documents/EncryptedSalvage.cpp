// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/EncryptedSalvage.h"

#include "documents/ArchiveWriting.h"
#include "documents/BinderSalvage.h"
#include "documents/EncryptedBinder.h"
#include "documents/Interaction.h"
#include "documents/PassphrasePrompt.h"
#include "documents/SecretStream.h"
#include "documents/Workspace.h"
#include "platform/FileError.h"
#include "platform/MemoryFile.h"

namespace quillery {

std::optional<DecryptedPrefix> decryptWhatAuthenticates(Workspace &workspace, const QString &path)
{
    const ContainerReader reader(path);
    PassphrasePrompt prompt(workspace, path, reader);
    workspace.ui.askPassphrase(prompt);
    if (!prompt.key())
        return std::nullopt;
    DecryptedPrefix prefix;
    prefix.encryption = std::make_shared<Encryption>();
    prefix.encryption->key = prompt.key();
    UniqueFd plain = createMemoryFile(QStringLiteral("quillery-salvage"));
    try {
        reader.decryptInto(*prompt.key(), plain.get(), path);
    } catch (const FileError &error) {
        // What was written before the failing chunk passed its check.
        prefix.damage = error.description();
    }
    prefix.plainPath = prefix.encryption->scratch.adopt(std::move(plain));
    return prefix;
}

void writeEncryptedSalvage(const Salvage &salvage, const DecryptedPrefix &prefix,
                           const QString &target)
{
    LumpArchive archive = salvagedArchive(salvage, prefix.plainPath);
    writeArchive(archive, {target, SaveWay::Encrypted, prefix.encryption->key, {}});
}

} // namespace quillery
