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

// Reads bytes ahead on a thread of its own, so that the caller works on one piece while
// the next ones are read. It reads many pieces at a time and keeps several such blocks
// ahead, so that the caller seldom waits for it when other programs hold the processors.
// Buffers are zeroed when it ends, as they may have held plain data.
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
    struct Block
    {
        int buffer;
        qint64 length;
    };

    void run();

    Read m_read;
    qint64 m_total;
    qint64 m_pieceSize;
    qint64 m_blockSize;
    std::vector<std::vector<unsigned char>> m_buffers;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<int> m_free;
    std::deque<Block> m_ready;
    // The block pieces are given from, and how much of it was given.
    std::optional<Block> m_current;
    qint64 m_given = 0;
    bool m_done = false;
    bool m_stopping = false;
    std::optional<FileError> m_failure;
    std::thread m_thread;
};

} // namespace quillery
