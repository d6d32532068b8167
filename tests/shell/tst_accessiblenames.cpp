// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears, asked of Qt's accessibility interfaces as the AT-SPI bridge
// asks them: every control of every window has a name, the page list's rows say name, kind
// and position in each view, toolbar buttons say their command, the viewer says which page
// it shows, and the keyboard reaches what the mouse does.
#include "editor/FormatToolbar.h"
#include "platform_ui/QtDialogs.h"
#include "platform_ui/RichTextBox.h"
#include "shell/MainToolbar.h"
#include "shell/ShellResources.h"
#include "support/ui/EditorFixture.h"
#include "support/ui/MainWindowFixture.h"
#include "support/ui/ProgramWindows.h"
#include "window/BinderMenus.h"
#include "window/BinderWindow.h"
#include "window/PageListView.h"
#include "window/PageRename.h"
#include "window/ViewerPane.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

using namespace quillery;
using namespace quillery::test;

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject *object)
{
    QAccessibleInterface *face = accessible(object);
    return face ? face->text(QAccessible::Name) : QString();
}

// What a user operates: what takes the keyboard focus, and buttons that take none (those
// of a toolbar).
bool isControl(QWidget *widget)
{
    if (widget->focusPolicy() != Qt::NoFocus)
        return true;
    QAccessibleInterface *face = accessible(widget);
    return face &&
           (face->role() == QAccessible::PushButton || face->role() == QAccessible::ButtonMenu ||
            face->role() == QAccessible::ButtonDropDown || face->role() == QAccessible::CheckBox ||
            face->role() == QAccessible::RadioButton);
}

QString pathOf(QWidget *widget, QWidget *window)
{
    QStringList path;
    for (QWidget *w = widget; w && w != window; w = w->parentWidget())
        path.prepend(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                               : w->objectName());
    return path.join(" > ");
}

// The controls a window shows without a name, as "where: Role at path".
class Unnamed
{
public:
    QStringList faults;

    // What the window shows at once, for each page of each of its tab widgets.
    void window(QWidget *window, const QString &where)
    {
        shown(window, where);
        for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
            for (int page = 1; page < tabs->count(); ++page) {
                tabs->setCurrentIndex(page);
                shown(window, where + " (" + tabs->tabText(page) + ")");
            }
            tabs->setCurrentIndex(0);
        }
    }

private:
    void shown(QWidget *window, const QString &where)
    {
        QList<QWidget *> widgets = window->findChildren<QWidget *>();
        widgets << window;
        for (QWidget *widget : widgets) {
            if (!widget->isVisibleTo(window) || !isControl(widget) || m_seen.contains(widget))
                continue;
            m_seen << widget;
            // An editable combo box's line edit is the box to a screen reader.
            if (qobject_cast<QLineEdit *>(widget) && widget->parentWidget() &&
                widget->parentWidget()->focusProxy() == widget)
                continue;
            if (nameOf(widget).trimmed().isEmpty()) {
                const QAccessibleInterface *face = accessible(widget);
                faults << where + ": " +
                              (face ? QString::number(face->role(), 16) : QString("no interface")) +
                              " at " + pathOf(widget, window);
            }
        }
    }

    QSet<QWidget *> m_seen;
};

// What the view's row says, through the view's own accessible cell, as the bridge reads it.
QString rowText(QAbstractItemView *view, int row, QAccessible::Text text = QAccessible::Name)
{
    QAccessibleTableInterface *table = accessible(view)->tableInterface();
    if (!table)
        return "no table";
    QAccessibleInterface *cell = table->cellAt(row, 0);
    return cell ? cell->text(text) : QString("no cell");
}

// The answer a modal dialog's window gives a screen reader, asked while it is open.
QString unnamedInModal(const std::function<void()> &open)
{
    QString faults = "the dialog did not open";
    QTimer::singleShot(0, [&faults] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        Unnamed unnamed;
        unnamed.window(dialog, dialog->windowTitle());
        faults = unnamed.faults.join('\n');
        dialog->close();
    });
    open();
    return faults;
}

} // namespace

