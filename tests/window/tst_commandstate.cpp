// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "documents/Binder.h"
#include "window/CommandState.h"

#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

void addPages(Binder &binder, int count, const QString &kind = "TXT")
{
    for (int i = 0; i < count; ++i) {
        PageRow row;
        row.name = QStringLiteral("Page %1").arg(binder.pageCount() + 1);
        row.key.kind = StoredKind::fromName(kind);
        binder.appendLoadedPages({row});
    }
}

// The items that act on the selected page.
QList<bool> pageItems(const CommandState &s)
{
    return {s.mnuPrint,  s.mnuPProperties, s.mnuExport,   s.mnuExportFile, s.mnuEP,
            s.mnuRename, s.mnuEditCut,     s.mnuEditCopy, s.mnuEditDelete, s.mnuFind};
}

using Buttons = QList<std::optional<bool>>;
Buttons buttons(const CommandState &s)
{
    return Buttons(s.toolbar.begin() + toolbar::FirstBinderButton, s.toolbar.end());
}

const std::optional<bool> on = true, off = false, kept = std::nullopt;

} // namespace

class tst_commandstate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Without a selected row only the list's commands are offered; a selected one shows its
    // position and may move within the list.
    void theSelectedRowDecidesWhatIsOffered()
    {
        Binder binder;
        binder.setRecord("Title", "Notes");
        CommandState s = commandState(binder, {});
        QVERIFY(!s.mnuEditDelAll && !s.mnuSearch && !s.mnuEditPaste);

        addPages(binder, 1);
        binder.setCurrentPosition(1);
        s = commandState(binder, {.selected = 0, .pageOnClipboard = true});
        QCOMPARE(s.pagesStatus, QString("1 Page"));
        QCOMPARE(pageItems(s), QList<bool>(10, false));
        QVERIFY(s.mnuEditDelAll && s.mnuSearch && s.mnuPView && s.mnuEditPaste && s.mnuPPaste);
        QVERIFY(!s.mnuUp && !s.mnuDown);
        QCOMPARE(buttons(s),
                 Buttons({on, kept, on, off, off, off, kept, on, kept, off, off, off, off}));
        QVERIFY(s.clearPageStatus);

        // A row the list no longer has is no selection.
        s = commandState(binder, {.selected = 2});
        QCOMPARE(s.pagesStatus, QString("1 Page"));

        s = commandState(binder, {.selected = 1});
        QCOMPARE(s.pagesStatus, QString("Page 1 of 1"));
        QCOMPARE(pageItems(s), QList<bool>(10, true));
        QVERIFY(s.mnuEditDelAll && s.mnuSearch && s.mnuPView && !s.mnuUp && !s.mnuDown);
        QCOMPARE(buttons(s),
                 Buttons({on, kept, on, on, on, on, kept, on, kept, off, off, off, off}));
        QVERIFY(!s.clearPageStatus);

        addPages(binder, 2);
        s = commandState(binder, {.selected = 1});
        QVERIFY(!s.mnuUp && s.mnuDown);
        s = commandState(binder, {.selected = 3});
        QVERIFY(s.mnuUp && !s.mnuDown);
        // Encrypting needs a binder that may be saved.
        QVERIFY(s.mnuEncrypt);
        binder.setReadOnly(true);
        QVERIFY(!commandState(binder, {.selected = 1}).mnuEncrypt);
    }

    void findPreviewAndExportFitThePageAndTheSelectedRowBecomesCurrent()
    {
        Binder binder;
        for (const char *kind : {"RTF", "TXT", "HTML", "PICTURE", "SOUND", "FILE"})
            addPages(binder, 1, QString::fromLatin1(kind));
        for (int position = 1; position <= 6; ++position) {
            binder.setCurrentPosition(position);
            const CommandState s = commandState(binder, {.selected = position});
            QCOMPARE(s.mnuFind, position <= 3);
            QCOMPARE(s.mnuPrintPreview, position <= 2); // rich and plain text only
            // A page is exported as its own type, or as a file.
            QCOMPARE(QList<bool>({s.mnuExportRTF, s.mnuExportTXT, s.mnuExportHTML}),
                     QList<bool>({position == 1, position == 2, position == 3}));
            QVERIFY(s.mnuExportFile);
        }
        // With no current page the selected row decides, and nothing is made current.
        binder.setCurrentPosition(0);
        const CommandState s = commandState(binder, {.selected = 4});
        QVERIFY(!s.mnuFind);
        QCOMPARE(binder.currentPosition(), 0);
    }
};

QTEST_MAIN(tst_commandstate)
#include "tst_commandstate.moc"
