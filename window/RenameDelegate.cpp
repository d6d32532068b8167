// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/RenameDelegate.h"

#include "documents/Binder.h"
#include "documents/Workspace.h"
#include "window/PageRename.h"

#include <QLineEdit>

namespace quillery {

RenameDelegate::RenameDelegate(Workspace &workspace, Binder &binder, QObject *parent)
    : QStyledItemDelegate(parent), m_workspace(workspace), m_binder(binder)
{
    connect(this, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget *, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::RevertModelCache)
                    cancelRename(m_binder);
            });
}

void RenameDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    beginRename(m_binder, index.row() + 1);
    QStyledItemDelegate::setEditorData(editor, index);
}

void RenameDelegate::setModelData(QWidget *editor, QAbstractItemModel *,
                                  const QModelIndex &index) const
{
    const auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line)
        return;
    finishRename(m_workspace, m_binder, index.row() + 1, line->text());
}

} // namespace quillery
