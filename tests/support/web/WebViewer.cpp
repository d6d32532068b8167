// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/WebViewer.h"

#include "BinderFixture.h"
#include "window/BrowserView.h"
#include "window/PageDisplay.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace quillery::test {

QWebEnginePage *enginePage(ViewerPane &pane)
{
    BrowserView *browser = pane.browser();
    auto *view = browser ? qobject_cast<QWebEngineView *>(browser->widget()) : nullptr;
    return view ? view->page() : nullptr;
}

WebViewer::WebViewer(BinderFixture &f) : workspace(*f.workspace), pane(f.dialogs)
{
    pane.resize(640, 480);
    pane.show();
}

bool WebViewer::show(Binder &binder)
{
    pane.showPage(preparePageDisplay(workspace, binder), binder);
    QWebEnginePage *page = enginePage(pane);
    if (!page)
        return false;
    QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
    return loaded.wait(20000) && loaded.last().at(0).toBool();
}

void WebViewer::click(const char *id)
{
    const QVariantList middle =
        evaluate(QStringLiteral("(r => [r.x + r.width / 2, r.y + r.height / 2])"
                                "(document.getElementById('%1').getBoundingClientRect())")
                     .arg(QLatin1String(id)))
            .toList();
    QCOMPARE(middle.size(), 2);
    QWidget *view = pane.browser()->widget();
    QTest::mouseClick(view->focusProxy() ? view->focusProxy() : view, Qt::LeftButton, {},
                      QPoint(middle[0].toInt(), middle[1].toInt()));
}

QVariant WebViewer::evaluate(const QString &script)
{
    QVariant result;
    bool done = false;
    enginePage(pane)->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                    [&](const QVariant &value) {
                                        result = value;
                                        done = true;
                                    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return QVariant();
    return result;
}

} // namespace quillery::test
