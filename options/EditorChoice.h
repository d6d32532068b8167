// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QString>

namespace quillery {

class Settings;

// The editor the associations name for a page: rows 1 to 6 for the kinds RTF to FILE;
// a FILE page goes by the first extension row (7 onward) matching its title's extension
// in any letter case, else by row 6. A kind that is none of the six gets "".
QString chooseEditor(const Settings &settings, PageKind kind, const QString &title);

// A named program's editor value split at the middle dots: the program before the
// first, the start-in folder after the last.
struct ProgramEditor
{
    QString program;
    QString startIn;
};
ProgramEditor splitProgramEditor(const QString &editor);

} // namespace quillery
