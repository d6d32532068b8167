#pragma once

#include <QString>

#include <functional>

namespace quillery {

// Opens a document with the program the desktop associates with its type. Never through
// a shell: the path is handed over whole, whatever characters it holds. False when the
// desktop could not open it.
bool RunDoc(const QString &path);

// Replaces how documents are opened, for tests; an empty function restores the desktop.
void setRunDocHandler(std::function<bool(const QString &)> handler);

} // namespace quillery
