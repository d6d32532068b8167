// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIo.h"

#include "platform/FileError.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillery {

UniqueFd &UniqueFd::operator=(UniqueFd &&other) noexcept
{
    if (this != &other) {
        reset();
        m_fd = other.release();
    }
    return *this;
}

int UniqueFd::release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

void UniqueFd::reset()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

namespace fileio {

namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

constexpr qint64 CopyChunk = 1 << 20;
constexpr qint64 WriteBackChunk = 64 << 20;

constexpr qsizetype ScratchSuffixLength = 6;
constexpr int ScratchAttempts = 100;
constexpr char ScratchLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// ".NAME." of a scratch name: the dot and suffix add 8 bytes, so a name near the limit is cut.
QString scratchStem(const QString &targetName)
{
    return u'.' + fitName(targetName, MaxNameBytes - 2 - ScratchSuffixLength) + u'.';
}

QString scratchCandidate(const QString &target)
{
    const QFileInfo info(target);
    QString path = info.absolutePath() + u'/' + scratchStem(info.fileName());
    for (qsizetype i = 0; i < ScratchSuffixLength; ++i)
        path += QLatin1Char(
            ScratchLetters[QRandomGenerator::global()->bounded(int(sizeof ScratchLetters) - 1)]);
    return path;
}

} // namespace

UniqueFd openForReading(const QString &path)
{
    // Non-blocking, so that a FIFO or device where a file was expected is refused at once
    // instead of hanging the program.
    UniqueFd fd(::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid())
        throw FileError::fromErrno(errno, path);
    struct stat st;
    if (::fstat(fd.get(), &st) == 0 && S_ISDIR(st.st_mode))
        throw FileError::fromErrno(EISDIR, path);
    if (!isRegularFile(fd.get()))
        throw FileError(FileError::BadFileName, QStringLiteral("Not a regular file: ") + path);
    return fd;
}

bool isRegularFile(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

qint64 fileSize(int fd, const QString &path)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        throw FileError::fromErrno(errno, path);
    return st.st_size;
}

qint64 fileSize(const QString &path)
{
    UniqueFd fd = openForReading(path);
    return fileSize(fd.get(), path);
}

QByteArray readRange(int fd, qint64 offset, qint64 length, const QString &path)
{
    if (offset < 0 || length < 0)
        throw FileError(FileError::PastEnd, QStringLiteral("Input past end of file"));
    // Never allocate for bytes the file does not have.
    if (offset + length > fileSize(fd, path))
        throw FileError(FileError::PastEnd, QStringLiteral("Input past end of file"));
    QByteArray data(length, Qt::Uninitialized);
    readInto(fd, data.data(), offset, length, path);
    return data;
}

void readInto(int fd, char *buffer, qint64 offset, qint64 length, const QString &path)
{
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, buffer + done, size_t(length - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError::fromErrno(errno, path);
        if (n == 0)
            throw FileError(FileError::PastEnd, QStringLiteral("Input past end of file"));
        done += n;
    }
}

QByteArray readRange(const QString &path, qint64 offset, qint64 length)
{
    UniqueFd fd = openForReading(path);
    return readRange(fd.get(), offset, length, path);
}

QByteArray readWhole(const QString &path)
{
    UniqueFd fd = openForReading(path);
    return readRange(fd.get(), 0, fileSize(fd.get(), path), path);
}

