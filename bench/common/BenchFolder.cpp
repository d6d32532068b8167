// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchFolder.h"

#include <QDir>

#include <cstdio>

namespace quillery {

std::unique_ptr<QTemporaryDir> benchFolder(const QStringList &args, const char *name)
{
    QString parent = QDir::tempPath();
    if (args.size() == 3 && args[1] == u"--dir") {
        parent = args[2];
    } else if (args.size() != 1) {
        std::fprintf(stderr, "usage: %s [--dir FOLDER]\n", name);
        return nullptr;
    }
    auto folder = std::make_unique<QTemporaryDir>(parent + u'/' + QString::fromLatin1(name) +
                                                  QStringLiteral("-XXXXXX"));
    if (!folder->isValid()) {
        std::fprintf(stderr, "%s: cannot make a folder in %s\n", name, qPrintable(parent));
        return nullptr;
    }
    return folder;
}

} // namespace quillery
