// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/Binder.h"

#include <QUndoCommand>

#include <optional>

namespace quillery {

// Where the page list lies and how long it is, as the Options dialog sets them.
struct PaneLayout
{
    PanePosition position;
    int length;
};

// A step of a binder's history that writes and removes records (the title, the text
// formats, the comments column) and may move the page list; undo puts back what was
// there, removing records the step added.
class RecordsCommand : public QUndoCommand
{
public:
    RecordsCommand(Binder &binder, QVector<RecordChange> changes, std::optional<PaneLayout> pane,
                   const QString &text);

    void redo() override;
    void undo() override;

private:
    static void apply(Binder &binder, const QVector<RecordChange> &changes,
                      const std::optional<PaneLayout> &pane);

    Binder &m_binder;
    QVector<RecordChange> m_before;
    QVector<RecordChange> m_after;
    std::optional<PaneLayout> m_paneBefore;
    std::optional<PaneLayout> m_paneAfter;
};

} // namespace quillery
