// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CompanionFiles.h"

#include "documents/Binder.h"
#include "documents/BinderHeader.h"
#include "documents/LumpArchive.h"
#include "documents/Workspace.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/FileLock.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QThreadPool>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillery {

namespace {

// A lock note holds a user's name; a larger file is not one.
constexpr qint64 MaxLockNoteBytes = 4096;

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

QString companionName(const QString &binderName, QChar mark)
{
    QString name = (mark + binderName).toLower();
    name.replace(QStringLiteral(".qly"), QStringLiteral(".qd"));
    return name;
}

QString companionPath(const QString &binderPath, QChar mark)
{
    const qsizetype slash = binderPath.lastIndexOf(u'/');
    return binderPath.left(slash + 1) + companionName(binderPath.mid(slash + 1), mark);
}

QThreadPool &retiringPool()
{
    static QThreadPool pool;
    return pool;
}

// Why a companion may not take the name path: empty when nothing is there or a regular
// file of this user is.
QString refusalOf(const QString &path)
{
    struct stat st;
    if (::lstat(encoded(path).constData(), &st) != 0) {
        if (errno == ENOENT)
            return QString();
        return u'\'' + path +
               QCoreApplication::translate("CompanionFiles", "' cannot be examined (") +
               QString::fromLocal8Bit(std::strerror(errno)) + u')';
    }
    QString what;
    if (S_ISLNK(st.st_mode))
        what = QCoreApplication::translate("CompanionFiles", "a link");
    else if (S_ISDIR(st.st_mode))
        what = QCoreApplication::translate("CompanionFiles", "a folder");
    else if (!S_ISREG(st.st_mode))
        what = QCoreApplication::translate("CompanionFiles", "not a regular file");
    else if (st.st_uid != ::geteuid())
        what = QCoreApplication::translate("CompanionFiles", "someone else's file");
    else
        return QString();
    return u'\'' + path + QCoreApplication::translate("CompanionFiles", "' is ") + what +
           QCoreApplication::translate("CompanionFiles", ", not a file Quillery may replace");
}

// Another binder in the same folder, open now, whose companions have the same names as
// this one's: its name differs only in case.
QString openNamesake(const QString &binderPath)
{
    const QFileInfo binder(binderPath);
    const QString note = companionName(binder.fileName(), u'~');
    QDirIterator it(binder.absolutePath(),
                    QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName() != binder.fileName() && companionName(it.fileName(), u'~') == note &&
            !fileio::sameFile(path, binderPath) && FileLock::isHeldElsewhere(path))
            return path;
    }
    return QString();
}

// A new scratch file for the companion; a folder that cannot be written is named as such.
UniqueFd newScratch(const QString &companion, QString &staged)
{
    try {
        return fileio::createScratch(companion, staged);
    } catch (const FileError &error) {
        if (!error.isPermissionDenied())
            throw;
        throw FileError(FileError::PermissionDenied,
                        QCoreApplication::translate("CompanionFiles", "its folder '") +
                            QFileInfo(companion).absolutePath() +
                            QCoreApplication::translate("CompanionFiles", "' cannot be written"));
    }
}

// Fills a scratch file; it goes again when that fails.
template <typename Fill> void fillScratch(UniqueFd fd, const QString &staged, Fill fill)
{
    try {
        fill(fd.get());
        if (::close(fd.release()) != 0)
            throw FileError::fromErrno(errno, staged);
    } catch (...) {
        ::unlink(encoded(staged).constData());
        throw;
    }
}

// Moves a finished scratch file over the companion's name. A link put there in the
// meantime is replaced, never followed.
void putInPlace(const QString &staged, const QString &companion)
{
    if (::rename(encoded(staged).constData(), encoded(companion).constData()) != 0) {
        const int error = errno;
        ::unlink(encoded(staged).constData());
        throw FileError::fromErrno(error, companion);
    }
    // Renaming one name of a file over another name of it does nothing, and the scratch
    // name stays: a shadow copy linked again to an unchanged binder.
    if (fileio::sameFile(staged, companion))
        ::unlink(encoded(staged).constData());
}

// The shadow copy is a hard link to the binder as it is now. Saving appends to the binder,
// erasing what it replaced only while no reader holds a link of its own, or renames a new
// file over it, so no byte a reader was shown ever changes. Where links are not possible
// the file is copied, no more readable than it.
QString stageShadowCopy(const QString &binderPath, const QString &shadow)
{
    const QString linked = fileio::linkAsScratch(binderPath, shadow);
    if (!linked.isEmpty())
        return linked;
    const UniqueFd in = fileio::openForReading(binderPath);
    struct stat st;
    if (::fstat(in.get(), &st) != 0)
        throw FileError::fromErrno(errno, binderPath);
    QString staged;
    fillScratch(newScratch(shadow, staged), staged, [&](int out) {
        ::fchmod(out, st.st_mode & 0666);
        fileio::copyRange(in.get(), 0, out, st.st_size, binderPath, staged);
    });
    return staged;
}

void writeShadowCopy(const QString &binderPath, const QString &shadow)
{
    const QString staged = stageShadowCopy(binderPath, shadow);
    // The old shadow may be the last name of the previous binder file, and freeing a large
    // file takes a while: it keeps a scratch name until it is deleted in the background.
    const QString retired = fileio::linkAsScratch(shadow, shadow);
    try {
        putInPlace(staged, shadow);
    } catch (const FileError &) {
        if (!retired.isEmpty())
            ::unlink(encoded(retired).constData());
        throw;
    }
    if (!retired.isEmpty())
        retiringPool().start([retired] { ::unlink(encoded(retired).constData()); });
}

