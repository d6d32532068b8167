// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"
#include "documents/PageList.h"

#include <QString>

namespace quillery {

class Binder;
class TempFolder;
class Workspace;

// A new empty text page (rich, plain or HTML) to go last, named "Page N".
PageRow emptyPage(Binder &binder, PageKind kind);
// Adds one as the last page, as a step of the binder's history, and makes it current.
void addEmptyPage(Workspace &workspace, Binder &binder, PageKind kind);

// The viewer's scratch page "Tmp.htm" in the temporary folder.
inline const QString PlaceholderName = QStringLiteral("Tmp.htm");
QString placeholderFile(const TempFolder &temp);
// Writes the blank viewer page into the temporary folder and returns its path.
QString writeBlankHtml(const Workspace &workspace);

} // namespace quillery
