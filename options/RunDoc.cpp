// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/RunDoc.h"

#include "options/ExecTemplate.h"
#include "platform/DefaultApplication.h"
#include "platform/FileError.h"
#include "platform/RegString.h"
#include "platform/XdgDirs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace quillery {

namespace {

std::function<bool(const QString &)> &handler()
{
    static std::function<bool(const QString &)> current;
    return current;
}

FileError cannotStart(const QString &program)
{
    const bool found =
        !QStandardPaths::findExecutable(program).isEmpty() || QFileInfo(program).isExecutable();
    return FileError(found ? FileError::PermissionDenied : FileError::FileNotFound,
                     QCoreApplication::translate("RunDoc", "the program '") + program +
                         QCoreApplication::translate("RunDoc", "' could not be started"));
}

FileError noProgram(const QString &document)
{
    return FileError(FileError::FileNotFound,
                     QCoreApplication::translate("RunDoc", "no program on this computer opens '") +
                         QFileInfo(document).fileName() +
                         QCoreApplication::translate(
                             "RunDoc", "'; choose one in the Page Editing Associations section "
                                       "of the Options dialog box"));
}

QString typeOf(const QString &document)
{
    return readFileTypeKey(ClassesRoot, u'.' + QFileInfo(document).suffix().toLower(), QString());
}

// The desktop's own opener reports success once it has started, also when it then finds
// nothing to open the file with: it is asked only where the MIME database names a
// program whose command is too long to be read here.
void openWithDesktop(const QString &document, const QString &type)
{
    if (type == RegNotFound || defaultApplicationFor(type, XdgDirs::fromEnvironment()).isEmpty() ||
        !QDesktopServices::openUrl(QUrl::fromLocalFile(document)))
        throw noProgram(document);
}

} // namespace

void RunDoc::open(const QString &document)
{
    if (handler()) {
        if (!handler()(document))
            throw noProgram(document);
        return;
    }
    const QString type = typeOf(document);
    const QString command =
        type == RegNotFound
            ? RegNotFound
            : readFileTypeKey(ClassesRoot, type + QStringLiteral("\\shell\\Open\\command"),
                              QString());
    if (command == RegNotFound)
        return openWithDesktop(document, type);
    const QStringList arguments = commandArguments(command, document);
    if (arguments.isEmpty())
        throw FileError(FileError::InvalidFormat,
                        QCoreApplication::translate("RunDoc", "the command '") + command +
                            QCoreApplication::translate("RunDoc", "' cannot be read"));
    start(arguments.first(), arguments.mid(1));
}

void RunDoc::start(const QString &program, const QStringList &arguments,
                   const QString &workingFolder)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached())
        throw cannotStart(program);
}

void setRunDocHandler(std::function<bool(const QString &)> handler_)
{
    handler() = std::move(handler_);
}

} // namespace quillery
