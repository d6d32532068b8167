// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/FindDialog.h"

#include "platform/Dialogs.h"
#include "platform_ui/RichTextBox.h"
#include "window/FindText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quillery {

FindDialog::FindDialog(Dialogs &dialogs, RichTextBox &pane, QWidget *parent)
    : QDialog(parent), txtFind(new QLineEdit(this)),
      chkCase(new QCheckBox(tr("Match &case"), this)),
      cmdFind(new QPushButton(tr("&Find Next"), this)),
      cmdCancel(new QPushButton(tr("Cancel"), this)), m_dialogs(dialogs), m_pane(pane)
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(tr("Find"));
    txtFind->setObjectName(QStringLiteral("txtFind"));
    chkCase->setObjectName(QStringLiteral("chkCase"));
    cmdFind->setObjectName(QStringLiteral("cmdFind"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *label = new QLabel(tr("Fi&nd what:"), this);
    label->setObjectName(QStringLiteral("lblFind"));
    label->setBuddy(txtFind);

    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(txtFind, 0, 1);
    layout->addWidget(cmdFind, 0, 2);
    layout->addWidget(chkCase, 1, 0, 1, 2);
    layout->addWidget(cmdCancel, 1, 2);

    cmdFind->setDefault(true);
    cmdFind->setEnabled(false);
    connect(txtFind, &QLineEdit::textChanged, this,
            [this](const QString &text) { cmdFind->setEnabled(!text.isEmpty()); });
    connect(cmdFind, &QPushButton::clicked, this, [this] { findNext(true, m_pane); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

int FindDialog::findNext(bool announceEnd, RichTextBox &box)
{
    const QString needle = txtFind->text();
    const int found = findNextPosition(box.text(), needle, chkCase->isChecked(),
                                       box.selectionStart(), box.selectionLength());
    if (found >= 0) {
        box.setSelectionStart(found);
        box.setSelectionLength(int(needle.size()));
        return box.selectionStart();
    }
    if (announceEnd)
        m_dialogs.message(MsgIcon::Information, MsgButtons::Ok, tr("Find"),
                          tr("Quillery has finished searching"));
    box.setSelectionStart(0);
    return -1;
}

} // namespace quillery
