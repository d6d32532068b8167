// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileError.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

namespace quillery {

// Reads bytes ahead on a thread of its own, piece after piece, so that the caller works on
// one piece while the next ones are read. Buffers are zeroed when it ends, as they may
// have held plain data.
class BackgroundReader
{
public:
    // Reads its next length bytes into the buffer given; throws FileError when it cannot.
    using Read = std::function<void(unsigned char *into, qint64 length)>;

    // Reads total bytes with read, in pieces of pieceSize (the last one fewer).
    BackgroundReader(Read read, qint64 total, qint64 pieceSize);
    // Stops the thread after the piece it is reading.
    ~BackgroundReader();
    BackgroundReader(const BackgroundReader &) = delete;
    BackgroundReader &operator=(const BackgroundReader &) = delete;

    // The next piece, valid until the next call; empty once every byte was given. Throws
    // the FileError that reading it met.
    std::span<const unsigned char> next();

private:
    struct Ready
    {
        int buffer;
        qint64 length;
    };

    void run();

    Read m_read;
    qint64 m_total;
    qint64 m_pieceSize;
    std::vector<std::vector<unsigned char>> m_buffers;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<int> m_free;
    std::deque<Ready> m_ready;
    int m_given = -1;
    bool m_done = false;
    bool m_stopping = false;
    std::optional<FileError> m_failure;
    std::thread m_thread;
};

} // namespace quillery
