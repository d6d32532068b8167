// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace quillery {

class Binder;
class Workspace;

// Edits page names in place, handing the new name to the rename command instead of
// writing it into the list directly.
class RenameDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    RenameDelegate(Workspace &workspace, Binder &binder, QObject *parent = nullptr);

    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

private:
    Workspace &m_workspace;
    Binder &m_binder;
};

} // namespace quillery
