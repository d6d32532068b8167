// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/InfoRecords.h"
#include "documents/PageList.h"
#include "documents/RecoveryFormat.h"

#include <QDateTime>

#include <memory>
#include <optional>

namespace quillery {

class Binder;
class Encryption;

// The text of an open page editor as the page it would save.
struct EditedPage
{
    int position = 0; // 1-based
    QString colour;   // the page key's colour field, as saving the page sets it
    QByteArray bytes;
};

// What a snapshot needs of a binder, taken on the interface thread in a moment: the
// records and page rows are shared with the binder until either changes, and the page
// data stays in the files it is in, which never change once written.
struct SnapshotCapture
{
    QString binderPath;
    QString title;
    QDateTime taken;
    // The binder file as the window opened or last saved it, while the path still names it.
    std::optional<FileIdentity> binderFile;
    QString workingCopy; // the file of the pages unchanged since the binder was last read
    // The binder file holds the bytes of the working copy, so its pages may be read there.
    bool binderHoldsWorkingCopy = false;
    InfoRecords records; // with the page count and layout a save would write
    QVector<PageRow> rows;
    std::optional<EditedPage> edit;
    // For an encrypted binder: its key, and the memory files its pages are read from,
    // kept open until the snapshot is written.
    std::shared_ptr<const Encryption> encryption;
};

// binderHoldsWorkingCopy is the caller's: only it knows whether the working copy was
// read from the binder file as it is now.
SnapshotCapture captureSnapshot(const Binder &binder, bool binderHoldsWorkingCopy,
                                std::optional<EditedPage> edit);

// Writes a snapshot of the capture into folder, replacing the snapshot there only once
// the new one is complete. An encrypted binder's snapshot is the whole binder as a save
// writes it, encrypted with its key, beside a record that tells nothing the binder file
// does not. Runs on a worker thread; throws FileError.
void writeSnapshot(const QString &folder, const SnapshotCapture &capture);

} // namespace quillery
