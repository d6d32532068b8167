// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/PageSearch.h"

#include "documents/Binder.h"
#include "documents/Interaction.h"
#include "documents/PageKind.h"
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

} // namespace

bool isSearchedKind(const QString &kind)
{
    const PageKind k = kindFromString(kind);
    return k == PageKind::RTF || k == PageKind::TXT || k == PageKind::HTML;
}

bool pageContains(const PageKey &key, const StoredTextMatcher &matcher)
{
    if (key.location.isEmpty() || matcher.isEmpty())
        return false;
    try {
        const UniqueFd fd = fileio::openForReading(key.dataPath());
        qint64 offset = key.inWorkingCopy() ? qMax<qint64>(key.offset, 0) : 0;
        qint64 remaining = key.inWorkingCopy() ? qMax<qint64>(key.length, 0)
                                               : fileio::fileSize(fd.get(), key.dataPath());
        // Each piece starts with the end of the one before, so that a match across the
        // seam is seen.
        const qsizetype overlap = matcher.longestMatch() - 1;
        QByteArray buffer(qMin<qint64>(remaining, PieceSize + overlap), Qt::Uninitialized);
        qsizetype carried = 0;
        while (remaining > 0) {
            const qsizetype piece = qsizetype(qMin<qint64>(remaining, buffer.size() - carried));
            if (!readInto(fd.get(), offset, piece, buffer, carried))
                return false;
            const qsizetype filled = carried + piece;
            if (matcher.contains(QByteArrayView(buffer.constData(), filled)))
                return true;
            offset += piece;
            remaining -= piece;
            carried = qMin(overlap, filled);
            std::memmove(buffer.data(), buffer.constData() + filled - carried, size_t(carried));
        }
    } catch (const FileError &) {
    }
    return false;
}

SearchResult searchPages(Interaction &ui, const Binder &binder, const QString &text, bool matchCase,
                         int progressDelayMs)
{
    SearchResult result;
    const StoredTextMatcher matcher(text, matchCase);
    if (matcher.isEmpty())
        return result;
    BusyScope busy(ui);
    QElapsedTimer clock;
    clock.start();
    std::optional<ProgressScope> progress;
    const int count = binder.pageCount();
    for (int i = 1; i <= count; ++i) {
        const PageKey &key = binder.pages.at(i - 1).key;
        if (isSearchedKind(key.kind) && pageContains(key, matcher))
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
