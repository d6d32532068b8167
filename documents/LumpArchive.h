// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <variant>

namespace quillery {

class SafeFileWriter;

// One lump as the directory of an archive file describes it.
struct Lump
{
    qint64 offset = 0;
    qint64 length = 0;
    QByteArray name; // NUL padding removed
};

// Data for a lump being written: bytes in memory, or a range of another file that is
// streamed when the archive is written, so that saving never holds a binder in memory.
struct FileRange
{
    QString path;
    qint64 offset = 0;
    qint64 length = 0;
};
using LumpData = std::variant<QByteArray, FileRange>;

// Archive files of numbered, named lumps: a 12-byte header (four header characters,
// lump count, directory offset), the lumps' data back to back, and a directory of
// 16-byte entries (offset, length, name in 8 bytes). All numbers are 32-bit little-endian.
class LumpArchive
{
public:
    static constexpr int MaxNameLength = 8;

    explicit LumpArchive(const QByteArray &header);

    const QByteArray &header() const { return m_header; }

    // Reading. open() checks that the whole directory and every lump lie inside the
    // file and throws FileError otherwise.
    void open(const QString &path);
    int lumpCount() const { return int(m_read.size()); }
    const Lump &lump(int number) const; // 1-based
    // With a fault list, faults are noted there instead of thrown, and lumps outside the
    // file are still listed.
    static QVector<Lump> readDirectory(const QString &path, const QByteArray &header,
                                       QStringList *faults = nullptr);
    static QByteArray readBytes(const QString &path, qint64 offset, qint64 length);
    QByteArray readNamedLump(const QString &path, const QByteArray &name) const;

    // Writing: set the count, then each lump's name and data, then write.
    void setLumpCount(int count);
    void setLumpName(int number, const QByteArray &name);
    void setLumpData(int number, LumpData data);
    void write(const QString &path);
    void write(SafeFileWriter &writer);
    // The whole archive as write() writes it, as pieces in file order (the header,
    // each lump's data, the directory), for a writer of its own.
    QVector<LumpData> pieces();
    // What appendInPlace did.
    enum class Append {
        Done,      // the archive turned to the new lumps and the bytes it left are erased
        NotWorth,  // nothing written: it would leave over a quarter unused or pass 4 GiB
        NotErased, // the archive turned, but the bytes it left could not be erased
    };
    // Saves into the archive file in place: lumps whose data is a range of that file keep
    // it, the others and a new directory go after the present end, and the header turns
    // to them only once they are on disk, so that an append cut short anywhere leaves the
    // archive as it was. Then the bytes of the lumps and the directory it no longer uses
    // are erased in place. Unless it is Done, the archive is to be rewritten instead.
    // beforeErase is called once the archive has turned, before any byte is erased.
    Append appendInPlace(const QString &path, const std::function<void()> &beforeErase = {});
    // Where the last write put each lump.
    const QVector<Lump> &writtenLumps() const { return m_written; }

private:
    QByteArray m_header;
    QVector<Lump> m_read;
    struct Pending
    {
        QByteArray name;
        LumpData data;
    };
    QVector<Pending> m_write;
    QVector<Lump> m_written;

    class InPlaceTest;
    QByteArray writeLumps(int fd, const QString &path, qint64 start, InPlaceTest &inPlace);
    // The header of the archive written whole; throws FileError past 4 GiB.
    QByteArray wholeHeader() const;
    // Adds a lump's directory entry and notes where it was written.
    void noteWritten(QByteArray &directory, qint64 at, qint64 length, const QByteArray &name);
};

} // namespace quillery
