// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillery {

// What the program's command line asks for.
struct CommandLineRequest
{
    enum class Action { Start, Help, Version, Wrong };
    Action action = Action::Start;
    QStringList words; // Start: the words that together name the file to open
    QString error;     // Wrong: what is wrong, in one line
};

// Reads the program's arguments (its own name first). Needs no application object, so
// it can be asked before anything touches the window system.
CommandLineRequest readCommandLine(const QStringList &arguments);

// Prints the help, the version or the error followed by the usage, and returns the exit
// code. Needs a QCoreApplication, whose first argument names the program in the usage.
int answerCommandLine(const CommandLineRequest &request);

} // namespace quillery
