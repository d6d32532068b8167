// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/LumpArchive.h"

#include "documents/CappedFaults.h"
#include "documents/RecentValues.h"
#include "platform/FileErase.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QFile>

#include <QtEndian>
#include <algorithm>
#include <optional>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace quillery {

namespace {

constexpr qint64 HeaderSize = 12;
constexpr qint64 EntrySize = 16;
constexpr qint64 MaxArchiveSize = 0xFFFFFFFFLL;

quint32 le32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

void putLe32(QByteArray &out, qint64 value)
{
    char b[4];
    qToLittleEndian<quint32>(quint32(value), b);
    out.append(b, 4);
}

QByteArray stripNuls(QByteArray name)
{
    name.replace('\0', QByteArray());
    return name;
}

qint64 lumpLength(const LumpData &data)
{
    if (const auto *bytes = std::get_if<QByteArray>(&data))
        return bytes->size();
    return std::get<FileRange>(data).length;
}

// Streams the file-range lumps, keeping each source file open while consecutive lumps
// come from it (a save reads thousands of pages from one working copy). Ranges that
// continue one another in the same file are copied as one: the unchanged pages of an
// opened binder lie back to back in its working copy, so that a save costs a few large
// copies instead of one system call per page.
class RangeCopier
{
public:
    RangeCopier(int outFd, const QString &outPath) : m_outFd(outFd), m_outPath(outPath) {}

    void add(const FileRange &range)
    {
        if (range.path != m_path) {
            flush();
            m_fd = fileio::openForReading(range.path);
            m_path = range.path;
            m_size = fileio::fileSize(m_fd.get(), m_path);
        }
        if (range.offset < 0 || range.length < 0 || range.offset + range.length > m_size)
            throw FileError(FileError::PastEnd,
                            QStringLiteral("Input past end of file (%1)").arg(range.path));
        if (range.length == 0)
            return;
        if (m_pendingLength > 0 && m_pendingOffset + m_pendingLength == range.offset) {
            m_pendingLength += range.length;
            return;
        }
        flush();
        m_pendingOffset = range.offset;
        m_pendingLength = range.length;
    }

    // Copies what is pending; needed before anything else is written to the output.
    void flush()
    {
        if (m_pendingLength == 0)
            return;
        fileio::copyRange(m_fd.get(), m_pendingOffset, m_outFd, m_pendingLength, m_path, m_outPath,
                          fileio::WriteBack::Early);
        m_pendingLength = 0;
    }

private:
    int m_outFd;
    QString m_outPath;
    QString m_path;
    UniqueFd m_fd;
    qint64 m_size = 0;
    qint64 m_pendingOffset = 0;
    qint64 m_pendingLength = 0;
};

void syncData(int fd, const QString &path)
{
    if (::fdatasync(fd) != 0)
        throw FileError::fromErrno(errno, path);
}

// The bytes of used that no range of kept covers, past the header.
std::vector<fileio::ByteRange> uncovered(std::vector<fileio::ByteRange> used,
                                         std::vector<fileio::ByteRange> kept)
{
    const auto byOffset = [](const fileio::ByteRange &a, const fileio::ByteRange &b) {
        return a.offset < b.offset;
    };
    std::sort(used.begin(), used.end(), byOffset);
    std::sort(kept.begin(), kept.end(), byOffset);
    std::vector<fileio::ByteRange> gone;
    auto next = kept.cbegin();
    qint64 done = HeaderSize; // everything before this is kept or already listed
    for (const fileio::ByteRange &range : used) {
        qint64 at = std::max(range.offset, done);
        const qint64 end = range.offset + range.length;
        while (at < end) {
            while (next != kept.cend() && next->offset + next->length <= at)
                ++next;
            const qint64 keptFrom = next == kept.cend() ? end : std::min(next->offset, end);
            if (keptFrom > at)
                gone.push_back({at, keptFrom - at});
            at = std::max(at, next == kept.cend() ? end : next->offset + next->length);
        }
        done = std::max(done, end);
    }
    return gone;
}

} // namespace

