// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Binder;
class Workspace;

// The two files beside an open binder: the lock note "~name.qd", naming who has the
// binder open, and the shadow copy "$name.qd", from which another instance opens the
// binder read-only. The file name is lower-cased with ".qly" made ".qd"; the folder is
// kept as it is, since Linux folder names are case-sensitive.
QString lockNotePath(const QString &binderPath);
QString shadowCopyPath(const QString &binderPath);
QString readLockNote(const QString &binderPath);

// Unless the binder is read-only, writes the lock note naming this user and, when asked,
// the shadow copy of the binder file. Throws FileError when writing fails.
void CreateAF(const Workspace &workspace, const Binder &binder, const QString &fileName,
              bool writeShadow);
// Waits until the shadow copies replaced so far are gone; they are deleted in the
// background because freeing a large file takes a while.
void finishRetiringShadowCopies();
// Deletes both companions of a binder this instance holds; missing ones are skipped.
void removeCompanions(const QString &binderPath);

} // namespace quillery
