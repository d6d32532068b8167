// SPDX-License-Identifier: GPL-3.0-or-later
// The Page Editing Associations tab of the Options dialog.
#include "options/OptionsDialog.h"

#include "documents/Workspace.h"
#include "options/Associations.h"
#include "options/EditorChoice.h"
#include "options/NamedWidget.h"
#include "platform/Dialogs.h"
#include "platform/Settings.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quillery {

namespace {

// The Editor column keeps a program's value as stored (program and start-in folder
// joined by a middle dot) and shows it in words.
class EditorColumnDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant &value, const QLocale &) const override
    {
        const QString editor = value.toString();
        if (!editor.contains(Settings::ProgramSeparator))
            return editor;
        const ProgramEditor parts = splitProgramEditor(editor);
        return parts.startIn.isEmpty()
                   ? parts.program
                   : parts.program +
                         QCoreApplication::translate("OptionsDialogAssociations", " (starts in ") +
                         parts.startIn + u')';
    }
};

} // namespace

void OptionsDialog::buildAssociationsTab(QWidget *page)
{
    auto *fraExts = named(new QGroupBox(page), "fraExts");
    lvExts = named(new QTreeWidget(fraExts), "lvExts");
    lvExts->setColumnCount(2);
    lvExts->setHeaderLabels({tr("Page Type"), tr("Editor")});
    lvExts->setRootIsDecorated(false);
    lvExts->setEditTriggers(QAbstractItemView::EditKeyPressed);
    lvExts->header()->resizeSection(0, 160);
    lvExts->setItemDelegateForColumn(1, new EditorColumnDelegate(lvExts));
    auto *cmdAdd = named(new QPushButton(tr("&Add"), fraExts), "cmdAdd");
    cmdRemove = named(new QPushButton(tr("&Remove"), fraExts), "cmdRemove");
    optRTF = named(new QRadioButton(tr("Use Rich &Text Editor"), fraExts), "optRTF");
    optTXT = named(new QRadioButton(tr("Use &Plain Text Editor"), fraExts), "optTXT");
    optDefault = named(new QRadioButton(tr("Use &Default Application"), fraExts), "optDefault");
    optEXE = named(new QRadioButton(tr("Use E&xternal Application:"), fraExts), "optEXE");
    txtEXE = named(new QLineEdit(fraExts), "txtEXE");
    cmdEXE = named(new QPushButton(QStringLiteral("..."), fraExts), "cmdEXE");
    lblEXESI = named(new QLabel(tr("Start &in:"), fraExts), "lblEXESI");
    txtEXESI = named(new QLineEdit(fraExts), "txtEXESI");
    cmdEXESI = named(new QPushButton(QStringLiteral("..."), fraExts), "cmdEXESI");
    lblEXESI->setBuddy(txtEXESI);
    // The option above names the field; the buttons show only dots.
    lvExts->setAccessibleName(tr("Page types and their editors"));
    txtEXE->setAccessibleName(tr("External application"));
    cmdEXE->setAccessibleName(tr("Choose the external application"));
    cmdEXESI->setAccessibleName(tr("Choose the folder to start in"));

    auto *grid = new QGridLayout(fraExts);
    grid->addWidget(lvExts, 0, 0, 1, 3);
    auto *rowButtons = new QHBoxLayout;
    rowButtons->addStretch();
    rowButtons->addWidget(cmdAdd);
    rowButtons->addWidget(cmdRemove);
    grid->addLayout(rowButtons, 1, 0, 1, 3);
    grid->addWidget(optRTF, 2, 0, 1, 3);
    grid->addWidget(optTXT, 3, 0, 1, 3);
    grid->addWidget(optDefault, 4, 0, 1, 3);
    grid->addWidget(optEXE, 5, 0, 1, 3);
    grid->addWidget(txtEXE, 6, 0, 1, 2);
    grid->addWidget(cmdEXE, 6, 2);
    grid->addWidget(lblEXESI, 7, 0);
    grid->addWidget(txtEXESI, 7, 1);
    grid->addWidget(cmdEXESI, 7, 2);
    (new QVBoxLayout(page))->addWidget(fraExts);

    connect(lvExts, &QTreeWidget::currentItemChanged, this, [this] {
        if (m_loaded)
            showSelectedAssociation();
    });
    connect(lvExts, &QTreeWidget::itemChanged, this, &OptionsDialog::rowRenamed);
    connect(optRTF, &QRadioButton::clicked, this,
            [this] { setRowEditor(Settings::RichTextEditor); });
    connect(optTXT, &QRadioButton::clicked, this,
            [this] { setRowEditor(Settings::PlainTextEditor); });
    connect(optDefault, &QRadioButton::clicked, this,
            [this] { setRowEditor(Settings::DefaultProgram); });
    connect(optEXE, &QRadioButton::clicked, this, [this] { setProgramControlsEnabled(true); });
    connect(txtEXE, &QLineEdit::textChanged, this, &OptionsDialog::programTextChanged);
    connect(txtEXESI, &QLineEdit::textChanged, this, &OptionsDialog::programTextChanged);
    connect(cmdEXE, &QPushButton::clicked, this, &OptionsDialog::chooseProgram);
    connect(cmdEXESI, &QPushButton::clicked, this, &OptionsDialog::chooseStartFolder);
    connect(cmdAdd, &QPushButton::clicked, this, &OptionsDialog::addExtension);
    connect(cmdRemove, &QPushButton::clicked, this, &OptionsDialog::removeExtension);
}

