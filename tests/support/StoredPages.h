// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace quillery {
class Workspace;
}

namespace quillery::test {

// The names of the pages a binder file holds now, in order; read as a look inside, so a
// program holding the file open does not stop it.
QStringList storedPageNames(Workspace &workspace, const QString &binderPath);

} // namespace quillery::test
