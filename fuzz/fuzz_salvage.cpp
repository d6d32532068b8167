// SPDX-License-Identifier: GPL-3.0-or-later
// Salvages arbitrary bytes as a damaged binder: whatever is found must be written out as a
// sound binder whose pages are the very bytes of the input they were found at.

#include "FuzzCheck.h"
#include "documents/BinderFormat.h"
#include "documents/BinderSalvage.h"
#include "documents/LumpArchive.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

using namespace quillery;

namespace {

QString folder;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    const QString base = QFileInfo(QStringLiteral("/dev/shm")).isDir() ? QStringLiteral("/dev/shm")
                                                                       : QDir::tempPath();
    folder = base + QStringLiteral("/quillery-salvage-fuzz-%1").arg(::getpid());
    QDir().mkpath(folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(bytes), qsizetype(size));
    const QString damaged = folder + QStringLiteral("/damaged.qly");
    const QString out = folder + QStringLiteral("/out.qly");
    fileio::writeWhole(damaged, input);
    fileio::removeIfExists(out);

    Salvage salvage;
    try {
        salvage = findSalvage(damaged);
    } catch (const FileError &) {
        return 0;
    }
    writeSalvage(salvage, damaged, out);
    FUZZ_CHECK(fileio::readWhole(damaged) == input);

    const QVector<Lump> lumps = LumpArchive::readDirectory(out, BinderHeader);
    FUZZ_CHECK(lumps.size() == salvage.pages.size() + 1);
    FUZZ_CHECK(lumps.first().name == RecordsLump);
    for (qsizetype i = 0; i < salvage.pages.size(); ++i) {
        const SalvagedPage &page = salvage.pages.at(i);
        FUZZ_CHECK(page.offset >= 12 && page.offset + page.length <= input.size());
        FUZZ_CHECK(LumpArchive::readBytes(out, lumps[i + 1].offset, lumps[i + 1].length) ==
                   input.mid(page.offset, page.length));
    }
    return 0;
}
