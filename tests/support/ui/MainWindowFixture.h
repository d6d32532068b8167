// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BinderFixture.h"
#include "platform/Settings.h"
#include "shell/MainWindow.h"

namespace quillery::test {

// A shown main window over the fixture's temporary folder and scripted dialogs, with its
// settings in the fixture's folder.
struct Window
{
    explicit Window(BinderFixture &f)
        : settings(f.path("settings.ini")), main(*f.temp, f.dialogs, settings)
    {
        main.resize(900, 600);
        main.show();
    }
    Settings settings;
    MainWindow main;
};

} // namespace quillery::test
