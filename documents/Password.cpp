// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/Password.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <algorithm>

namespace quillery {

namespace {

QString reversed(QString text)
{
    std::reverse(text.begin(), text.end());
    return text;
}

} // namespace

std::optional<QString> encodePassword(const QString &password)
{
    QString digits;
    for (QChar c : password) {
        if (c.unicode() > 255)
            return std::nullopt;
        digits += QStringLiteral("%1").arg(c.unicode(), 3, 10, QLatin1Char('0'));
    }
    return reversed(digits);
}

QString decodePassword(const QString &stored)
{
    const QString digits = reversed(stored);
    QString password;
    for (qsizetype i = 0; i + 3 <= digits.size(); i += 3)
        password += QChar(char16_t(digits.mid(i, 3).toUInt() & 0xFFFF));
    return password;
}

QString heldPassword(const Workspace &workspace)
{
    return decodePassword(workspace.passwordHolder);
}

PasswordPrompt::PasswordPrompt(Workspace &workspace, const QString &label)
    : m_workspace(workspace), m_label(label)
{
}

bool PasswordPrompt::ok(const QString &typed)
{
    if (accept(typed))
        return true;
    m_workspace.dialogs.message(
        MsgIcon::Exclamation, MsgButtons::Ok,
        QCoreApplication::translate("Password", "Incorrect Password Entered"),
        QCoreApplication::translate("Password", "The password entered was incorrect, please try "
                                                "again"));
    return false;
}

bool PasswordPrompt::accept(const QString &typed)
{
    return typed == heldPassword(m_workspace) && accepted();
}

void PasswordPrompt::cancel()
{
    m_workspace.passwordHolder.clear();
}

bool PasswordPrompt::accepted() const
{
    return !m_workspace.passwordHolder.isEmpty();
}

bool changePassword(Workspace &workspace, Binder &binder, const QString &newPassword,
                    const QString &confirmation)
{
    if (newPassword != confirmation) {
        workspace.dialogs.message(
            MsgIcon::Exclamation, MsgButtons::Ok,
            QCoreApplication::translate("Password", "Change Password"),
            QCoreApplication::translate("Password",
                                        "Both password boxes must contain the same text"));
        return false;
    }
    if (newPassword.isEmpty()) {
        binder.removeRecord(RecordKey::Password);
    } else {
        const std::optional<QString> stored = encodePassword(newPassword);
        if (!stored) {
            workspace.dialogs.message(
                MsgIcon::Exclamation, MsgButtons::Ok,
                QCoreApplication::translate("Password", "Change Password"),
                QCoreApplication::translate(
                    "Password", "Passwords can only hold Western European (Latin-1) characters. "
                                "Please choose a password without the other characters."));
            return false;
        }
        binder.setRecord(RecordKey::Password, *stored);
    }
    binder.markChangedOutsideHistory();
    return true;
}

} // namespace quillery
