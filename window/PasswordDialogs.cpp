// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PasswordDialogs.h"

#include "documents/Password.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillery {

namespace {

constexpr int MaxPasswordLength = 50;

QLineEdit *passwordBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(MaxPasswordLength);
    box->setMinimumWidth(260);
    return box;
}

// A binder's password is stored with it, only disguised, so that anyone with the file and
// a little knowledge can read its pages: the dialogs say so rather than promise more.
QLabel *protectionNote(QWidget *parent)
{
    auto *note = new QLabel(QStringLiteral("The password stops casual opening; it does not "
                                           "encrypt the pages."),
                            parent);
    note->setObjectName(QStringLiteral("lblProtection"));
    return note;
}

// OK and Cancel under the fields, named as the rest of the program knows them.
void addButtons(QDialog *dialog, QVBoxLayout *layout)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace

frmEP::frmEP(PasswordPrompt &prompt, QWidget *parent)
    : QDialog(parent), txtEP(passwordBox(this, "txtEP")), m_prompt(prompt)
{
    setObjectName(QStringLiteral("frmEP"));
    setWindowTitle(QStringLiteral("Enter Password"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(prompt.label(), this);
    label->setObjectName(QStringLiteral("lblEP"));
    label->setBuddy(txtEP);
    layout->addWidget(label);
    layout->addWidget(txtEP);
    layout->addWidget(protectionNote(this));
    addButtons(this, layout);
}

void frmEP::accept()
{
    if (m_prompt.ok(txtEP->text()))
        QDialog::accept();
}

void frmEP::reject()
{
    m_prompt.cancel();
    QDialog::reject();
}

frmPassword::frmPassword(Workspace &workspace, Binder &binder, QWidget *parent)
    : QDialog(parent), txtNP(passwordBox(this, "txtNP")), txtCNP(passwordBox(this, "txtCNP")),
      m_workspace(workspace), m_binder(binder)
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral("Change Password to Open"));
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&New Password:"), txtNP);
    fields->addRow(QStringLiteral("&Confirm New Password:"), txtCNP);
    layout->addLayout(fields);
    auto *info = new QLabel(QStringLiteral("Passwords are case sensitive."), this);
    info->setObjectName(QStringLiteral("lblInfo"));
    layout->addWidget(info);
    layout->addWidget(protectionNote(this));
    addButtons(this, layout);
}

void frmPassword::accept()
{
    if (changePassword(m_workspace, m_binder, txtNP->text(), txtCNP->text()))
        QDialog::accept();
}

} // namespace quillery
