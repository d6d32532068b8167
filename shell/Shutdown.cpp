// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Shutdown.h"

#include "documents/NewPage.h"
#include "platform/Settings.h"
#include "shell/Session.h"
#include "window/PageClipboard.h"

#include <QFile>

#include <unistd.h>

namespace quillery {

namespace {

void call(const std::function<void()> &hook)
{
    try {
        if (hook)
            hook();
    } catch (const std::exception &) {
    }
}

} // namespace

void runShutdown(Session &session, const ShutdownHooks &hooks)
{
    if (session.temp) {
        const QString folder = session.temp->path();
        session.temp->deleteRegistered();
        session.instances.leave([&] {
            ::unlink(QFile::encodeName(placeholderFile(*session.temp)).constData());
            removeMemoryClipboard();
        });
        // Fails while anything is left, such as the page clipboard files.
        ::rmdir(QFile::encodeName(folder).constData());
    }
    call(hooks.savePlacement);
    session.settings.sync();
    call(hooks.unloadRecent);
}

} // namespace quillery
