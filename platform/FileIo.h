// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace quillery {

// An open file descriptor that closes itself.
class UniqueFd
{
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd &&other) noexcept : m_fd(other.release()) {}
    UniqueFd &operator=(UniqueFd &&other) noexcept;
    UniqueFd(const UniqueFd &) = delete;
    UniqueFd &operator=(const UniqueFd &) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    int release();
    void reset();

private:
    int m_fd = -1;
};

// Small file operations that throw FileError with the system's reason on failure.
namespace fileio {

// Refuses anything but a regular file (a FIFO or device could block or never end).
UniqueFd openForReading(const QString &path);
bool isRegularFile(int fd);
qint64 fileSize(int fd, const QString &path);
qint64 fileSize(const QString &path);

// Exactly length bytes from offset; a file too short is an error, never a short read.
QByteArray readRange(const QString &path, qint64 offset, qint64 length);
QByteArray readRange(int fd, qint64 offset, qint64 length, const QString &path);
// The same into a buffer of at least length bytes.
void readInto(int fd, char *buffer, qint64 offset, qint64 length, const QString &path);
QByteArray readWhole(const QString &path);

void writeAll(int fd, const char *data, qint64 length, const QString &path);
// Copies length bytes from one descriptor at inOffset to the other's current position,
// in the kernel where it can.
enum class WriteBack { Lazy, Early };
void copyRange(int inFd, qint64 inOffset, int outFd, qint64 length, const QString &inPath,
               const QString &outPath, WriteBack writeBack = WriteBack::Lazy);

// Replaces the file's content with bytes (plain write, for scratch files).
void writeWhole(const QString &path, const QByteArray &bytes);
// Copies a whole file onto target, replacing it.
void copyFile(const QString &source, const QString &target);
// Makes target (a name that may already hold an empty placeholder) another name of
// source's bytes: a hard link where the file system allows one, else a copy. Only right
// for files whose bytes, once written, are never overwritten: a binder is saved by
// appending to it or by renaming a new file over it.
void linkOrCopy(const QString &source, const QString &target);
// The hard link alone: false, leaving target as it was, where the file system refuses it.
bool tryLink(const QString &source, const QString &target);
// Whether two paths name the same file (not just equal bytes); false if either is missing.
bool sameFile(const QString &a, const QString &b);
// Makes a new file at path, never through a link and never over anything already there
// (FileError FileExists then). Mode 0666 less the umask.
UniqueFd createNew(const QString &path);
// The longest start of name whose UTF-8 form fits in bytes, cut between characters.
QString fitName(const QString &name, qsizetype bytes);
// The most bytes a name in a folder may have.
inline constexpr qsizetype MaxNameBytes = 255;
// Removes a file if it is there; a missing file is not an error.
void removeIfExists(const QString &path);

// Scratch files beside a file are named "." + its name + "." + six letters or digits, the
// name cut to fit; a program killed while it writes one leaves it behind.
bool isScratchName(const QString &targetName, const QString &name);
// The mode a new file gets: 0666 less the umask.
unsigned newFileMode();
// Makes a new scratch file for target in target's folder, mode 0600, never through a
// link; path receives its name.
UniqueFd createScratch(const QString &target, QString &path);
// Gives source a new scratch name beside target by a hard link and returns it; empty,
// making nothing, where the file system or its rules refuse the link.
QString linkAsScratch(const QString &source, const QString &target);

} // namespace fileio

// Writes a file beside its final path and moves it over the target only when every
// byte is on disk, so that a failure at any point leaves the old file untouched. The new
// file stays private (mode 0600) until it is complete; then it takes the old file's group
// and mode, where the user may give it that group.
class SafeFileWriter
{
public:
    explicit SafeFileWriter(const QString &target);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    int fd() const { return m_fd.get(); }
    const QString &tempPath() const { return m_tempPath; }
    const QString &target() const { return m_target; }
    void write(const QByteArray &bytes);
    // The mode the file gets at commit instead of the old file's.
    void setMode(mode_t mode) { m_mode = mode; }
    void commit();
    // After commit: what the user should know about a file that could not keep its old
    // group (it is saved all the same), else empty.
    const QString &groupWarning() const { return m_groupWarning; }

private:
    void takeOwnership();

    QString m_target;
    QString m_tempPath;
    UniqueFd m_fd;
    mode_t m_mode = 0;
    uid_t m_owner = uid_t(-1); // of the old file; -1 when there was none
    gid_t m_group = gid_t(-1);
    QString m_groupWarning;
    bool m_committed = false;
};

} // namespace quillery
