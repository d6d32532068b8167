// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

// The file name a page is handed to another program under: its title with the
// extension its kind needs ("Notes" -> "Notes.rtf", "page" -> "page.htm"; "index.php"
// and "Notes.RTF" stay), made safe to be one name in the temporary folder. Path
// separators and control characters never reach the file system, and a title of only
// dots gets a leading "_" so it names neither the folder nor its parent.
QString editFileName(const QString &kind, const QString &title);

} // namespace quillery
