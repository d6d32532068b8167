// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ReplaceDialog.h"

#include "editor/TextSearch.h"
#include "platform/Dialogs.h"
#include "platform_ui/RichTextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quillery {

namespace {

QPushButton *button(const char *name, const char *caption, QWidget *parent)
{
    auto *b =
        new QPushButton(QCoreApplication::translate("quillery::ReplaceDialog", caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

ReplaceDialog::ReplaceDialog(RichTextBox &box, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_box(box), m_dialogs(dialogs), m_find(new QLineEdit(this)),
      m_replace(new QLineEdit(this)), m_case(new QCheckBox(tr("Match &case"), this)),
      m_cmdFind(
          button("cmdFind", QT_TRANSLATE_NOOP("quillery::ReplaceDialog", "&Find Next"), this)),
      m_cmdReplace(
          button("cmdReplace", QT_TRANSLATE_NOOP("quillery::ReplaceDialog", "&Replace"), this)),
      m_cmdAll(button("cmdAll", QT_TRANSLATE_NOOP("quillery::ReplaceDialog", "Replace &All"), this))
{
    setObjectName(QStringLiteral("ReplaceDialog"));
    setWindowTitle(tr("Find and Replace"));
    m_find->setObjectName(QStringLiteral("txtFind"));
    m_replace->setObjectName(QStringLiteral("txtReplace"));
    m_case->setObjectName(QStringLiteral("chkCase"));
    QPushButton *cancel =
        button("cmdCancel", QT_TRANSLATE_NOOP("quillery::ReplaceDialog", "Cancel"), this);

    auto *lblFind = new QLabel(tr("Fi&nd what:"), this);
    lblFind->setObjectName(QStringLiteral("lblFind"));
    lblFind->setBuddy(m_find);
    auto *lblReplace = new QLabel(tr("Re&place with:"), this);
    lblReplace->setObjectName(QStringLiteral("lblReplace"));
    lblReplace->setBuddy(m_replace);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblFind, 0, 0);
    grid->addWidget(m_find, 0, 1);
    grid->addWidget(lblReplace, 1, 0);
    grid->addWidget(m_replace, 1, 1);
    grid->addWidget(m_case, 2, 0, 1, 2);
    grid->setColumnMinimumWidth(1, 220);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {m_cmdFind, m_cmdReplace, m_cmdAll, cancel})
        buttons->addWidget(b);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 4, 1);
    grid->setRowStretch(3, 1);

    m_cmdFind->setDefault(true);
    for (QPushButton *b : {m_cmdFind, m_cmdReplace, m_cmdAll})
        b->setEnabled(false);
    connect(m_find, &QLineEdit::textChanged, this, [this](const QString &text) {
        for (QPushButton *b : {m_cmdFind, m_cmdReplace, m_cmdAll})
            b->setEnabled(!text.isEmpty());
    });
    connect(m_cmdFind, &QPushButton::clicked, this, &ReplaceDialog::findNext);
    connect(m_cmdReplace, &QPushButton::clicked, this, &ReplaceDialog::replace);
    connect(m_cmdAll, &QPushButton::clicked, this, &ReplaceDialog::replaceAll);
    connect(cancel, &QPushButton::clicked, this, &ReplaceDialog::dismiss);
    m_find->installEventFilter(this);
    m_replace->installEventFilter(this);
}

bool ReplaceDialog::eventFilter(QObject *watched, QEvent *event)
{
    // A box that gets the focus has its whole text selected, after a click has placed
    // the caret.
    if (event->type() == QEvent::FocusIn) {
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void ReplaceDialog::selectTexts()
{
    m_find->selectAll();
    m_replace->selectAll();
}

bool ReplaceDialog::matchCase() const
{
    return m_case->isChecked();
}

bool ReplaceDialog::selectionMatches() const
{
    return !m_find->text().isEmpty() && sameText(m_box.selectedText(), m_find->text(), matchCase());
}

void ReplaceDialog::finished()
{
    m_dialogs.message(MsgIcon::Information, MsgButtons::Ok, tr("Find"),
                      tr("Quillery has finished searching"));
    m_box.setSelectionStart(0);
}

int ReplaceDialog::findNext()
{
    Q_EMIT searched();
    const QString needle = m_find->text();
    if (needle.isEmpty())
        return -1;
    // A search goes on from one character after the start of the selection or the caret,
    // so the next match may overlap the one selected.
    const int selStart = m_box.selectionStart();
    const int from = selStart == 0 && m_box.selectionLength() == 0 ? 0 : selStart + 1;
    const qsizetype at = findText(m_box.text(), needle, from, matchCase());
    if (at < 0) {
        finished();
        return -1;
    }
    m_box.setSelectionStart(int(at));
    m_box.setSelectionLength(int(needle.size()));
    return int(at);
}

void ReplaceDialog::replace()
{
    if (selectionMatches())
        m_box.setSelectedText(m_replace->text());
    findNext();
}

void ReplaceDialog::replaceAll()
{
    Q_EMIT searched();
    if (m_find->text().isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    replaceEvery(m_box, m_find->text(), m_replace->text(), matchCase());
    QApplication::restoreOverrideCursor();
    finished();
}

void ReplaceDialog::dismiss()
{
    m_find->setFocus();
    hide();
}

} // namespace quillery
