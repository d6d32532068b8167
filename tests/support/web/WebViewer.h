// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/ViewerPane.h"

#include <QVariant>

class QWebEnginePage;

namespace quillery {

class Binder;
class Workspace;

namespace test {

struct BinderFixture;

// The web engine's own page behind the viewer's browser, to run script in it.
QWebEnginePage *enginePage(ViewerPane &pane);

// A viewer pane of its own, showing pages of a fixture's binders in its browser.
struct WebViewer
{
    explicit WebViewer(BinderFixture &f);

    // Shows the binder's current page; false unless it loaded.
    bool show(Binder &binder);
    // Clicks the middle of an element as the user would, so the page acts on a user's
    // gesture.
    void click(const char *id);
    // The value of script, run in a world of its own, where script runs also while the
    // page's own is off; null when it gives none within 10 s.
    QVariant evaluate(const QString &script);

    Workspace &workspace;
    ViewerPane pane;
};

} // namespace test
} // namespace quillery
