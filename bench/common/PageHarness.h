// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptedDialogs.h"

#include "documents/Binder.h"
#include "documents/Interaction.h"
#include "documents/Workspace.h"
#include "platform/TempFolder.h"

#include <QTemporaryDir>

namespace quillery {

// A new binder without a file in a workspace of its own, to which a benchmark adds pages.
struct PageHarness
{
    QTemporaryDir dir;
    TempFolder temp{dir.filePath(QStringLiteral("tmp"))};
    ScriptedDialogs dialogs;
    Interaction ui;
    Workspace workspace{temp, dialogs, ui};
    Binder binder;

    PageHarness();
    // Adds a page of the kind ("RTF", "TXT" ...) holding bytes; returns its position.
    int addPage(const QString &kind, const QByteArray &bytes);
};

} // namespace quillery
