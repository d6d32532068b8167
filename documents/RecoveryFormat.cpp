// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RecoveryFormat.h"

#include "documents/BinderFormat.h"
#include "documents/InfoRecords.h"
#include "documents/LumpArchive.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QFile>
#include <QRegularExpression>
#include <QtEndian>

#include <sys/stat.h>
#include <unistd.h>

namespace quillery {

namespace {

const QByteArray Header = QByteArrayLiteral("QRS1");
const QByteArray RecoveryLump = QByteArrayLiteral("RECOVERY");
const QByteArray PagesLump = QByteArrayLiteral("PAGES");
const QString FormatVersion = QStringLiteral("1");
constexpr qsizetype PageEntrySize = 32;
// A record this large is no snapshot the program wrote: the records of a binder of a
// million pages take a fraction of it.
constexpr qint64 MaxRecordSize = 256LL << 20;
// More pages than a binder of 4 GiB could hold.
constexpr int MaxSealedPages = 1 << 28;

// The keys of the RECOVERY lump.
namespace key {
const QString Format = QStringLiteral("Format");
const QString Binder = QStringLiteral("Binder");
const QString Title = QStringLiteral("Title");
const QString Taken = QStringLiteral("Taken");
const QString ChangedPages = QStringLiteral("ChangedPages");
const QString Protected = QStringLiteral("Protected");
const QString BinderFile = QStringLiteral("BinderFile");
const QString Sources = QStringLiteral("Sources");
const QString Source = QStringLiteral("Source%1");
const QString SourceFile = QStringLiteral("SourceFile%1");
const QString WorkingCopy = QStringLiteral("WorkingCopy");
const QString Sealed = QStringLiteral("Sealed");
const QString SealedPages = QStringLiteral("SealedPages");
} // namespace key

[[noreturn]] void bad(const QString &what)
{
    throw FileError::damaged(what);
}

int boundedNumber(const InfoRecords &records, const QString &name, int most)
{
    bool ok = false;
    const int value = records.value(name, QStringLiteral("0")).toInt(&ok);
    if (!ok || value < 0 || value > most)
        bad(QStringLiteral("its record %1 is not a number from 0 to %2").arg(name).arg(most));
    return value;
}

} // namespace

const QString SnapshotRecord::LockName = QStringLiteral("lock");
const QString SnapshotRecord::RecordName = QStringLiteral("snapshot");

QString FileIdentity::toText() const
{
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(device)
        .arg(inode)
        .arg(size)
        .arg(modifiedSeconds)
        .arg(modifiedNanoseconds);
}

std::optional<FileIdentity> FileIdentity::fromText(const QString &text)
{
    const QStringList parts = text.split(u' ');
    if (parts.size() != 5)
        return std::nullopt;
    bool ok[5] = {};
    FileIdentity id{parts[0].toULongLong(&ok[0]), parts[1].toULongLong(&ok[1]),
                    parts[2].toLongLong(&ok[2]), parts[3].toLongLong(&ok[3]),
                    parts[4].toLongLong(&ok[4])};
    if (!std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; }))
        return std::nullopt;
    return id;
}

std::optional<FileIdentity> FileIdentity::of(const QString &path)
{
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return FileIdentity{quint64(st.st_dev), quint64(st.st_ino), qint64(st.st_size),
                        qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec)};
}

bool isSnapshotDataName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[cde][0-9a-f]{1,40}$"));
    return pattern.match(name).hasMatch();
}

QByteArray SnapshotRecord::recoveryText() const
{
    InfoRecords out;
    out.write(key::Format, FormatVersion);
    out.write(key::Binder, binderPath);
    out.write(key::Title, title);
    out.write(key::Taken, taken.toUTC().toString(Qt::ISODateWithMs));
    out.write(key::ChangedPages, changedPages);
    out.write(key::Protected, isProtected);
    if (binderFile)
        out.write(key::BinderFile, binderFile->toText());
    out.write(key::Sources, int(sources.size()));
    for (int i = 0; i < sources.size(); ++i) {
        out.write(key::Source.arg(i + 1), sources[i]);
        if (const std::optional<FileIdentity> file = sourceFiles.value(i))
            out.write(key::SourceFile.arg(i + 1), file->toText());
    }
    out.write(key::WorkingCopy, workingCopy);
    if (sealed) {
        out.write(key::Sealed, true);
        out.write(key::SealedPages, sealedPageCount);
    }
    return out.toText();
}

QByteArray SnapshotRecord::pageTable() const
{
    QByteArray table(pages.size() * PageEntrySize, '\0');
    char *to = table.data();
    for (const SnapshotPage &page : pages) {
        qToLittleEndian<qint32>(page.source, to);
        qToLittleEndian<qint64>(page.offset, to + 8);
        qToLittleEndian<qint64>(page.length, to + 16);
        std::copy_n(page.kind.constData(), std::min<qsizetype>(page.kind.size(), 8), to + 24);
        to += PageEntrySize;
    }
    return table;
}

