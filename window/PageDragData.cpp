// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageDragData.h"

#include "documents/Binder.h"
#include "documents/Workspace.h"
#include "platform/FileError.h"
#include "platform/TempFolder.h"
#include "transfer/FileNames.h"
#include "transfer/PageExport.h"
#include "window/PageTransfer.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

namespace quillery {

namespace {

const QString UriListType = QStringLiteral("text/uri-list");

} // namespace

PageDragData::PageDragData(Workspace &workspace, Binder &binder, const QVector<int> &positions)
    : m_workspace(workspace), m_binder(&binder), m_secret(bool(binder.encryption())),
      m_positions(positions)
{
    for (int position : positions)
        m_rows << binder.page(position);
}

QStringList PageDragData::formats() const
{
    if (m_secret)
        return {LocalPagesMimeType};
    return {PagesMimeType, UriListType};
}

QVariant PageDragData::retrieveData(const QString &mimeType, QMetaType type) const
{
    if (m_secret || !m_binder)
        return QVariant();
    if (mimeType == PagesMimeType) {
        QVector<TransferredPage> pages;
        try {
            for (const PageRow &row : m_rows)
                pages.append({ClipInfo::of(row), pageData(row.key)});
        } catch (const FileError &) {
            return QVariant(); // a page that cannot be read offers nothing
        }
        return encodePages(pages);
    }
    if (mimeType != UriListType)
        return QVariant();
    if (type.id() == QMetaType::QByteArray) {
        QByteArray list;
        for (const QUrl &url : pageFiles())
            list += url.toEncoded() + "\r\n";
        return list;
    }
    QVariantList urls;
    for (const QUrl &url : pageFiles())
        urls << url;
    return urls;
}

const QList<QUrl> &PageDragData::pageFiles() const
{
    if (m_files)
        return *m_files;
    m_files.emplace();
    // A folder no one else can have made or reach, so that the names are the pages' own
    // and nothing in it can be a link planted beforehand.
    QTemporaryDir folder(m_workspace.temp.filePath(QStringLiteral("Dragged-XXXXXX")));
    if (!folder.isValid())
        return *m_files;
    folder.setAutoRemove(false);
    // A file manager may copy from the files after the drop is over: they stay until the
    // program ends.
    for (const PageRow &row : m_rows) {
        QString name = pageFileName(row.name, row.key.kind);
        if (QFileInfo::exists(folder.filePath(name)))
            name = safeFileName(name, true, folder.path());
        const QString target = folder.filePath(name);
        try {
            writePageFile(row.key, target);
            m_workspace.temp.registerFile(target);
            m_files->append(QUrl::fromLocalFile(target));
        } catch (const FileError &) {
            // A page that cannot be written is left out; the others still go.
        }
    }
    m_workspace.temp.registerFile(folder.path());
    return *m_files;
}

} // namespace quillery
