// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PasswordDialogs.h"

#include "documents/EncryptCommands.h"
#include "documents/EncryptedBinder.h"
#include "documents/PassphrasePrompt.h"
#include "documents/Password.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillery {

namespace {

constexpr int MaxPasswordLength = 50;
constexpr int MaxPassphraseLength = 1024;

QLineEdit *passwordBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(MaxPasswordLength);
    box->setMinimumWidth(260);
    return box;
}

QLineEdit *passphraseBox(QWidget *parent, const char *name)
{
    QLineEdit *box = passwordBox(parent, name);
    box->setMaxLength(MaxPassphraseLength);
    return box;
}

QLabel *wrappedLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

// A binder's password is stored with it, only disguised, so that anyone with the file and
// a little knowledge can read its pages: the dialogs say so rather than promise more.
QLabel *protectionNote(QWidget *parent)
{
    auto *note = new QLabel(QCoreApplication::translate(
                                "PasswordDialogs", "The password stops casual opening; it does not "
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

PasswordDialog::PasswordDialog(PasswordPrompt &prompt, QWidget *parent)
    : QDialog(parent), txtEP(passwordBox(this, "txtEP")), m_prompt(prompt)
{
    setObjectName(QStringLiteral("PasswordDialog"));
    setWindowTitle(tr("Enter Password"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(prompt.label(), this);
    label->setObjectName(QStringLiteral("lblEP"));
    label->setBuddy(txtEP);
    layout->addWidget(label);
    layout->addWidget(txtEP);
    layout->addWidget(protectionNote(this));
    addButtons(this, layout);
}

void PasswordDialog::accept()
{
    if (m_prompt.ok(txtEP->text()))
        QDialog::accept();
}

void PasswordDialog::reject()
{
    m_prompt.cancel();
    QDialog::reject();
}

ChangePasswordDialog::ChangePasswordDialog(Workspace &workspace, Binder &binder, QWidget *parent)
    : QDialog(parent), txtNP(passwordBox(this, "txtNP")), txtCNP(passwordBox(this, "txtCNP")),
      m_workspace(workspace), m_binder(binder)
{
    setObjectName(QStringLiteral("ChangePasswordDialog"));
    setWindowTitle(tr("Change Password to Open"));
    auto *layout = new QVBoxLayout(this);
    auto *fields = new QFormLayout;
    fields->addRow(tr("&New Password:"), txtNP);
    fields->addRow(tr("&Confirm New Password:"), txtCNP);
    layout->addLayout(fields);
    layout->addWidget(wrappedLabel(this, "lblInfo", tr("Passwords are case sensitive.")));
    layout->addWidget(protectionNote(this));
    addButtons(this, layout);
}

void ChangePasswordDialog::accept()
{
    if (changePassword(m_workspace, m_binder, txtNP->text(), txtCNP->text()))
        QDialog::accept();
}

PassphraseDialog::PassphraseDialog(PassphrasePrompt &prompt, QWidget *parent)
    : QDialog(parent), txtPassphrase(passphraseBox(this, "txtPassphrase")), m_prompt(prompt)
{
    setObjectName(QStringLiteral("PassphraseDialog"));
    setWindowTitle(tr("Encrypted Binder"));
    auto *layout = new QVBoxLayout(this);
    QLabel *label = wrappedLabel(this, "lblPassphrase", prompt.label());
    label->setBuddy(txtPassphrase);
    layout->addWidget(label);
    layout->addWidget(txtPassphrase);
    addButtons(this, layout);
}

void PassphraseDialog::accept()
{
    if (m_prompt.ok(txtPassphrase->text())) {
        QDialog::accept();
        return;
    }
    if (m_prompt.finished()) {
        QDialog::reject();
        return;
    }
    txtPassphrase->clear();
    txtPassphrase->setFocus();
}

void PassphraseDialog::reject()
{
    m_prompt.cancel();
    QDialog::reject();
}

EncryptDialog::EncryptDialog(Workspace &workspace, Binder &binder, QWidget *parent)
    : QDialog(parent), txtPassphrase(passphraseBox(this, "txtPassphrase")),
      txtConfirm(passphraseBox(this, "txtConfirm")), m_workspace(workspace), m_binder(binder)
{
    setObjectName(QStringLiteral("EncryptDialog"));
    setWindowTitle(tr("Encrypt This Binder"));
    auto *layout = new QVBoxLayout(this);
    if (isEncrypted(binder))
        layout->addWidget(wrappedLabel(this, "lblEncrypted",
                                       tr("This binder is encrypted already; the new "
                                          "passphrase replaces its present one.")));
    auto *fields = new QFormLayout;
    fields->addRow(tr("&Passphrase:"), txtPassphrase);
    fields->addRow(tr("&Confirm Passphrase:"), txtConfirm);
    layout->addLayout(fields);
    layout->addWidget(
        wrappedLabel(this, "lblInfo",
                     tr("Encryption hides everything in the binder from anyone without the "
                        "passphrase: its pages, their names and comments, its title. Only the "
                        "file's size shows.\nIf the passphrase is lost, nobody can open the "
                        "binder again, not even you: there is no way to recover it.")));
    addButtons(this, layout);
}

void EncryptDialog::accept()
{
    if (encryptBinder(m_workspace, m_binder, txtPassphrase->text(), txtConfirm->text()))
        QDialog::accept();
}

} // namespace quillery
