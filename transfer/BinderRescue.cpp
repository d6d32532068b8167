// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/BinderRescue.h"

#include "documents/BinderSalvage.h"
#include "documents/CappedFaults.h"
#include "documents/ErrorReport.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace quillery {

namespace {

QString rescuedName(const QString &path)
{
    const QFileInfo damaged(path);
    return damaged.absolutePath() + u'/' + damaged.completeBaseName() +
           QStringLiteral(" (rescued).qly");
}

// The pages left behind, and those whose end was guessed, a screenful at most.
QString leftBehind(const Salvage &salvage)
{
    QStringList lines;
    {
        CappedFaults capped(lines);
        for (const QString &line : salvage.lost + salvage.guessed)
            capped.add([&line] { return line; });
    }
    return lines.join(u'\n');
}

} // namespace

QString offerRescue(Workspace &workspace, const QString &path)
{
    if (!isDamagedBinder(path))
        return QString();
    Dialogs &dialogs = workspace.dialogs;
    if (dialogs.message(
            MsgIcon::Question, MsgButtons::YesNo,
            QCoreApplication::translate("BinderRescue", "Damaged Binder"),
            u'\'' + path +
                QCoreApplication::translate("BinderRescue",
                                            "' is damaged.  Rescue the pages that can be read?")) !=
        MsgResult::Yes)
        return QString();
    Salvage salvage;
    try {
        salvage = findSalvage(path);
    } catch (const FileError &error) {
        dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok,
                        QCoreApplication::translate("BinderRescue", "Nothing to Rescue"),
                        QCoreApplication::translate("BinderRescue", "No page of '") + path +
                            QCoreApplication::translate("BinderRescue", "' can be read: ") +
                            error.description());
        return QString();
    }

    FileDialogRequest request;
    request.title = QCoreApplication::translate("BinderRescue", "Save the Rescued Pages As");
    request.filter = QCoreApplication::translate("BinderRescue", "Quillery (*.qly)|*.qly");
    request.fileName = rescuedName(path);
    request.initialFolder = QFileInfo(path).absolutePath();
    request.requireFilterExtension = true;
    const QString target = dialogs.saveFile(request);
    if (target.isEmpty())
        return QString();
    // The damaged file stays as it is, whatever else is lost.
    if (QFileInfo::exists(target) && fileio::sameFile(target, path)) {
        dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok,
                        QCoreApplication::translate("BinderRescue", "Rescue"),
                        QCoreApplication::translate(
                            "BinderRescue", "The rescued pages cannot replace the damaged binder; "
                                            "save them under another name."));
        return QString();
    }
    try {
        writeSalvage(salvage, path, target);
    } catch (const FileError &error) {
        reportFileError(dialogs, QCoreApplication::translate("BinderRescue", "Save Error"),
                        QCoreApplication::translate(
                            "BinderRescue", "An error occurred when trying to save the file '"),
                        target, error);
        return QString();
    }
    if (!salvage.lost.isEmpty() || !salvage.guessed.isEmpty())
        dialogs.message(MsgIcon::Information, MsgButtons::Ok,
                        QCoreApplication::translate("BinderRescue", "Rescue"),
                        QCoreApplication::translate("BinderRescue",
                                                    "%1 of %2 pages were rescued into '%3'.\n\n")
                                .arg(salvage.pages.size())
                                .arg(salvage.pageCount)
                                .arg(target) +
                            leftBehind(salvage));
    return target;
}

} // namespace quillery
