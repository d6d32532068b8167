#pragma once

#include "documents/PageKind.h"

#include <QString>

namespace quillery {

class Binder;
class TempFolder;
class Workspace;

// Adds a new empty text page (rich, plain or HTML) as the last page, named "Page N",
// makes it current and shows it; opens it for editing unless noEdit.
void NewIcon(Workspace &workspace, Binder &binder, PageKind kind, bool noEdit);

// The viewer's scratch page "Tmp.htm" in the temporary folder.
inline const QString PlaceholderName = QStringLiteral("Tmp.htm");
QString placeholderFile(const TempFolder &temp);
// Writes the blank viewer page into the temporary folder and returns its path.
QString writeBlankHtml(const Workspace &workspace);
// Clears the binder's HTML viewer to the blank page.
void BlankHTML(Workspace &workspace, Binder &binder);

} // namespace quillery
