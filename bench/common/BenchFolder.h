// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace quillery {

class Workspace;

// Runs a benchmark's work in a fresh folder, under FOLDER when its command line is
// "NAME --dir FOLDER", else under the temporary folder, with an offscreen application and a
// workspace whose temporary files are kept there; `work` gets the workspace and an empty
// folder to make its binders in. Returns the exit code: 2 for any other command line (the
// usage is printed) or a folder that cannot be made, 1 when the work throws a FileError
// (named on stderr), else 0.
int runInBenchFolder(int &argc, char *argv[], const char *name,
                     const std::function<void(Workspace &workspace, const QString &folder)> &work);

} // namespace quillery
