// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QString>

namespace quillery {

class Binder;
class Workspace;

// Adds the file as a new last page whose data is a copy in the temporary folder. With
// kind Unknown the extension decides. Neither the selection nor the current page changes.
// Failures are reported to the user; false then.
bool importFile(Workspace &workspace, Binder &binder, const QString &fileName, PageKind kind);

// Asks for a file of the kind (typeName names the type in the dialog), imports it and
// makes it the current page.
void chooseAndImport(Workspace &workspace, Binder &binder, PageKind kind);

// Asks for a folder and imports every file directly in it, kinds by extension, with a
// progress window that can cancel between files.
void importFolder(Workspace &workspace, Binder &binder);

} // namespace quillery
