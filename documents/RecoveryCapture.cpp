// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RecoveryCapture.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/BinderKey.h"
#include "documents/EncryptedBinder.h"
#include "documents/LumpArchive.h"
#include "documents/PageRecords.h"
#include "documents/PlainSource.h"
#include "documents/SecretStream.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/GeneralDate.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillery {

namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

void syncData(int fd, const QString &path)
{
    if (::fdatasync(fd) != 0)
        throw FileError::fromErrno(errno, path);
}

// Fills a new file of the folder through fill and gives it its name only once it is on
// disk, so that a data file under its name is always whole.
template <typename Fill> void writeDataFile(const QString &target, Fill fill)
{
    const QString scratch = QFileInfo(target).absolutePath() + QStringLiteral("/t") +
                            QString::number(QRandomGenerator::global()->generate64(), 16);
    try {
        UniqueFd out = fileio::createNew(scratch);
        ::fchmod(out.get(), 0600);
        fill(out.get(), scratch);
        syncData(out.get(), scratch);
        if (::close(out.release()) != 0)
            throw FileError::fromErrno(errno, scratch);
        if (::rename(encoded(scratch).constData(), encoded(target).constData()) != 0)
            throw FileError::fromErrno(errno, target);
    } catch (const FileError &) {
        ::unlink(encoded(scratch).constData());
        throw;
    }
}

// Puts the files the pages are read from into a snapshot's folder: each under a name
// made from its path and identity, so that the next snapshot finds what is already
// there and adds only what is new.
class DataFiles
{
public:
    explicit DataFiles(const QString &folder) : m_folder(folder) {}

    const QString &folder() const { return m_folder; }
    const QSet<QString> &used() const { return m_used; }

    // The name of the file's copy or link, placed on first use; its size in size.
    QString place(const QString &path, qint64 &size)
    {
        const FileIdentity id = identity(path);
        size = id.size;
        const QString name = nameFor(path, id);
        if (!present(name, id.size) && !link(path, id, name))
            writeDataFile(pathOf(name), [&](int out, const QString &outPath) {
                UniqueFd in = fileio::openForReading(path);
                fileio::copyRange(in.get(), 0, out, id.size, path, outPath);
            });
        m_used.insert(name);
        return name;
    }

    // The working copy's pages: linked where the file system allows; else, when the
    // binder file holds the same bytes, linked from or referred to there (an empty name);
    // else copied.
    QString placeWorkingCopy(const SnapshotCapture &capture, qint64 &size)
    {
        const FileIdentity id = identity(capture.workingCopy);
        size = id.size;
        const QString name = nameFor(capture.workingCopy, id);
        if (present(name, id.size) || link(capture.workingCopy, id, name)) {
            m_used.insert(name);
            return name;
        }
        const std::optional<FileIdentity> binder = FileIdentity::of(capture.binderPath);
        if (capture.binderHoldsWorkingCopy && binder && binder == capture.binderFile) {
            const QString linked = nameFor(capture.binderPath, *binder);
            if (present(linked, binder->size) || link(capture.binderPath, *binder, linked)) {
                m_used.insert(linked);
                return linked;
            }
            return QString();
        }
        return place(capture.workingCopy, size);
    }

    QString placeBytes(const QByteArray &bytes)
    {
        const QString name =
            u'e' +
            QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
        if (!present(name, bytes.size()))
            writeDataFile(pathOf(name), [&](int out, const QString &outPath) {
                fileio::writeAll(out, bytes.constData(), bytes.size(), outPath);
            });
        m_used.insert(name);
        return name;
    }

private:
    QString pathOf(const QString &name) const { return m_folder + u'/' + name; }

    static FileIdentity identity(const QString &path)
    {
        const std::optional<FileIdentity> id = FileIdentity::of(path);
        if (!id)
            throw FileError(FileError::FileNotFound,
                            QStringLiteral("A page's data file is missing (%1)").arg(path));
        return *id;
    }

    static QString nameFor(const QString &path, const FileIdentity &id)
    {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        hash.addData(encoded(path));
        hash.addData(id.toText().toLatin1());
        return u'd' + QString::fromLatin1(hash.result().toHex().left(32));
    }