void writeAll(int fd, const char *data, qint64 length, const QString &path)
{
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::write(fd, data + done, size_t(length - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError::fromErrno(errno, path);
        done += n;
    }
}

void copyRange(int inFd, qint64 inOffset, int outFd, qint64 length, const QString &inPath,
               const QString &outPath, WriteBack writeBack)
{
    loff_t in = inOffset;
    qint64 left = length;
    while (left > 0) {
        // A file that must reach the disk anyway starts going there while the rest is
        // copied, so the final sync has little left to wait for.
        const qint64 step = writeBack == WriteBack::Early ? std::min(left, WriteBackChunk) : left;
        const ssize_t n = ::copy_file_range(inFd, &in, outFd, nullptr, size_t(step), 0);
        if (n > 0) {
            left -= n;
            if (writeBack == WriteBack::Early)
                ::sync_file_range(outFd, 0, 0, SYNC_FILE_RANGE_WRITE);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            throw FileError(FileError::PastEnd, QStringLiteral("Input past end of file"));
        if (errno == ENOSPC || errno == EDQUOT || errno == EIO || errno == EFBIG)
            throw FileError::fromErrno(errno, outPath);
        break; // not supported between these files: copy through a buffer instead
    }
    QByteArray buffer;
    while (left > 0) {
        const qint64 chunk = std::min(left, CopyChunk);
        buffer = readRange(inFd, in, chunk, inPath);
        writeAll(outFd, buffer.constData(), chunk, outPath);
        in += chunk;
        left -= chunk;
    }
}

void writeWhole(const QString &path, const QByteArray &bytes)
{
    const int fd =
        ::open(encoded(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw FileError::fromErrno(errno, path);
    UniqueFd guard(fd);
    writeAll(fd, bytes.constData(), bytes.size(), path);
    if (::close(guard.release()) != 0)
        throw FileError::fromErrno(errno, path);
}

void copyFile(const QString &source, const QString &target)
{
    UniqueFd in = openForReading(source);
    const qint64 size = fileSize(in.get(), source);
    // No O_TRUNC: ext4 writes out a file that was truncated as soon as it is closed (its
    // guard for files rewritten in place), and the targets here are mostly the empty
    // files createFile makes; for a large binder's working copy that write-out costs
    // as much as the copy. Only a target that has content is truncated.
    const int fd = ::open(encoded(target).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        throw FileError::fromErrno(errno, target);
    UniqueFd out(fd);
    if (fileSize(out.get(), target) > 0 && ::ftruncate(out.get(), 0) != 0)
        throw FileError::fromErrno(errno, target);
    copyRange(in.get(), 0, out.get(), size, source, target);
    if (::close(out.release()) != 0)
        throw FileError::fromErrno(errno, target);
}

bool tryLink(const QString &source, const QString &target)
{
    // The link is made under a name of its own and then renamed over the placeholder, so
    // that the target name is never briefly free for someone else to take.
    const QByteArray staged = encoded(target) + ".link";
    if (::link(encoded(source).constData(), staged.constData()) != 0)
        return false;
    if (::rename(staged.constData(), encoded(target).constData()) == 0)
        return true;
    ::unlink(staged.constData());
    return false;
}

void linkOrCopy(const QString &source, const QString &target)
{
    if (!tryLink(source, target))
        copyFile(source, target);
}

bool sameFile(const QString &a, const QString &b)
{
    struct stat first, second;
    return ::stat(encoded(a).constData(), &first) == 0 &&
           ::stat(encoded(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

UniqueFd createNew(const QString &path)
{
    UniqueFd fd(::open(encoded(path).constData(),
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd.valid())
        throw FileError::fromErrno(errno, path);
    return fd;
}

QString fitName(const QString &name, qsizetype bytes)
{
    qsizetype used = 0;
    qsizetype end = 0;
    while (end < name.size()) {
        const qsizetype next = end + (name.at(end).isHighSurrogate() ? 2 : 1);
        used += name.mid(end, next - end).toUtf8().size();
        if (used > bytes)
            break;
        end = next;
    }
    return name.left(end);
}

void removeIfExists(const QString &path)
{
    if (::unlink(encoded(path).constData()) != 0 && errno != ENOENT)
        throw FileError::fromErrno(errno, path);
}

bool isScratchName(const QString &targetName, const QString &name)
{
    const QString stem = scratchStem(targetName);
    if (name.size() != stem.size() + ScratchSuffixLength || !name.startsWith(stem))
        return false;
    return std::all_of(name.end() - ScratchSuffixLength, name.end(),
                       [](QChar c) { return c.unicode() < 128 && std::isalnum(c.unicode()); });
}

unsigned newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

UniqueFd createScratch(const QString &target, QString &path)
{
    for (int attempt = 0; attempt < ScratchAttempts; ++attempt) {
        const QString candidate = scratchCandidate(target);
        UniqueFd fd(::open(encoded(candidate).constData(),
                           O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.valid()) {
            path = candidate;
            return fd;
        }
        if (errno != EEXIST)
            throw FileError::fromErrno(errno, target);
    }
    throw FileError::fromErrno(EEXIST, target);
}

QString linkAsScratch(const QString &source, const QString &target)
{
    for (int attempt = 0; attempt < ScratchAttempts; ++attempt) {
        const QString candidate = scratchCandidate(target);
        if (::link(encoded(source).constData(), encoded(candidate).constData()) == 0)
            return candidate;
        if (errno != EEXIST)
            break;
    }
    return QString();
}

} // namespace fileio

namespace {

// Writing through a link replaces the file it points to, not the link.
QString linkTarget(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

} // namespace

SafeFileWriter::SafeFileWriter(const QString &target) : m_target(linkTarget(target))
{
    const QByteArray targetName = QFile::encodeName(m_target);
    struct stat st;
    if (::stat(targetName.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            throw FileError::fromErrno(EISDIR, target);
        // A file the user may not write stays unwritten, even though the folder would
        // let us replace it.
        if (::access(targetName.constData(), W_OK) != 0)
            throw FileError::fromErrno(errno, target);
        m_mode = st.st_mode & 07777;
        m_owner = st.st_uid;
        m_group = st.st_gid;
    } else {
        m_mode = fileio::newFileMode();
    }
    m_fd = fileio::createScratch(m_target, m_tempPath);
}

namespace {

QString groupName(gid_t gid)
{
    const struct group *entry = ::getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

} // namespace

// Root may keep the old owner too; anyone keeps the group where they are a member of it.
// A file that cannot keep its group loses the group's permissions, so that they never
// pass to a group the old file did not have.
void SafeFileWriter::takeOwnership()
{
    mode_t mode = m_mode;
    struct stat now;
    if (m_group != gid_t(-1) && ::fstat(m_fd.get(), &now) == 0) {
        if (now.st_uid != m_owner || now.st_gid != m_group)
            if (::fchown(m_fd.get(), m_owner, m_group) != 0)
                ::fchown(m_fd.get(), uid_t(-1), m_group);
        if (::fstat(m_fd.get(), &now) == 0 && now.st_gid != m_group) {
            mode &= ~mode_t(S_IRWXG | S_ISGID);
            m_groupWarning =
                QStringLiteral("'%1' was saved, but it could not keep its group '%2', which you "
                               "are not a member of. It now belongs to your group '%3', which has "
                               "no access to it; ask the owner of '%2' to give it back its group.")
                    .arg(m_target, groupName(m_group), groupName(now.st_gid));
        }
    }
    if (::fchmod(m_fd.get(), mode) != 0)
        throw FileError::fromErrno(errno, m_target);
}

SafeFileWriter::~SafeFileWriter()
{
    if (!m_committed && !m_tempPath.isEmpty())
        ::unlink(QFile::encodeName(m_tempPath).constData());
}

void SafeFileWriter::write(const QByteArray &bytes)
{
    fileio::writeAll(m_fd.get(), bytes.constData(), bytes.size(), m_target);
}

void SafeFileWriter::commit()
{
    takeOwnership();
    // fsync rather than fdatasync: the group and mode must reach the disk with the bytes.
    if (::fsync(m_fd.get()) != 0)
        throw FileError::fromErrno(errno, m_target);
    if (::close(m_fd.release()) != 0)
        throw FileError::fromErrno(errno, m_target);
    if (::rename(QFile::encodeName(m_tempPath).constData(),
                 QFile::encodeName(m_target).constData()) != 0)
        throw FileError::fromErrno(errno, m_target);
    m_committed = true;
    // The new name is only durable once the folder that holds it is on disk too.
    const QByteArray folder = QFile::encodeName(QFileInfo(m_target).absolutePath());
    UniqueFd dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Some file systems cannot sync a folder at all; only a failing disk is an error.
    if (dir.valid() && ::fsync(dir.get()) != 0 && errno == EIO)
        throw FileError::fromErrno(errno, m_target);
}

} // namespace quillery
