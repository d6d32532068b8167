// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ExitCodes.h"
#include "documents/Interaction.h"
#include "documents/Workspace.h"
#include "platform/ConsoleDialogs.h"
#include "platform/TempFolder.h"
#include "transfer/BinderOpener.h"

#include <QString>

#include <memory>
#include <optional>

namespace quillery::cli {

// Answers the password prompt with the password given on the command line, and the
// passphrase prompt of an encrypted binder with a password from a file or, when there is
// none, with passphrases typed at the terminal.
class CliUi : public Interaction
{
public:
    std::optional<QString> password;
    bool passwordOnCommandLine = false; // never taken as a passphrase
    bool passwordRefused = false;
    bool passphraseAsked = false;

    void askPassword(PasswordPrompt &prompt) override;
    void askPassphrase(PassphrasePrompt &prompt) override;
    void openCancelled() override { passwordRefused = true; }
    // A passphrase to encrypt the binder at path with: from the password file, or typed
    // twice at the terminal. No value, reported, when there is none.
    std::optional<QString> newPassphrase(const QString &path);
};

// The workspace one run of the tool works in; temporary files go when it ends.
class CliSession
{
public:
    CliSession(std::optional<QString> password, bool passwordOnCommandLine = false);
    ~CliSession();

    Workspace &workspace() { return *m_workspace; }
    CliUi &ui() { return m_ui; }
    // Opens a binder, reporting failures; exitCode tells why when no binder comes back.
    std::unique_ptr<Binder> open(const QString &path, OpenPurpose purpose, int &exitCode);
    // Whether the last password prompt went unanswered; then says why for path and gives
    // ExitPassword, else gives otherwise.
    int passwordFailure(const QString &path, int otherwise);

private:
    TempFolder m_temp;
    ConsoleDialogs m_dialogs;
    CliUi m_ui;
    std::unique_ptr<Workspace> m_workspace;
};

} // namespace quillery::cli
