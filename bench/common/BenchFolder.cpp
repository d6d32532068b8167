// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchFolder.h"

#include "documents/Interaction.h"
#include "documents/Workspace.h"
#include "platform/ConsoleDialogs.h"
#include "platform/FileError.h"
#include "platform/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace quillery {

namespace {

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

} // namespace

int runInBenchFolder(int &argc, char *argv[], const char *name,
                     const std::function<void(Workspace &workspace, const QString &folder)> &work)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::unique_ptr<QTemporaryDir> root = benchFolder(app.arguments(), name);
    if (!root)
        return 2;
    try {
        TempFolder temp(root->filePath(QStringLiteral("tmp")));
        ConsoleDialogs dialogs;
        Interaction ui;
        Workspace workspace(temp, dialogs, ui);
        const QString folder = root->filePath(QStringLiteral("work"));
        QDir().mkpath(folder);
        work(workspace, folder);
        temp.deleteRegistered();
    } catch (const FileError &error) {
        std::fprintf(stderr, "%s: %s\n", name, qPrintable(error.description()));
        return 1;
    }
    return 0;
}

} // namespace quillery
