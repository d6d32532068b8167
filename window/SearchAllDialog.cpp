// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/SearchAllDialog.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/PageKind.h"
#include "documents/SizeText.h"
#include "pagetext/PageSearch.h"
#include "platform/Dialogs.h"
#include "platform/GeneralDate.h"
#include "platform/Settings.h"
#include "window/PageListView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace quillery {

namespace {

constexpr int PositionRole = Qt::UserRole + 1;

} // namespace

SearchAllDialog::SearchAllDialog(Dialogs &dialogs, Interaction &ui, Binder &binder,
                                 Settings &settings, std::function<void()> findOnPage,
                                 const QVector<int> &columnWidths, QWidget *parent)
    : QDialog(parent), txtSA(new QLineEdit(this)), chkCase(new QCheckBox(tr("Match &case"), this)),
      chkShown(new QCheckBox(tr("Search the text as s&hown"), this)),
      cmdSA(new QPushButton(tr("&Find"), this)),
      cmdFind(new QPushButton(tr("Find on the &selected page"), this)),
      cmdClose(new QPushButton(tr("C&lose"), this)), lvSA(new QTreeWidget(this)),
      m_dialogs(dialogs), m_ui(ui), m_binder(binder), m_settings(settings),
      m_findOnPage(std::move(findOnPage))
{
    setObjectName(QStringLiteral("SearchAllDialog"));
    setWindowTitle(tr("Search All"));
    txtSA->setObjectName(QStringLiteral("txtSA"));
    chkCase->setObjectName(QStringLiteral("chkCase"));
    chkShown->setObjectName(QStringLiteral("chkShown"));
    chkShown->setToolTip(tr("Match rich text and HTML pages on the words they show "
                            "rather than on their markup"));
    chkShown->setChecked(settings.searchShownText());
    cmdSA->setObjectName(QStringLiteral("cmdSA"));
    cmdFind->setObjectName(QStringLiteral("cmdFind"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    lvSA->setObjectName(QStringLiteral("lvSA"));
    auto *label = new QLabel(tr("&Text to search for:"), this);
    label->setObjectName(QStringLiteral("lblSA"));
    label->setBuddy(txtSA);

    lvSA->setAccessibleName(tr("Pages found"));
    lvSA->setRootIsDecorated(false);
    lvSA->setHeaderLabels({tr("Page Name"), tr("Created"), tr("Modified"), tr("Size"),
                           binder.records().value(RecordKey::CommentsColumn)});
    for (int column = 0; column < columnWidths.size() && column < lvSA->columnCount(); ++column) {
        if (columnWidths.at(column) > 0)
            lvSA->setColumnWidth(column, columnWidths.at(column));
    }

    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(txtSA, 0, 1);
    layout->addWidget(cmdSA, 0, 2);
    layout->addWidget(chkCase, 1, 0, 1, 2);
    layout->addWidget(cmdFind, 1, 2);
    layout->addWidget(chkShown, 2, 0, 1, 2);
    layout->addWidget(lvSA, 3, 0, 1, 3);
    layout->addWidget(cmdClose, 4, 2);
    resize(640, 400);

    cmdSA->setDefault(true);
    cmdSA->setEnabled(false);
    cmdFind->setEnabled(false);
    connect(txtSA, &QLineEdit::textChanged, this,
            [this](const QString &text) { cmdSA->setEnabled(!text.isEmpty()); });
    connect(cmdSA, &QPushButton::clicked, this, &SearchAllDialog::search);
    connect(cmdFind, &QPushButton::clicked, this, [this] { m_findOnPage(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(chkShown, &QCheckBox::toggled, this,
            [this](bool shown) { m_settings.setSearchShownText(shown); });
    connect(lvSA, &QTreeWidget::itemClicked, this, &SearchAllDialog::showResult);
}

void SearchAllDialog::search()
{
    const QString text = txtSA->text();
    lvSA->clear();
    cmdFind->setEnabled(false);
    const SearchResult result =
        searchPages(m_ui, m_binder, text, {chkCase->isChecked(), chkShown->isChecked()});
    for (int position : result.positions)
        addResult(position);
    if (lvSA->topLevelItemCount() == 0) {
        m_dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok, tr("Search All"),
                          tr("The text '") + text + tr("' was not found in any page"));
        setWindowTitle(tr("Search All"));
        return;
    }
    lvSA->clearSelection();
    lvSA->setCurrentItem(nullptr);
    setWindowTitle(tr("Search All for '") + text + u'\'');
}

void SearchAllDialog::addResult(int position)
{
    const PageRow &page = m_binder.pages().at(position - 1);
    auto *item =
        new QTreeWidgetItem(lvSA, {page.name, shownDate(page.created), shownDate(page.modified),
                                   sizeText(page.size), page.comments});
    item->setIcon(0, PageListView::icon(page.key.kind));
    item->setData(0, PositionRole, position);
}

void SearchAllDialog::showResult(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const int position = item->data(0, PositionRole).toInt();
    if (!m_binder.hasPage(position) || position == 0)
        return;
    cmdFind->setEnabled(m_binder.page(position).key.kind != PageKind::HTML);
    m_binder.setCurrentPosition(position);
}

} // namespace quillery
