// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MainWindowFixture.h"

#include <QString>

#include <functional>

class QWidget;

namespace quillery::test {

// Every window and dialog of the program, each handed to visit with its name for messages
// as it is made: the main window empty, then with a binder of a rich text, a plain text and a
// picture page open (left open for the caller); over that binder Options, the properties
// dialogs, Find, Search All, Recent Files, Replace, the scanner window, the password and
// passphrase dialogs, the progress window, help, the splash, the recovery window, and the
// editor for a rich and for a plain text page. All live until the last has been visited.
void visitProgramWindows(BinderFixture &f, Window &w,
                         const std::function<void(QWidget *window, const QString &name)> &visit);

} // namespace quillery::test
