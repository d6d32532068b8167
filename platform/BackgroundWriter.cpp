// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BackgroundWriter.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace quillery {

namespace {

constexpr qint64 WriteBackStep = 64 << 20;
// Large writes keep a disk busy even though the thread waits for each one.
constexpr qint64 SmallestBuffer = 8 << 20;
constexpr int Buffers = 3;

qint64 roundUp(qint64 n, qint64 step)
{
    return (n + step - 1) / step * step;
}

bool isInMemory(int fd)
{
    struct statfs fs;
    return ::fstatfs(fd, &fs) == 0 && (fs.f_type == TMPFS_MAGIC || fs.f_type == RAMFS_MAGIC);
}

// Where the next write goes; -1 when that is not known.
off_t writePosition(int fd, int flags)
{
    if (!(flags & O_APPEND))
        return ::lseek(fd, 0, SEEK_CUR);
    struct stat st;
    return ::fstat(fd, &st) == 0 ? st.st_size : -1;
}

} // namespace

void BackgroundWriter::FreeBuffer::operator()(unsigned char *buffer) const
{
    std::free(buffer);
}

BackgroundWriter::BackgroundWriter(int fd, const QString &path, qint64 largestPiece)
    : m_fd(fd), m_path(path),
      // Room for a piece after the start of a block carried over from the buffer before.
      m_bufferSize(
          std::max(SmallestBuffer, roundUp(largestPiece + DirectAlignment, DirectAlignment))),
      m_used(Buffers, 0)
{
    for (int i = 0; i < Buffers; ++i) {
        auto *buffer =
            static_cast<unsigned char *>(std::aligned_alloc(DirectAlignment, size_t(m_bufferSize)));
        if (!buffer)
            throw FileError::fromErrno(ENOMEM, path);
        m_buffers.emplace_back(buffer);
        m_free.push_back(i);
    }
    // Writes past the cache must start on a block, so the file's end must be on one. A
    // file in memory has no disk to write to past its cache.
    const int flags = ::fcntl(fd, F_GETFL);
    m_direct = flags != -1 && !isInMemory(fd) && writePosition(fd, flags) % DirectAlignment == 0 &&
               ::fcntl(fd, F_SETFL, flags | O_DIRECT) == 0;
    m_thread = std::thread([this] { run(); });
}

BackgroundWriter::~BackgroundWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_queued.clear();
    }
    m_changed.notify_all();
    m_thread.join();
    // The descriptor goes back to its owner as it came.
    if (m_direct)
        stopBypassingCache();
    for (size_t i = 0; i < m_buffers.size(); ++i)
        ::explicit_bzero(m_buffers[i].get(), size_t(m_used[i]));
}

int BackgroundWriter::takeFreeBuffer()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_free.empty() || m_failure; });
    throwIfFailed();
    const int buffer = m_free.front();
    m_free.pop_front();
    return buffer;
}

void BackgroundWriter::hand(int buffer, qint64 length)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queued.push_back({buffer, length});
    }
    m_changed.notify_all();
}

unsigned char *BackgroundWriter::take(qint64 length)
{
    Q_ASSERT(length <= m_bufferSize - DirectAlignment);
    if (m_filling < 0) {
        m_filling = takeFreeBuffer();
        m_filled = 0;
    } else if (m_filled + length > m_bufferSize) {
        const int next = takeFreeBuffer();
        // Only whole blocks are handed on; the start of the block not yet full moves to
        // the next buffer.
        const qint64 carried = m_filled % DirectAlignment;
        std::memcpy(m_buffers[size_t(next)].get(),
                    m_buffers[size_t(m_filling)].get() + m_filled - carried, size_t(carried));
        hand(m_filling, m_filled - carried);
        m_filling = next;
        m_filled = carried;
    }
    return m_buffers[size_t(m_filling)].get() + m_filled;
}

void BackgroundWriter::queue(qint64 length)
{
    m_filled += length;
    qint64 &used = m_used[size_t(m_filling)];
    used = std::max(used, m_filled);
}

void BackgroundWriter::append(const QByteArray &bytes)
{
    std::memcpy(take(bytes.size()), bytes.constData(), size_t(bytes.size()));
    queue(bytes.size());
}

void BackgroundWriter::finish()
{
    if (m_filling >= 0) {
        hand(m_filling, m_filled);
        m_filling = -1;
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return (m_queued.empty() && !m_writing) || m_failure; });
    throwIfFailed();
}

void BackgroundWriter::throwIfFailed()
{
    if (m_failure)
        throw *m_failure;
}

void BackgroundWriter::stopBypassingCache()
{
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags != -1)
        ::fcntl(m_fd, F_SETFL, flags & ~O_DIRECT);
    m_direct = false;
}

void BackgroundWriter::writeOut(const unsigned char *data, qint64 length)
{
    qint64 done = 0;
    while (done < length) {
        qint64 n = length - done;
        if (m_direct) {
            n -= n % DirectAlignment;
            // The file's last bytes, less than a block, go through the cache.
            if (n == 0) {
                stopBypassingCache();
                continue;
            }
        }
        const ssize_t written = ::write(m_fd, data + done, size_t(n));
        if (written < 0 && errno == EINTR)
            continue;
        // A file system may refuse writes past the cache only when they come.
        if (written < 0 && errno == EINVAL && m_direct) {
            stopBypassingCache();
            continue;
        }
        if (written <= 0)
            throw FileError::fromErrno(written < 0 ? errno : ENOSPC, m_path);
        done += written;
        if (m_direct && written % DirectAlignment != 0)
            stopBypassingCache();
        else if (!m_direct)
            m_unsynced += written;
    }
    // A file that must reach the disk anyway starts going there while the rest is made,
    // so the final sync has little left to wait for.
    if (m_unsynced >= WriteBackStep) {
        ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
        m_unsynced = 0;
    }
}

void BackgroundWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queued.empty() || m_stopping; });
        if (m_stopping)
            return;
        const Pending next = m_queued.front();
        m_queued.pop_front();
        m_writing = true;
        lock.unlock();
        std::optional<FileError> failure;
        try {
            writeOut(m_buffers[size_t(next.buffer)].get(), next.length);
        } catch (const FileError &error) {
            failure = error;
        }
        lock.lock();
        m_writing = false;
        m_free.push_back(next.buffer);
        m_failure = std::move(failure);
        m_changed.notify_all();
        if (m_failure)
            return;
    }
}

} // namespace quillery
