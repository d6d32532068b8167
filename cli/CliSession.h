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

// Answers the password prompt with the password given on the command line.
class CliUi : public Interaction
{
public:
    std::optional<QString> password;
    bool passwordRefused = false;

    void askPassword(PasswordPrompt &prompt) override;
    void openCancelled() override { passwordRefused = true; }
};

// The workspace one run of the tool works in; temporary files go when it ends.
class CliSession
{
public:
    explicit CliSession(std::optional<QString> password);
    ~CliSession();

    Workspace &workspace() { return *m_workspace; }
    // Opens a binder, reporting failures; exitCode tells why when no binder comes back.
    std::unique_ptr<Binder> open(const QString &path, OpenPurpose purpose, int &exitCode);

private:
    TempFolder m_temp;
    ConsoleDialogs m_dialogs;
    CliUi m_ui;
    std::unique_ptr<Workspace> m_workspace;
};

} // namespace quillery::cli
