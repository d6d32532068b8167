// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "platform_ui/RichTextBox.h"
#include "window/FindDialog.h"
#include "window/FindText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

class tst_findsearch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void findStartsAfterTheSelectionStart()
    {
        // Nothing selected at the very start: an occurrence there is found.
        QCOMPARE(findNextPosition("cat and cat", "cat", false, 0, 0), 0);
        // Selected at the start: it is skipped.
        QCOMPARE(findNextPosition("cat and cat", "cat", false, 0, 3), 8);
        // An occurrence overlapping the selected one is found.
        QCOMPARE(findNextPosition("aaaa", "aa", true, 0, 2), 1);
        QCOMPARE(findNextPosition("aaaa", "aa", true, 2, 2), -1);
        QCOMPARE(findNextPosition("Cat", "cAT", false, 0, 0), 0);
        QCOMPARE(findNextPosition("Cat", "cAT", true, 0, 0), -1);
        // Letters whose lower case is longer must not move the positions found.
        QCOMPARE(findNextPosition(QString::fromUtf8("İİ cat"), "CAT", false, 0, 0), 3);
    }

    void findNextWrapsAfterSayingSo()
    {
        BinderFixture f;
        RichTextBox pane;
        pane.setText("one two one two");
        FindDialog find(f.dialogs, pane);
        find.txtFind->setText("TWO");
        find.cmdFind->click();
        QCOMPARE(pane.selectionStart(), 4);
        QCOMPARE(pane.selectionLength(), 3);
        find.cmdFind->click();
        QCOMPARE(pane.selectionStart(), 12);
        find.cmdFind->click();
        QCOMPARE(f.dialogs.calls().size(), 1);
        QCOMPARE(pane.selectionStart(), 0);

        find.chkCase->setChecked(true);
        QCOMPARE(find.findNext(false, pane), -1);
        QCOMPARE(f.dialogs.calls().size(), 1); // no message when not asked for
    }
};

QTEST_MAIN(tst_findsearch)
#include "tst_findsearch.moc"
