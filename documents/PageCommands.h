// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/HeldPages.h"

#include <QUndoCommand>

namespace quillery {

class Binder;
class Workspace;

// The steps of a binder's history that change its pages, each named for the user. They
// change the binder only through its edit operations, and leave current the page a step
// touched, so that undo and redo show what they did. Positions are 1-based.

// A step's name with a page's name in it, "Delete Page 'Letter'". The name comes from
// the binder, so a long one is cut and control characters become spaces.
QString pageStepName(const QString &action, const QString &pageName);

// Pages added at a position: Add Page, Paste, Import, Scan. The rows are added to the
// step before it is pushed; until then, and while it is undone, the step holds them. Its
// name says how many it adds, so the caller gives it (setText) once they are in.
class InsertPagesCommand : public QUndoCommand
{
public:
    // Which page is current once the step is done: the one that was, or the first added.
    enum class Show { Current, First };
    // Without a position the pages go after the last page as the list is when the step
    // is first done, which may be a while after the step was begun (an import that shows
    // its progress).
    static constexpr int AtEnd = 0;
    InsertPagesCommand(Workspace &workspace, Binder &binder, Show show, int position = AtEnd);

    void add(PageRow row);
    int count() const { return m_count; }

    void redo() override;
    // The page that was current before the step is current again.
    void undo() override;

private:
    Binder &m_binder;
    HeldPages m_held;
    int m_position;
    int m_count = 0;
    Show m_show;
    int m_currentBefore = 0;
};

// Pages taken out (Delete Page, Cut Page, Delete All Pages): the first page left becomes
// current, and undo makes the first page put back current.
class RemovePagesCommand : public QUndoCommand
{
public:
    // With a parent the step is one part of the parent's.
    RemovePagesCommand(Workspace &workspace, Binder &binder, int position, int count,
                       const QString &text, QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

private:
    Binder &m_binder;
    HeldPages m_held;
    int m_position;
    int m_count;
};

// A page moved to another place, where it is current.
class MovePageCommand : public QUndoCommand
{
public:
    MovePageCommand(Binder &binder, int from, int to, QUndoCommand *parent = nullptr);

    void redo() override;
    void undo() override;

private:
    Binder &m_binder;
    int m_from;
    int m_to;
};

// Pages moved together to lie, in their order, before the page now at position
// (pageCount() + 1: last), as one step named by the caller. Done, the last page moved is
// current; undone, the page that was current before.
class MovePagesCommand : public QUndoCommand
{
public:
    // positions: ascending, each once.
    MovePagesCommand(Binder &binder, const QVector<int> &positions, int position,
                     const QString &text);
    // Whether any page changes its place.
    bool movesAny() const { return childCount() > 0; }

    void redo() override;
    void undo() override;

private:
    Binder &m_binder;
    int m_currentBefore = 0;
};

// What a rename and the page properties change of a page.
struct PageFields
{
    QString name;
    QString comments;
    QString colour; // the key's colour field

    static PageFields of(const PageRow &row) { return {row.name, row.comments, row.key.colour}; }
};

// A page's name, comments and colour changed. Undone or done again, the page is current;
// done the first time, the current page stays.
class ChangePageCommand : public QUndoCommand
{
public:
    ChangePageCommand(Binder &binder, int position, const PageFields &after, const QString &text);

    void redo() override;
    void undo() override;

private:
    void apply(const PageFields &fields);

    Binder &m_binder;
    int m_position;
    PageFields m_before;
    PageFields m_after;
    bool m_done = false;
};

// A page's data replaced (saved from the editor or taken back from another program): its
// key, size, modification time and colour come from the row given, its name and
// comments stay. The data not in the list is held by the step. The current page follows
// as it does a ChangePageCommand.
class ReplacePageDataCommand : public QUndoCommand
{
public:
    ReplacePageDataCommand(Workspace &workspace, Binder &binder, int position, PageRow data);

    void redo() override;
    void undo() override;

private:
    void swap();

    Binder &m_binder;
    HeldPages m_held;
    int m_position;
    bool m_done = false;
};

} // namespace quillery
