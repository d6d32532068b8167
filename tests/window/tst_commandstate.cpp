#include "TestSupport.h"
#include "documents/Binder.h"
#include "platform/TempFolder.h"
#include "window/CommandState.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

void addPages(Binder &binder, int count, const QString &kind = "TXT")
{
    binder.pages.reserve(binder.pageCount() + count);
    for (int i = 0; i < count; ++i) {
        PageRow row;
        row.name = QStringLiteral("Page %1").arg(binder.pageCount() + 1);
        row.key.serial = binder.takeSerial();
        row.key.kind = kind;
        binder.pages.append(row);
    }
}

// The items that need a selected row, in the order of their fields.
QList<bool> pageItems(const CommandState &s)
{
    return {s.mnuPrint,  s.mnuPProperties, s.mnuExport,   s.mnuExportFile, s.mnuEP,
            s.mnuRename, s.mnuEditCut,     s.mnuEditCopy, s.mnuEditDelete};
}

QList<std::optional<bool>> buttons(const CommandState &s)
{
    return QList<std::optional<bool>>(s.toolbar.begin() + CommandState::FirstButton,
                                      s.toolbar.end());
}

const std::optional<bool> on = true, off = false, kept = std::nullopt;

} // namespace

class tst_commandstate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void emptyBinderOffersOnlyAdding()
    {
        Binder binder;
        binder.WCaption = "Notes";
        const CommandState s = commandState(binder, {.html = true, .offline = true});
        QCOMPARE(pageItems(s), QList<bool>(9, false));
        QVERIFY(!s.mnuFind && !s.mnuEditDelAll && !s.mnuSearch && !s.mnuPView);
        QVERIFY(!s.mnuUp && !s.mnuDown && !s.mnuEditPaste && !s.mnuPPaste);
        QVERIFY(s.mnuOffline);
        QCOMPARE(buttons(s), QList<std::optional<bool>>(
                                 {on, on, on, off, off, off, off, kept, kept, on, on, on, on}));
        QCOMPARE(s.pagesStatus, QString("0 Pages"));
        QCOMPARE(s.caption, QString("Notes"));
        QCOMPARE(s.viewerVisible, std::nullopt);
        QVERIFY(!s.clearPageStatus && !s.makeSelectedCurrent);
    }

    void pagesWithoutASelectedRowHideTheViewer()
    {
        Binder binder;
        binder.WCaption = "Notes";
        addPages(binder, 1);
        binder.CurIndex = 1;
        CommandState s = commandState(binder, {.selected = 0, .pageOnClipboard = true});
        QCOMPARE(s.pagesStatus, QString("1 Page"));
        QCOMPARE(pageItems(s), QList<bool>(9, false));
        QVERIFY(!s.mnuFind && !s.mnuUp && !s.mnuDown);
        QVERIFY(s.mnuEditDelAll && s.mnuSearch && s.mnuPView && s.mnuEditPaste && s.mnuPPaste);
        QCOMPARE(buttons(s), QList<std::optional<bool>>({kept, kept, kept, off, off, off, kept,
                                                         kept, kept, off, off, off, off}));
        QCOMPARE(s.viewerVisible, std::optional<bool>(false));
        QVERIFY(s.clearPageStatus && !s.makeSelectedCurrent);
        QCOMPARE(s.caption, QString("Notes"));

        addPages(binder, 1233);
        // A row the list no longer has counts as no selection.
        s = commandState(binder, {.selected = 1235});
        QCOMPARE(s.pagesStatus, QString("1234 Pages"));
        QVERIFY(s.clearPageStatus);
    }

    void selectedRowShowsItsPositionAndMoves()
    {
        Binder binder;
        binder.WCaption = "Notes";
        addPages(binder, 1);
        binder.CurIndex = 1;
        CommandState s = commandState(binder, {.selected = 1});
        QCOMPARE(s.pagesStatus, QString("Page 1 of 1"));
        QVERIFY(!s.mnuUp && !s.mnuDown);
        QCOMPARE(pageItems(s), QList<bool>(9, true));
        QVERIFY(s.mnuFind && s.mnuEditDelAll && s.mnuSearch && s.mnuPView);
        QCOMPARE(buttons(s), QList<std::optional<bool>>(
                                 {on, on, on, on, on, on, on, on, kept, off, off, off, off}));
        QCOMPARE(s.caption, QString("Notes - Page 1"));
        QCOMPARE(s.viewerVisible, std::nullopt);
        QVERIFY(!s.clearPageStatus);

        addPages(binder, 1233);
        binder.CurIndex = 1000;
        s = commandState(binder, {.selected = 1000});
        QCOMPARE(s.pagesStatus, QString("Page 1,000 of 1,234"));
        QVERIFY(s.mnuUp && s.mnuDown);
        s = commandState(binder, {.selected = 1});
        QVERIFY(!s.mnuUp && s.mnuDown);
        s = commandState(binder, {.selected = 1234});
        QVERIFY(s.mnuUp && !s.mnuDown);
        QCOMPARE(s.caption, QString("Notes - Page 1234"));
    }

    void findNeedsTextAndTheSelectedRowBecomesCurrent()
    {
        Binder binder;
        for (const char *kind : {"RTF", "TXT", "HTML", "PICTURE", "SOUND", "FILE"})
            addPages(binder, 1, kind);
        const bool findable[] = {true, true, true, false, false, false};
        for (int position = 1; position <= 6; ++position) {
            binder.CurIndex = position;
            const CommandState s = commandState(binder, {.selected = position});
            QCOMPARE(s.mnuFind, findable[position - 1]);
            QVERIFY(!s.makeSelectedCurrent);
        }
        // With no current page the selected row is about to become current, so its kind decides.
        binder.CurIndex = 0;
        const CommandState s = commandState(binder, {.selected = 4});
        QVERIFY(s.makeSelectedCurrent);
        QVERIFY(!s.mnuFind);
    }

    void pasteFollowsThePageClipboardFile()
    {
        QTemporaryDir dir;
        const TempFolder temp(dir.filePath("tmp"));
        writeFile(temp.filePath("ClipData.tmp"), "data");
        QVERIFY(!pageOnClipboard(temp));
        writeFile(temp.filePath("ClipInfo.tmp"), "\"a\",\"\",\"TXT\",\"NA\"\r\n");
        QVERIFY(pageOnClipboard(temp));
    }
};

QTEST_MAIN(tst_commandstate)
#include "tst_commandstate.moc"
