// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/PageExport.h"

#include "documents/Binder.h"
#include "documents/EncryptedBinder.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/NewPage.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"
#include "transfer/FileNames.h"
#include <QCoreApplication>

namespace quillery {

namespace {

bool isPictureName(const QString &name)
{
    const QString ext = name.mid(name.lastIndexOf(u'.') + 1).toLower();
    return name.contains(u'.') &&
           (ext == u"gif" || ext == u"jpg" || ext == u"jpeg" || ext == u"png" || ext == u"bmp");
}

} // namespace

void writePageData(const PageKey &key, int fd, const QString &target)
{
    if (key.inWorkingCopy()) {
        UniqueFd in = fileio::openForReading(key.dataPath());
        fileio::copyRange(in.get(), qMax<qint64>(key.offset, 0), fd, qMax<qint64>(key.length, 0),
                          key.dataPath(), target);
    } else if (!key.location.isEmpty()) {
        UniqueFd in = fileio::openForReading(key.location);
        fileio::copyRange(in.get(), 0, fd, fileio::fileSize(in.get(), key.location), key.location,
                          target);
    }
}

void writePageFile(const PageKey &key, const QString &target)
{
    SafeFileWriter writer(target);
    writePageData(key, writer.fd(), target);
    writer.commit();
}

void exportCurrentPage(Workspace &workspace, Binder &binder, const QString &typeName,
                       const QString &ext)
{
    workspace.ui.closeSplash();
    if (!binder.hasPage(0))
        return;
    FileDialogRequest request;
    if (ext == u"*") {
        request.title = QCoreApplication::translate("PageExport", "Export ") + typeName;
        request.filter = QCoreApplication::translate("PageExport", "All files (*.*)|*.*");
    } else {
        request.title = QCoreApplication::translate("PageExport", "Export a ") + typeName +
                        QCoreApplication::translate("PageExport", " File");
        request.filter = typeName + QStringLiteral(" (*.") + ext + QStringLiteral(")|*.") + ext +
                         QCoreApplication::translate("PageExport", "|All files (*.*)|*.*");
    }
    const PageRow &page = binder.page(0);
    request.fileName = pageFileName(page.name, page.key.kind);
    const QString target = workspace.dialogs.saveFile(request);
    if (target.isEmpty())
        return;
    try {
        writePageFile(page.key, target);
    } catch (const FileError &error) {
        reportFileError(workspace.dialogs,
                        QCoreApplication::translate("PageExport", "Export Error"),
                        QCoreApplication::translate(
                            "PageExport", "An error occurred when trying to export the file '"),
                        target, error);
    }
}

QString writePageToTemp(Workspace &workspace, Binder &binder, const QString &name, int position)
{
    if (position == 0)
        position = binder.currentPosition();
    if (!binder.hasPage(position))
        return QString();
    try {
        // Another program opens it by its name.
        TempFolder &temp = namedScratchFolder(workspace, binder);
        const QString target = temp.filePath(safeFileName(name, true, temp.path()));
        writePageFile(binder.page(position).key, target);
        temp.registerFile(target);
        return target;
    } catch (const FileError &) {
        return QString();
    }
}

bool isRelevantResource(const QString &pageName, const QString &name)
{
    return (!pageName.isEmpty() && name.startsWith(pageName) && isPictureName(name)) ||
           name.endsWith(u".css", Qt::CaseInsensitive);
}

} // namespace quillery
