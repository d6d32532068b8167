// SPDX-License-Identifier: GPL-3.0-or-later
// Every menu and every window the program makes: within one menu, or among what one window
// shows at once, no two captions may mark the same access key, or the key does something
// other than its caption says. A label that marks a key must lead somewhere (a buddy).
#include "platform_ui/QtDialogs.h"
#include "shell/ShellResources.h"
#include "shell/Translations.h"
#include "support/ui/ProgramWindows.h"
#include "window/BinderMenus.h"
#include "window/BinderWindow.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

// The captions that mark the same key more than once, as "where: 'k' in A | B".
QStringList clashes(const QString &where, const QStringList &captions)
{
    QMap<QChar, QStringList> byKey;
    for (const QString &caption : captions) {
        const QChar key = accessKey(caption);
        if (!key.isNull())
            byKey[key] << caption;
    }
    QStringList found;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (it.value().size() > 1)
            found << where + ": '" + it.key() + "' in " + it.value().join(" | ");
    }
    return found;
}

class AccessKeys
{
public:
    QStringList faults;

    // One menu and, through its items, every menu below it.
    void menu(QMenu *menu, const QString &where)
    {
        if (m_seen.contains(menu))
            return;
        m_seen << menu;
        QStringList captions;
        for (QAction *action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            captions << action->text();
            if (action->menu())
                this->menu(action->menu(), where + " > " + withoutAccessKeys(action->text()));
        }
        faults << clashes(where, captions);
    }

    // What the window shows at once, once for each page of each of its tab widgets and
    // tab bars, and every menu it holds.
    void window(QWidget *window, const QString &where)
    {
        faults << clashes(where, shownCaptions(window));
        for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
            for (int page = 1; page < tabs->count(); ++page) {
                tabs->setCurrentIndex(page);
                faults << clashes(where + " (" + withoutAccessKeys(tabs->tabText(page)) + ")",
                                  shownCaptions(window));
            }
            tabs->setCurrentIndex(0);
        }
        for (QMenu *owned : window->findChildren<QMenu *>())
            menu(owned, where + " menu " + withoutAccessKeys(owned->title()));
        for (QMenuBar *bar : window->findChildren<QMenuBar *>())
            menuBar(bar, where);
    }

    void menuBar(QMenuBar *bar, const QString &where)
    {
        for (QAction *action : bar->actions()) {
            if (action->menu())
                menu(action->menu(), where + " > " + withoutAccessKeys(action->text()));
        }
    }

private:
    QStringList shownCaptions(QWidget *window)
    {
        QStringList captions;
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(window))
                continue;
            if (auto *label = qobject_cast<QLabel *>(widget)) {
                if (label->textFormat() == Qt::PlainText || accessKey(label->text()).isNull())
                    continue;
                if (!label->buddy())
                    faults << window->objectName() + ": the label '" + label->text() +
                                  "' marks a key but has no buddy";
                captions << label->text();
            } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
                captions << button->text();
            } else if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
                captions << frame->title();
            } else if (auto *bar = qobject_cast<QTabBar *>(widget)) {
                for (int i = 0; i < bar->count(); ++i)
                    captions << bar->tabText(i);
            } else if (auto *menuBar = qobject_cast<QMenuBar *>(widget)) {
                for (QAction *action : menuBar->actions()) {
                    if (action->isVisible())
                        captions << action->text();
                }
            }
        }
        return captions;
    }

    QSet<QMenu *> m_seen;
};

} // namespace

class tst_accesskeys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { initShellResources(); }
    // Back to English for the tests that follow.
    void cleanup() { installTranslations(QLocale::c()); }

    void everyMenuAndWindow_data()
    {
        QTest::addColumn<QLocale>("language");
        QTest::newRow("English") << QLocale::c();
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    }

    void everyMenuAndWindow()
    {
        QFETCH(QLocale, language);
        QCOMPARE(installTranslations(language), language != QLocale::c());
        BinderFixture f;
        Window w(f);
        AccessKeys keys;
        visitProgramWindows(
            f, w, [&keys](QWidget *window, const QString &name) { keys.window(window, name); });
        const BinderMenus &menus = w.main.activeBinderWindow()->menus();
        QCOMPARE(menus.barMenus().size(), 6); // File, Edit, View, Go, Window and Help
        keys.menu(menus.textMenu, "text pane menu");
        keys.menu(menus.pageMenu, "page menu");
        keys.menu(menus.listMenu, "page list menu");
        QVERIFY2(keys.faults.isEmpty(), qPrintable(keys.faults.join('\n')));
    }
};

QTEST_MAIN(tst_accesskeys)
#include "tst_accesskeys.moc"
