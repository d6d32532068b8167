// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "EncryptedFixture.h"
#include "TestSupport.h"
#include "documents/PageCommands.h"
#include "shell/MainWindow.h"
#include "support/ui/MainWindowFixture.h"
#include "transfer/FileNames.h"
#include "window/BinderWindow.h"
#include "window/PageDragData.h"
#include "window/PageDrops.h"
#include "window/PageTransfer.h"

#include <QAbstractItemView>
#include <QDir>
#include <QDropEvent>
#include <QListView>
#include <QMimeData>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>

using namespace quillery;
using namespace quillery::test;

namespace {

const QList<QPair<QString, QByteArray>> FourPages = {
    {"one.txt", "1"}, {"two.txt", "2"}, {"three.txt", "3"}, {"four.txt", "4"}};

QStringList pageNames(const Binder &binder)
{
    QStringList names;
    for (const PageRow &row : binder.pages().rows())
        names << row.name;
    return names;
}

// Whether the view lays items side by side (the icon views) rather than one above another.
bool sideBySide(const QAbstractItemView &view)
{
    const auto *list = qobject_cast<const QListView *>(&view);
    return list && list->flow() == QListView::LeftToRight;
}

// Where a drop lands before (or, with after, behind) the row: in the half of its item
// that faces that way.
QPoint pointAt(QAbstractItemView &view, int row, bool after)
{
    const QRect rect = view.visualRect(view.model()->index(row, 0));
    const QPoint centre = rect.center();
    const int dx = sideBySide(view) ? rect.width() / 4 : 0;
    const int dy = dx == 0 ? rect.height() / 4 : 0;
    return after ? centre + QPoint(dx, dy) : centre - QPoint(dx, dy);
}

// Drags the data over the view to the point and drops it there, as a drag from another
// window or program arrives; whether the drop was taken.
bool dropOn(QAbstractItemView &view, const QMimeData &data, const QPoint &at,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(view.viewport(), &move);
    QDropEvent drop(at, actions, &data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(view.viewport(), &drop);
    return drop.isAccepted();
}

QMimeData *uriList(const QStringList &paths)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

// The main window with a binder of the four pages open in it.
struct FourPagesShown
{
    BinderFixture f;
    Window w{f};
    BinderWindow *window = open();

    BinderWindow *open()
    {
        w.main.openFile(f.makeBinder("b.qly", FourPages));
        return w.main.activeBinderWindow();
    }
};

PageDrops &dropsOf(BinderWindow &window)
{
    return *window.findChild<PageDrops *>();
}

} // namespace

class tst_pagedrops : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Files from a file manager land where they are dropped, kinds by extension, as one
    // step; a folder and a FIFO are named in one message and added to nothing, and the
    // FIFO is never opened (a read would block the program).
    void filesDroppedBecomePagesWhereDropped()
    {
        FourPagesShown shown;
        BinderFixture &f = shown.f;
        BinderWindow *window = shown.window;
        Binder &binder = window->binder();
        window->setView(PageListView::View::Details);
        QDir().mkpath(f.path("in/folder"));
        const QString fifo = f.path("in/pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const std::unique_ptr<QMimeData> data(
            uriList({f.file("in/Notes.txt", "notes"), f.path("in/folder"),
                     f.file("in/photo.PNG", "png bytes"), fifo, f.file("in/data.bin", "bin")}));
        QAbstractItemView &view = *window->pageList()->currentView();
        QVERIFY(dropOn(view, *data, pointAt(view, 1, false)));
        QTRY_COMPARE(binder.pageCount(), 7);
        QCOMPARE(pageNames(binder),
                 QStringList({"one", "Notes", "photo.PNG", "data.bin", "two", "three", "four"}));
        QCOMPARE(binder.page(2).key.kind.name(), QString("TXT"));
        QCOMPARE(binder.page(3).key.kind.name(), QString("PICTURE"));
        QCOMPARE(binder.page(4).key.kind.name(), QString("FILE"));
        QCOMPARE(pageBytes(binder, 3), QByteArray("png bytes"));
        QCOMPARE(binder.currentPosition(), 2);
        QCOMPARE(binder.history().undoText(), QString("Import 3 Files"));
        QCOMPARE(f.dialogs.calls().size(), 1);
        const QString message = f.dialogs.lastText();
        QVERIFY(message.contains("'" + f.path("in/folder") + "' is a folder"));
        QVERIFY(message.contains("'" + fifo + "' is not a regular file"));
        binder.undo();
        QCOMPARE(pageNames(binder), QStringList({"one", "two", "three", "four"}));

        // Only folders: nothing is added, and there is no step.
        const int steps = binder.history().count();
        const std::unique_ptr<QMimeData> folders(uriList({f.path("in/folder")}));
        QVERIFY(dropOn(view, *folders, pointAt(view, 0, false)));
        QTRY_COMPARE(f.dialogs.calls().size(), 2);
        QCOMPARE(binder.history().count(), steps);
    }

