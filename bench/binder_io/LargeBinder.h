// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

namespace quillery {

class Binder;
class Workspace;

// A binder of pages pages adding up to totalBytes of bytes that neither compress nor
// repeat, made and saved to target by the program; the pages' kinds take turns. Every
// page is a range of one generated file in folder (removed again), as pages of an opened
// binder are ranges of its working copy. Throws FileError.
void writeLargeBinder(Workspace &workspace, int pages, qint64 totalBytes, const QString &folder,
                      const QString &target);

// Opens a binder just made, as a user would: the maker's link to the file is let go first,
// since it would count as another reader's and have every save write the whole file anew.
// Throws FileError.
std::unique_ptr<Binder> openMade(Workspace &workspace, const QString &path);

} // namespace quillery