void writeLockNote(const QString &note, const QByteArray &holder)
{
    QString staged;
    fillScratch(newScratch(note, staged), staged, [&](int fd) {
        ::fchmod(fd, fileio::newFileMode());
        fileio::writeAll(fd, holder.constData(), holder.size(), staged);
    });
    putInPlace(staged, note);
}

// Whether copy holds the binder as the file is now: it is the same file, or a regular
// file of the same size with the same directory and records.
bool holdsBinder(const QString &copy, const QString &binderPath)
{
    struct stat st;
    if (::lstat(encoded(copy).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (fileio::sameFile(copy, binderPath))
        return true;
    try {
        if (st.st_size != fileio::fileSize(binderPath))
            return false;
        const QVector<Lump> mine = LumpArchive::readDirectory(copy, BinderHeader);
        const QVector<Lump> theirs = LumpArchive::readDirectory(binderPath, BinderHeader);
        const auto sameLump = [](const Lump &a, const Lump &b) {
            return a.offset == b.offset && a.length == b.length && a.name == b.name;
        };
        return std::equal(mine.begin(), mine.end(), theirs.begin(), theirs.end(), sameLump) &&
               (mine.isEmpty() ||
                LumpArchive::readBytes(copy, mine[0].offset, mine[0].length) ==
                    LumpArchive::readBytes(binderPath, theirs[0].offset, theirs[0].length));
    } catch (const FileError &) {
        return false;
    }
}

// Deletes a scratch file that is a regular file of this user and that no one holds: a
// save keeps its scratch file locked until it takes the binder's name.
void removeIfStale(const QString &path)
{
    const UniqueFd fd(::open(encoded(path).constData(),
                             O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat held;
    if (!fd.valid() || ::fstat(fd.get(), &held) != 0 || !S_ISREG(held.st_mode) ||
        held.st_uid != ::geteuid() || FileLock::isHeldElsewhere(fd.get()))
        return;
    // The name must still be the file examined when it goes.
    struct stat named;
    if (::lstat(encoded(path).constData(), &named) == 0 && named.st_dev == held.st_dev &&
        named.st_ino == held.st_ino)
        ::unlink(encoded(path).constData());
}

} // namespace

void finishRetiringShadowCopies()
{
    retiringPool().waitForDone();
}

QString lockNotePath(const QString &binderPath)
{
    return companionPath(binderPath, u'~');
}

QString shadowCopyPath(const QString &binderPath)
{
    return companionPath(binderPath, u'$');
}

QString readLockNote(const QString &binderPath)
{
    const QString note = lockNotePath(binderPath);
    const UniqueFd fd(::open(encoded(note).constData(),
                             O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid() || !fileio::isRegularFile(fd.get()))
        return QString();
    try {
        const qint64 size = fileio::fileSize(fd.get(), note);
        if (size > MaxLockNoteBytes)
            return QString();
        return QString::fromUtf8(fileio::readRange(fd.get(), 0, size, note));
    } catch (const FileError &) {
        return QString();
    }
}

bool copyForReader(const QString &binderPath, const QString &working)
{
    try {
        fileio::linkOrCopy(shadowCopyPath(binderPath), working);
        if (holdsBinder(working, binderPath))
            return true;
    } catch (const FileError &) {
        // No usable shadow copy: the binder itself is read.
    }
    // What the working copy's name holds now may be another name of someone's file; it is
    // let go, never written into.
    fileio::removeIfExists(working);
    fileio::linkOrCopy(binderPath, working);
    return false;
}

void createCompanionFiles(const Workspace &workspace, const Binder &binder, const QString &fileName,
                          bool writeShadow)
{
    if (binder.isReadOnly())
        return;
    const QString namesake = openNamesake(fileName);
    if (!namesake.isEmpty())
        throw FileError(
            FileError::PathFileAccess,
            u'\'' + namesake +
                QCoreApplication::translate("CompanionFiles",
                                            "' is open, and its lock note and shadow copy have "
                                            "the same names as this file's"));
    const QString note = lockNotePath(fileName);
    const QString shadow = shadowCopyPath(fileName);
    for (const QString &companion : writeShadow ? QStringList{shadow, note} : QStringList{note}) {
        const QString refusal = refusalOf(companion);
        if (!refusal.isEmpty())
            throw FileError(FileError::PathFileAccess, refusal);
    }
    if (writeShadow)
        writeShadowCopy(fileName, shadow);
    writeLockNote(note, workspace.authorName.toUtf8());
}

void removeCompanions(const QString &binderPath)
{
    if (!openNamesake(binderPath).isEmpty())
        return;
    for (const QString &companion : {lockNotePath(binderPath), shadowCopyPath(binderPath)}) {
        if (refusalOf(companion).isEmpty())
            ::unlink(encoded(companion).constData());
    }
}

void removeStaleScratchFiles(const QString &binderPath)
{
    const QFileInfo binder(binderPath);
    const QStringList owners = {binder.fileName(), companionName(binder.fileName(), u'~'),
                                companionName(binder.fileName(), u'$')};
    QDirIterator it(binder.absolutePath(),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString name = it.fileName();
        if (std::any_of(owners.begin(), owners.end(),
                        [&](const QString &owner) { return fileio::isScratchName(owner, name); }))
            removeIfStale(path);
    }
}

} // namespace quillery
