// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageDrops.h"

#include "documents/Binder.h"
#include "documents/EncryptedBinder.h"
#include "documents/ErrorReport.h"
#include "documents/PageCommands.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"
#include "transfer/DroppedFiles.h"
#include "window/CommandGuard.h"
#include "window/PageDragData.h"
#include "window/PageTransfer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace quillery {

namespace {

// Looked up when used, once the translation is loaded.
QString dropError()
{
    return QCoreApplication::translate("PageDrops", "Drop Error");
}

// The dropped addresses as local paths; none when any is not a local file.
QStringList localFiles(const QMimeData &data)
{
    QStringList paths;
    for (const QUrl &url : data.urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

// "Move Page 'Letter'" for one page, "Move 3 Pages" for more.
QString stepName(const QString &action, int count, const QString &firstName)
{
    if (count == 1)
        return pageStepName(action + QCoreApplication::translate("PageDrops", " Page"), firstName);
    return QCoreApplication::translate("PageDrops", "%1 %2 Pages").arg(action).arg(count);
}

} // namespace

PageDrops::PageDrops(Workspace &workspace, Binder &binder, QObject *parent)
    : QObject(parent), m_workspace(workspace), m_binder(binder)
{
}

QMimeData *PageDrops::dragData(const QVector<int> &positions)
{
    return new PageDragData(m_workspace, m_binder, positions);
}

Qt::DropAction PageDrops::dropAction(const QMimeData &data, Qt::KeyboardModifiers modifiers)
{
    const auto *dragged = qobject_cast<const PageDragData *>(&data);
    const Binder *source = dragged ? dragged->binder() : nullptr;
    if (!source && !data.hasFormat(PagesMimeType) && localFiles(data).isEmpty())
        return Qt::IgnoreAction;
    if (m_binder.isReadOnly()) {
        Q_EMIT refused(tr("This binder is open read-only, so nothing can be dropped "
                          "on it; Save As makes a copy that can be changed."));
        return Qt::IgnoreAction;
    }
    // Within one binder pages move unless Ctrl copies them; from another binder they are
    // copied unless Shift moves them, and a read-only binder keeps its pages.
    if (source == &m_binder)
        return modifiers & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction;
    if (source && (modifiers & Qt::ShiftModifier) && !source->isReadOnly())
        return Qt::MoveAction;
    return Qt::CopyAction;
}

void PageDrops::drop(const QMimeData &data, Qt::DropAction action, int position)
{
    // What the drop needs is taken now: another program's data goes with the drop event.
    std::function<void()> work;
    const auto *dragged = qobject_cast<const PageDragData *>(&data);
    if (dragged && dragged->binder()) {
        QPointer<Binder> source = dragged->binder();
        const QVector<int> positions = dragged->positions();
        const QVector<PageRow> rows = dragged->rows();
        work = [this, source, positions, rows, action, position] {
            if (!source)
                return;
            if (source == &m_binder && action == Qt::MoveAction) {
                movePages(positions, position);
                return;
            }
            QVector<TransferredPage> pages;
            for (const PageRow &row : rows)
                pages.append({ClipInfo::of(row), pageData(row.key)});
            const QString name = action == Qt::MoveAction ? tr("Move In") : tr("Copy");
            if (!insertPages(pages, position, name) || action != Qt::MoveAction)
                return;
            // The pages leave the other binder only once they are safely here, and only
            // those still where they were when the drag began.
            auto step = std::make_unique<QUndoCommand>(
                stepName(tr("Move Out"), int(rows.size()), rows.first().name));
            for (int i = int(positions.size()) - 1; i >= 0; --i) {
                const int at = positions.at(i);
                if (source->hasPage(at) && source->page(at).key.serial == rows.at(i).key.serial)
                    new RemovePagesCommand(m_workspace, *source, at, 1, step->text(), step.get());
            }
            if (step->childCount() > 0)
                source->push(std::move(step));
        };
    } else if (data.hasFormat(PagesMimeType)) {
        const QByteArray bytes = data.data(PagesMimeType);
        work = [this, bytes, position] {
            const std::optional<QVector<TransferredPage>> pages = decodePages(bytes);
            if (!pages) {
                m_workspace.dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok, dropError(),
                                            tr("The pages dropped are damaged or of "
                                               "a newer kind; nothing was added."));
                return;
            }
            insertPages(*pages, position, tr("Copy"));
        };
    } else {
        const QStringList files = localFiles(data);
        work = [this, files, position] {
            importDroppedFiles(m_workspace, m_binder, files, position);
        };
    }
    QTimer::singleShot(0, this, [this, work] {
        guarded(m_workspace.dialogs, work);
        Q_EMIT dropDone();
    });
}

void PageDrops::movePages(const QVector<int> &positions, int position)
{
    QVector<int> sorted = positions;
    std::sort(sorted.begin(), sorted.end());
    auto step = std::make_unique<MovePagesCommand>(
        m_binder, sorted, position,
        stepName(tr("Move"), int(sorted.size()), m_binder.page(sorted.first()).name));
    if (step->movesAny())
        m_binder.push(std::move(step));
}

bool PageDrops::insertPages(const QVector<TransferredPage> &pages, int position,
                            const QString &action)
{
    if (pages.isEmpty())
        return false;
    TempFolder &temp = scratchFolder(m_workspace, m_binder);
    auto step =
        std::make_unique<InsertPagesCommand>(m_workspace, m_binder, InsertPagesCommand::Show::First,
                                             qBound(1, position, m_binder.pageCount() + 1));
    step->setText(stepName(action, int(pages.size()), pages.first().info.name));
    QString pagePath;
    try {
        for (const TransferredPage &page : pages) {
            pagePath = temp.createFile();
            temp.registerFile(pagePath);
            fileio::writeWhole(pagePath, page.data);
            step->add(page.info.toPage(m_binder, pagePath));
            pagePath.clear();
        }
    } catch (const FileError &error) {
        // The pages already copied go with the step.
        if (!pagePath.isEmpty())
            temp.deleteFile(pagePath);
        reportFileError(m_workspace.dialogs, dropError(),
                        tr("The dropped pages could not be added to '"), m_binder.title(), error);
        return false;
    }
    m_binder.push(std::move(step));
    return true;
}

} // namespace quillery
