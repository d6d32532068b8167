// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace quillery {

class Binder;
class PassphrasePrompt;
class PasswordPrompt;
class Workspace;

// The enter-password dialog: OK checks the typed text and stays open while it is wrong;
// every other way of closing it cancels.
class PasswordDialog : public QDialog
{
    Q_OBJECT
public:
    PasswordDialog(PasswordPrompt &prompt, QWidget *parent = nullptr);
    QLineEdit *txtEP;

    void accept() override;
    void reject() override;

private:
    PasswordPrompt &m_prompt;
};

// The change-password dialog of a binder window.
class ChangePasswordDialog : public QDialog
{
    Q_OBJECT
public:
    ChangePasswordDialog(Workspace &workspace, Binder &binder, QWidget *parent = nullptr);
    QLineEdit *txtNP;
    QLineEdit *txtCNP;

    void accept() override;

private:
    Workspace &m_workspace;
    Binder &m_binder;
};

// The enter-passphrase dialog of an encrypted binder, naming its file: OK tries the
// passphrase and stays open while tries are left; every other way of closing it cancels.
class PassphraseDialog : public QDialog
{
    Q_OBJECT
public:
    PassphraseDialog(PassphrasePrompt &prompt, QWidget *parent = nullptr);
    QLineEdit *txtPassphrase;

    void accept() override;
    void reject() override;

private:
    PassphrasePrompt &m_prompt;
};

// The Encrypt This Binder dialog: a passphrase typed twice, and what encryption means.
class EncryptDialog : public QDialog
{
    Q_OBJECT
public:
    EncryptDialog(Workspace &workspace, Binder &binder, QWidget *parent = nullptr);
    QLineEdit *txtPassphrase;
    QLineEdit *txtConfirm;

    void accept() override;

private:
    Workspace &m_workspace;
    Binder &m_binder;
};

} // namespace quillery
