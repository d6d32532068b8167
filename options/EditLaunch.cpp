#include "options/EditLaunch.h"

#include "documents/Binder.h"
#include "documents/BinderUi.h"
#include "documents/FileError.h"
#include "documents/Workspace.h"
#include "editor/EditorBinder.h"
#include "editor/frmEdit.h"
#include "options/EditorChoice.h"
#include "options/ExecTemplate.h"
#include "options/ExportName.h"
#include "options/RunDoc.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"
#include "shell/Orde.h"
#include "shell/RegString.h"
#include "shell/Settings.h"
#include "transfer/PageExport.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QWidget>

#include <memory>

namespace quillery {

namespace {

const QString errorTitle = QStringLiteral("Page Editing Error");

void reportError(Workspace &workspace, const QString &title, const FileError &error)
{
    workspace.dialogs.message(MsgIcon::Critical, MsgButtons::Ok, errorTitle,
                              QStringLiteral("An error occurred when attempting to launch the "
                                             "page '") +
                                  title + QStringLiteral("' - ") + error.description() +
                                  QStringLiteral(", ") + QString::number(error.number()));
}

void editBuiltIn(Workspace &workspace, Binder &binder, Settings &settings, QWidget *parent)
{
    std::unique_ptr<frmEdit> window;
    try {
        window = std::make_unique<frmEdit>(workspace, binder, binder.CurIndex, &settings, parent);
    } catch (const FileError &error) {
        reportError(workspace, binder.page(0).name, error);
        return;
    }
    window->exec();
}

FileError cannotStart(const QString &program)
{
    const bool found =
        !QStandardPaths::findExecutable(program).isEmpty() || QFileInfo(program).isExecutable();
    return FileError(found ? FileError::PermissionDenied : FileError::FileNotFound,
                     QStringLiteral("the program '") + program +
                         QStringLiteral("' could not be started"));
}

// Hands the file to the program the desktop opens its type with.
void startDefaultProgram(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    const QString type = GetRegString(ClassesRoot, u'.' + extension, QString());
    const QString command =
        type == RegNotFound
            ? RegNotFound
            : GetRegString(ClassesRoot, type + QStringLiteral("\\shell\\Open\\command"), QString());
    if (command == RegNotFound) {
        if (!RunDoc::run(path))
            throw FileError(FileError::FileNotFound, QStringLiteral("no program opens '") +
                                                         QFileInfo(path).fileName() + u'\'');
        return;
    }
    const QStringList arguments = commandArguments(command, path);
    if (arguments.isEmpty())
        throw FileError(FileError::InvalidFormat, QStringLiteral("the command '") + command +
                                                      QStringLiteral("' cannot be read"));
    if (!RunDoc::run(arguments.first(), arguments.mid(1)))
        throw cannotStart(arguments.first());
}

void startNamedProgram(const ProgramEditor &editor, const QString &path)
{
    if (!RunDoc::run(editor.program, {path}, editor.startIn))
        throw cannotStart(editor.program);
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
        MsgIcon::Information, MsgButtons::Ok, QStringLiteral("Page Editing - Quillery"),
        QStringLiteral("Click OK when you are ready to return to Quillery.  Please make sure you "
                       "have saved the file you are working on and that the program is closed."));
    if (wasVisible)
        mainWindow->show();
    QGuiApplication::setQuitOnLastWindowClosed(quitOnClose);
}

void offerTakeBack(Workspace &workspace, Binder &binder, int position, const QString &path)
{
    const PageRow &row = binder.page(position);
    if (workspace.dialogs.message(MsgIcon::Question, MsgButtons::YesNo,
                                  QStringLiteral("Save Page Changes"),
                                  QStringLiteral("Do you want to save the changes you made to "
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
        ExpBin(workspace, binder, editFileName(row.key.kind, row.name), position, false, true);
    if (path.isEmpty())
        throw FileError(FileError::PathFileAccess,
                        QStringLiteral("the page could not be written to the temporary folder"));
    return path;
}

bool startInFolderMissing(Workspace &workspace, const ProgramEditor &editor,
                          const std::function<void()> &showAssociations)
{
    if (editor.startIn.isEmpty() || Orde::IsFolder(editor.startIn))
        return false;
    workspace.dialogs.message(
        MsgIcon::Exclamation, MsgButtons::Ok, QStringLiteral("Edit Error"),
        QStringLiteral("The start in folder associated with the editing program for this type "
                       "of page does not exist.  Please check in the Page Editing Associations "
                       "section of the Options dialog box."));
    workspace.editmode = 2;
    if (showAssociations)
        showAssociations();
    return true;
}

} // namespace

void EditLaunch(Workspace &workspace, Binder &binder, Settings &settings, QWidget *mainWindow,
                const std::function<void()> &showAssociations)
{
    workspace.ui.closeSplash();
    if (!binder.hasPage(0))
        return;
    const int position = binder.CurIndex;
    const PageRow row = binder.page(position);
    const QString editor = chooseEditor(settings, row.key.kind, row.name);
    if (editor.isEmpty())
        return;
    if (editor == Settings::RichTextEditor || editor == Settings::PlainTextEditor) {
        workspace.editmode = editor == Settings::RichTextEditor ? 0 : 1;
        editBuiltIn(workspace, binder, settings, mainWindow);
        return;
    }

    const bool useDefault = editor == Settings::DefaultProgram;
    const ProgramEditor program = splitProgramEditor(editor);
    if (!useDefault && startInFolderMissing(workspace, program, showAssociations))
        return;
    try {
        const QString path = exportPage(workspace, binder, position);
        const QString stamp = Orde::FileModified(path);
        {
            BusyScope busy(workspace.ui);
            if (useDefault)
                startDefaultProgram(path);
            else
                startNamedProgram(program, path);
        }
        waitForUser(workspace, mainWindow);
        if (Orde::FileModified(path) != stamp)
            offerTakeBack(workspace, binder, position, path);
    } catch (const FileError &error) {
        reportError(workspace, row.name, error);
    }
}

} // namespace quillery