    // A page dragged within the list moves to the marker, in each of the four views, as
    // one step; the marker lies between the rows (or icons) the page lands between.
    void pagesDraggedWithinTheListMoveToTheMarker()
    {
        FourPagesShown shown;
        BinderWindow *window = shown.window;
        Binder &binder = window->binder();
        using View = PageListView::View;
        for (View kind : {View::LargeIcons, View::SmallIcons, View::List, View::Details}) {
            window->setView(kind);
            QAbstractItemView &view = *window->pageList()->currentView();
            QCoreApplication::processEvents();
            const std::unique_ptr<QMimeData> drag(dropsOf(*window).dragData({1}));

            // Over the third page's far half: the marker lies behind it.
            const QPoint at = pointAt(view, 2, true);
            QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, drag.get(), Qt::LeftButton,
                                  Qt::NoModifier);
            QCoreApplication::sendEvent(view.viewport(), &enter);
            QVERIFY(enter.isAccepted());
            QCOMPARE(enter.dropAction(), Qt::MoveAction);
            auto *marker = view.viewport()->findChild<QWidget *>("dropMarker");
            QVERIFY(marker && marker->isVisible());
            const QRect third = view.visualRect(view.model()->index(2, 0));
            QCOMPARE(sideBySide(view), kind == View::LargeIcons || kind == View::SmallIcons);
            if (sideBySide(view))
                QVERIFY(qAbs(marker->geometry().center().x() - third.right()) <= 2);
            else
                QVERIFY(qAbs(marker->geometry().center().y() - third.bottom()) <= 2);
            const QImage shown = view.viewport()->grab().toImage();
            QCOMPARE(shown.pixelColor(marker->geometry().center()),
                     view.palette().color(QPalette::Highlight));
            QDragLeaveEvent leave;
            QCoreApplication::sendEvent(view.viewport(), &leave);
            QVERIFY(!marker->isVisible());

            QVERIFY(dropOn(view, *drag, at));
            QTRY_COMPARE(pageNames(binder), QStringList({"two", "three", "one", "four"}));
            QCOMPARE(binder.currentPosition(), 3);
            QCOMPARE(binder.history().undoText(), QString("Move Page 'one'"));
            binder.undo();
            QCOMPARE(pageNames(binder), QStringList({"one", "two", "three", "four"}));
        }

