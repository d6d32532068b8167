// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

namespace quillery {

// Loads the program's translation for the user's languages (LANGUAGE, then LC_MESSAGES or
// LANG, as QLocale::system() reads them) and Qt's own for the standard dialogs, and installs
// both in the application. Returns whether the program's own was found; without it
// everything stays English.
bool installTranslations(const QLocale &locale = QLocale::system());

} // namespace quillery
