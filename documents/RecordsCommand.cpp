// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RecordsCommand.h"

namespace quillery {

RecordsCommand::RecordsCommand(Binder &binder, QVector<RecordChange> changes,
                               std::optional<PaneLayout> pane, const QString &text)
    : QUndoCommand(text), m_binder(binder), m_after(std::move(changes)), m_paneAfter(pane)
{
    const InfoRecords &records = binder.records();
    for (const RecordChange &change : std::as_const(m_after))
        m_before.append({change.key, records.contains(change.key)
                                         ? std::optional(records.value(change.key))
                                         : std::nullopt});
    if (pane)
        m_paneBefore = PaneLayout{binder.panePosition(), binder.paneLength()};
}

void RecordsCommand::redo()
{
    apply(m_binder, m_after, m_paneAfter);
}

void RecordsCommand::undo()
{
    apply(m_binder, m_before, m_paneBefore);
}

void RecordsCommand::apply(Binder &binder, const QVector<RecordChange> &changes,
                           const std::optional<PaneLayout> &pane)
{
    binder.changeRecords(changes);
    if (pane)
        binder.setPanePosition(pane->position, pane->length);
}

} // namespace quillery
