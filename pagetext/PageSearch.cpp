// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/PageSearch.h"

#include "documents/Binder.h"
#include "documents/Interaction.h"
#include "documents/PageKind.h"
#include "pagetext/ShownText.h"
#include "pagetext/StoredTextMatcher.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QElapsedTimer>

#include <cerrno>
#include <cstring>
#include <optional>
#include <unistd.h>

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

// Looks for the text in one page after another. The binder's working copy, which holds
// most pages, is opened once for the whole search; one buffer serves every page.
class PageScanner
{
public:
    PageScanner(const QString &text, SearchOptions options)
        : m_stored(text, options.matchCase),
          m_shown(text, options.matchCase, StoredTextMatcher::Encodings::Utf8),
          m_shownText(options.shownText)
    {
    }

    bool isEmpty() const { return m_stored.isEmpty(); }

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
        const StoredTextMatcher *matcher = &m_stored;
        m_carried = 0;
        qsizetype nextSlice = FirstSlice;
        QByteArrayView slice;
        for (bool first = true; remaining > 0; first = false) {
            const qsizetype piece = qsizetype(qMin<qint64>(remaining, PieceSize));
            const bool last = piece == remaining;
            if (!m_shownText) {
                m_text.resize(m_carried + piece);
                if (!readInto(fd, offset, piece, m_text, m_carried))
                    return false;
                if (look(*matcher))
                    return true;
            } else {
                m_raw.resize(piece);
                if (!readInto(fd, offset, piece, m_raw, 0))
                    return false;
                if (first && (shown = shownTextFor(key.kind, m_raw)))
                    matcher = &m_shown;
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

    StoredTextMatcher m_stored; // stored bytes, which may be UTF-8 or Windows-1252
    StoredTextMatcher m_shown;  // the shown text of a rich or HTML page, always UTF-8
    bool m_shownText;
    UniqueFd m_workingCopy;
    QString m_workingCopyPath;
    UniqueFd m_pageFile;
    QByteArray m_raw;
    QByteArray m_text; // what is looked at: the stored bytes or the shown text
    qsizetype m_carried = 0;
};

} // namespace

bool isSearchedKind(PageKind k)
{
    return k == PageKind::RTF || k == PageKind::TXT || k == PageKind::HTML;
}

SearchResult searchPages(Interaction &ui, const Binder &binder, const QString &text,
                         SearchOptions options, int progressDelayMs)
{
    SearchResult result;
    PageScanner scanner(text, options);
    if (scanner.isEmpty())
        return result;
    BusyScope busy(ui);
    QElapsedTimer clock;
    clock.start();
    std::optional<ProgressScope> progress;
    const int count = binder.pageCount();
    for (int i = 1; i <= count; ++i) {
        const PageKey &key = binder.pages.at(i - 1).key;
        if (isSearchedKind(key.kind) && scanner.contains(key))
            result.positions << i;
        if (!progress && clock.elapsed() >= progressDelayMs)
            progress.emplace(ui, QStringLiteral("Searching for '") + text + u'\'', count, true);
        if (progress) {
            ui.setProgress(i);
            ui.processEvents();
            if (ui.progressCancelled()) {
                result.cancelled = i < count;
                break;
            }
        }
    }
    return result;
}

} // namespace quillery
