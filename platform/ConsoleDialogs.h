// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

namespace quillery {

// Dialogs for programs without windows: messages go to standard error as one line
// "Title: text", and a failed file operation as "name: what went wrong", with control
// characters escaped (consoleText); nobody is there to choose, so every other dialog is
// cancelled.
class ConsoleDialogs : public Dialogs
{
public:
    MsgResult message(MsgIcon icon, MsgButtons buttons, const QString &title,
                      const QString &text) override;
    void fileError(const QString &title, const QString &lead, const QString &name,
                   const FileError &error) override;
    std::optional<QString> input(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    QString openFile(const FileDialogRequest &) override { return QString(); }
    QString saveFile(const FileDialogRequest &) override { return QString(); }
    QString folder(const QString &, const QString &) override { return QString(); }
    std::optional<QColor> colour(const QColor &) override { return std::nullopt; }
    std::optional<QFont> font(const QFont &) override { return std::nullopt; }
    bool print(QPrinter &) override { return false; }
};

} // namespace quillery
