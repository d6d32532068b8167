// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Binder;
class Workspace;

// The two files beside an open binder: the lock note "~name.qd", naming who has the
// binder open, and the shadow copy "$name.qd", from which another instance opens the
// binder read-only. The file name is lower-cased with ".qly" made ".qd"; the folder is
// kept as it is, since Linux folder names are case-sensitive. Binders whose names differ
// only in case therefore share these names; only one of them may keep companions at a time.
QString lockNotePath(const QString &binderPath);
QString shadowCopyPath(const QString &binderPath);
// The name in the lock note; empty when there is none or it is not a small regular file.
QString readLockNote(const QString &binderPath);

// For a reader of a binder someone else holds: makes working (a file in the private
// temporary folder) another name or a copy of the shadow copy when that holds this very
// binder as it is now, else of the binder itself. True when the shadow copy was used.
bool copyForReader(const QString &binderPath, const QString &working);

// Unless the binder is read-only, writes the lock note naming this user and, when asked,
// the shadow copy of the binder file. Each is written under a new scratch name and
// renamed into place, so no link or file put there is ever written through. Throws
// FileError, saying what is wrong, when the folder cannot be written, when a companion's
// name holds anything but a regular file of this user, or when another open binder
// keeps companions of the same names.
void createCompanionFiles(const Workspace &workspace, const Binder &binder, const QString &fileName,
                          bool writeShadow);
// Waits until the shadow copies replaced so far are gone; they are deleted in the
// background because freeing a large file takes a while.
void finishRetiringShadowCopies();
// Deletes both companions of a binder this instance holds; missing ones, names that are
// not regular files of this user, and companions another open binder keeps are left.
void removeCompanions(const QString &binderPath);
// Deletes the scratch files a killed save or companion write left beside the binder:
// regular files of this user named for it that no one holds. Only for the binder's writer,
// who holds its lock, so that no save of it can be under way elsewhere.
void removeStaleScratchFiles(const QString &binderPath);

} // namespace quillery
