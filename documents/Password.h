// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace quillery {

class Binder;
class Workspace;

// The stored form of a binder password: each character's Latin-1 code as three decimal
// digits, joined, then the whole text reversed. Characters outside Latin-1 have no code:
// such a password gives no value.
std::optional<QString> encodePassword(const QString &password);
QString decodePassword(const QString &stored);

// The decoded password of the workspace's password holder.
QString heldPassword(const Workspace &workspace);

// The logic of the enter-password dialog. The holder keeps the stored password while the
// dialog is up; an empty holder afterwards means the user cancelled.
class PasswordPrompt
{
public:
    static inline const QString OpenLabel =
        QStringLiteral("&Enter the password to open this file:");
    static inline const QString ImportLabel =
        QStringLiteral("&Enter the password to import this file:");

    PasswordPrompt(Workspace &workspace, const QString &label = OpenLabel);

    const QString &label() const { return m_label; }
    // OK pressed: true when the typed text is the password and the dialog may close;
    // otherwise the user has been told and the dialog stays.
    bool ok(const QString &typed);
    // The same check, telling nobody when the text is wrong, for callers that say so
    // themselves.
    bool accept(const QString &typed);
    // Cancel pressed, or the dialog closed any other way.
    void cancel();
    bool accepted() const;

private:
    Workspace &m_workspace;
    QString m_label;
};

// The logic of the change-password dialog: true when the dialog may close.
bool changePassword(Workspace &workspace, Binder &binder, const QString &newPassword,
                    const QString &confirmation);

} // namespace quillery
