// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FirstPaint.h"

#include "window/BinderWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <vector>

namespace quillery {

namespace {

class FirstPaintWatch : public QObject
{
public:
    using QObject::QObject;
    std::vector<std::function<void()>> work;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<BinderWindow *>(watched)) {
            QCoreApplication::instance()->removeEventFilter(this);
            // The window's children paint in the same pass; the work follows it.
            QTimer::singleShot(0, this, [this] {
                for (const auto &step : work)
                    step();
                deleteLater();
            });
        }
        return false;
    }
};

} // namespace

void afterFirstPaint(std::function<void()> work)
{
    static QPointer<FirstPaintWatch> watch;
    if (!watch) {
        watch = new FirstPaintWatch(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(watch);
    }
    watch->work.push_back(std::move(work));
}

} // namespace quillery
