// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/SecretStream.h"

#include "documents/BinderKey.h"
#include "documents/PlainSource.h"
#include "platform/BackgroundReader.h"
#include "platform/BackgroundWriter.h"
#include "platform/FileError.h"

#include <sodium.h>

#include <algorithm>
#include <fcntl.h>
#include <span>
#include <thread>
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

ContainerReader::ContainerReader(const QString &path)
    : m_path(path), m_fd(fileio::openForReading(path))
{
    m_size = fileio::fileSize(m_fd.get(), path);
    m_headerBytes =
        fileio::readRange(m_fd.get(), 0, std::min<qint64>(m_size, ContainerHeader::Size), path);
    m_header = ContainerHeader::parse(m_headerBytes);
}

qint64 ContainerReader::sealedChunkSize() const
{
    return qint64(m_header.chunkSize) + ContainerHeader::ChunkOverhead;
}

void ContainerReader::startPull(crypto_secretstream_xchacha20poly1305_state &state,
                                const BinderKey &key) const
{
    initialiseSodium();
    if (crypto_secretstream_xchacha20poly1305_init_pull(&state, bytesOf(m_header.streamHeader),
                                                        key.bytes()) != 0)
        throw FileError::damaged(QStringLiteral("its stream header is not valid"));
}

// The first chunk also checks the header, as its additional data.
bool ContainerReader::pull(crypto_secretstream_xchacha20poly1305_state &state,
                           std::span<const unsigned char> sealed, unsigned char *into,
                           unsigned char &tag, bool first) const
{
    unsigned long long plainLength = 0;
    return crypto_secretstream_xchacha20poly1305_pull(
               &state, into, &plainLength, &tag, sealed.data(), sealed.size(),
               first ? bytesOf(m_headerBytes) : nullptr,
               first ? quint64(m_headerBytes.size()) : 0) == 0;
}

bool ContainerReader::opensWith(const BinderKey &key) const
{
    WipedState stream;
    startPull(stream.state, key);
    const qint64 sealedBytes = m_size - ContainerHeader::Size;
    if (sealedBytes == 0)
        throw FileError::damaged(QStringLiteral("it ends after 0 chunks, before its last one"));
    if (sealedBytes < ContainerHeader::ChunkOverhead)
        throw FileError::damaged(QStringLiteral("it ends inside chunk 1"));
    Bytes sealed(size_t(std::min(sealedChunkSize(), sealedBytes)));
    fileio::readInto(m_fd.get(), reinterpret_cast<char *>(sealed.data()), ContainerHeader::Size,
                     qint64(sealed.size()), m_path);
    Bytes plain(m_header.chunkSize);
    unsigned char tag = 0;
    const bool opens = pull(stream.state, sealed, plain.data(), tag, true);
    sodium_memzero(plain.data(), plain.size());
    return opens;
}

namespace {

using StreamState = crypto_secretstream_xchacha20poly1305_state;

constexpr qint64 GroupBytes = 8 << 20;
constexpr unsigned MostThreads = 4;

// The state the next chunk is pulled with, as pulling this one leaves it when it passes its
// check: the counter one on and the inner nonce XORed with the chunk's MAC, which the file
// holds. So the states of a whole group of chunks are known before any is decrypted.
void advance(StreamState &state, std::span<const unsigned char> sealed)
{
    // The stream's nonce: a 4-byte counter, then the 8-byte inner nonce.
    constexpr size_t CounterBytes = 4;
    constexpr size_t InnerNonceBytes = 8;
    static_assert(sizeof state.nonce == CounterBytes + InnerNonceBytes);
    const unsigned char *mac = sealed.data() + sealed.size() - crypto_onetimeauth_poly1305_BYTES;
    unsigned char *inner = state.nonce + CounterBytes;
    for (size_t i = 0; i < InnerNonceBytes; ++i)
        inner[i] ^= mac[i];
    sodium_increment(state.nonce, CounterBytes);
    if (sodium_is_zero(state.nonce, CounterBytes))
        crypto_secretstream_xchacha20poly1305_rekey(&state);
}

// One chunk of a group: where it lies, the state it is pulled with, and what pulling gave.
struct GroupChunk
{
    std::span<const unsigned char> sealed;
    unsigned char *into = nullptr;
    WipedState stream;
    bool passed = false;
    unsigned char tag = 0;
};

} // namespace

