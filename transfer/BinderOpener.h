// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageList.h"

#include <QString>

#include <memory>

namespace quillery {

class Binder;
class InfoRecords;
class LumpArchive;
class PageRecords;
class Workspace;

// True when the path names a binder: a file that starts with the binder header or the
// encrypted container's, whatever its name. A name ending in ".qly" in any case counts too, so that
// a damaged or missing binder is reported as such instead of being taken in as a page of raw bytes.
bool isBinderFile(const QString &path);

enum class OpenPurpose {
    Edit,    // a working copy is made and the file locked, for a window that may save it
    Inspect, // pages are read straight from the file, which is neither copied nor locked
};

// Opens a binder file, or makes a new untitled binder whose only page is any other file.
// Failures and cancelled password prompts have been reported to the user when this
// returns no binder.
std::unique_ptr<Binder> openFile(Workspace &workspace, const QString &fileName,
                                 OpenPurpose purpose = OpenPurpose::Edit);

// The binder's page count from its "Pages" record, checked against its lumps; throws
// FileError when it is not a number or does not fit.
int pageCountOf(const InfoRecords &cf, int lumps);

// A row for each of the pages firstPage to lastPage (1-based) described by the per-page
// records and the archive's lumps, with serials of the binder's; their data stays in the
// archive file at dataPath.
QVector<PageRow> archivePages(Binder &binder, PageRecords &records, const LumpArchive &archive,
                              const QString &dataPath, int firstPage, int lastPage);

// Reads the records and pages of the binder from its working copy, asking for the
// binder's password where it has one. Throws FileError, or Cancelled.
void readWorkingCopy(Workspace &workspace, Binder &binder);

// Once the pages are in: the current page, column widths, comments caption and pane
// from the records, which then lose the per-page ones; default text formats added to
// records that have none.
void takeLayoutRecords(Binder &binder);

} // namespace quillery