// Tells whether a lump's data already lies in the archive file being appended to, so that
// it keeps its place there.
class LumpArchive::InPlaceTest
{
public:
    InPlaceTest() = default;
    InPlaceTest(const QString &archive, qint64 end) : m_archive(archive), m_end(end) {}

    bool operator()(const LumpData &data)
    {
        const auto *range = std::get_if<FileRange>(&data);
        if (!range || m_archive.isEmpty())
            return false;
        // Thousands of lumps come from one file in a row: it is looked at once.
        if (range->path != m_lastPath) {
            m_lastPath = range->path;
            m_lastSame = fileio::sameFile(range->path, m_archive);
        }
        return m_lastSame && range->offset >= HeaderSize && range->length >= 0 &&
               range->offset + range->length <= m_end;
    }

private:
    QString m_archive;
    qint64 m_end = 0;
    QString m_lastPath;
    bool m_lastSame = false;
};

LumpArchive::LumpArchive(const QByteArray &header) : m_header(header)
{
}

QVector<Lump> LumpArchive::readDirectory(const QString &path, const QByteArray &header,
                                         QStringList *faults)
{
    // A fault is thrown, or noted so that every one of them can be named.
    const auto fault = [faults](const QString &what) {
        if (!faults)
            throw FileError::damaged(what);
        *faults << what;
    };
    UniqueFd fd = fileio::openForReading(path);
    const qint64 size = fileio::fileSize(fd.get(), path);
    if (size < HeaderSize) {
        fault(QStringLiteral("it is too short to be a binder (%1 bytes)").arg(size));
        return {};
    }
    const QByteArray head = fileio::readRange(fd.get(), 0, HeaderSize, path);
    if (!head.startsWith(header))
        fault(QStringLiteral("it does not begin as a binder does (with \"%1\")")
                  .arg(QString::fromLatin1(header)));
    const qint64 count = le32(head.constData() + 4);
    const qint64 dirOffset = le32(head.constData() + 8);
    if (dirOffset < HeaderSize || dirOffset > size || count > (size - dirOffset) / EntrySize) {
        fault(QStringLiteral("the list of its contents lies past its end, as when a copy or a "
                             "save is cut short (%1 entries at byte %2 of %3 bytes)")
                  .arg(count)
                  .arg(dirOffset)
                  .arg(size));
        return {};
    }

    const QByteArray dir = fileio::readRange(fd.get(), dirOffset, count * EntrySize, path);
    QVector<Lump> lumps;
    lumps.reserve(count);
    RecentValues<QByteArray> names; // a binder's thousands of lumps have a handful of names
    std::optional<CappedFaults> outside;
    if (faults)
        outside.emplace(*faults);
    for (qint64 i = 0; i < count; ++i) {
        const char *entry = dir.constData() + i * EntrySize;
        Lump &lump = lumps.emplace_back();
        lump.offset = le32(entry);
        lump.length = le32(entry + 4);
        lump.name = names.get(QByteArrayView(entry + 8, MaxNameLength),
                              [](QByteArrayView name) { return stripNuls(name.toByteArray()); });
        if (lump.offset + lump.length > size) {
            const auto what = [&] {
                return QStringLiteral("lump %1 (%2 bytes at byte %3) lies outside the file")
                    .arg(i + 1)
                    .arg(lump.length)
                    .arg(lump.offset);
            };
            if (!outside)
                throw FileError::damaged(what());
            outside->add(what);
        }
    }
    return lumps;
}

void LumpArchive::open(const QString &path)
{
    m_read = readDirectory(path, m_header);
}

const Lump &LumpArchive::lump(int number) const
{
    if (number < 1 || number > m_read.size())
        throw FileError::damaged(QStringLiteral("it has no lump %1").arg(number));
    return m_read[number - 1];
}

