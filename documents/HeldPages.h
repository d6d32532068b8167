// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageList.h"

#include <QVector>

namespace quillery {

class Binder;
class TempFolder;
class Workspace;

// Pages that a step of a binder's history keeps while they are out of its list: deleted
// pages, added pages taken back by undo, a page's data from before an edit. Nothing is
// copied to keep them: their data stays where it lies, and a save that would erase or drop
// it first gives it a file of its own (keepHeldPagesReadable). When the step lets go (the
// history is cleared, the step drops past the history's limit, the binder closes) the
// data files that only these pages used are deleted. The workspace may be gone by then (a
// window destroyed with its main window), so only its temporary folder is kept, which
// outlives every window.
class HeldPages
{
public:
    HeldPages(Workspace &workspace, Binder &binder);
    ~HeldPages();
    HeldPages(const HeldPages &) = delete;
    HeldPages &operator=(const HeldPages &) = delete;

    void hold(QVector<PageRow> rows);
    // Hands every row back for the list, whose rows they are again.
    QVector<PageRow> release();

private:
    friend class Binder;
    void discard();

    TempFolder &m_temp;
    Binder &m_binder;
    QVector<PageRow> m_rows;
};

// Before a save, which erases the bytes it replaces in the working copy or lets go of the
// working copy altogether: every held page whose data lies in the working copy gets a
// copy of it in a scratch file (made in the kernel, shared on file systems that can).
// Throws FileError when one cannot be made, before the save has touched anything.
void keepHeldPagesReadable(Workspace &workspace, Binder &binder);

} // namespace quillery
