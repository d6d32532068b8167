// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BackgroundWriter.h"

#include "platform/FileIo.h"

#include <cstring>
#include <fcntl.h>

namespace quillery {

namespace {

constexpr qint64 WriteBackStep = 64 << 20;

} // namespace

BackgroundWriter::BackgroundWriter(int fd, const QString &path, qint64 bufferSize, int buffers)
    : m_fd(fd), m_path(path), m_buffers(size_t(buffers), std::vector<unsigned char>(bufferSize))
{
    for (int i = 0; i < buffers; ++i)
        m_free.push_back(i);
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
    for (std::vector<unsigned char> &buffer : m_buffers)
        ::explicit_bzero(buffer.data(), buffer.size());
}

unsigned char *BackgroundWriter::take()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_free.empty() || m_failure; });
    throwIfFailed();
    m_taken = m_free.front();
    m_free.pop_front();
    return m_buffers[size_t(m_taken)].data();
}

void BackgroundWriter::queue(qint64 length)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queued.push_back({m_taken, length});
        m_taken = -1;
    }
    m_changed.notify_all();
}

void BackgroundWriter::finish()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return (m_queued.empty() && !m_writing) || m_failure; });
    throwIfFailed();
}

void BackgroundWriter::throwIfFailed()
{
    if (m_failure)
        throw *m_failure;
}

void BackgroundWriter::run()
{
    qint64 unsynced = 0;
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
            fileio::writeAll(m_fd,
                             reinterpret_cast<const char *>(m_buffers[size_t(next.buffer)].data()),
                             next.length, m_path);
        } catch (const FileError &error) {
            failure = error;
        }
        // A file that must reach the disk anyway starts going there while the rest is
        // made, so the final sync has little left to wait for.
        unsynced += next.length;
        if (!failure && unsynced >= WriteBackStep) {
            ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
            unsynced = 0;
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
