#include "options/EditLaunch.h"

#include "documents/Binder.h"
#include "documents/BinderUi.h"
#include "documents/FileError.h"
#include "documents/PageKind.h"
#include "documents/Workspace.h"
#include "editor/frmEdit.h"
#include "platform/Dialogs.h"
#include "shell/Settings.h"

#include <memory>

namespace quillery {

void EditLaunch(Workspace &workspace, Binder &binder, Settings &settings, QWidget *parent)
{
    workspace.ui.closeSplash();
    if (!binder.hasPage(0))
        return;
    const PageRow &row = binder.page(0);
    const int kindRow = int(kindFromString(row.key.kind));
    if (kindRow < 1 || kindRow > Settings::KindRows)
        return;
    const QString editor = settings.associationEditor(kindRow);
    if (editor == Settings::RichTextEditor)
        workspace.editmode = 0;
    else if (editor == Settings::PlainTextEditor)
        workspace.editmode = 1;
    else
        return;

    std::unique_ptr<frmEdit> window;
    try {
        window = std::make_unique<frmEdit>(workspace, binder, binder.CurIndex, &settings, parent);
    } catch (const FileError &error) {
        workspace.dialogs.message(MsgIcon::Critical, MsgButtons::Ok,
                                  QStringLiteral("Page Editing Error"),
                                  QStringLiteral("An error occurred when attempting to launch the "
                                                 "page '") +
                                      row.name + QStringLiteral("' - ") + error.description() +
                                      QStringLiteral(", ") + QString::number(error.number()));
        return;
    }
    window->exec();
}

} // namespace quillery
