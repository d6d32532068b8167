// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/SecretStream.h"

#include "documents/BinderKey.h"
#include "documents/PlainSource.h"
#include "platform/BackgroundReader.h"
#include "platform/BackgroundWriter.h"
#include "platform/FileError.h"

#include <sodium.h>

#include <fcntl.h>
#include <span>
#include <vector>

namespace quillery {

static_assert(ContainerHeader::StreamHeaderSize ==
              crypto_secretstream_xchacha20poly1305_HEADERBYTES);
static_assert(ContainerHeader::ChunkOverhead == crypto_secretstream_xchacha20poly1305_ABYTES);

namespace {

using Bytes = std::vector<unsigned char>;

// Key state is zeroed once it is no longer needed.
struct WipedState
{
    crypto_secretstream_xchacha20poly1305_state state;
    WipedState() = default;
    WipedState(const WipedState &) = delete;
    WipedState &operator=(const WipedState &) = delete;
    ~WipedState() { sodium_memzero(&state, sizeof state); }
};

const unsigned char *bytesOf(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

} // namespace

// Reading, encrypting and writing each have a thread, so that a save takes about as long
// as the cipher alone on a machine with two cores or more.
void encryptInto(PlainSource &plain, int outFd, const QString &outPath, const BinderKey &key,
                 quint32 chunkSize)
{
    initialiseSodium();
    WipedState stream;
    ContainerHeader header;
    header.limits = key.limits();
    header.salt = key.salt();
    header.chunkSize = chunkSize;
    header.streamHeader = QByteArray(ContainerHeader::StreamHeaderSize, Qt::Uninitialized);
    crypto_secretstream_xchacha20poly1305_init_push(
        &stream.state, reinterpret_cast<unsigned char *>(header.streamHeader.data()), key.bytes());
    const QByteArray headerBytes = header.toBytes();

    const qint64 length = plain.size();
    BackgroundReader in(
        [&](unsigned char *into, qint64 n) { plain.read(reinterpret_cast<char *>(into), n); },
        length, chunkSize);
    BackgroundWriter out(outFd, outPath, chunkSize + ContainerHeader::ChunkOverhead);
    out.append(headerBytes);
    const unsigned char nothing = 0;
    qint64 done = 0;
    bool first = true;
    for (;;) {
        const std::span<const unsigned char> chunk = in.next();
        done += qint64(chunk.size());
        // An empty binder still gets its one, final, chunk.
        const bool last = done == length;
        unsigned long long sealedLength = 0;
        crypto_secretstream_xchacha20poly1305_push(
            &stream.state, out.take(qint64(chunk.size()) + ContainerHeader::ChunkOverhead),
            &sealedLength, chunk.empty() ? &nothing : chunk.data(), chunk.size(),
            first ? bytesOf(headerBytes) : nullptr, first ? quint64(headerBytes.size()) : 0,
            last ? crypto_secretstream_xchacha20poly1305_TAG_FINAL
                 : crypto_secretstream_xchacha20poly1305_TAG_MESSAGE);
        out.queue(qint64(sealedLength));
        first = false;
        if (last)
            break;
    }
    out.finish();
}

// Takes chunks off the stream in order, each checked by the stream's own state, so that a
// chunk moved, repeated or left out fails where it stands.
class ContainerReader::Puller
{
public:
    Puller(const ContainerReader &reader, const BinderKey &key) : m_reader(reader)
    {
        initialiseSodium();
        if (crypto_secretstream_xchacha20poly1305_init_pull(
                &m_stream.state, bytesOf(reader.m_header.streamHeader), key.bytes()) != 0)
            throw FileError::damaged(QStringLiteral("its stream header is not valid"));
    }

    // The file after its header, in pieces of one sealed chunk each (the last one fewer).
    qint64 sealedBytes() const { return m_reader.m_size - ContainerHeader::Size; }
    qint64 sealedChunkSize() const
    {
        return qint64(m_reader.m_header.chunkSize) + ContainerHeader::ChunkOverhead;
    }