QByteArray LumpArchive::readBytes(const QString &path, qint64 offset, qint64 length)
{
    return fileio::readRange(path, offset, length);
}

QByteArray LumpArchive::readNamedLump(const QString &path, const QByteArray &name) const
{
    for (const Lump &lump : readDirectory(path, m_header)) {
        if (lump.name == name)
            return readBytes(path, lump.offset, lump.length);
    }
    throw FileError::damaged(
        QStringLiteral("it has no lump named %1").arg(QString::fromLatin1(name)));
}

void LumpArchive::setLumpCount(int count)
{
    m_write.resize(count);
}

void LumpArchive::setLumpName(int number, const QByteArray &name)
{
    if (name.size() > MaxNameLength)
        throw FileError(FileError::BadFileName,
                        QStringLiteral("The lump name \"%1\" is longer than %2 characters")
                            .arg(QString::fromLatin1(name))
                            .arg(MaxNameLength));
    if (number > m_write.size())
        m_write.resize(number);
    m_write[number - 1].name = name;
}

void LumpArchive::setLumpData(int number, LumpData data)
{
    if (number > m_write.size())
        m_write.resize(number);
    m_write[number - 1].data = std::move(data);
}

void LumpArchive::write(const QString &path)
{
    SafeFileWriter writer(path);
    write(writer);
    writer.commit();
}

QByteArray LumpArchive::wholeHeader() const
{
    qint64 total = HeaderSize + qint64(m_write.size()) * EntrySize;
    for (const Pending &lump : std::as_const(m_write))
        total += lumpLength(lump.data);
    if (total > MaxArchiveSize)
        throw FileError(FileError::DiskFull,
                        QStringLiteral("The archive would be larger than 4 GiB, the most it can "
                                       "hold"));
    QByteArray head = m_header.left(4).leftJustified(4, '\0');
    putLe32(head, m_write.size());
    putLe32(head, total - qint64(m_write.size()) * EntrySize);
    return head;
}

void LumpArchive::write(SafeFileWriter &writer)
{
    writer.write(wholeHeader());
    InPlaceTest nothingInPlace;
    writer.write(writeLumps(writer.fd(), writer.target(), HeaderSize, nothingInPlace));
}

QVector<LumpData> LumpArchive::pieces()
{
    QVector<LumpData> pieces{wholeHeader()};
    pieces.reserve(m_write.size() + 2);
    QByteArray directory;
    directory.reserve(m_write.size() * EntrySize);
    m_written.clear();
    m_written.reserve(m_write.size());
    qint64 offset = HeaderSize;
    for (const Pending &lump : std::as_const(m_write)) {
        const qint64 length = lumpLength(lump.data);
        pieces.append(lump.data);
        noteWritten(directory, offset, length, lump.name);
        offset += length;
    }
    pieces.append(directory);
    return pieces;
}

void LumpArchive::noteWritten(QByteArray &directory, qint64 at, qint64 length,
                              const QByteArray &name)
{
    putLe32(directory, at);
    putLe32(directory, length);
    directory.append(name).append(MaxNameLength - name.size(), '\0');
    m_written.append(Lump{at, length, name});
}

