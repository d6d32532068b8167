// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/RecoveryWindow.h"

#include "platform/Dialogs.h"
#include "platform/FileError.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillery {

namespace {

QString diskState(const SnapshotRecord &record)
{
    if (record.binderPath.isEmpty())
        return QCoreApplication::translate("RecoveryWindow", "never saved");
    if (!QFileInfo::exists(record.binderPath))
        return QStringLiteral("missing");
    return record.binderChangedOnDisk()
               ? QCoreApplication::translate("RecoveryWindow", "changed since")
               : QCoreApplication::translate("RecoveryWindow", "as it was");
}

QTreeWidgetItem *rowFor(const SnapshotRecord &record)
{
    const QString title = record.title.isEmpty()
                              ? QCoreApplication::translate("RecoveryWindow", "(untitled)")
                              : record.title;
    auto *row = new QTreeWidgetItem(
        {record.isProtected ? title + QCoreApplication::translate("RecoveryWindow", " (password)")
                            : title,
         record.binderPath.isEmpty()
             ? QCoreApplication::translate("RecoveryWindow", "(never saved)")
             : record.binderPath,
         QLocale().toString(record.taken.toLocalTime(), QLocale::ShortFormat),
         QCoreApplication::translate("RecoveryWindow", "%1 of %2")
             .arg(record.changedPages)
             .arg(record.pageCount()),
         diskState(record)});
    row->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    return row;
}

} // namespace

RecoveryWindow::RecoveryWindow(Dialogs &dialogs, QVector<SnapshotEntry> entries,
                               const QStringList &problems, RecoverCall recover, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_entries(std::move(entries)),
      m_recover(std::move(recover)), m_list(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("RecoveryWindow"));
    setWindowTitle(tr("Recover Unsaved Work"));
    auto *intro =
        new QLabel(tr("Quillery ended without saving these binders.  Recover opens a binder as "
                      "it was when its work was last kept, marked changed: save it to keep it.  "
                      "Nothing is written to a binder file until you save."),
                   this);
    intro->setWordWrap(true);

    m_list->setObjectName(QStringLiteral("lvwSnapshots"));
    m_list->setAccessibleName(tr("Work kept aside"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {tr("Binder"), tr("File"), tr("Kept"), tr("Pages with new content"), tr("File on disk")});
    for (const SnapshotEntry &entry : std::as_const(m_entries))
        m_list->addTopLevelItem(rowFor(entry.record));
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setCurrentItem(m_list->topLevelItem(0));

    auto *buttons = new QDialogButtonBox(this);
    m_recoverButton = buttons->addButton(tr("&Recover"), QDialogButtonBox::AcceptRole);
    m_recoverButton->setObjectName(QStringLiteral("cmdRecover"));
    m_discardButton = buttons->addButton(tr("&Discard..."), QDialogButtonBox::DestructiveRole);
    m_discardButton->setObjectName(QStringLiteral("cmdDiscard"));
    QPushButton *later = buttons->addButton(tr("&Later"), QDialogButtonBox::RejectRole);
    later->setObjectName(QStringLiteral("cmdLater"));
    m_recoverButton->setDefault(true);
    connect(m_recoverButton, &QPushButton::clicked, this, &RecoveryWindow::recoverSelected);
    connect(m_discardButton, &QPushButton::clicked, this, &RecoveryWindow::discardSelected);
    connect(later, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &RecoveryWindow::recoverSelected);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list, 1);
    if (!problems.isEmpty()) {
        auto *skipped = new QLabel(tr("Skipped:\n") + problems.join(u'\n'), this);
        skipped->setObjectName(QStringLiteral("lblSkipped"));
        skipped->setWordWrap(true);
        skipped->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(skipped);
    }
    layout->addWidget(buttons);
    resize(760, 320);
}

int RecoveryWindow::selectedRow() const
{
    return m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
}

void RecoveryWindow::removeRow(int row)
{
    delete m_list->takeTopLevelItem(row);
    m_entries.removeAt(row);
    if (m_entries.isEmpty())
        accept();
}

void RecoveryWindow::recoverSelected()
{
    const int row = selectedRow();
    if (row >= 0 && m_recover(m_entries[row]))
        removeRow(row);
}

void RecoveryWindow::discardSelected()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const SnapshotRecord &record = m_entries[row].record;
    if (m_dialogs.message(MsgIcon::Question, MsgButtons::YesNo, tr("Discard Unsaved Work"),
                          tr("Discard the unsaved work in '") + record.title +
                              tr("'?  It cannot be recovered afterwards.")) != MsgResult::Yes)
        return;
    try {
        RecoveryStore::claim(m_entries[row].folder).remove();
    } catch (const FileError &error) {
        m_dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok, tr("Discard Unsaved Work"),
                          tr("The unsaved work in '") + record.title +
                              tr("' could not be discarded - ") + error.description());
        return;
    }
    removeRow(row);
}

} // namespace quillery
