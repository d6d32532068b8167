// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/BinderCheck.h"

#include "documents/BinderHeader.h"
#include "documents/CappedFaults.h"
#include "documents/EncryptedBinder.h"
#include "documents/InfoRecords.h"
#include "documents/LumpArchive.h"
#include "documents/PageKind.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

namespace quillery {

namespace {

void checkRecords(const InfoRecords &records, const QVector<Lump> &lumps, QStringList &faults)
{
    for (const char *key : {"Title", "Pages"}) {
        if (!records.contains(QString::fromLatin1(key)))
            faults << QStringLiteral("record \"%1\" is missing").arg(QString::fromLatin1(key));
    }
    bool ok = false;
    const qint64 pages = records.value(RecordKey::Pages).toLongLong(&ok);
    if (records.contains(RecordKey::Pages) && (!ok || pages < 0)) {
        faults << QStringLiteral("record \"Pages\" is not a page count");
        return;
    }
    if (ok && pages != lumps.size() - 1)
        faults << QStringLiteral("record \"Pages\" says %1 pages but the file has %2 page lumps")
                      .arg(pages)
                      .arg(lumps.size() - 1);
    const qint64 described = std::min<qint64>(pages, lumps.size() - 1);
    CappedFaults missing(faults);
    for (qint64 i = 1; i <= described; ++i) {
        for (const char *prefix : {"Page", "Created", "Modified", "Colour"}) {
            const QString key = QString::fromLatin1(prefix) + QString::number(i);
            if (!records.contains(key))
                missing.add([&] { return QStringLiteral("record \"%1\" is missing").arg(key); });
        }
    }
}

} // namespace

QStringList checkBinder(const QString &path)
{
    // Nothing of an encrypted binder can be checked without its passphrase.
    if (isEncryptedBinderFile(path))
        return {QStringLiteral("it is an encrypted binder; check a plain copy made with "
                               "\"quillery-cli decrypt BINDER OUT\"")};
    QStringList faults;
    try {
        const QVector<Lump> lumps = LumpArchive::readDirectory(path, BinderHeader, &faults);
        if (lumps.isEmpty()) {
            if (faults.isEmpty())
                faults << QStringLiteral("the file has no record lump");
            return faults;
        }
        if (lumps.first().name != RecordsLump)
            faults << QStringLiteral("lump 1 is named \"%1\", not \"QUILLERY\"")
                          .arg(QString::fromLatin1(lumps.first().name));
        {
            CappedFaults unknown(faults);
            for (qsizetype i = 1; i < lumps.size(); ++i) {
                const QString kind = QString::fromLatin1(lumps[i].name);
                if (kindFromString(kind) == PageKind::Unknown)
                    unknown.add([&] {
                        return QStringLiteral("page %1 has the unknown kind \"%2\"")
                            .arg(i)
                            .arg(kind);
                    });
            }
        }
        const Lump &recordLump = lumps.first();
        if (recordLump.offset + recordLump.length > fileio::fileSize(path))
            return faults;
        InfoRecords records;
        records.loadText(LumpArchive::readBytes(path, recordLump.offset, recordLump.length));
        checkRecords(records, lumps, faults);
    } catch (const FileError &error) {
        faults << error.description();
    }
    return faults;
}

} // namespace quillery
