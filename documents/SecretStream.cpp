// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/SecretStream.h"

#include "documents/BinderKey.h"
#include "documents/PlainSource.h"
#include "platform/BackgroundWriter.h"
#include "platform/FileError.h"

#include <sodium.h>

#include <fcntl.h>
#include <vector>

namespace quillery {

static_assert(ContainerHeader::StreamHeaderSize ==
              crypto_secretstream_xchacha20poly1305_HEADERBYTES);
static_assert(ContainerHeader::ChunkOverhead == crypto_secretstream_xchacha20poly1305_ABYTES);

namespace {

using Bytes = std::vector<unsigned char>;

// Plain bytes and key state are zeroed once they are no longer needed.
struct Wiped
{
    Bytes &bytes;
    crypto_secretstream_xchacha20poly1305_state &state;
    ~Wiped()
    {
        sodium_memzero(bytes.data(), bytes.size());
        sodium_memzero(&state, sizeof state);
    }
};

const unsigned char *bytesOf(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

} // namespace

void encryptInto(PlainSource &plain, int outFd, const QString &outPath, const BinderKey &key,
                 quint32 chunkSize)
{
    initialiseSodium();
    crypto_secretstream_xchacha20poly1305_state state;
    ContainerHeader header;
    header.limits = key.limits();
    header.salt = key.salt();
    header.chunkSize = chunkSize;
    header.streamHeader = QByteArray(ContainerHeader::StreamHeaderSize, Qt::Uninitialized);
    crypto_secretstream_xchacha20poly1305_init_push(
        &state, reinterpret_cast<unsigned char *>(header.streamHeader.data()), key.bytes());
    const QByteArray headerBytes = header.toBytes();
    fileio::writeAll(outFd, headerBytes.constData(), headerBytes.size(), outPath);

    Bytes chunk(chunkSize);
    const Wiped wiped{chunk, state};
    // Each chunk is written while the next is read and encrypted.
    BackgroundWriter out(outFd, outPath, chunkSize + ContainerHeader::ChunkOverhead);
    const qint64 length = plain.size();
    qint64 done = 0;
    do {
        const qint64 n = std::min<qint64>(chunkSize, length - done);
        plain.read(reinterpret_cast<char *>(chunk.data()), n);
        done += n;
        const bool first = done == n;
        const unsigned char tag = done == length
                                      ? crypto_secretstream_xchacha20poly1305_TAG_FINAL
                                      : crypto_secretstream_xchacha20poly1305_TAG_MESSAGE;
        unsigned long long sealedLength = 0;
        crypto_secretstream_xchacha20poly1305_push(
            &state, out.take(), &sealedLength, chunk.data(), quint64(n),
            first ? bytesOf(headerBytes) : nullptr, first ? quint64(headerBytes.size()) : 0, tag);
        out.queue(qint64(sealedLength));
    } while (done < length);
    out.finish();
}

// Takes chunks off the stream in order, each checked by the stream's own state, so that a
// chunk moved, repeated or left out fails where it stands.
class ContainerReader::Puller
{
public:
    Puller(const ContainerReader &reader, const BinderKey &key)
        : m_reader(reader), m_sealed(reader.m_header.chunkSize + ContainerHeader::ChunkOverhead)
    {
        initialiseSodium();
        if (crypto_secretstream_xchacha20poly1305_init_pull(
                &m_state, bytesOf(reader.m_header.streamHeader), key.bytes()) != 0)
            throw FileError::damaged(QStringLiteral("its stream header is not valid"));
    }

    ~Puller() { sodium_memzero(&m_state, sizeof m_state); }
    Puller(const Puller &) = delete;
    Puller &operator=(const Puller &) = delete;

    // Checks the next chunk and puts its plain bytes (up to the chunk size) at into; false
    // when it fails, writing nothing there.
    bool next(unsigned char *into)
    {
        const qint64 left = m_reader.m_size - m_offset;
        if (left == 0)
            throw FileError::damaged(
                QStringLiteral("it ends after %1 chunks, before its last one").arg(m_chunks));
        const qint64 n = std::min<qint64>(qint64(m_sealed.size()), left);
        if (n < ContainerHeader::ChunkOverhead)
            throw FileError::damaged(QStringLiteral("it ends inside chunk %1").arg(m_chunks + 1));
        fileio::readInto(m_reader.m_fd.get(), reinterpret_cast<char *>(m_sealed.data()), m_offset,
                         n, m_reader.m_path);
        const QByteArray &ad = m_reader.m_headerBytes;
        const bool first = m_chunks == 0;
        unsigned char tag = 0;
        if (crypto_secretstream_xchacha20poly1305_pull(
                &m_state, into, &m_plainLength, &tag, m_sealed.data(), quint64(n),
                first ? bytesOf(ad) : nullptr, first ? quint64(ad.size()) : 0) != 0)
            return false;
        m_offset += n;
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
    crypto_secretstream_xchacha20poly1305_state m_state;
    Bytes m_sealed;
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
    Bytes plain(m_header.chunkSize);
    const bool opens = puller.next(plain.data());
    sodium_memzero(plain.data(), plain.size());
    return opens;
}

void ContainerReader::decryptInto(const BinderKey &key, int outFd, const QString &outPath) const
{
    ::posix_fadvise(m_fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    Puller puller(*this, key);
    // Each chunk is written while the next is read and checked.
    BackgroundWriter out(outFd, outPath, m_header.chunkSize);
    while (!puller.finished()) {
        if (!puller.next(out.take()))
            throw puller.chunks() == 0
                ? FileError(FileError::InvalidFormat, WrongPassphrase)
                : FileError::damaged(
                      QStringLiteral("its chunk %1 fails its check").arg(puller.chunks() + 1));
        out.queue(puller.plainLength());
    }
    out.finish();
}

} // namespace quillery
