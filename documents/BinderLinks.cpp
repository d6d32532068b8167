// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/BinderLinks.h"

#include "documents/Binder.h"
#include "documents/CompanionFiles.h"
#include "documents/RecoveryKeeper.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <optional>

#include <sys/stat.h>

namespace quillery {

namespace {

// A name as its folder (device and inode) and its last part, so that two spellings of
// one name count once.
std::optional<QString> entryOf(const QString &path, const struct stat &file)
{
    struct stat st;
    const QFileInfo info(path);
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || st.st_dev != file.st_dev ||
        st.st_ino != file.st_ino ||
        ::stat(QFile::encodeName(info.absolutePath()).constData(), &st) != 0)
        return std::nullopt;
    return QStringLiteral("%1:%2/").arg(st.st_dev).arg(st.st_ino) + info.fileName();
}

} // namespace

bool onlyThisWindowLinksTo(const Binder &binder, const QString &fileName)
{
    // Shadow copies replaced by the last save may still be links of the file.
    finishRetiringShadowCopies();
    QStringList names{fileName, binder.workingCopy(), shadowCopyPath(fileName)};
    if (RecoveryKeeper *keeper = RecoveryKeeper::of(binder)) {
        keeper->waitForWrites();
        const QDir snapshot(keeper->folder());
        if (!keeper->folder().isEmpty()) {
            for (const QString &name : snapshot.entryList(QDir::Files | QDir::Hidden))
                names << snapshot.filePath(name);
        }
    }
    struct stat file;
    if (::lstat(QFile::encodeName(fileName).constData(), &file) != 0 || !S_ISREG(file.st_mode))
        return false;
    QSet<QString> known;
    for (const QString &name : std::as_const(names)) {
        if (const std::optional<QString> entry = entryOf(name, file))
            known.insert(*entry);
    }
    return file.st_nlink <= nlink_t(known.size());
}

} // namespace quillery