LumpArchive::Append LumpArchive::appendInPlace(const QString &path,
                                               const std::function<void()> &beforeErase)
{
    // The whole directory is read (and checked) to find where the archive's bytes end:
    // a file written elsewhere need not have its directory last.
    const QVector<Lump> present = readDirectory(path, m_header);
    UniqueFd fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC));
    if (!fd.valid())
        throw FileError::fromErrno(errno, path);
    const qint64 size = fileio::fileSize(fd.get(), path);
    const QByteArray head = fileio::readRange(fd.get(), 0, HeaderSize, path);
    qint64 used = le32(head.constData() + 8) + qint64(present.size()) * EntrySize;
    for (const Lump &lump : present)
        used = std::max(used, lump.offset + lump.length);
    if (used > size)
        throw FileError::damaged(QStringLiteral("its directory changed while it was being saved"));

    InPlaceTest inPlace(path, size);
    qint64 kept = 0;
    qint64 appended = 0;
    for (const Pending &lump : std::as_const(m_write))
        (inPlace(lump.data) ? kept : appended) += lumpLength(lump.data);
    const qint64 directorySize = qint64(m_write.size()) * EntrySize;
    const qint64 newSize = size + appended + directorySize;
    const qint64 live = HeaderSize + kept + appended + directorySize;
    if (newSize > MaxArchiveSize || (newSize - live) * 4 > newSize)
        return Append::NotWorth;

    // Anything after the archive's end (left by an append cut short) stays unused: the
    // new lumps go after it, so no byte of the file as it is is ever overwritten.
    if (::lseek(fd.get(), size, SEEK_SET) < 0)
        throw FileError::fromErrno(errno, path);
    bool switched = false;
    try {
        const QByteArray directory = writeLumps(fd.get(), path, size, inPlace);
        fileio::writeAll(fd.get(), directory.constData(), directory.size(), path);
        syncData(fd.get(), path);
        QByteArray counts;
        putLe32(counts, m_write.size());
        putLe32(counts, size + appended);
        const ssize_t n = ::pwrite(fd.get(), counts.constData(), counts.size(), 4);
        if (n != counts.size())
            throw FileError::fromErrno(n < 0 ? errno : EIO, path);
        switched = true;
        syncData(fd.get(), path);
    } catch (const FileError &) {
        // Until the header turns, the file is as it was but for what was added after it.
        if (!switched && ::ftruncate(fd.get(), size) != 0)
            qWarning("Could not take the unfinished save back out of %s", qPrintable(path));
        throw;
    }

    // What the archive no longer uses (replaced lumps, the old directory) must not stay
    // readable in it. The archive is complete without those bytes, so a save cut short
    // while they are erased leaves it whole.
    if (beforeErase)
        beforeErase();
    std::vector<fileio::ByteRange> before{
        {le32(head.constData() + 8), qint64(present.size()) * EntrySize}};
    for (const Lump &lump : present)
        before.push_back({lump.offset, lump.length});
    std::vector<fileio::ByteRange> still;
    for (const Lump &lump : std::as_const(m_written)) {
        if (lump.offset < size)
            still.push_back({lump.offset, lump.length});
    }
    try {
        fileio::eraseRanges(fd.get(), uncovered(std::move(before), std::move(still)), path);
    } catch (const FileError &error) {
        qWarning("Could not erase the replaced data in %s: %s", qPrintable(path),
                 qPrintable(error.description()));
        return Append::NotErased;
    }
    return Append::Done;
}

// Writes each lump's data that is not in place at the descriptor's position, which is
// start bytes into the file, and returns the directory of where every lump now is.
QByteArray LumpArchive::writeLumps(int fd, const QString &path, qint64 start, InPlaceTest &inPlace)
{
    QByteArray dir;
    dir.reserve(m_write.size() * EntrySize);
    m_written.clear();
    m_written.reserve(m_write.size());
    qint64 offset = start;
    RangeCopier copier(fd, path);
    for (const Pending &lump : std::as_const(m_write)) {
        const qint64 length = lumpLength(lump.data);
        qint64 at = offset;
        if (inPlace(lump.data)) {
            at = std::get<FileRange>(lump.data).offset;
        } else if (const auto *bytes = std::get_if<QByteArray>(&lump.data)) {
            copier.flush();
            fileio::writeAll(fd, bytes->constData(), bytes->size(), path);
            offset += length;
        } else {
            copier.add(std::get<FileRange>(lump.data));
            offset += length;
        }
        noteWritten(dir, at, length, lump.name);
    }
    copier.flush();
    return dir;
}

} // namespace quillery
