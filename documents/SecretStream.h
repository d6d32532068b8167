// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/ContainerHeader.h"
#include "platform/FileIo.h"

#include <QString>

#include <span>

struct crypto_secretstream_xchacha20poly1305_state;

namespace quillery {

class BinderKey;
class PlainSource;

// Writes an encrypted binder to outFd: the header, with the key's salt and limits and a
// fresh stream header (so no two saves share a nonce), then the plain bytes in chunks.
// Throws FileError when a file cannot be read or written.
void encryptInto(PlainSource &plain, int outFd, const QString &outPath, const BinderKey &key,
                 quint32 chunkSize = ContainerHeader::DefaultChunkSize);

// An encrypted binder being read: its header first, which says how to make the key, then
// its chunks, each checked before any of its bytes is given out.
class ContainerReader
{
public:
    // What a first chunk that fails its check means: nothing tells the two apart.
    static inline const QString WrongPassphrase =
        QStringLiteral("The passphrase is wrong, or the file is damaged");

    // Opens the file and reads its header; throws FileError when it is not one.
    explicit ContainerReader(const QString &path);

    const ContainerHeader &header() const { return m_header; }
    // Whether the key opens the first chunk: a wrong passphrase is told there, before
    // anything is written.
    bool opensWith(const BinderKey &key) const;
    // Writes the plain binder to outFd. Throws FileError when any chunk fails its check,
    // is missing, is out of its place or is followed by anything; outFd may then hold
    // the chunks before it, which the caller discards.
    void decryptInto(const BinderKey &key, int outFd, const QString &outPath) const;

private:
    qint64 sealedChunkSize() const;
    void startPull(crypto_secretstream_xchacha20poly1305_state &state, const BinderKey &key) const;
    // Checks and decrypts one sealed chunk with the state, which it moves on; false when
    // the chunk fails its check.
    bool pull(crypto_secretstream_xchacha20poly1305_state &state,
              std::span<const unsigned char> sealed, unsigned char *into, unsigned char &tag,
              bool first) const;

    QString m_path;
    UniqueFd m_fd;
    qint64 m_size = 0;
    QByteArray m_headerBytes;
    ContainerHeader m_header;
};

} // namespace quillery
