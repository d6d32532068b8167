// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/HeldPages.h"

#include "documents/Binder.h"
#include "documents/EncryptedBinder.h"
#include "documents/Workspace.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"

#include <QFile>
#include <QSet>

#include <cerrno>
#include <fcntl.h>

namespace quillery {

HeldPages::HeldPages(Workspace &workspace, Binder &binder)
    : m_temp(workspace.temp), m_binder(binder)
{
    m_binder.m_held.append(this);
}

HeldPages::~HeldPages()
{
    m_binder.m_held.removeOne(this);
    discard();
}

void HeldPages::hold(QVector<PageRow> rows)
{
    m_rows.append(std::move(rows));
}

QVector<PageRow> HeldPages::release()
{
    return std::exchange(m_rows, {});
}

// The working copy holds every saved page, and a file that a row of the list points at is
// that row's data: both stay. Only files this program made and registered are deleted.
void HeldPages::discard()
{
    QStringList own;
    for (const PageRow &row : std::as_const(m_rows)) {
        const PageKey &key = row.key;
        if (!key.location.isEmpty() && !key.inWorkingCopy() &&
            key.location != m_binder.workingCopy())
            own << key.location;
    }
    // Held pages mostly lie in the working copy; only then is the whole list looked through.
    if (own.isEmpty())
        return;
    QSet<QString> listed;
    for (const PageRow &row : m_binder.pages().rows())
        listed.insert(row.key.location);
    TempFolder &folder = scratchFolder(m_temp, m_binder);
    for (const QString &file : std::as_const(own)) {
        if (!listed.contains(file))
            folder.deleteFile(file);
    }
}

void keepHeldPagesReadable(Workspace &workspace, Binder &binder)
{
    const QString working = binder.workingCopy();
    if (working.isEmpty())
        return;
    TempFolder &folder = scratchFolder(workspace, binder);
    UniqueFd source;
    binder.forEachHeldKey([&](PageKey &key) {
        if (!key.inWorkingCopy() || key.dataPath() != working)
            return;
        if (!source.valid())
            source = fileio::openForReading(working);
        const QString copy = folder.createFile();
        folder.registerFile(copy);
        // The path of a memory file (an encrypted binder's) is a link under /proc that must
        // be followed; a file on disk is one the folder has just made and never a link.
        const int noFollow = folder.path().isEmpty() ? 0 : O_NOFOLLOW;
        try {
            UniqueFd target(::open(QFile::encodeName(copy).constData(),
                                   O_WRONLY | O_TRUNC | noFollow | O_CLOEXEC));
            if (!target.valid())
                throw FileError::fromErrno(errno, copy);
            fileio::copyRange(source.get(), qMax<qint64>(key.offset, 0), target.get(),
                              qMax<qint64>(key.length, 0), working, copy);
        } catch (const FileError &) {
            folder.deleteFile(copy);
            throw;
        }
        key.location = copy;
        key.offset = -1;
        key.length = -1;
    });
}

} // namespace quillery