// Reading, writing the plain bytes, and checking and decrypting the chunks each have a
// thread; the chunks of a group are shared out among the processors, since the file holds
// what each one's state depends on.
void ContainerReader::decryptInto(const BinderKey &key, int outFd, const QString &outPath) const
{
    ::posix_fadvise(m_fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    WipedState next;
    StreamState &state = next.state;
    startPull(state, key);
    const qint64 sealedChunk = sealedChunkSize();
    const qint64 groupChunks = std::max<qint64>(1, GroupBytes / sealedChunk);
    qint64 offset = ContainerHeader::Size;
    BackgroundReader in(
        [&](unsigned char *into, qint64 n) {
            fileio::readInto(m_fd.get(), reinterpret_cast<char *>(into), offset, n, m_path);
            offset += n;
        },
        m_size - ContainerHeader::Size, sealedChunk * groupChunks);
    BackgroundWriter out(outFd, outPath, m_header.chunkSize * groupChunks);
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1U, MostThreads);
    std::vector<GroupChunk> group(static_cast<size_t>(groupChunks));
    qint64 chunks = 0;
    qint64 position = ContainerHeader::Size;
    bool finished = false;
    // Before a fault is thrown, the plain bytes of every chunk that passed its check are
    // written, so that a damaged container still gives back its binder up to there.
    const auto failAfter = [&out](qint64 passedBytes, const FileError &error) {
        if (passedBytes > 0)
            out.queue(passedBytes);
        out.finish();
        throw error;
    };
    while (!finished) {
        const std::span<const unsigned char> sealed = in.next();
        if (sealed.empty())
            failAfter(
                0, FileError::damaged(
                       QStringLiteral("it ends after %1 chunks, before its last one").arg(chunks)));
        qsizetype count = qsizetype((qint64(sealed.size()) + sealedChunk - 1) / sealedChunk);
        qint64 lastSize = qint64(sealed.size()) - (count - 1) * sealedChunk;
        // Too short to be a chunk: told once the chunks before it are, since a last chunk
        // among them makes it bytes that follow the last chunk instead.
        const bool cutShort = lastSize < ContainerHeader::ChunkOverhead;
        const qint64 pulled = qint64(sealed.size()) - (cutShort ? lastSize : 0);
        if (cutShort) {
            --count;
            lastSize = sealedChunk;
        }
        const qint64 plainBytes = pulled - count * ContainerHeader::ChunkOverhead;
        unsigned char *plain = out.take(plainBytes);
        for (qsizetype i = 0; i < count; ++i) {
            GroupChunk &chunk = group[size_t(i)];
            chunk.sealed = sealed.subspan(size_t(i * sealedChunk),
                                          size_t(i + 1 < count ? sealedChunk : lastSize));
            chunk.into = plain + i * m_header.chunkSize;
            chunk.stream.state = state;
            advance(state, chunk.sealed);
        }
        const auto pullRange = [&](qsizetype from, qsizetype to) {
            for (qsizetype i = from; i < to; ++i) {
                GroupChunk &chunk = group[size_t(i)];
                chunk.passed = pull(chunk.stream.state, chunk.sealed, chunk.into, chunk.tag,
                                    chunks == 0 && i == 0);
            }
        };
        std::vector<std::thread> helpers;
        const qsizetype share = (count + threads - 1) / threads;
        for (qsizetype from = share; from < count; from += share)
            helpers.emplace_back(pullRange, from, std::min(count, from + share));
        pullRange(0, std::min(count, share));
        for (std::thread &helper : helpers)
            helper.join();

        // What pulling them one by one would have found first is told.
        for (qsizetype i = 0; i < count && !finished; ++i) {
            const GroupChunk &chunk = group[size_t(i)];
            if (!chunk.passed)
                failAfter(
                    i * m_header.chunkSize,
                    chunks == 0
                        ? FileError(FileError::InvalidFormat, WrongPassphrase)
                        : FileError::damaged(
                              QStringLiteral("its chunk %1 fails its check").arg(chunks + 1)));
            ++chunks;
            position += qint64(chunk.sealed.size());
            if (chunk.tag == crypto_secretstream_xchacha20poly1305_TAG_FINAL) {
                if (position != m_size)
                    failAfter(i * m_header.chunkSize + qint64(chunk.sealed.size()) -
                                  ContainerHeader::ChunkOverhead,
                              FileError::damaged(QStringLiteral("bytes follow its last chunk")));
                finished = true;
            } else if (chunk.tag != crypto_secretstream_xchacha20poly1305_TAG_MESSAGE) {
                failAfter(
                    i * m_header.chunkSize,
                    FileError::damaged(QStringLiteral("chunk %1 has an unknown tag").arg(chunks)));
            }
        }
        if (cutShort && !finished)
            failAfter(plainBytes, FileError::damaged(
                                      QStringLiteral("it ends inside chunk %1").arg(chunks + 1)));
        out.queue(plainBytes);
    }
    out.finish();
}

} // namespace quillery
