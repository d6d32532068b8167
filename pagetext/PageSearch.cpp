// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/PageSearch.h"

#include "documents/Binder.h"
#include "documents/Interaction.h"
#include "documents/PageKind.h"
#include "pagetext/ShownLetters.h"
#include "pagetext/ShownText.h"
#include "pagetext/StoredTextMatcher.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quillery {

namespace {

constexpr qsizetype PieceSize = 1 << 20;
// The shown text is made and looked at in slices that start small, since a word is
// often found near the start, and grow, since looking costs a little each time.
constexpr qsizetype FirstSlice = 1 << 10;
constexpr qsizetype LastSlice = 64 << 10;

// Reads a range of a file into the buffer from index `at`; false when the file has
// fewer bytes than asked for or cannot be read.
bool readInto(int fd, qint64 offset, qsizetype length, QByteArray &buffer, qsizetype at)
{
    while (length > 0) {
        const ssize_t got = ::pread(fd, buffer.data() + at, size_t(length), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        at += got;
        offset += got;
        length -= got;
    }
    return true;
}

// What a search looks for, made once and shared by the threads that look.
struct Needle
{
    Needle(const QString &text, SearchOptions options)
        : stored(text, options.matchCase),
          shown(text, options.matchCase, StoredTextMatcher::Encodings::Utf8),
          letters(options.shownText ? text : QString(), options.matchCase),
          shownText(options.shownText)
    {
    }

    StoredTextMatcher stored; // stored bytes, which may be UTF-8 or Windows-1252
    StoredTextMatcher shown;  // the shown text of a rich or HTML page, always UTF-8
    ShownLetters letters;
    bool shownText;
};

// Looks for the text in one page after another. The binder's working copy, which holds
// most pages, is opened once for the whole search; one buffer serves every page.
class PageScanner
{
public:
    explicit PageScanner(const Needle &needle) : m_needle(needle) {}

    bool contains(const PageKey &key)
    {
        if (key.location.isEmpty())
            return false;
        try {
            return scan(key);
        } catch (const FileError &) {
            return false;
        }
    }

private:
    int open(const PageKey &key)
    {
        if (!key.inWorkingCopy()) {
            m_pageFile = fileio::openForReading(key.dataPath());
            return m_pageFile.get();
        }
        if (!m_workingCopy.valid() || m_workingCopyPath != key.location) {
            m_workingCopy = fileio::openForReading(key.dataPath());
            m_workingCopyPath = key.location;
        }
        return m_workingCopy.get();
    }

    bool scan(const PageKey &key)
    {
        const int fd = open(key);
        qint64 offset = key.inWorkingCopy() ? qMax<qint64>(key.offset, 0) : 0;
        qint64 remaining = key.inWorkingCopy() ? qMax<qint64>(key.length, 0)
                                               : fileio::fileSize(fd, key.dataPath());
        std::unique_ptr<ShownText> shown;
        const StoredTextMatcher *matcher = &m_needle.stored;
        m_carried = 0;
        qsizetype nextSlice = FirstSlice;
        QByteArrayView slice;
        for (bool first = true; remaining > 0; first = false) {
            const qsizetype piece = qsizetype(qMin<qint64>(remaining, PieceSize));
            const bool last = piece == remaining;
            if (!m_needle.shownText) {
                m_text.resize(m_carried + piece);
                if (!readInto(fd, offset, piece, m_text, m_carried))
                    return false;
                if (look(*matcher))
                    return true;
            } else {
                m_raw.resize(piece);
                if (!readInto(fd, offset, piece, m_raw, 0))
                    return false;
                if (first && (shown = shownTextFor(key.kind, m_raw))) {
                    matcher = &m_needle.shown;
                    // A page read whole is passed over when it cannot show the text.
                    const ShownLetters &letters = m_needle.letters;
                    if (last && !letters.isEmpty() && !shown->mayShow(m_raw, letters))
                        return false;
                }
                for (qsizetype at = 0; at < piece; at += slice.size()) {
                    slice = QByteArrayView(m_raw).sliced(at, qMin(nextSlice, piece - at));
                    nextSlice = qMin(2 * nextSlice, LastSlice);
                    m_text.resize(m_carried);
                    if (!shown) {
                        m_text.append(slice); // a plain text page shows its stored text
                    } else {
                        shown->read(slice, m_text);
                        if (last && at + slice.size() == piece)
                            shown->finish(m_text);
                    }
                    if (look(*matcher))
                        return true;
                }
            }
            offset += piece;
            remaining -= piece;
        }
        return false;
    }

    // Whether the text holds a match; if not, keeps the end of the text to look at again
    // with the next, so that a match across the seam of two pieces is seen.
    bool look(const StoredTextMatcher &matcher)
    {
        if (matcher.contains(m_text))
            return true;
        m_carried = qMin(matcher.longestMatch() - 1, m_text.size());
        std::memmove(m_text.data(), m_text.constData() + m_text.size() - m_carried,
                     size_t(m_carried));
        return false;
    }

    const Needle &m_needle;
    UniqueFd m_workingCopy;
    QString m_workingCopyPath;
    UniqueFd m_pageFile;
    QByteArray m_raw;
    QByteArray m_text; // what is looked at: the stored bytes or the shown text
    qsizetype m_carried = 0;
};

// The pages of a search, taken one at a time by whichever thread is free. Each page is
// decided by one thread, and the matches are read in page order once the threads are done,
// so the result is the one a single thread finds.
class PageQueue
{
public:
    explicit PageQueue(std::vector<PageKey> keys)
        : m_keys(std::move(keys)), m_found(m_keys.size(), false)
    {
    }

    int size() const { return int(m_keys.size()); }
    int decided() const { return std::min(m_next.load(), size()); }

    // Decides the next page that no thread has taken; false when none is left.
    bool decideNext(PageScanner &scanner)
    {
        if (m_stopped.load(std::memory_order_relaxed))
            return false;
        const int i = m_next.fetch_add(1);
        if (i >= size())
            return false;
        const PageKey &key = m_keys[std::size_t(i)];
        m_found[std::size_t(i)] = isSearchedKind(key.kind) && scanner.contains(key);
        return true;
    }

    // Pages already taken are still decided.
    void stop() { m_stopped = true; }

    // Once every thread has stopped: the positions of the matching pages decided.
    QVector<int> positions() const
    {
        QVector<int> found;
        for (int i = 0; i < decided(); ++i) {
            if (m_found[std::size_t(i)])
                found << i + 1;
        }
        return found;
    }

private:
    std::vector<PageKey> m_keys;
    std::vector<char> m_found; // each written by the thread that decided its page
    std::atomic<int> m_next{0};
    std::atomic<bool> m_stopped{false};
};

// Threads that help the calling one through the queue, stopped and joined however the
// search ends; what one of them throws is thrown again in the calling thread.
class Helpers
{
public:
    Helpers(PageQueue &queue, const Needle &needle, int count) : m_queue(queue)
    {
        for (int i = 0; i < count; ++i) {
            m_threads.emplace_back([this, &needle] {
                try {
                    PageScanner scanner(needle);
                    while (m_queue.decideNext(scanner)) {
                    }
                } catch (...) {
                    const std::lock_guard lock(m_mutex);
                    m_error = std::current_exception();
                    m_queue.stop();
                }
            });
        }
    }

    ~Helpers()
    {
        m_queue.stop();
        join();
    }

    void finish()
    {
        join();
        if (m_error)
            std::rethrow_exception(m_error);
    }

private:
    void join()
    {
        for (std::thread &thread : m_threads) {
            if (thread.joinable())
                thread.join();
        }
    }

    PageQueue &m_queue;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::exception_ptr m_error;
};

// A few megabytes take longer to search than threads take to start.
int threadCount(const Binder &binder, SearchOptions options)
{
    if (options.threads > 0)
        return options.threads;
    qint64 bytes = 0;
    for (int i = 0; i < binder.pageCount(); ++i) {
        const PageRow &page = binder.pages().at(i);
        if (isSearchedKind(page.key.kind))
            bytes += page.size;
    }
    return bytes < (4 << 20) ? 1 : std::clamp(QThread::idealThreadCount(), 1, 4);
}

} // namespace

bool isSearchedKind(PageKind k)
{
    return k == PageKind::RTF || k == PageKind::TXT || k == PageKind::HTML;
}

SearchResult searchPages(Interaction &ui, const Binder &binder, const QString &text,
                         SearchOptions options, int progressDelayMs)
{
    SearchResult result;
    const Needle needle(text, options);
    if (needle.stored.isEmpty())
        return result;
    BusyScope busy(ui);
    QElapsedTimer clock;
    clock.start();
    std::optional<ProgressScope> progress;
    // The threads read the keys from a copy: the binder may change while the window
    // handles events.
    std::vector<PageKey> keys;
    keys.reserve(std::size_t(binder.pageCount()));
    for (int i = 0; i < binder.pageCount(); ++i)
        keys.push_back(binder.pages().at(i).key);
    PageQueue queue(std::move(keys));
    Helpers helpers(queue, needle, threadCount(binder, options) - 1);
    PageScanner scanner(needle);
    while (queue.decideNext(scanner)) {
        if (!progress && clock.elapsed() >= progressDelayMs)
            progress.emplace(
                ui, QCoreApplication::translate("PageSearch", "Searching for '") + text + u'\'',
                queue.size(), true);
        if (progress) {
            ui.setProgress(queue.decided());
            ui.processEvents();
            if (ui.progressCancelled()) {
                queue.stop();
                break;
            }
        }
    }
    helpers.finish();
    result.positions = queue.positions();
    result.cancelled = queue.decided() < queue.size();
    return result;
}

} // namespace quillery