    // Checks the next chunk, sealed as it was read from the file (empty when the file has
    // no more), and puts its plain bytes (up to the chunk size) at into; false when it
    // fails, writing nothing there.
    bool next(std::span<const unsigned char> sealed, unsigned char *into)
    {
        if (sealed.empty())
            throw FileError::damaged(
                QStringLiteral("it ends after %1 chunks, before its last one").arg(m_chunks));
        if (sealed.size() < size_t(ContainerHeader::ChunkOverhead))
            throw FileError::damaged(QStringLiteral("it ends inside chunk %1").arg(m_chunks + 1));
        const QByteArray &ad = m_reader.m_headerBytes;
        const bool first = m_chunks == 0;
        unsigned char tag = 0;
        if (crypto_secretstream_xchacha20poly1305_pull(
                &m_stream.state, into, &m_plainLength, &tag, sealed.data(), sealed.size(),
                first ? bytesOf(ad) : nullptr, first ? quint64(ad.size()) : 0) != 0)
            return false;
        m_offset += qint64(sealed.size());
        ++m_chunks;
        if (tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL) {
            m_final = true;
            if (m_offset != m_reader.m_size)
                throw FileError::damaged(QStringLiteral("bytes follow its last chunk"));
        } else if (tag != crypto_secretstream_xchacha20poly1305_TAG_MESSAGE) {
            throw FileError::damaged(QStringLiteral("chunk %1 has an unknown tag").arg(m_chunks));
        }
        return true;
    }

    qint64 plainLength() const { return qint64(m_plainLength); }
    bool finished() const { return m_final; }
    int chunks() const { return m_chunks; }

private:
    const ContainerReader &m_reader;
    WipedState m_stream;
    qint64 m_offset = ContainerHeader::Size;
    unsigned long long m_plainLength = 0;
    int m_chunks = 0;
    bool m_final = false;
};

ContainerReader::ContainerReader(const QString &path)
    : m_path(path), m_fd(fileio::openForReading(path))
{
    m_size = fileio::fileSize(m_fd.get(), path);
    m_headerBytes =
        fileio::readRange(m_fd.get(), 0, std::min<qint64>(m_size, ContainerHeader::Size), path);
    m_header = ContainerHeader::parse(m_headerBytes);
}

bool ContainerReader::opensWith(const BinderKey &key) const
{
    Puller puller(*this, key);
    Bytes sealed(size_t(std::min(puller.sealedChunkSize(), puller.sealedBytes())));
    fileio::readInto(m_fd.get(), reinterpret_cast<char *>(sealed.data()), ContainerHeader::Size,
                     qint64(sealed.size()), m_path);
    Bytes plain(m_header.chunkSize);
    const bool opens = puller.next(sealed, plain.data());
    sodium_memzero(plain.data(), plain.size());
    return opens;
}

// Reading and checking, and writing the plain bytes, each have a thread.
void ContainerReader::decryptInto(const BinderKey &key, int outFd, const QString &outPath) const
{
    ::posix_fadvise(m_fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    Puller puller(*this, key);
    qint64 offset = ContainerHeader::Size;
    BackgroundReader in(
        [&](unsigned char *into, qint64 n) {
            fileio::readInto(m_fd.get(), reinterpret_cast<char *>(into), offset, n, m_path);
            offset += n;
        },
        puller.sealedBytes(), puller.sealedChunkSize());
    BackgroundWriter out(outFd, outPath, m_header.chunkSize);
    while (!puller.finished()) {
        if (!puller.next(in.next(), out.take(m_header.chunkSize)))
            throw puller.chunks() == 0
                ? FileError(FileError::InvalidFormat, WrongPassphrase)
                : FileError::damaged(
                      QStringLiteral("its chunk %1 fails its check").arg(puller.chunks() + 1));
        out.queue(puller.plainLength());
    }
    out.finish();
}

} // namespace quillery
