// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileError.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quillery {

// Appends bytes to a file on a thread of its own, so that the caller makes the next bytes
// while earlier ones are written. The bytes are gathered into large buffers and, where the
// file system allows, written past the page cache (O_DIRECT): a file as large as a binder
// then costs no copy into the cache, no write-back later and no cache pages pushed out. The
// file's current position must be where it ends. Buffers are zeroed when it ends, as they
// may have held plain data.
class BackgroundWriter
{
public:
    // largestPiece: the most bytes one take() asks room for.
    BackgroundWriter(int fd, const QString &path, qint64 largestPiece);
    // Stops the thread; anything still queued is not written.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter &) = delete;
    BackgroundWriter &operator=(const BackgroundWriter &) = delete;

    // Room for up to length bytes, the next ones of the file; waits while every buffer is
    // queued. Throws FileError when an earlier write failed.
    unsigned char *take(qint64 length);
    // The first length bytes of the room take() gave last are the file's next bytes.
    void queue(qint64 length);
    // take() and queue() for bytes the caller has already.
    void append(const QByteArray &bytes);
    // Waits until everything queued is written; throws FileError when a write failed.
    void finish();

    // Writes that bypass the page cache are whole multiples of this, from such offsets.
    static constexpr qint64 DirectAlignment = 4096;
    // Whether the writes still bypass the page cache (for tests).
    bool isDirect() const { return m_direct; }

private:
    struct FreeBuffer
    {
        void operator()(unsigned char *buffer) const;
    };
    using Buffer = std::unique_ptr<unsigned char[], FreeBuffer>;
    struct Pending
    {
        int buffer;
        qint64 length;
    };

    int takeFreeBuffer();
    void hand(int buffer, qint64 length);
    void run();
    void writeOut(const unsigned char *data, qint64 length);
    void stopBypassingCache();
    void throwIfFailed();

    int m_fd;
    QString m_path;
    qint64 m_bufferSize;
    std::vector<Buffer> m_buffers;
    // The buffer being filled, and how much of it is.
    int m_filling = -1;
    qint64 m_filled = 0;
    // Set at the start; the writing thread alone clears it when the file system refuses.
    std::atomic<bool> m_direct = false;
    // Bytes written through the cache since they were last sent on to the disk.
    qint64 m_unsynced = 0;
    // How much of each buffer was ever filled, to be zeroed at the end.
    std::vector<qint64> m_used;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<int> m_free;
    std::deque<Pending> m_queued;
    bool m_writing = false;
    bool m_stopping = false;
    std::optional<FileError> m_failure;
    std::thread m_thread;
};

} // namespace quillery
