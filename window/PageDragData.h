// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/Binder.h"

#include <QMimeData>
#include <QPointer>
#include <QVector>

namespace quillery {

class Workspace;

// What a drag of pages out of a binder window carries. Windows of this instance take the
// pages from the drag itself; other instances get the program's own type, file managers
// the pages as files. Nothing is read or written until a drop target asks for a type.
// Pages of an encrypted binder are offered in no form another program could read.
class PageDragData : public QMimeData
{
    Q_OBJECT
public:
    // positions: 1-based, in the order the pages are to land.
    PageDragData(Workspace &workspace, Binder &binder, const QVector<int> &positions);

    // The binder the pages come from; none once its window has closed.
    Binder *binder() const { return m_binder; }
    // The pages as they were when the drag began.
    const QVector<PageRow> &rows() const { return m_rows; }
    const QVector<int> &positions() const { return m_positions; }

    QStringList formats() const override;

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    // Writes the pages into a new folder of the program's own, under the names Export
    // gives them, once; their addresses.
    const QList<QUrl> &pageFiles() const;

    Workspace &m_workspace;
    QPointer<Binder> m_binder;
    bool m_secret;
    QVector<PageRow> m_rows;
    QVector<int> m_positions;
    mutable std::optional<QList<QUrl>> m_files;
};

} // namespace quillery
