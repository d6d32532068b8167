// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/EditLaunch.h"

#include "documents/Binder.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/Workspace.h"
#include "editor/EditorBinder.h"
#include "editor/EditorWindow.h"
#include "options/EditorChoice.h"
#include "options/RunDoc.h"
#include "platform/Dialogs.h"
#include "platform/FileDetails.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/Settings.h"
#include "transfer/FileNames.h"
#include "transfer/PageExport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

#include <memory>

namespace quillery {

namespace {

void reportError(Workspace &workspace, const QString &title, const FileError &error)
{
    reportFileError(workspace.dialogs,
                    QCoreApplication::translate("EditLaunch", "Page Editing Error"),
                    QCoreApplication::translate(
                        "EditLaunch", "An error occurred when attempting to launch the page '"),
                    title, error);
}

// The editor opens over whichever window the user is working in.
void editBuiltIn(Workspace &workspace, Binder &binder, Settings &settings)
{
    QWidget *parent = QApplication::activeWindow();
    std::unique_ptr<EditorWindow> window;
    try {
        window = std::make_unique<EditorWindow>(workspace, binder, binder.currentPosition(),
                                                &settings, parent);
    } catch (const FileError &error) {
        reportError(workspace, binder.page(0).name, error);
        return;
    }
    window->exec();
}

// The user works in the other program while only this question is on screen.
void waitForUser(Workspace &workspace, QWidget *mainWindow)
{
    const bool wasVisible = mainWindow && mainWindow->isVisible();
    // With the main window hidden, closing the message must not end the program.
    const bool quitOnClose = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    if (wasVisible)
        mainWindow->hide();
    workspace.dialogs.message(
        MsgIcon::Information, MsgButtons::Ok,
        QCoreApplication::translate("EditLaunch", "Page Editing - Quillery"),
        QCoreApplication::translate(
            "EditLaunch",
            "Click OK when you are ready to return to Quillery.  Please make sure you "
            "have saved the file you are working on and that the program is closed."));
    if (wasVisible)
        mainWindow->show();
    QGuiApplication::setQuitOnLastWindowClosed(quitOnClose);
}

void offerTakeBack(Workspace &workspace, Binder &binder, int position, const QString &path)
{
    const PageRow &row = binder.page(position);
    if (workspace.dialogs.message(
            MsgIcon::Question, MsgButtons::YesNo,
            QCoreApplication::translate("EditLaunch", "Save Page Changes"),
            QCoreApplication::translate("EditLaunch", "Do you want to save the changes you made to "
                                                      "the page '") +
                row.name + QStringLiteral("'?")) != MsgResult::Yes)
        return;
    storeEditedPage(workspace, binder, position, fileio::readWhole(path), row.key.colour);
}

// Writes the page under its title into the temporary folder and returns the file's path.
QString exportPage(Workspace &workspace, Binder &binder, int position)
{
    BusyScope busy(workspace.ui);
    const PageRow &row = binder.page(position);
    const QString path =
        writePageToTemp(workspace, binder, pageFileName(row.name, row.key.kind), position);
    if (path.isEmpty())
        throw FileError(FileError::PathFileAccess,
                        QCoreApplication::translate(
                            "EditLaunch", "the page could not be written to the temporary folder"));
    return path;
}

bool startInFolderMissing(Workspace &workspace, const ProgramEditor &editor,
                          const std::function<void()> &showAssociations)
{
    if (editor.startIn.isEmpty() || isFolder(editor.startIn))
        return false;
    workspace.dialogs.message(
        MsgIcon::Exclamation, MsgButtons::Ok,
        QCoreApplication::translate("EditLaunch", "Edit Error"),
        QCoreApplication::translate(
            "EditLaunch", "The start in folder associated with the editing program for this type "
                          "of page does not exist.  Please check in the Page Editing Associations "
                          "section of the Options dialog box."));
    workspace.editMode = EditMode::ShowAssociations;
    if (showAssociations)
        showAssociations();
    return true;
}

} // namespace

void launchPageEditor(Workspace &workspace, Binder &binder, Settings &settings, QWidget *mainWindow,
                      const std::function<void()> &showAssociations)
{
    workspace.ui.closeSplash();
    if (!binder.hasPage(0))
        return;
    const int position = binder.currentPosition();
    const PageRow row = binder.page(position);
    const QString editor = chooseEditor(settings, row.key.kind, row.name);
    if (editor.isEmpty())
        return;
    if (editor == Settings::RichTextEditor || editor == Settings::PlainTextEditor) {
        workspace.editMode = editor == Settings::RichTextEditor ? EditMode::Rich : EditMode::Plain;
        editBuiltIn(workspace, binder, settings);
        return;
    }

    const bool useDefault = editor == Settings::DefaultProgram;
    const ProgramEditor program = splitProgramEditor(editor);
    if (!useDefault && startInFolderMissing(workspace, program, showAssociations))
        return;
    try {
        const QString path = exportPage(workspace, binder, position);
        const QString stamp = fileModifiedText(path);
        {
            BusyScope busy(workspace.ui);
            if (useDefault)
                RunDoc::open(path);
            else
                RunDoc::start(program.program, {path}, program.startIn);
        }
        waitForUser(workspace, mainWindow);
        if (fileModifiedText(path) != stamp)
            offerTakeBack(workspace, binder, position, path);
    } catch (const FileError &error) {
        reportError(workspace, row.name, error);
    }
}

} // namespace quillery
