// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Binder;
struct PageKey;
class Workspace;

// Appends a page's data bytes to an open file; target names it in errors.
void writePageData(const PageKey &key, int fd, const QString &target);
// Streams a page's data bytes, unchanged, into a file that replaces target only once it
// is complete. Throws FileError.
void writePageFile(const PageKey &key, const QString &target);

// Asks where to export the current page and writes its bytes there. ext is the filter's
// extension pattern, or "*" for any file.
void exportCurrentPage(Workspace &workspace, Binder &binder, const QString &typeName,
                       const QString &ext);

// Writes the page at a 1-based position (0: the current one) into the temporary folder
// under a name made from name (unique there), registers the file for deletion at exit and returns
// its path; an empty string when it cannot be written.
QString writePageToTemp(Workspace &workspace, Binder &binder, const QString &name, int position);

// Whether the page named name is one an HTML page named pageName may refer to: a picture
// whose name begins with the page's name (an empty name begins none), or any style sheet.
bool isRelevantResource(const QString &pageName, const QString &name);

} // namespace quillery