    bool present(const QString &name, qint64 size) const
    {
        struct stat st;
        return ::lstat(encoded(pathOf(name)).constData(), &st) == 0 && S_ISREG(st.st_mode) &&
               st.st_size == size;
    }

    // A hard link to the very file that was looked at, synced: its bytes may not have
    // reached the disk yet.
    bool link(const QString &source, const FileIdentity &id, const QString &name) const
    {
        const QString target = pathOf(name);
        fileio::removeIfExists(target);
        if (::link(encoded(source).constData(), encoded(target).constData()) != 0)
            return false;
        UniqueFd fd(::open(encoded(target).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        struct stat st;
        if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || quint64(st.st_ino) != id.inode ||
            quint64(st.st_dev) != id.device) {
            ::unlink(encoded(target).constData());
            throw FileError(FileError::PathFileAccess,
                            QStringLiteral("%1 changed while it was being kept").arg(source));
        }
        syncData(fd.get(), target);
        return true;
    }

    QString m_folder;
    QSet<QString> m_used;
};

// Removes what no longer belongs to the snapshot: the old record's data files and
// scratch files of a write cut short. Links are removed, never followed.
void removeUnused(const QString &folder, const QSet<QString> &used)
{
    const QStringList entries =
        QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : entries) {
        if (name != SnapshotRecord::LockName && name != SnapshotRecord::RecordName &&
            !used.contains(name))
            ::unlink(encoded(folder + u'/' + name).constData());
    }
}

} // namespace

SnapshotCapture captureSnapshot(const Binder &binder, bool workingCopyReadFromBinder,
                                std::optional<EditedPage> edit)
{
    SnapshotCapture capture;
    capture.binderPath = binder.fileName();
    capture.title = binder.title();
    capture.taken = QDateTime::currentDateTimeUtc();
    if (!capture.binderPath.isEmpty() && binder.fileLock().isHeld() &&
        binder.fileLock().unchangedOnDisk())
        capture.binderFile = FileIdentity::of(capture.binderPath);
    capture.workingCopy = binder.workingCopy();
    capture.binderHoldsWorkingCopy =
        capture.binderFile && !capture.workingCopy.isEmpty() &&
        (workingCopyReadFromBinder || fileio::sameFile(capture.workingCopy, capture.binderPath));
    capture.records = binder.records();
    writeLayoutRecords(capture.records, binder);
    capture.rows = binder.pages().rows();
    capture.edit = std::move(edit);
    if (isEncrypted(binder))
        capture.encryption = binder.encryption();
    return capture;
}

namespace {

bool editsPage(const SnapshotCapture &capture, int position)
{
    return capture.edit && capture.edit->position == position;
}

// The binder as a save would write it, from the capture.
LumpArchive binderArchive(const SnapshotCapture &capture, const QByteArray &records)
{
    const int n = int(capture.rows.size());
    LumpArchive archive(BinderHeader);
    archive.setLumpCount(n + 1);
    archive.setLumpName(1, RecordsLump);
    archive.setLumpData(1, records);
    for (int i = 0; i < n; ++i) {
        const PageKey &key = capture.rows[i].key;
        archive.setLumpName(i + 2, key.kind.name().toLatin1());
        if (editsPage(capture, i + 1))
            archive.setLumpData(i + 2, capture.edit->bytes);
        else if (key.inWorkingCopy())
            archive.setLumpData(i + 2, FileRange{key.dataPath(), qMax<qint64>(key.offset, 0),
                                                 qMax<qint64>(key.length, 0)});
        else if (!key.location.isEmpty())
            archive.setLumpData(i + 2, FileRange{key.location, 0, fileio::fileSize(key.location)});
    }
    return archive;
}

// The page editor's text as the page that saving it would make.
void applyEdit(PageRow &row, const EditedPage &edit, const QDateTime &taken)
{
    row.modified = generalDate(taken.toLocalTime());
    row.size = edit.bytes.size();
    row.key.colour = edit.colour;
}

void writeSealedSnapshot(const QString &folder, const SnapshotCapture &capture)
{
    SnapshotRecord record;
    QVector<PageRow> rows = capture.rows;
    for (int i = 0; i < rows.size(); ++i) {
        const PageKey &key = rows[i].key;
        if (key.location.isEmpty() || key.dataPath() != capture.workingCopy ||
            editsPage(capture, i + 1))
            ++record.changedPages;
        if (editsPage(capture, i + 1))
            applyEdit(rows[i], *capture.edit, capture.taken);
    }
    QByteArray records = capture.records.toText();
    PageRecords::appendText(records, rows);
    LumpArchive archive = binderArchive(capture, records);
    const QString name =
        u'c' +
        QString::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, u'0');
    writeDataFile(folder + u'/' + name, [&](int out, const QString &outPath) {
        PiecesSource plain(archive.pieces());
        encryptInto(plain, out, outPath, *capture.encryption->key);
    });

