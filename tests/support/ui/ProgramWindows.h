// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BinderFixture.h"

#include <QString>

#include <functional>

class QWidget;

namespace quillery {
class Settings;
}

namespace quillery::test {

// Makes every window and dialog of the program besides the main window, over the binder:
// Options, the properties dialogs, Find, Search All, Recent Files, Replace, the scanner
// window, the password dialogs, the progress window, help, the splash, the recovery window,
// and the editor for a rich and for a plain text page. Each is handed to visit with its name
// for messages as it is made, and all of them live until the last has been visited.
void visitProgramWindows(BinderFixture &f, Settings &settings, Binder &binder,
                         const std::function<void(QWidget *window, const QString &name)> &visit);

} // namespace quillery::test
