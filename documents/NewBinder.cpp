// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/NewBinder.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/NewPage.h"
#include "documents/PageKind.h"
#include "documents/TextFormatDefaults.h"
#include "documents/Workspace.h"
#include "platform/Colours.h"

namespace quillery {

void makeNewBinder(Workspace &workspace, Binder &binder, bool addPage)
{
    ++workspace.newFileCounter;
    const QString title = QStringLiteral("New File %1").arg(workspace.newFileCounter);
    binder.editRecords([&](InfoRecords &cf) {
        cf.write(RecordKey::Title, title);
        setRTFopts(cf);
        setTXTopts(cf);
        cf.write(RecordKey::ListView, "0");
        if (addPage)
            cf.write(RecordKey::SelectedPage, "1");
        cf.write(RecordKey::CommentsColumn, "Comments");
        cf.write(RecordKey::PanePosition, "0");
        cf.write(RecordKey::Author, workspace.authorName);
    });
    binder.setNextSerial(1);
    if (addPage) {
        binder.appendLoadedPages({emptyPage(binder, PageKind::RTF)});
        binder.setCurrentPosition(1);
    }
    binder.setPaneLength(Binder::DefaultPaneLength);
}

bool isUntouchedNewBinder(const Binder &binder, int loadedWindows)
{
    return loadedWindows > 2 && !binder.isChanged() && binder.fileName().isEmpty() &&
           binder.pageCount() == 1 && binder.page(1).name == u"Page 1" &&
           binder.title() == u"New File 1";
}

void dropPageRecords(Binder &binder)
{
    binder.editRecords([](InfoRecords &cf) {
        for (const char *prefix : {"Page", "Created", "Modified", "Colour", "Comments"})
            cf.removeNumbered(RecordKey::Pages, QString::fromLatin1(prefix));
        cf.remove(QStringLiteral("Page"));
    });
}

} // namespace quillery
