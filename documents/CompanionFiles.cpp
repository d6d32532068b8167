// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CompanionFiles.h"

#include "documents/Binder.h"
#include "documents/Workspace.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThreadPool>

#include <cerrno>
#include <unistd.h>

namespace quillery {

namespace {

QString companionPath(const QString &binderPath, QChar mark)
{
    const qsizetype slash = binderPath.lastIndexOf(u'/');
    const QString folder = binderPath.left(slash + 1);
    QString name = (mark + binderPath.mid(slash + 1)).toLower();
    name.replace(QStringLiteral(".qly"), QStringLiteral(".qd"));
    return folder + name;
}

QThreadPool &retiringPool()
{
    static QThreadPool pool;
    return pool;
}

// The shadow copy is a hard link to the binder as it is now: saving appends to the binder
// or renames a new file over it, so no byte the shadow's directory points at ever
// changes. Where links are not possible the file is copied.
void writeShadowCopy(const QString &binderPath, const QString &shadow)
{
    // The old shadow may be the last name of the previous binder file, and freeing a large
    // file takes a while: it is moved aside and deleted in the background.
    const QString retired = QFileInfo(shadow).absolutePath() + QStringLiteral("/.") +
                            QFileInfo(shadow).fileName() + QStringLiteral(".old") +
                            QString::number(QRandomGenerator::global()->generate64(), 36);
    if (::rename(QFile::encodeName(shadow).constData(), QFile::encodeName(retired).constData()) ==
        0)
        retiringPool().start([retired] { ::unlink(QFile::encodeName(retired).constData()); });
    else
        fileio::removeIfExists(shadow);
    if (::link(QFile::encodeName(binderPath).constData(), QFile::encodeName(shadow).constData()) ==
        0)
        return;
    fileio::copyFile(binderPath, shadow);
}

} // namespace

void finishRetiringShadowCopies()
{
    retiringPool().waitForDone();
}

QString lockNotePath(const QString &binderPath)
{
    return companionPath(binderPath, u'~');
}

QString shadowCopyPath(const QString &binderPath)
{
    return companionPath(binderPath, u'$');
}

QString readLockNote(const QString &binderPath)
{
    try {
        return QString::fromUtf8(fileio::readWhole(lockNotePath(binderPath)));
    } catch (const FileError &) {
        return QString();
    }
}

void CreateAF(const Workspace &workspace, const Binder &binder, const QString &fileName,
              bool writeShadow)
{
    if (binder.ro())
        return;
    if (writeShadow)
        writeShadowCopy(fileName, shadowCopyPath(fileName));
    const QString note = lockNotePath(fileName);
    fileio::removeIfExists(note);
    fileio::writeWhole(note, workspace.authorName.toUtf8());
}

void removeCompanions(const QString &binderPath)
{
    ::unlink(QFile::encodeName(lockNotePath(binderPath)).constData());
    ::unlink(QFile::encodeName(shadowCopyPath(binderPath)).constData());
}

} // namespace quillery
