// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/ArchiveWriting.h"

#include "documents/BinderKey.h"
#include "documents/LumpArchive.h"
#include "documents/PlainSource.h"
#include "documents/SecretStream.h"
#include "platform/FileIo.h"

namespace quillery {

namespace {

WrittenArchive rewrite(LumpArchive &archive, const QString &fileName)
{
    SafeFileWriter writer(fileName);
    // The new file is locked while it is written, so that an instance opening the binder
    // meanwhile sees it in use and leaves it, and no other instance can slip in before it
    // takes the binder's name.
    FileLock lock = FileLock::acquire(writer.tempPath());
    archive.write(writer);
    writer.commit();
    return {std::move(lock), writer.groupWarning()};
}

// An encrypted binder is written whole every time, with a fresh nonce; the archive goes
// straight from the pages into the encryption.
WrittenArchive encrypt(LumpArchive &archive, const QString &fileName, const BinderKey &key)
{
    PiecesSource plain(archive.pieces());
    SafeFileWriter writer(fileName);
    encryptInto(plain, writer.fd(), writer.tempPath(), key);
    // Locked before it takes the binder's name, as a plain binder is.
    FileLock lock = FileLock::acquire(writer.tempPath());
    writer.commit();
    return {std::move(lock), writer.groupWarning()};
}

} // namespace

WrittenArchive writeArchive(LumpArchive &archive, const ArchiveTarget &target)
{
    switch (target.way) {
    case SaveWay::Encrypted:
        return encrypt(archive, target.fileName, *target.key);
    case SaveWay::InPlace:
        // Where the append does not pay, or left replaced bytes it could not erase, a new
        // file takes the old one's place and nothing of the old stays in it.
        if (archive.appendInPlace(target.fileName, target.beforeErase) == LumpArchive::Append::Done)
            return {};
        return rewrite(archive, target.fileName);
    case SaveWay::Rewrite:
        return rewrite(archive, target.fileName);
    }
    Q_UNREACHABLE();
}

} // namespace quillery
