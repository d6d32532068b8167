// SPDX-License-Identifier: GPL-3.0-or-later
// The browser module may include the viewer's interface and nothing else of the program.
#pragma once
#include "window/BrowserView.h"
#include "window/ViewerPane.h"
#include <QtWebEngineWidgets/QWebEngineView>
