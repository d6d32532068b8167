// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BackgroundReader.h"

#include <cstring>

namespace quillery {

namespace {

constexpr qint64 BlockBytes = 8 << 20;
constexpr int Buffers = 4;

} // namespace

BackgroundReader::BackgroundReader(Read read, qint64 total, qint64 pieceSize)
    : m_read(std::move(read)), m_total(total), m_pieceSize(pieceSize),
      m_blockSize(std::min(total, pieceSize * std::max<qint64>(1, BlockBytes / pieceSize))),
      m_buffers(Buffers, std::vector<unsigned char>(size_t(m_blockSize)))
{
    for (int i = 0; i < Buffers; ++i)
        m_free.push_back(i);
    m_thread = std::thread([this] { run(); });
}

BackgroundReader::~BackgroundReader()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
    for (std::vector<unsigned char> &buffer : m_buffers)
        ::explicit_bzero(buffer.data(), buffer.size());
}

std::span<const unsigned char> BackgroundReader::next()
{
    if (m_current && m_given == m_current->length) {
        {
            const std::lock_guard lock(m_mutex);
            m_free.push_back(m_current->buffer);
        }
        m_changed.notify_all();
        m_current.reset();
    }
    if (!m_current) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_ready.empty() || m_failure || m_done; });
        // Pieces read before a failure still come first.
        if (m_ready.empty()) {
            if (m_failure)
                throw *m_failure;
            return {};
        }
        m_current = m_ready.front();
        m_ready.pop_front();
        m_given = 0;
    }
    const qint64 length = std::min(m_pieceSize, m_current->length - m_given);
    const unsigned char *piece = m_buffers[size_t(m_current->buffer)].data() + m_given;
    m_given += length;
    return {piece, size_t(length)};
}

void BackgroundReader::run()
{
    qint64 read = 0;
    std::unique_lock lock(m_mutex);
    while (read < m_total) {
        m_changed.wait(lock, [this] { return !m_free.empty() || m_stopping; });
        if (m_stopping)
            return;
        const int buffer = m_free.front();
        m_free.pop_front();
        lock.unlock();
        const qint64 length = std::min(m_blockSize, m_total - read);
        std::optional<FileError> failure;
        try {
            m_read(m_buffers[size_t(buffer)].data(), length);
        } catch (const FileError &error) {
            failure = error;
        }
        lock.lock();
        if (failure) {
            m_failure = std::move(failure);
            m_changed.notify_all();
            return;
        }
        m_ready.push_back({buffer, length});
        read += length;
        m_changed.notify_all();
    }
    m_done = true;
    m_changed.notify_all();
}

} // namespace quillery
