// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/ScannedImageSaving.h"

#include "documents/Binder.h"
#include "documents/EncryptedBinder.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/PageCommands.h"
#include "documents/Workspace.h"
#include "images/JpegEncoder.h"
#include "images/JpegError.h"
#include "images/Picture.h"
#include "images/ScanOptions.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"
#include "transfer/PageImport.h"

#include <QCoreApplication>
#include <QFile>

namespace quillery {

namespace {

constexpr int OutOfMemory = 7;

// Encodes the image into fileName, which must not exist yet.
void writeJpeg(JpegEncoder &jpeg, const Picture &image, const QString &fileName)
{
    try {
        switch (jpeg.sampleAndSave(image, image.width(), image.height(), 0, 0, fileName)) {
        case 0:
            return;
        case 2:
            throw FileError(
                FileError::FileExists,
                QCoreApplication::translate("ScannedImageSaving", "File already exists"));
        default:
            throw FileError(OutOfMemory,
                            QCoreApplication::translate("ScannedImageSaving", "Out of memory"));
        }
    } catch (const JpegError &error) {
        // Only writing the file can fail here: the number is the system's.
        throw FileError::fromErrno(error.number(), fileName);
    }
}

// A free name in the temporary folder for the encoder to create; removed again after.
class ScratchName
{
public:
    explicit ScratchName(TempFolder &temp) : path(temp.createFile())
    {
        fileio::removeIfExists(path);
    }
    ~ScratchName() { QFile::remove(path); }
    ScratchName(const ScratchName &) = delete;
    ScratchName &operator=(const ScratchName &) = delete;

    const QString path;
};

} // namespace

void saveImageAs(JpegEncoder &jpeg, const Picture &image, const QString &target, TempFolder &temp)
{
    const ScratchName scratch(temp);
    writeJpeg(jpeg, image, scratch.path);
    SafeFileWriter file(target);
    file.write(fileio::readWhole(scratch.path));
    file.commit();
}

bool addImageAsPage(Workspace &workspace, Binder &binder, JpegEncoder &jpeg, const Picture &image)
{
    BusyScope busy(workspace.ui);
    QString file;
    try {
        // The encoder creates its file by name.
        TempFolder &temp = namedScratchFolder(workspace, binder);
        file = scannedPageFile(temp.path(), binder.pageCount());
        // Left from an earlier page of that number; its page has its own copy.
        fileio::removeIfExists(file);
        if (!temp.registered().contains(file))
            temp.registerFile(file);
        writeJpeg(jpeg, image, file);
    } catch (const FileError &error) {
        reportFileError(
            workspace.dialogs,
            QCoreApplication::translate("ScannedImageSaving", "Save Image Error"),
            QCoreApplication::translate("ScannedImageSaving",
                                        "An error occurred when trying to save the file '"),
            file, error);
        return false;
    }
    std::optional<PageRow> page = importedPage(workspace, binder, file, PageKind::PICTURE);
    if (!page)
        return false;
    auto step =
        std::make_unique<InsertPagesCommand>(workspace, binder, InsertPagesCommand::Show::First);
    step->setText(QCoreApplication::translate("ScannedImageSaving", "Scan"));
    step->add(std::move(*page));
    binder.push(std::move(step));
    return true;
}

} // namespace quillery