class tst_accessiblenames : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { initShellResources(); }

    void everyWindowNamesItsControls()
    {
        BinderFixture f;
        Window w(f);
        Unnamed unnamed;
        visitProgramWindows(f, w, [&unnamed](QWidget *window, const QString &name) {
            unnamed.window(window, name);
        });
        w.main.activeBinderWindow()->setView(PageListView::View::Details);
        unnamed.window(&w.main, "main window, details");
        QVERIFY2(unnamed.faults.isEmpty(), qPrintable(unnamed.faults.join('\n')));

        QtDialogs dialogs;
        QCOMPARE(unnamedInModal([&dialogs] { dialogs.input("Author Name", "Your name:", "x"); }),
                 QString());
    }

    // Each row says its page's name, kind and place, in the icon views and the details
    // view alike, and follows the binder as pages move and go.
    void pageRowsSayNameKindAndPlace()
    {
        BinderFixture f;
        Window w(f);
        const QString path =
            f.makeBinder("rows.qly", {{"Notes.rtf", "{\\rtf1 rich}"},
                                      {"%2 and %1.txt", "a hostile name stays as it is"},
                                      {"beep.wav", "RIFF"}});
        w.main.openFile(path);
        BinderWindow *window = w.main.activeBinderWindow();
        QVERIFY(window);
        PageListView *list = window->pageList();
        const QStringList expected = {"Notes, rich text, page 1 of 3",
                                      "%2 and %1, plain text, page 2 of 3",
                                      "beep.wav, sound, page 3 of 3"};
        for (const PageListView::View view :
             {PageListView::View::LargeIcons, PageListView::View::List,
              PageListView::View::Details}) {
            window->setView(view);
            for (int row = 0; row < expected.size(); ++row)
                QCOMPARE(rowText(list->currentView(), row), expected[row]);
        }
        QCOMPARE(nameOf(list->currentView()), "Pages");

        Binder &binder = window->binder();
        const PageRow first = binder.pages().at(0);
        QCOMPARE(rowText(list->currentView(), 0, QAccessible::Description),
                 "Modified " + first.modified + ", " + QLocale().toString(first.size) + " bytes");

        binder.setCurrentPosition(1);
        window->menus().action(Command::MoveDown)->trigger();
        QCOMPARE(rowText(list->currentView(), 1), "Notes, rich text, page 2 of 3");
        window->menus().action(Command::DeletePage)->trigger();
        QCOMPARE(binder.pageCount(), 2);
        QCOMPARE(rowText(list->currentView(), 1), "beep.wav, sound, page 2 of 2");
    }

    // The buttons show pictures alone; each says its command, and a drop-down button the
    // command a click on it repeats.
    void toolbarButtonsSayTheirCommand()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("bar.qly", {{"a.txt", "a"}}));
        MainToolbar *bar = w.main.findChild<MainToolbar *>();
        QVERIFY(bar);
        const auto button = [bar](Command command) {
            return bar->widgetForAction(bar->item(command));
        };
        QCOMPARE(nameOf(button(Command::Save)), "Save");
        QCOMPARE(accessible(button(Command::Save))->text(QAccessible::Description),
                 "Save File (Ctrl+S)");
        QCOMPARE(nameOf(button(Command::DeletePage)), "Delete Page");
        QCOMPARE(nameOf(button(Command::Back)), "Back");

        QToolButton *add = nullptr;
        for (QToolButton *b : bar->findChildren<QToolButton *>()) {
            if (b->menu() && b->menu()->actions().contains(bar->item(Command::InsertSound)))
                add = b;
        }
        QVERIFY(add);
        QCOMPARE(nameOf(add), "New Rich Text Page");
        bar->item(Command::InsertSound)->trigger();
        QCOMPARE(nameOf(add), "Sound");
    }

    // The viewer says which page it shows, and nothing when it shows none.
    void viewerSaysThePageShown()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("viewer.qly", {{"First.txt", "one"}, {"Second.txt", "two"}}));
        BinderWindow *window = w.main.activeBinderWindow();
        QVERIFY(window);
        RichTextBox *text = window->viewer()->textPane();
        Binder &binder = window->binder();
        binder.setCurrentPosition(2);
        QCOMPARE(nameOf(text), "Viewer: Second");
        QCOMPARE(nameOf(window->viewer()), "Viewer: Second");
        beginRename(binder, 2);
        QVERIFY(finishRename(*f.workspace, binder, 2, "Renamed"));
        QCOMPARE(nameOf(text), "Viewer: Renamed");
        binder.setCurrentPosition(0);
        QCOMPARE(nameOf(window->viewer()), "Viewer, no page shown");
    }

    // Tab goes from the page list to the page shown and back: nothing else in the window
    // takes the focus between them, and an auto-hidden list opens while it has the focus.
    void keyboardGoesBetweenThePanes()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("keys.qly", {{"First.txt", "one"}, {"Second.txt", "two"}}));
        BinderWindow *window = w.main.activeBinderWindow();
        QVERIFY(window);
        QApplication::setActiveWindow(&w.main);
        QVERIFY(QTest::qWaitForWindowActive(&w.main));
        QWidget *list = window->pageList()->currentView();
        QWidget *text = window->viewer()->textPane();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), text);
        QTest::keyClick(text, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), list);

        Binder &binder = window->binder();
        const int shown = binder.paneLength();
        window->menus().action(Command::AutoHide)->trigger();
        QTest::keyClick(list, Qt::Key_Tab);
        const int hidden = binder.paneLength();
        QVERIFY2(hidden < shown, qPrintable(QString("%1 < %2").arg(hidden).arg(shown)));
        QTest::keyClick(text, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), list);
        QCOMPARE(binder.paneLength(), shown);
        QTest::keyClick(list, Qt::Key_Tab);
        QCOMPARE(binder.paneLength(), hidden);

        // The page's menu opens from keyboards without a menu key too.
        QMenu *menu = window->menus().pageMenu;
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
    }

    void editorNamesItsText()
    {
        EditorFixture editing;
        const auto editor = editing.edit(editing.addPage(PageKind::RTF, "{\\rtf1 x}", "Minutes"));
        QCOMPARE(nameOf(editor->findChild<RichTextBox *>("rtfEdit")), "Text of Minutes");
        QCOMPARE(nameOf(editor->findChild<QComboBox *>("cmbSize")->lineEdit()), "Font size");
        // Its tooltip names the colour it gives.
        QCOMPARE(nameOf(editor->findChild<FormatToolbar *>()->toolButton(FormatToolbar::Colour)),
                 "Text colour");
    }
};

QTEST_MAIN(tst_accessiblenames)
#include "tst_accessiblenames.moc"
