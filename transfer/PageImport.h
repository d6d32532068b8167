// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"
#include "documents/PageList.h"

#include <QString>

#include <optional>

namespace quillery {

class Binder;
class Workspace;

// The name in the history of a step that imports several files.
QString importFilesStepName(int count);
// A page whose data is a copy of the file in the binder's scratch folder, named after the
// file. Throws FileError, also for a file that is no regular file.
PageRow copiedPage(Workspace &workspace, Binder &binder, const QString &fileName, PageKind kind);
// A page to go last whose data is a copy of the file in the binder's scratch folder. With
// kind Unknown the extension decides. A failure is reported to the user and gives none.
std::optional<PageRow> importedPage(Workspace &workspace, Binder &binder, const QString &fileName,
                                    PageKind kind);
// Adds the file as a new last page, one step of the binder's history. Neither the
// selection nor the current page changes. False when it failed, which was reported.
bool importFile(Workspace &workspace, Binder &binder, const QString &fileName, PageKind kind);

// Asks for a file of the kind (typeName names the type in the dialog), imports it and
// makes it the current page.
void chooseAndImport(Workspace &workspace, Binder &binder, PageKind kind);

// Asks for a folder and imports every file directly in it, kinds by extension, with a
// progress window that can cancel between files. The files imported are one step.
void importFolder(Workspace &workspace, Binder &binder);

} // namespace quillery
