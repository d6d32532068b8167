// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorBinder.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/BinderSaver.h"
#include "documents/EncryptedBinder.h"
#include "documents/PageCommands.h"
#include "documents/Workspace.h"
#include "editor/DefaultTextFormats.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/GeneralDate.h"
#include "platform/TempFolder.h"

namespace quillery {

PageToEdit loadPageToEdit(const Binder &binder, int position)
{
    const PageRow &row = binder.page(position);
    PageToEdit page;
    page.title = row.name;
    page.kind = row.key.kind;
    page.data = pageBytes(binder, position);
    page.empty = row.size == 0;
    page.backColour =
        parseColourCode(row.key.colour)
            .value_or(parseColourCode(binder.records().value(RecordKey::RichBackground))
                          .value_or(SystemWindowBackground));
    return page;
}

void applyDefaultFormat(RichTextBox &box, const Binder &binder, const QString &prefix)
{
    applyTextFormat(box, prefix, binder.records());
}

void storeEditedPage(Workspace &workspace, Binder &binder, int position, const QByteArray &bytes,
                     const QString &colourField)
{
    PageRow row = binder.page(position);
    TempFolder &temp = scratchFolder(workspace, binder);
    const QString path = temp.createFile();
    temp.registerFile(path);
    try {
        fileio::writeWhole(path, bytes);
    } catch (const FileError &) {
        temp.deleteFile(path);
        throw;
    }
    row.modified = generalDate(QDateTime::currentDateTime());
    row.size = bytes.size();
    row.key.serial = binder.takeSerial();
    row.key.offset = -1;
    row.key.length = -1;
    row.key.location = path;
    row.key.colour = colourField;
    binder.push(std::make_unique<ReplacePageDataCommand>(workspace, binder, position, row));
}

void saveEditedBinder(Workspace &workspace, Binder &binder)
{
    saveBinder(workspace, binder);
}

} // namespace quillery