SnapshotRecord SnapshotRecord::fromLumps(const QByteArray &recovery, const QByteArray &records,
                                         const QByteArray &pageTable)
{
    InfoRecords in;
    in.loadText(recovery);
    if (in.value(key::Format) != FormatVersion)
        bad(QStringLiteral("it is not a snapshot of a format this program writes"));
    if (pageTable.size() % PageEntrySize != 0)
        bad(QStringLiteral("its page table is cut short"));
    SnapshotRecord out;
    out.sealed = in.value(key::Sealed) == u"True";
    if (out.sealed && (!pageTable.isEmpty() || !records.isEmpty()))
        bad(QStringLiteral("it is sealed, yet keeps records or pages outside its data"));
    out.sealedPageCount = out.sealed ? boundedNumber(in, key::SealedPages, MaxSealedPages) : 0;
    const qsizetype tablePages = pageTable.size() / PageEntrySize;
    const qsizetype pageCount = out.sealed ? out.sealedPageCount : tablePages;

    out.binderPath = in.value(key::Binder, QString());
    if (!out.binderPath.isEmpty() && !out.binderPath.startsWith(u'/'))
        bad(QStringLiteral("its binder path is not absolute"));
    out.title = in.value(key::Title, QString());
    out.taken = QDateTime::fromString(in.value(key::Taken), Qt::ISODateWithMs);
    if (!out.taken.isValid())
        bad(QStringLiteral("it does not say when it was taken"));
    out.changedPages = boundedNumber(in, key::ChangedPages, int(pageCount) + 1);
    out.isProtected = in.value(key::Protected) == u"True";
    out.binderFile = FileIdentity::fromText(in.value(key::BinderFile, QString()));
    const int sourceCount = boundedNumber(in, key::Sources, int(pageCount) + 1);
    for (int i = 1; i <= sourceCount; ++i) {
        const QString name = in.value(key::Source.arg(i), QString());
        if (!name.isEmpty() && !isSnapshotDataName(name))
            bad(QStringLiteral("its data file name '%1' is not one it would write").arg(name));
        if (name.isEmpty() && out.binderPath.isEmpty())
            bad(QStringLiteral("it reads pages from a binder file it does not name"));
        out.sources << name;
        out.sourceFiles << FileIdentity::fromText(in.value(key::SourceFile.arg(i), QString()));
    }
    if (out.sealed && (sourceCount != 1 || out.sources.first().isEmpty()))
        bad(QStringLiteral("it is sealed, yet its data is not one file of its own"));
    out.workingCopy = boundedNumber(in, key::WorkingCopy, sourceCount);
    out.records = records;

    out.pages.reserve(tablePages);
    for (qsizetype i = 0; i < tablePages; ++i) {
        const char *entry = pageTable.constData() + i * PageEntrySize;
        SnapshotPage page;
        page.source = qFromLittleEndian<qint32>(entry);
        page.offset = qFromLittleEndian<qint64>(entry + 8);
        page.length = qFromLittleEndian<qint64>(entry + 16);
        page.kind = QByteArray(entry + 24, 8);
        page.kind.truncate(page.kind.indexOf('\0') < 0 ? 8 : page.kind.indexOf('\0'));
        if (page.source < 0 || page.source > sourceCount || page.offset < 0 || page.length < 0)
            bad(QStringLiteral("page %1 of its page table points outside its data").arg(i + 1));
        out.pages << page;
    }
    return out;
}

bool SnapshotRecord::binderChangedOnDisk() const
{
    if (binderPath.isEmpty())
        return false;
    const std::optional<FileIdentity> now = FileIdentity::of(binderPath);
    return !binderFile || !now || *now != *binderFile;
}

bool SnapshotRecord::sourceChanged(int source, const QString &path) const
{
    const std::optional<FileIdentity> kept = sourceFiles.value(source - 1);
    return kept && FileIdentity::of(path) != kept;
}

void SnapshotRecord::write(const QString &folder) const
{
    const QString target = folder + u'/' + RecordName;
    // Only ever a file this program wrote stands at the target; anything else is removed
    // rather than written through.
    struct stat st;
    if (::lstat(QFile::encodeName(target).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        fileio::removeIfExists(target);
    LumpArchive archive(Header);
    archive.setLumpCount(3);
    archive.setLumpName(1, RecoveryLump);
    archive.setLumpData(1, recoveryText());
    archive.setLumpName(2, RecordsLump);
    archive.setLumpData(2, records);
    archive.setLumpName(3, PagesLump);
    archive.setLumpData(3, pageTable());
    SafeFileWriter writer(target);
    writer.setMode(0600);
    archive.write(writer);
    writer.commit();
}

SnapshotRecord SnapshotRecord::read(const QString &folder)
{
    const QString path = folder + u'/' + RecordName;
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        throw FileError::fromErrno(errno, path);
    if (!S_ISREG(st.st_mode))
        bad(QStringLiteral("its record is not a plain file"));
    if (st.st_size > MaxRecordSize)
        bad(QStringLiteral("its record of %1 bytes is too large").arg(st.st_size));
    QByteArray lumps[3];
    const QByteArray names[3] = {RecoveryLump, RecordsLump, PagesLump};
    for (const Lump &lump : LumpArchive::readDirectory(path, Header)) {
        for (int i = 0; i < 3; ++i) {
            if (lump.name == names[i])
                lumps[i] = LumpArchive::readBytes(path, lump.offset, lump.length);
        }
    }
    if (lumps[0].isEmpty())
        bad(QStringLiteral("its record has no RECOVERY lump"));
    return fromLumps(lumps[0], lumps[1], lumps[2]);
}

} // namespace quillery
