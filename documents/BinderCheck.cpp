#include "documents/BinderCheck.h"

#include "documents/FileError.h"
#include "documents/InfoRecords.h"
#include "documents/PageKind.h"
#include "platform/FileIo.h"

#include <QtEndian>

namespace quillery {

namespace {

constexpr qint64 HeaderSize = 12;
constexpr qint64 EntrySize = 16;

struct RawLump
{
    qint64 offset;
    qint64 length;
    QByteArray name;
    bool inside;
};

// Reads the directory leniently, so that every damaged lump can be named rather than
// only the first.
QList<RawLump> readLumps(int fd, qint64 size, const QString &path, QStringList &faults)
{
    const QByteArray head = fileio::readRange(fd, 0, HeaderSize, path);
    if (!head.startsWith("QLY4"))
        faults << QStringLiteral("header is not \"QLY4\"");
    const qint64 count = qFromLittleEndian<quint32>(head.constData() + 4);
    const qint64 dirOffset = qFromLittleEndian<quint32>(head.constData() + 8);
    if (dirOffset < HeaderSize || dirOffset > size || count > (size - dirOffset) / EntrySize) {
        faults << QStringLiteral("lump directory (%1 entries at byte %2) lies outside the file "
                                 "of %3 bytes")
                      .arg(count)
                      .arg(dirOffset)
                      .arg(size);
        return {};
    }
    const QByteArray dir = fileio::readRange(fd, dirOffset, count * EntrySize, path);
    QList<RawLump> lumps;
    for (qint64 i = 0; i < count; ++i) {
        const char *entry = dir.constData() + i * EntrySize;
        RawLump lump{qFromLittleEndian<quint32>(entry), qFromLittleEndian<quint32>(entry + 4),
                     QByteArray(entry + 8, 8).replace('\0', QByteArray()), true};
        if (lump.offset + lump.length > size) {
            lump.inside = false;
            faults << QStringLiteral("lump %1 (%2 bytes at byte %3) lies outside the file")
                          .arg(i + 1)
                          .arg(lump.length)
                          .arg(lump.offset);
        }
        lumps << lump;
    }
    return lumps;
}

void checkRecords(const InfoRecords &records, const QList<RawLump> &lumps, QStringList &faults)
{
    for (const char *key : {"Title", "Pages"}) {
        if (!records.contains(QString::fromLatin1(key)))
            faults << QStringLiteral("record \"%1\" is missing").arg(QString::fromLatin1(key));
    }
    bool ok = false;
    const qint64 pages = records.value(QStringLiteral("Pages")).toLongLong(&ok);
    if (records.contains(QStringLiteral("Pages")) && (!ok || pages < 0)) {
        faults << QStringLiteral("record \"Pages\" is not a page count");
        return;
    }
    if (ok && pages != lumps.size() - 1)
        faults << QStringLiteral("record \"Pages\" says %1 pages but the file has %2 page lumps")
                      .arg(pages)
                      .arg(lumps.size() - 1);
    const qint64 described = std::min<qint64>(pages, lumps.size() - 1);
    for (qint64 i = 1; i <= described; ++i) {
        for (const char *prefix : {"Page", "Created", "Modified", "Colour"}) {
            const QString key = QString::fromLatin1(prefix) + QString::number(i);
            if (!records.contains(key))
                faults << QStringLiteral("record \"%1\" is missing").arg(key);
        }
    }
}

} // namespace

QStringList checkBinder(const QString &path)
{
    QStringList faults;
    try {
        UniqueFd fd = fileio::openForReading(path);
        const qint64 size = fileio::fileSize(fd.get(), path);
        if (size < HeaderSize)
            return {QStringLiteral("file of %1 bytes is too short to be a binder").arg(size)};
        const QList<RawLump> lumps = readLumps(fd.get(), size, path, faults);
        if (lumps.isEmpty()) {
            if (faults.isEmpty())
                faults << QStringLiteral("the file has no record lump");
            return faults;
        }
        if (lumps.first().name != "QUILLERY")
            faults << QStringLiteral("lump 1 is named \"%1\", not \"QUILLERY\"")
                          .arg(QString::fromLatin1(lumps.first().name));
        for (qsizetype i = 1; i < lumps.size(); ++i) {
            if (kindFromString(QString::fromLatin1(lumps[i].name)) == PageKind::Unknown)
                faults << QStringLiteral("page %1 has the unknown kind \"%2\"")
                              .arg(i)
                              .arg(QString::fromLatin1(lumps[i].name));
        }
        if (!lumps.first().inside)
            return faults;
        InfoRecords records;
        records.loadText(
            fileio::readRange(fd.get(), lumps.first().offset, lumps.first().length, path));
        checkRecords(records, lumps, faults);
    } catch (const FileError &error) {
        faults << error.description();
    }
    return faults;
}

} // namespace quillery
