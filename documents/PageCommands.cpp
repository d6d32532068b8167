// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/PageCommands.h"

#include "documents/Binder.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace quillery {

QString pageStepName(const QString &action, const QString &pageName)
{
    constexpr int LongestName = 40;
    QString name = pageName.left(LongestName);
    for (QChar &c : name) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = u' ';
    }
    if (pageName.size() > LongestName)
        name += QChar(0x2026);
    return action + QStringLiteral(" '") + name + u'\'';
}

InsertPagesCommand::InsertPagesCommand(Workspace &workspace, Binder &binder, Show show,
                                       int position)
    : m_binder(binder), m_held(workspace, binder), m_position(position), m_show(show)
{
}

void InsertPagesCommand::add(PageRow row)
{
    m_held.hold({std::move(row)});
    ++m_count;
}

void InsertPagesCommand::redo()
{
    if (m_position == AtEnd)
        m_position = m_binder.pageCount() + 1;
    m_currentBefore = m_binder.currentPosition();
    m_binder.insertPages(m_position, m_held.release());
    if (m_show == Show::First)
        m_binder.setCurrentPosition(m_position);
}

void InsertPagesCommand::undo()
{
    m_held.hold(m_binder.takePages(m_position, m_count));
    m_binder.setCurrentPosition(m_currentBefore);
}

RemovePagesCommand::RemovePagesCommand(Workspace &workspace, Binder &binder, int position,
                                       int count, const QString &text, QUndoCommand *parent)
    : QUndoCommand(text, parent), m_binder(binder), m_held(workspace, binder), m_position(position),
      m_count(count)
{
}

void RemovePagesCommand::redo()
{
    m_held.hold(m_binder.takePages(m_position, m_count));
    m_binder.setCurrentPosition(m_binder.pageCount() > 0 ? 1 : 0);
}

void RemovePagesCommand::undo()
{
    m_binder.insertPages(m_position, m_held.release());
    m_binder.setCurrentPosition(m_position);
}

MovePageCommand::MovePageCommand(Binder &binder, int from, int to, QUndoCommand *parent)
    : QUndoCommand(QCoreApplication::translate("PageCommands", "Move Page"), parent),
      m_binder(binder), m_from(from), m_to(to)
{
}

void MovePageCommand::redo()
{
    m_binder.movePage(m_from, m_to);
    m_binder.setCurrentPosition(m_to);
}

void MovePageCommand::undo()
{
    m_binder.movePage(m_to, m_from);
    m_binder.setCurrentPosition(m_from);
}

MovePagesCommand::MovePagesCommand(Binder &binder, const QVector<int> &positions, int position,
                                   const QString &text)
    : QUndoCommand(text), m_binder(binder)
{
    // The pages above the place go down to it, the last first; then those below come up in
    // order. Neither group's moves shift a page still to move.
    const auto firstBelow = std::lower_bound(positions.begin(), positions.end(), position);
    int to = position - 1;
    for (auto from = firstBelow; from != positions.begin(); --to) {
        --from;
        if (*from != to)
            new MovePageCommand(binder, *from, to, this);
    }
    to = position;
    for (auto from = firstBelow; from != positions.end(); ++from, ++to) {
        if (*from != to)
            new MovePageCommand(binder, *from, to, this);
    }
}

void MovePagesCommand::redo()
{
    m_currentBefore = m_binder.currentPosition();
    QUndoCommand::redo();
}

void MovePagesCommand::undo()
{
    QUndoCommand::undo();
    m_binder.setCurrentPosition(m_currentBefore);
}

ChangePageCommand::ChangePageCommand(Binder &binder, int position, const PageFields &after,
                                     const QString &text)
    : QUndoCommand(text), m_binder(binder), m_position(position),
      m_before(PageFields::of(binder.page(position))), m_after(after)
{
}

void ChangePageCommand::redo()
{
    apply(m_after);
    if (std::exchange(m_done, true))
        m_binder.setCurrentPosition(m_position);
}

void ChangePageCommand::undo()
{
    apply(m_before);
    m_binder.setCurrentPosition(m_position);
}

void ChangePageCommand::apply(const PageFields &fields)
{
    PageRow row = m_binder.page(m_position);
    row.name = fields.name;
    row.comments = fields.comments;
    row.key.colour = fields.colour;
    m_binder.updatePage(m_position, row);
}

ReplacePageDataCommand::ReplacePageDataCommand(Workspace &workspace, Binder &binder, int position,
                                               PageRow data)
    : QUndoCommand(pageStepName(QCoreApplication::translate("PageCommands", "Edit Page"),
                                binder.page(position).name)),
      m_binder(binder), m_held(workspace, binder), m_position(position)
{
    m_held.hold({std::move(data)});
}

void ReplacePageDataCommand::redo()
{
    swap();
    if (std::exchange(m_done, true))
        m_binder.setCurrentPosition(m_position);
}

void ReplacePageDataCommand::undo()
{
    swap();
    m_binder.setCurrentPosition(m_position);
}

void ReplacePageDataCommand::swap()
{
    const PageRow other = m_held.release().constFirst();
    PageRow row = m_binder.page(m_position);
    m_held.hold({row});
    row.key = other.key;
    row.size = other.size;
    row.modified = other.modified;
    m_binder.updatePage(m_position, row);
}

} // namespace quillery
