// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArchiveSupport.h"

#include <QtEndian>

namespace quillery::test {

LumpArchive archiveOf(const NamedLumps &lumps, const QByteArray &header)
{
    LumpArchive archive(header);
    archive.setLumpCount(int(lumps.size()));
    for (int i = 0; i < lumps.size(); ++i) {
        archive.setLumpName(i + 1, lumps[i].first);
        archive.setLumpData(i + 1, lumps[i].second);
    }
    return archive;
}

void writeArchive(const QString &path, const NamedLumps &lumps)
{
    archiveOf(lumps).write(path);
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<quint32>(value, bytes.data());
    return bytes;
}

} // namespace quillery::test