        // With Ctrl the page is copied, not moved.
        QAbstractItemView &view = *window->pageList()->currentView();
        const std::unique_ptr<QMimeData> drag(dropsOf(*window).dragData({1}));
        QVERIFY(dropOn(view, *drag, pointAt(view, 2, true), Qt::ControlModifier));
        QTRY_COMPARE(pageNames(binder), QStringList({"one", "two", "three", "one", "four"}));
    }

    // To another binder window a page is copied, with Shift moved, each binder one step;
    // the page's name, comments and bytes arrive whole.
    void pagesDraggedToAnotherWindowAreCopiedOrMoved()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("a.qly", FourPages));
        BinderWindow *source = w.main.activeBinderWindow();
        w.main.openFile(f.makeBinder("b.qly", {{"only.txt", "only"}}));
        BinderWindow *target = w.main.activeBinderWindow();
        QVERIFY(source != target);
        QAbstractItemView &view = *target->pageList()->currentView();

        const std::unique_ptr<QMimeData> copy(dropsOf(*source).dragData({2}));
        QVERIFY(dropOn(view, *copy, pointAt(view, 0, false)));
        QTRY_COMPARE(pageNames(target->binder()), QStringList({"two", "only"}));
        QCOMPARE(pageBytes(target->binder(), 1), QByteArray("2"));
        QCOMPARE(target->binder().history().undoText(), QString("Copy Page 'two'"));
        QCOMPARE(source->binder().pageCount(), 4);

        const std::unique_ptr<QMimeData> move(dropsOf(*source).dragData({3}));
        QVERIFY(dropOn(view, *move, pointAt(view, 1, true), Qt::ShiftModifier));
        QTRY_COMPARE(pageNames(source->binder()), QStringList({"one", "two", "four"}));
        QCOMPARE(pageNames(target->binder()), QStringList({"two", "only", "three"}));
        QCOMPARE(source->binder().history().undoText(), QString("Move Out Page 'three'"));
        source->binder().undo();
        QCOMPARE(source->binder().pageCount(), 4);

        // A page that has left its place while it was dragged stays, and so does the page
        // now at that place: the source loses only what was dragged from where it was.
        const std::unique_ptr<QMimeData> stale(dropsOf(*source).dragData({3}));
        source->binder().push(std::make_unique<RemovePagesCommand>(
            *f.workspace, source->binder(), 1, 1, QStringLiteral("Delete Page")));
        QVERIFY(dropOn(view, *stale, pointAt(view, 0, false), Qt::ShiftModifier));
        QTRY_COMPARE(target->binder().pageCount(), 4);
        QCOMPARE(pageNames(source->binder()), QStringList({"two", "three", "four"}));
    }

    // A read-only binder takes no drop and the status bar says why.
    void readOnlyBinderTakesNoDrop()
    {
        FourPagesShown shown;
        BinderFixture &f = shown.f;
        BinderWindow *window = shown.window;
        window->binder().setReadOnly(true);
        QStringList said;
        connect(window, &BinderWindow::statusText, this,
                [&said](StatusPanel, const QString &text) { said << text; });
        QAbstractItemView &view = *window->pageList()->currentView();
        const std::unique_ptr<QMimeData> files(uriList({f.file("x.txt", "x")}));
        QVERIFY(!dropOn(view, *files, pointAt(view, 0, false)));
        const std::unique_ptr<QMimeData> own(dropsOf(*window).dragData({1}));
        QVERIFY(!dropOn(view, *own, pointAt(view, 2, true)));
        QCoreApplication::processEvents();
        QCOMPARE(window->binder().pageCount(), 4);
        QCOMPARE(window->binder().history().count(), 0);
        QVERIFY(!said.isEmpty() && said.last().contains("read-only"));
    }

    // Another instance's pages arrive in the program's own type; bytes that are not that
    // format throughout (cut short, counts past the end or absurd, an unknown kind) add
    // nothing and say so.
    void pagesOfAnotherInstanceAndDamagedOnes()
    {
        const QVector<TransferredPage> pages{
            {{"a \"b\", c\r\nd", "notes", "RTF", "-2147483643"}, QByteArray("{\\rtf1 x}")},
            {{"empty", "", "FILE", "NA"}, QByteArray()}};
        const QByteArray bytes = encodePages(pages);
        const std::optional<QVector<TransferredPage>> back = decodePages(bytes);
        QVERIFY(back && back->size() == 2);
        QCOMPARE(back->at(0).info.name, pages.at(0).info.name);
        QCOMPARE(back->at(0).data, pages.at(0).data);
        QVERIFY(back->at(1).data.isEmpty());
        const QByteArray head = "QUILLERY-PAGES 1\r\n";
        const QByteArray pagesCutShort = encodePages({{{"x", "", "TXT", "NA"}, "data"}}).chopped(1);
        for (const QByteArray &bad :
             {bytes.left(bytes.size() - 1), pagesCutShort, head + "99999999999999999 0\r\n",
              head + "-5 0\r\n", head + "10 99999999999\r\n\"a\",\"\",\"T\"", head + "3 0\r\nabc",
              QByteArray("x"), head + "+3 0\r\n\"a\""})
            QVERIFY2(!decodePages(bad), bad.constData());

        FourPagesShown shown;
        BinderFixture &f = shown.f;
        BinderWindow *window = shown.window;
        QAbstractItemView &view = *window->pageList()->currentView();
        QMimeData data;
        data.setData(PagesMimeType, bytes);
        QVERIFY(dropOn(view, data, pointAt(view, 3, true)));
        QTRY_COMPARE(window->binder().pageCount(), 6);
        QCOMPARE(window->binder().page(5).name, pages.at(0).info.name);
        QCOMPARE(window->binder().page(5).comments, QString("notes"));
        QCOMPARE(pageBytes(window->binder(), 5), pages.at(0).data);
        QCOMPARE(window->binder().history().undoText(), QString("Copy 2 Pages"));

        for (const QByteArray &bad :
             {head + "3 0\r\nabc", QByteArray(encodePages({{{"x", "", "NOKIND", "NA"}, "x"}}))}) {
            QMimeData damaged;
            damaged.setData(PagesMimeType, bad);
            const int calls = int(f.dialogs.calls().size());
            QVERIFY(dropOn(view, damaged, pointAt(view, 0, false)));
            QTRY_COMPARE(f.dialogs.calls().size(), calls + 1);
            QCOMPARE(window->binder().pageCount(), 6);
        }
    }

    // Dragged out, pages become files named as Export names them, in a folder of the
    // program's own, written only once the drop target asks for them; hostile names stay
    // inside that folder.
    void pagesDraggedOutBecomeFilesWhenAsked()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder(
            "b.qly",
            {{"1.txt", "up"}, {"2.rtf", "{\\rtf1 r}"}, {"3.bin", "long"}, {"4.bin", "1"}}));
        const QStringList hostile{"../../escape", "a/b\nc", QString(300, u'x') + ".bin",
                                  QString(300, u'x') + ".bin"};
        for (int position = 1; position <= 4; ++position) {
            PageRow row = binder->page(position);
            row.name = hostile.at(position - 1);
            binder->updatePage(position, row);
        }
        PageDragData data(*f.workspace, *binder, {1, 2, 3, 4});
        QVERIFY(data.hasFormat("text/uri-list"));
        QVERIFY(data.hasFormat(PagesMimeType));
        const QStringList before =
            QDir(f.temp->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QVERIFY(before.filter("Dragged").isEmpty());

        const QList<QUrl> urls = data.urls();
        QCOMPARE(urls.size(), 4);
        QCOMPARE(data.urls(), urls); // written once
        const QString folder = QFileInfo(urls.first().toLocalFile()).path();
        QVERIFY(folder.startsWith(f.temp->path() + "/Dragged-"));
        QCOMPARE(QFileInfo(folder).permissions() & (QFile::ReadOther | QFile::ReadGroup),
                 QFile::Permissions());
        QSet<QString> names;
        for (int i = 0; i < urls.size(); ++i) {
            const QString path = urls.at(i).toLocalFile();
            QCOMPARE(QFileInfo(path).path(), folder);
            QCOMPARE(readFile(path), pageBytes(*binder, i + 1));
            names << QFileInfo(path).fileName();
        }
        QVERIFY(names.contains(pageFileName(binder->page(1).name, PageKind::TXT)));
        QVERIFY(names.contains(pageFileName(binder->page(2).name, PageKind::RTF)));
        QVERIFY(names.contains(pageFileName(binder->page(3).name, PageKind::FILE)));
        QCOMPARE(names.size(), 4); // two pages of one name get two files
        for (const QString &name : names) {
            QVERIFY(!name.contains(u'/') && !name.contains(u'\n') && !name.startsWith(u'.'));
            QVERIFY(name.toUtf8().size() <= 255);
        }
        // The files and their folder go when the program lets go of its temporary files.
        f.temp->deleteRegistered();
        QVERIFY(!QFileInfo::exists(folder));
    }

    // An encrypted binder's pages go to another binder window of this instance, and are
    // offered in no form another program could read or a file manager could write out.
    void encryptedPagesStayInTheProgram()
    {
        Encrypted e;
        QVERIFY(!e.path.isEmpty());
        auto secret = e.open();
        QVERIFY(secret);
        PageDragData data(*e.f.workspace, *secret, {1});
        QCOMPARE(data.formats(), QStringList{LocalPagesMimeType});
        QVERIFY(data.data(PagesMimeType).isEmpty());
        QVERIFY(data.urls().isEmpty());
        QVERIFY(data.data(LocalPagesMimeType).isEmpty());
        QVERIFY(filesHoldingMarker(e.f.temp->path()).isEmpty());

        Binder plain;
        PageDrops drops(*e.f.workspace, plain);
        QCOMPARE(drops.dropAction(data, Qt::NoModifier), Qt::CopyAction);
        drops.drop(data, Qt::CopyAction, 1);
        QTRY_COMPARE(plain.pageCount(), 1);
        QCOMPARE(pageBytes(plain, 1), pageBytes(*secret, 1));
        plain.discardChanges();
    }
};

QTEST_MAIN(tst_pagedrops)
#include "tst_pagedrops.moc"
