// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "documents/LumpArchive.h"
#include "shell/RecentFiles.h"
#include "shell/RecentFilesWindow.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QtEndian>

using namespace quillery;

namespace {

QByteArray le(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

// A "QLRF" archive written by hand from (name, data) lumps.
QByteArray archive(const QList<QPair<QByteArray, QByteArray>> &lumps)
{
    QByteArray body;
    QByteArray dir;
    quint32 offset = 12;
    for (const auto &[name, data] : lumps) {
        body += data;
        dir += le(offset) + le(quint32(data.size())) + name.leftJustified(8, '\0');
        offset += data.size();
    }
    return "QLRF" + le(quint32(lumps.size())) + le(offset) + body + dir;
}

QStringList lumpNames(const QString &path)
{
    QStringList names;
    for (const Lump &lump : LumpArchive::readDirectory(path, "QLRF"))
        names << QString::fromLatin1(lump.name);
    return names;
}

QPushButton *button(QWidget &window, const char *name)
{
    return window.findChild<QPushButton *>(QLatin1String(name));
}

QTreeWidget *list(QWidget &window)
{
    return window.findChild<QTreeWidget *>("LV");
}

} // namespace

class tst_recentfiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedDialogs m_dialogs;
    int m_files = 0;

    QString freshPath() { return m_dir.filePath(QStringLiteral("r%1/Recent.dat").arg(++m_files)); }

    // A saved list of existing binders b1.qly ... bN.qly, newest (bN) first.
    QString savedList(int rows)
    {
        RecentFiles recent(freshPath());
        for (int i = 1; i <= rows; ++i) {
            const QString binder = m_dir.filePath(QStringLiteral("b%1.qly").arg(i));
            test::writeFile(binder, "QLY4");
            recent.addItem(QStringLiteral("Binder %1").arg(i), binder);
        }
        recent.save(m_dialogs);
        return recent.path();
    }

private Q_SLOTS:
    void init() { m_dialogs.clear(); }

    void aBinderKeepsOneRowWhateverTheCase()
    {
        RecentFiles recent(freshPath());
        recent.addItem("Notes", "/home/t/Notes.qly");
        recent.addItem("Other", "/home/t/other.qly");
        recent.addItem("Notes again", "/HOME/t/NOTES.QLY");
        QCOMPARE(recent.count(), 2);
        QCOMPARE(recent.items()[0].title, QString("Notes again"));
        QCOMPARE(recent.items()[0].path, QString("/HOME/t/NOTES.QLY"));
        QCOMPARE(recent.items()[1].title, QString("Other"));
        QCOMPARE(recent.positionOf("/home/T/notes.qly"), 1);
        QCOMPARE(recent.positionOf("/home/t/other.qly"), 2);
        QCOMPARE(recent.positionOf("/home/t/none.qly"), 0);
    }

    void listAndWidthsSurviveTheFile()
    {
        // No file is an empty list; an empty list holds only the widths.
        RecentFiles recent(freshPath());
        QVERIFY(recent.load(m_dialogs));
        QVERIFY(recent.save(m_dialogs));
        QCOMPARE(lumpNames(recent.path()), QStringList({"T_WIDTH", "F_WIDTH"}));
        QVERIFY(recent.load(m_dialogs));
        QCOMPARE(recent.count(), 0);

        recent.addItem("Älteres · 本", "/data/ä b/older.qly");
        recent.addItem("", "/data/newer.qly");
        recent.titleWidth = 1234.5;
        recent.fileWidth = 6000;
        QVERIFY(recent.save(m_dialogs));
        QCOMPARE(lumpNames(recent.path()),
                 QStringList({"TITLE", "FILENAME", "TITLE", "FILENAME", "T_WIDTH", "F_WIDTH"}));

        RecentFiles again(recent.path());
        QVERIFY(again.load(m_dialogs));
        QCOMPARE(again.count(), 2);
        QCOMPARE(again.items()[0].path, QString("/data/newer.qly"));
        QCOMPARE(again.items()[0].title, QString());
        QCOMPARE(again.items()[1].title, QString("Älteres · 本"));
        QCOMPARE(again.titleWidth, 1234.5);
        QCOMPARE(again.fileWidth, 6000.0);
        QVERIFY(m_dialogs.calls().isEmpty());
    }

    void damagedListsKeepWhatWasRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rowsKept");
        const QByteArray row1 = "One", path1 = "/a/one.qly";
        QTest::newRow("garbage") << QByteArray(300, '\xa5') << 0;
        QTest::newRow("cut short") << archive({{"TITLE", row1}, {"FILENAME", path1}}).left(20) << 0;
        QTest::newRow("odd count") << archive({{"TITLE", row1},
                                               {"FILENAME", path1},
                                               {"TITLE", "Two"},
                                               {"FILENAME", "/a/two.qly"},
                                               {"T_WIDTH", "100"}})
                                   << 2;
        QTest::newRow("width not a number")
            << archive(
                   {{"TITLE", row1}, {"FILENAME", path1}, {"T_WIDTH", "wide"}, {"F_WIDTH", "100"}})
            << 1;
    }

    void damagedListsKeepWhatWasRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, rowsKept);
        const QString path = freshPath();
        test::writeFile(path, bytes);

        RecentFiles recent(path);
        QVERIFY(!recent.load(m_dialogs));
        QCOMPARE(recent.count(), rowsKept);
        QCOMPARE(m_dialogs.calls().size(), 1);
        const DialogCall call = m_dialogs.calls().first();
        QCOMPARE(call.icon, MsgIcon::Critical);
        QCOMPARE(call.buttons, MsgButtons::Ok);
        QCOMPARE(call.title, QString("Recent Files Error"));
        QVERIFY(
            call.text.startsWith("Quillery could not open the recent file list file ('" + path));
        QVERIFY(call.text.contains("The file is damaged: "));
        QVERIFY(call.text.endsWith(", 321"));

        // The window still comes up, and writing replaces the damaged file with a sound one.
        m_dialogs.clear();
        RecentFilesWindow window(m_dialogs, {}, {}, path);
        QCOMPARE(list(window)->topLevelItemCount(), rowsKept);
        window.unload();
        RecentFiles again(path);
        QVERIFY(again.load(m_dialogs));
        QCOMPARE(again.count(), rowsKept);
    }

    void removingTheSelectedRowSelectsRowOne()
    {
        RecentFilesWindow window(m_dialogs, {}, {}, savedList(3));
        QTreeWidget *rows = list(window);
        QCOMPARE(rows->currentItem(), rows->topLevelItem(0));
        rows->setCurrentItem(rows->topLevelItem(1));
        const QString doomed = rows->topLevelItem(1)->text(1);

        m_dialogs.queueMessage(MsgResult::No);
        button(window, "cmdDel")->click();
        QCOMPARE(rows->topLevelItemCount(), 3);

        m_dialogs.queueMessage(MsgResult::Yes);
        button(window, "cmdDel")->click();
        QCOMPARE(m_dialogs.calls().last().buttons, MsgButtons::YesNo);
        QCOMPARE(m_dialogs.lastText(),
                 "Are you sure you want to remove the selected item '" + doomed + "'?");
        QCOMPARE(rows->topLevelItemCount(), 2);
        QCOMPARE(window.positionOf(doomed), 0);
        QCOMPARE(rows->currentItem(), rows->topLevelItem(0));
    }

    void okOpensABinderOrOffersToForgetIt()
    {
        QStringList opened;
        int others = 0;
        RecentFilesWindow window(
            m_dialogs, [&](const QString &path) { opened << path; }, [&] { ++others; },
            savedList(1));
        window.addItem("Gone", m_dir.filePath("gone.qly"));
        window.show();

        m_dialogs.queueMessage(MsgResult::Yes);
        button(window, "cmdOK")->click();
        QCOMPARE(m_dialogs.calls().last().title, QString("Open Error"));
        QVERIFY(m_dialogs.lastText().startsWith("The selected file you are trying to open '" +
                                                m_dir.filePath("gone.qly") + "' does not exist."));
        QVERIFY(opened.isEmpty());
        QVERIFY(window.isVisible());
        QCOMPARE(list(window)->topLevelItemCount(), 1);

        button(window, "cmdOK")->click();
        QCOMPARE(opened, QStringList({m_dir.filePath("b1.qly")}));
        QVERIFY(!window.isVisible());
        window.show();
        button(window, "cmdOther")->click();
        QCOMPARE(others, 1);
        QVERIFY(!window.isVisible());
    }

    void theCloseBoxWritesTheList()
    {
        const QString path = savedList(2);
        {
            RecentFilesWindow window(m_dialogs, {}, {}, path);
            window.show();
            m_dialogs.queueMessage(MsgResult::Yes);
            button(window, "cmdDelAll")->click();
            QCOMPARE(m_dialogs.calls().last().title, QString("Remove All"));
            QCOMPARE(m_dialogs.lastText(),
                     QString("Are you sure you want to remove all the items from the list?"));
            // Cancel only hides: the file still holds both rows.
            button(window, "cmdCancel")->click();
            QCOMPARE(lumpNames(path).size(), 6);
            window.show();
            window.close();
        }
        RecentFilesWindow again(m_dialogs, {}, {}, path);
        QCOMPARE(list(again)->topLevelItemCount(), 0);
        QVERIFY(!button(again, "cmdOK")->isEnabled());
        QVERIFY(!button(again, "cmdDel")->isEnabled());
        QVERIFY(button(again, "cmdOther")->isEnabled());
    }
};

QTEST_MAIN(tst_recentfiles)
#include "tst_recentfiles.moc"
