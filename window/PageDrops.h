// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/PageListDrag.h"
#include "window/PageTransfer.h"

#include <QObject>

namespace quillery {

class Binder;
class Workspace;

// What a binder window's page list offers when pages are dragged out of it, and what it
// does with what is dropped on it: pages of its own move, pages of another binder window
// are copied (moved with Shift), pages of another instance are copied, and files become
// pages as Import makes them. Every drop is one step of the binder's history; a
// read-only binder takes none. The work of a drop runs once the drop itself is over, so
// that the drag's source never waits for a progress window or a message.
class PageDrops : public QObject, public PageDropTarget
{
    Q_OBJECT
public:
    PageDrops(Workspace &workspace, Binder &binder, QObject *parent = nullptr);

    QMimeData *dragData(const QVector<int> &positions) override;
    Qt::DropAction dropAction(const QMimeData &data, Qt::KeyboardModifiers modifiers) override;
    void drop(const QMimeData &data, Qt::DropAction action, int position) override;

Q_SIGNALS:
    // Why a drag over the list would not be taken, for the status bar.
    void refused(const QString &why);
    // A drop's work is done (or came to nothing).
    void dropDone();

private:
    void movePages(const QVector<int> &positions, int position);
    // Adds the pages as one step named for the action; false, adding nothing, when they
    // could not be kept (which was reported).
    bool insertPages(const QVector<TransferredPage> &pages, int position, const QString &action);

    Workspace &m_workspace;
    Binder &m_binder;
};

} // namespace quillery
