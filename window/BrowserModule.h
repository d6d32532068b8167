// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/BrowserView.h"

#include <QStringList>

class QWidget;

namespace quillery {

// Finds and loads the browser module on first use and makes a browser with it. Returns null
// and says why in error, naming the file, when the module is missing or is not a browser
// module; a later call tries again.
BrowserView *makeBrowserView(QWidget *parent, SchemeSource source, AddressRule rule,
                             QString &error);

// Loads the module and has it start the web engine and ready a browser for the first window
// that needs one. Does nothing more when the module cannot be loaded: the viewer says why
// when a page needs the browser.
void preloadBrowser();

// Whether the web views draw through OpenGL, for which the program then gives the engine a
// context to share: only when asked for, by QUILLERY_BROWSER_DEFAULTS or by choosing Qt
// Quick's graphics. Otherwise the engine draws pages in software, its views show them as
// pictures, and nothing in the program uses OpenGL.
bool browserViewsUseOpenGl();

// The module's file name, the same in every folder searched.
QString browserModuleFileName();
// The folders searched for the module, in order.
QStringList browserModuleFolders();
// Replaces the folders searched, or with an empty list restores them; for tests.
void setBrowserModuleFolders(const QStringList &folders);

} // namespace quillery
