// SPDX-License-Identifier: GPL-3.0-or-later
#include "LargeBinder.h"

#include "documents/Binder.h"
#include "documents/BinderSaver.h"
#include "documents/NewBinder.h"
#include "documents/PageKind.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/GeneralDate.h"

#include <QDateTime>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace quillery {

namespace {

void writeNoise(const QString &path, qint64 size)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        throw FileError::fromErrno(errno, path);
    UniqueFd guard(fd);
    std::vector<quint64> buffer((4 << 20) / sizeof(quint64));
    quint64 state = 0x9E3779B97F4A7C15ULL;
    for (qint64 done = 0; done < size;) {
        for (quint64 &word : buffer) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            word = state;
        }
        const qint64 chunk = std::min<qint64>(size - done, qint64(buffer.size() * 8));
        fileio::writeAll(fd, reinterpret_cast<const char *>(buffer.data()), chunk, path);
        done += chunk;
    }
}

} // namespace

void writeLargeBinder(Workspace &workspace, int pages, qint64 totalBytes, const QString &folder,
                      const QString &target)
{
    const QString source = folder + QStringLiteral("/pages.dat");
    writeNoise(source, totalBytes);
    static const PageKind kinds[] = {PageKind::RTF,     PageKind::TXT,   PageKind::HTML,
                                     PageKind::PICTURE, PageKind::SOUND, PageKind::FILE};
    const QString created = generalDate(QDateTime::currentDateTime());
    {
        Binder binder;
        NewFile(workspace, binder, false);
        binder.pages.reserve(pages);
        qint64 offset = 0;
        for (int i = 0; i < pages; ++i) {
            // Spread the remainder so that the pages add up to the total exactly.
            const qint64 end = totalBytes * (i + 1) / pages;
            const PageKind kind = kinds[i % 6];
            PageRow row;
            row.name = QStringLiteral("Page %1").arg(i + 1);
            row.created = created;
            row.modified = QStringLiteral("Never");
            row.size = end - offset;
            row.comments = QStringLiteral("Comment on page %1").arg(i + 1);
            row.key.serial = binder.takeSerial();
            row.key.offset = offset;
            row.key.length = end - offset;
            row.key.kind = kindString(kind);
            row.key.location = u'|' + source;
            row.key.colour =
                hasColourField(kind) ? QStringLiteral("-2147483643") : QStringLiteral("NA");
            binder.pages.append(row);
            offset = end;
        }
        if (!SavFile(workspace, binder, target))
            throw FileError(FileError::DeviceIo, QStringLiteral("could not save ") + target);
    }
    fileio::removeIfExists(source);
}

} // namespace quillery
