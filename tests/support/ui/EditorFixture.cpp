// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorFixture.h"

#include "TestSupport.h"
#include "documents/NewBinder.h"

namespace quillery::test {

EditorFixture::EditorFixture()
{
    makeNewBinder(*workspace, binder, false);
}

int EditorFixture::addPage(PageKind kind, const QByteArray &bytes, const QString &name)
{
    PageRow row;
    row.name = name;
    row.size = bytes.size();
    row.key.serial = binder.takeSerial();
    row.key.kind = StoredKind(kind);
    row.key.location = file(QStringLiteral("pages/%1").arg(row.key.serial), bytes);
    row.key.colour = kind == PageKind::RTF ? QString::number(0x00E0FFFF) : QStringLiteral("NA");
    binder.appendLoadedPages({row});
    binder.setCurrentPosition(binder.pageCount());
    return binder.currentPosition();
}

std::unique_ptr<EditorWindow> EditorFixture::edit(int position)
{
    workspace->editMode =
        binder.page(position).key.kind == PageKind::RTF ? EditMode::Rich : EditMode::Plain;
    return std::make_unique<EditorWindow>(*workspace, binder, position, nullptr);
}

} // namespace quillery::test
