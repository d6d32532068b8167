#pragma once

#include <QString>

namespace quillery {

class Binder;
class Workspace;

// The file name a page is edited under: text pages get the extension of their kind
// unless their name carries it already; other pages keep their names.
QString editFileName(const QString &pageName, const QString &kind);

// Edits the current page: the one command behind double-click and Enter on a page, Edit
// Page and the toolbar's edit button. The page is written to the temporary folder and
// opened in the desktop's program for its type; once the user says that program is
// done, changes are taken back as the page's new content if the user agrees.
void EditLaunch(Workspace &workspace, Binder &binder);

} // namespace quillery
