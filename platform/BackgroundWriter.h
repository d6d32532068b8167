// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileError.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace quillery {

// Writes buffers to a file on a thread of its own, in the order they are queued, so that
// the caller fills the next buffer while one is being written. A file that must reach the
// disk is started on its way there as it grows. Buffers are zeroed when it ends, as they
// may have held plain data.
class BackgroundWriter
{
public:
    BackgroundWriter(int fd, const QString &path, qint64 bufferSize, int buffers = 3);
    // Stops the thread; anything still queued is not written.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter &) = delete;
    BackgroundWriter &operator=(const BackgroundWriter &) = delete;

    // A free buffer of the size given; waits while every buffer is queued. Throws FileError
    // when an earlier write failed.
    unsigned char *take();
    // Queues the first length bytes of the buffer take() gave last.
    void queue(qint64 length);
    // Waits until everything queued is written; throws FileError when a write failed.
    void finish();

private:
    struct Pending
    {
        int buffer;
        qint64 length;
    };

    void run();
    void throwIfFailed();

    int m_fd;
    QString m_path;
    std::vector<std::vector<unsigned char>> m_buffers;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<int> m_free;
    std::deque<Pending> m_queued;
    int m_taken = -1;
    bool m_writing = false;
    bool m_stopping = false;
    std::optional<FileError> m_failure;
    std::thread m_thread;
};

} // namespace quillery
