// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace quillery {

// The fresh folder a benchmark works in, under FOLDER when its command line is
// "NAME --dir FOLDER", else under the temporary folder. On any other command line it prints
// the usage and returns nothing; a folder that cannot be made is named on stderr.
std::unique_ptr<QTemporaryDir> benchFolder(const QStringList &args, const char *name);

} // namespace quillery
