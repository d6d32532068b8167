// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/RunDoc.h"

#include "options/ExecTemplate.h"
#include "platform/FileError.h"
#include "platform/RegString.h"

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
                     QStringLiteral("the program '") + program +
                         QStringLiteral("' could not be started"));
}

bool openWithDesktop(const QString &document)
{
    if (handler())
        return handler()(document);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(document));
}

// The desktop entry's command for the document's type, or RegNotFound.
QString defaultCommand(const QString &document)
{
    const QString extension = QFileInfo(document).suffix().toLower();
    const QString type = GetRegString(ClassesRoot, u'.' + extension, QString());
    if (type == RegNotFound)
        return RegNotFound;
    return GetRegString(ClassesRoot, type + QStringLiteral("\\shell\\Open\\command"), QString());
}

} // namespace

void RunDoc::open(const QString &document)
{
    const QString command = handler() ? RegNotFound : defaultCommand(document);
    if (command == RegNotFound) {
        if (!openWithDesktop(document))
            throw FileError(FileError::FileNotFound, QStringLiteral("no program opens '") +
                                                         QFileInfo(document).fileName() + u'\'');
        return;
    }
    const QStringList arguments = commandArguments(command, document);
    if (arguments.isEmpty())
        throw FileError(FileError::InvalidFormat, QStringLiteral("the command '") + command +
                                                      QStringLiteral("' cannot be read"));
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
