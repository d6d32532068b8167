// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

namespace quillery {

class TempFolder;

// The temporary folder for this run: the one at path, or, when that cannot be made or is
// not safe to use (a link, someone else's), a new private folder beside it, with a
// warning for the user saying why. Throws FileError when neither can be made.
struct OpenedTempFolder
{
    std::unique_ptr<TempFolder> folder;
    QString warning;
};
OpenedTempFolder openTempFolder(const QString &path);

// Deletes the files left in the folder by earlier runs: every file directly in it except
// the page clipboard files (the last 12 characters of the path begin with "Clip"), which
// survive from one run to the next, and the instance lock file. Files that cannot be
// deleted stay; sub-folders are left alone.
void cleanTempFolder(const QString &folder);

} // namespace quillery
