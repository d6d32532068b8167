// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/DroppedFiles.h"

#include "documents/Binder.h"
#include "documents/Interaction.h"
#include "documents/PageCommands.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "transfer/PageImport.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <optional>

namespace quillery {

namespace {

const QString DropTitle = QCoreApplication::translate("DroppedFiles", "Drop Files");
// A drop of thousands of unusable files names the first ones only.
constexpr int NamedRefusals = 12;
// A drop of more files or bytes than these shows its progress and can be cancelled; a
// smaller one is done before a progress window would be seen.
constexpr int LargeDropFiles = 20;
constexpr qint64 LargeDropBytes = 64 << 20;

// Why a dropped path cannot become a page; empty when it can be tried. Only a stat: a
// FIFO or device is never opened here, and copying opens without blocking.
QString refusal(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QCoreApplication::translate("DroppedFiles",
                                           "is a folder; use Import Folder for the files in it");
    if (!info.exists())
        return QCoreApplication::translate("DroppedFiles", "does not exist");
    if (!info.isFile())
        return QCoreApplication::translate("DroppedFiles",
                                           "is not a regular file (a FIFO, a device or a socket)");
    if (!info.isReadable())
        return QCoreApplication::translate("DroppedFiles", "cannot be read");
    return QString();
}

void reportRefusals(Dialogs &dialogs, const QStringList &refusals)
{
    if (refusals.isEmpty())
        return;
    QStringList lines = refusals.mid(0, NamedRefusals);
    if (refusals.size() > NamedRefusals)
        lines << QCoreApplication::translate("DroppedFiles", "and %1 more")
                     .arg(refusals.size() - NamedRefusals);
    const QString lead =
        refusals.size() == 1
            ? QCoreApplication::translate("DroppedFiles", "This was not added:\n\n")
            : QCoreApplication::translate("DroppedFiles", "These were not added:\n\n");
    dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok, DropTitle, lead + lines.join(u'\n'));
}

QString stepName(const InsertPagesCommand &step, const QString &firstName)
{
    if (step.count() == 1)
        return pageStepName(QCoreApplication::translate("DroppedFiles", "Import File"), firstName);
    return importFilesStepName(step.count());
}

} // namespace

int importDroppedFiles(Workspace &workspace, Binder &binder, const QStringList &paths, int position)
{
    QStringList refusals;
    QStringList files;
    qint64 bytes = 0;
    for (const QString &path : paths) {
        const QString why = refusal(path);
        if (why.isEmpty()) {
            files << path;
            bytes += QFileInfo(path).size();
        } else {
            refusals << u'\'' + path + QStringLiteral("' ") + why;
        }
    }
    auto step =
        std::make_unique<InsertPagesCommand>(workspace, binder, InsertPagesCommand::Show::First,
                                             qBound(1, position, binder.pageCount() + 1));
    QString firstName;
    bool cancelled = false;
    {
        std::optional<ProgressScope> progress;
        if (files.size() > LargeDropFiles || bytes > LargeDropBytes)
            progress.emplace(workspace.ui,
                             QCoreApplication::translate("DroppedFiles", "Adding dropped files"),
                             int(files.size()), true);
        int done = 0;
        for (const QString &file : files) {
            workspace.ui.processEvents();
            if ((cancelled = workspace.ui.progressCancelled()))
                break;
            try {
                PageRow page = copiedPage(workspace, binder, file, kindFromExtension(file));
                if (step->count() == 0)
                    firstName = page.name;
                step->add(std::move(page));
            } catch (const FileError &error) {
                // Replaced by something else since it was looked at, or unreadable after all.
                refusals << u'\'' + file +
                                QCoreApplication::translate("DroppedFiles",
                                                            "' could not be copied: ") +
                                error.description();
            }
            workspace.ui.setProgress(++done);
        }
    }
    // Cancelled, the copies made go with the step, and the binder is as it was.
    if (cancelled)
        return 0;
    reportRefusals(workspace.dialogs, refusals);
    const int added = step->count();
    if (added == 0)
        return 0;
    step->setText(stepName(*step, firstName));
    binder.push(std::move(step));
    return added;
}

} // namespace quillery