QTreeWidgetItem *OptionsDialog::addRow(const QString &label, const QString &editor)
{
    auto *item = new QTreeWidgetItem(lvExts, {label, editor});
    // Only extension rows may be renamed; the kind rows are fixed.
    if (lvExts->topLevelItemCount() > Settings::KindRows)
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

int OptionsDialog::selectedRow() const
{
    return lvExts->indexOfTopLevelItem(lvExts->currentItem()) + 1;
}

void OptionsDialog::showSelectedAssociation()
{
    const int row = selectedRow();
    if (row < 1)
        return;
    const QString editor = lvExts->currentItem()->text(1);
    m_updating = true;
    txtEXE->clear();
    txtEXESI->clear();
    const bool program = editor != Settings::RichTextEditor &&
                         editor != Settings::PlainTextEditor && editor != Settings::DefaultProgram;
    if (editor == Settings::RichTextEditor)
        optRTF->setChecked(true);
    else if (editor == Settings::PlainTextEditor)
        optTXT->setChecked(true);
    else if (editor == Settings::DefaultProgram)
        optDefault->setChecked(true);
    else {
        optEXE->setChecked(true);
        const ProgramEditor parts = splitProgramEditor(editor);
        txtEXE->setText(parts.program);
        txtEXESI->setText(parts.startIn);
    }
    m_updating = false;
    setProgramControlsEnabled(program);
    const bool extensionRow = row > Settings::KindRows;
    optRTF->setEnabled(row == 1 || extensionRow);
    optTXT->setEnabled(row == 2 || row == 3 || extensionRow);
    cmdRemove->setEnabled(extensionRow);
}

void OptionsDialog::setRowEditor(const QString &editor)
{
    setProgramControlsEnabled(false);
    if (QTreeWidgetItem *item = lvExts->currentItem())
        item->setText(1, editor);
}

void OptionsDialog::setProgramControlsEnabled(bool enabled)
{
    for (QWidget *control :
         std::initializer_list<QWidget *>{txtEXE, cmdEXE, lblEXESI, txtEXESI, cmdEXESI})
        control->setEnabled(enabled);
}

void OptionsDialog::programTextChanged()
{
    if (!m_loaded || m_updating || !optEXE->isChecked())
        return;
    if (QTreeWidgetItem *item = lvExts->currentItem())
        item->setText(1, programEditorValue(txtEXE->text(), txtEXESI->text()));
}

void OptionsDialog::chooseProgram()
{
    const QTreeWidgetItem *item = lvExts->currentItem();
    FileDialogRequest request;
    request.title =
        tr("Choose a Program to Edit Pages of Type '") + (item ? item->text(0) : QString()) + u'\'';
    // Programs here have no extension of their own: any file that can run may be picked.
    request.filter = tr("All files (*)|*");
    const QString program = m_workspace.dialogs.openFile(request);
    if (!program.isEmpty())
        txtEXE->setText(program);
}

void OptionsDialog::chooseStartFolder()
{
    const QString folder =
        m_workspace.dialogs.folder(tr("Please choose a start in &folder:"), txtEXESI->text());
    if (!folder.isEmpty())
        txtEXESI->setText(folder);
}

void OptionsDialog::addExtension()
{
    const std::optional<QString> answer = m_workspace.dialogs.input(
        tr("New File Extension"), tr("Enter new file extension:"), QString());
    const std::optional<QString> extension = answer ? extensionLabel(*answer) : std::nullopt;
    if (!extension)
        return;
    QList<Association> rows;
    for (int i = 0; i < lvExts->topLevelItemCount(); ++i)
        rows.append({lvExts->topLevelItem(i)->text(0), QString()});
    if (hasLabel(rows, *extension)) {
        m_workspace.dialogs.message(
            MsgIcon::Exclamation, MsgButtons::Ok, tr("New File Extension Error"),
            tr("The extension '") + *extension + tr("' is already in the list"));
        return;
    }
    lvExts->setCurrentItem(addRow(*extension, Settings::DefaultProgram));
    cmdRemove->setEnabled(true);
}

void OptionsDialog::removeExtension()
{
    if (selectedRow() <= Settings::KindRows)
        return;
    delete lvExts->currentItem();
    lvExts->setCurrentItem(lvExts->topLevelItem(0));
    showSelectedAssociation();
}

void OptionsDialog::rowRenamed(QTreeWidgetItem *item, int column)
{
    if (column != 0 || m_updating)
        return;
    const std::optional<QString> label =
        renamedLabel(lvExts->indexOfTopLevelItem(item) + 1, item->text(0));
    if (!label || *label == item->text(0))
        return;
    m_updating = true;
    item->setText(0, *label);
    m_updating = false;
}

} // namespace quillery
