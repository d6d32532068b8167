// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/RecentFilesWindow.h"

#include "platform/Dialogs.h"
#include "platform/FileDetails.h"
#include "platform/Twips.h"
#include "shell/Icons.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

namespace quillery {

namespace {

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

RecentFilesWindow::RecentFilesWindow(Dialogs &dialogs, OpenFileCall openFile,
                                     OpenOtherCall openOther, const QString &listPath,
                                     QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_openFile(std::move(openFile)),
      m_openOther(std::move(openOther)), m_list(listPath)
{
    setObjectName(QStringLiteral("RecentFilesWindow"));
    setWindowTitle(tr("Recent Files"));
    setWindowIcon(binderIcon());

    LV = new QTreeWidget(this);
    LV->setObjectName(QStringLiteral("LV"));
    LV->setAccessibleName(tr("Recent files"));
    LV->setHeaderLabels({tr("Title"), tr("File Name")});
    LV->setRootIsDecorated(false);
    LV->setUniformRowHeights(true);
    LV->setSelectionMode(QAbstractItemView::SingleSelection);
    LV->header()->setStretchLastSection(false);

    cmdOK = button(QStringLiteral("OK"), "cmdOK", this);
    cmdOK->setDefault(true);
    cmdCancel = button(tr("Cancel"), "cmdCancel", this);
    cmdDel = button(tr("&Remove"), "cmdDel", this);
    cmdDelAll = button(tr("Remove &All"), "cmdDelAll", this);
    cmdOther = button(tr("O&pen other"), "cmdOther", this);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {cmdOK, cmdCancel})
        buttons->addWidget(b);
    buttons->addSpacing(12);
    for (QPushButton *b : {cmdDel, cmdDelAll, cmdOther})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(LV, 1);
    layout->addLayout(buttons);
    resize(640, 320);

    connect(cmdOK, &QPushButton::clicked, this, &RecentFilesWindow::openSelected);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdDel, &QPushButton::clicked, this, &RecentFilesWindow::removeSelectedItem);
    connect(cmdDelAll, &QPushButton::clicked, this, &RecentFilesWindow::removeAllItems);
    connect(cmdOther, &QPushButton::clicked, this, &RecentFilesWindow::openOther);
    connect(LV, &QTreeWidget::itemDoubleClicked, this, &RecentFilesWindow::openSelected);

    m_list.load(m_dialogs);
    // Widths from a damaged file could be anything; keep the columns usable.
    const auto pixels = [this](double twips) {
        return qBound(16, qRound(twipsToPixels(qBound(0.0, twips, 1e6), logicalDpiX())), 4000);
    };
    LV->setColumnWidth(0, pixels(m_list.titleWidth));
    LV->setColumnWidth(1, pixels(m_list.fileWidth));
    refill();
    updateButtons();
}

void RecentFilesWindow::addItem(const QString &title, const QString &path)
{
    m_list.addItem(title, path);
    refill();
    LV->setCurrentItem(LV->topLevelItem(0));
}

void RecentFilesWindow::updateButtons()
{
    const bool rows = m_list.count() > 0;
    if (rows)
        LV->setCurrentItem(LV->topLevelItem(0));
    cmdOK->setEnabled(rows);
    cmdDel->setEnabled(rows);
    cmdDelAll->setEnabled(rows);
}

void RecentFilesWindow::unload()
{
    m_list.titleWidth = pixelsToTwips(LV->columnWidth(0), logicalDpiX());
    m_list.fileWidth = pixelsToTwips(LV->columnWidth(1), logicalDpiX());
    m_list.save(m_dialogs);
}

void RecentFilesWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    updateButtons();
}

void RecentFilesWindow::closeEvent(QCloseEvent *event)
{
    unload();
    QDialog::closeEvent(event);
}

void RecentFilesWindow::openSelected()
{
    const int row = selectedRow();
    if (row == 0)
        return;
    LV->setFocus();
    const QString path = m_list.items()[row - 1].path;
    if (isFile(path)) {
        m_openFile(path);
        accept();
        return;
    }
    const MsgResult answer =
        m_dialogs.message(MsgIcon::Question, MsgButtons::YesNo, tr("Open Error"),
                          tr("The selected file you are trying to open '") + path +
                              tr("' does not exist.  Do you want to remove it from the list?"));
    if (answer == MsgResult::Yes)
        removeSelected();
}

void RecentFilesWindow::removeSelectedItem()
{
    const int row = selectedRow();
    if (row == 0)
        return;
    const MsgResult answer =
        m_dialogs.message(MsgIcon::Question, MsgButtons::YesNo, tr("Remove Selected"),
                          tr("Are you sure you want to remove the selected item '") +
                              m_list.items()[row - 1].path + QStringLiteral("'?"));
    if (answer == MsgResult::Yes)
        removeSelected();
}

void RecentFilesWindow::removeAllItems()
{
    const MsgResult answer =
        m_dialogs.message(MsgIcon::Question, MsgButtons::YesNo, tr("Remove All"),
                          tr("Are you sure you want to remove all the items from the "
                             "list?"));
    if (answer != MsgResult::Yes)
        return;
    m_list.clear();
    refill();
    LV->setFocus();
    updateButtons();
}

void RecentFilesWindow::openOther()
{
    reject();
    m_openOther();
}

void RecentFilesWindow::refill()
{
    LV->clear();
    QList<QTreeWidgetItem *> rows;
    rows.reserve(m_list.count());
    const QIcon icon = binderIcon();
    for (const RecentItem &item : m_list.items()) {
        auto *row = new QTreeWidgetItem({item.title, item.path});
        row->setIcon(0, icon);
        row->setToolTip(1, item.path);
        rows.append(row);
    }
    LV->addTopLevelItems(rows);
}

void RecentFilesWindow::removeSelected()
{
    m_list.remove(selectedRow());
    refill();
    LV->setFocus();
    updateButtons();
}

int RecentFilesWindow::selectedRow() const
{
    QTreeWidgetItem *item = LV->currentItem();
    return item ? LV->indexOfTopLevelItem(item) + 1 : 0;
}

} // namespace quillery