    // The title, the records and the pages are inside, encrypted.
    record.binderPath = capture.binderPath;
    record.title = QFileInfo(capture.binderPath).fileName();
    record.taken = capture.taken;
    record.binderFile = capture.binderFile;
    record.sealed = true;
    record.sealedPageCount = int(rows.size());
    record.sources = {name};
    record.sourceFiles = {FileIdentity::of(folder + u'/' + name)};
    record.write(folder);
    removeUnused(folder, {name});
}

} // namespace

void writeSnapshot(const QString &folder, const SnapshotCapture &capture)
{
    if (capture.encryption) {
        writeSealedSnapshot(folder, capture);
        return;
    }
    DataFiles files(folder);
    SnapshotRecord record;
    QHash<QString, int> sourceOf; // data path -> 1-based source
    QHash<int, qint64> sizeOf;
    const auto addSource = [&](const QString &name) {
        record.sources << name;
        record.sourceFiles << (name.isEmpty() ? std::nullopt
                                              : FileIdentity::of(folder + u'/' + name));
        return int(record.sources.size());
    };
    const auto sourceFor = [&](const QString &path) {
        const auto found = sourceOf.constFind(path);
        if (found != sourceOf.constEnd())
            return found.value();
        qint64 size = 0;
        const bool working = path == capture.workingCopy;
        const int source =
            addSource(working ? files.placeWorkingCopy(capture, size) : files.place(path, size));
        if (working)
            record.workingCopy = source;
        sourceOf.insert(path, source);
        sizeOf.insert(source, size);
        return source;
    };

    QVector<PageRow> rows = capture.rows;
    record.pages.reserve(rows.size());
    for (const PageRow &row : std::as_const(rows)) {
        const PageKey &key = row.key;
        SnapshotPage &page = record.pages.emplace_back();
        page.kind = key.kind.name().toLatin1();
        if (key.location.isEmpty()) {
            ++record.changedPages; // a new page that has no content yet
            continue;
        }
        const QString path = key.dataPath();
        page.source = sourceFor(path);
        const qint64 size = sizeOf.value(page.source);
        page.offset = key.inWorkingCopy() ? qMax<qint64>(key.offset, 0) : 0;
        page.length = key.inWorkingCopy() ? qMax<qint64>(key.length, 0) : size;
        if (page.offset > size || page.length > size - page.offset)
            throw FileError(
                FileError::PastEnd,
                QStringLiteral("The data of the page '%1' is cut short (%2)").arg(row.name, path));
        if (path != capture.workingCopy)
            ++record.changedPages;
    }
    if (capture.edit && capture.edit->position >= 1 && capture.edit->position <= rows.size()) {
        const int at = capture.edit->position - 1;
        const QByteArray &bytes = capture.edit->bytes;
        const int source = addSource(files.placeBytes(bytes));
        SnapshotPage &page = record.pages[at];
        if (page.source != 0 && page.source == record.workingCopy)
            ++record.changedPages;
        page = {source, 0, bytes.size(), page.kind};
        applyEdit(rows[at], *capture.edit, capture.taken);
    }

    record.binderPath = capture.binderPath;
    record.title = capture.title;
    record.taken = capture.taken;
    record.isProtected = !capture.records.value(RecordKey::Password, QString()).isEmpty();
    record.binderFile = capture.binderFile;
    record.records = capture.records.toText();
    PageRecords::appendText(record.records, rows);
    record.write(folder);
    removeUnused(folder, files.used());
}

} // namespace quillery
