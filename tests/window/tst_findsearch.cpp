// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "platform/Settings.h"
#include "platform_ui/RichTextBox.h"
#include "window/FindText.h"
#include "window/frmFind.h"
#include "window/frmSA.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

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
        frmFind find(f.dialogs, pane);
        QVERIFY(!find.cmdFind->isEnabled());
        find.txtFind->setText("TWO");
        QVERIFY(find.cmdFind->isEnabled());
        find.cmdFind->click();
        QCOMPARE(pane.SelStart(), 4);
        QCOMPARE(pane.SelLength(), 3);
        find.cmdFind->click();
        QCOMPARE(pane.SelStart(), 12);
        find.cmdFind->click();
        QCOMPARE(f.dialogs.calls().size(), 1);
        const DialogCall said = f.dialogs.calls().first();
        QCOMPARE(said.title, QString("Find"));
        QCOMPARE(said.text, QString("Quillery has finished searching"));
        QCOMPARE(said.icon, MsgIcon::Information);
        QCOMPARE(pane.SelStart(), 0);
        find.cmdFind->click();
        QCOMPARE(pane.SelStart(), 4);

        find.chkCase->setChecked(true);
        bool quiet = false;
        QCOMPARE(find.FindIt(quiet, pane), -1);
        QCOMPARE(f.dialogs.calls().size(), 1); // no message when not asked for
    }

    void searchAllListsPagesAndShowsThePicked()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder(
            "sa.qly",
            {{"web.html", "<b>Apple</b>"}, {"note.txt", "apple pie"}, {"x.txt", "pear"}}));
        int finds = 0;
        Settings settings(f.path("settings.ini"));
        frmSA dialog(f.dialogs, f.ui, *binder, settings, [&] { ++finds; }, {});
        QVERIFY(!dialog.cmdSA->isEnabled());
        dialog.txtSA->setText("APPLE");
        dialog.cmdSA->click();
        QCOMPARE(dialog.lvSA->topLevelItemCount(), 2);
        QCOMPARE(dialog.windowTitle(), QString("Search All for 'APPLE'"));
        QCOMPARE(dialog.lvSA->topLevelItem(1)->text(0), QString("note"));
        QVERIFY(!dialog.cmdFind->isEnabled());

        Q_EMIT dialog.lvSA->itemClicked(dialog.lvSA->topLevelItem(0), 0);
        QVERIFY(!dialog.cmdFind->isEnabled()); // an HTML page has the browser's find
        QCOMPARE(binder->CurIndex(), 1);
        Q_EMIT dialog.lvSA->itemClicked(dialog.lvSA->topLevelItem(1), 0);
        QVERIFY(dialog.cmdFind->isEnabled());
        QCOMPARE(binder->CurIndex(), 2);
        dialog.cmdFind->click();
        QCOMPARE(finds, 1);

        dialog.chkCase->setChecked(true);
        dialog.txtSA->setText("Pear");
        dialog.cmdSA->click();
        QCOMPARE(dialog.lvSA->topLevelItemCount(), 0);
        QCOMPARE(dialog.windowTitle(), QString("Search All"));
        QCOMPARE(f.dialogs.lastText(), QString("The text 'Pear' was not found in any page"));
        QCOMPARE(f.dialogs.calls().last().title, QString("Search All"));
        QVERIFY(!dialog.cmdFind->isEnabled());
    }

    void searchAllSearchesTheShownTextWhenAskedAndRemembersIt()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("shown.qly", {{"rich.rtf", "{\\rtf1\\ansi Z\\'fcrich}"},
                                                        {"web.html", "<p class=zurich>x</p>"}}));
        const QString ini = f.path("settings.ini");
        const auto results = [](frmSA &dialog, const QString &text) {
            dialog.txtSA->setText(text);
            dialog.cmdSA->click();
            QStringList names;
            for (int i = 0; i < dialog.lvSA->topLevelItemCount(); ++i)
                names << dialog.lvSA->topLevelItem(i)->text(0);
            return names;
        };
        {
            Settings settings(ini);
            frmSA dialog(f.dialogs, f.ui, *binder, settings, [] {}, {});
            QVERIFY(!dialog.chkShown->isChecked()); // the stored data, unless asked
            QCOMPARE(results(dialog, "rtf"), QStringList({"rich"}));
            QCOMPARE(results(dialog, "zurich"), QStringList({"web"}));
            dialog.chkShown->setChecked(true);
            QCOMPARE(results(dialog, "zürich"), QStringList({"rich"}));
            QCOMPARE(results(dialog, "zurich"), QStringList());
            QCOMPARE(results(dialog, "rtf"), QStringList());
        }
        Settings settings(ini);
        QCOMPARE(settings.GetSetting(Settings::Main, "SearchShownText"), QString("1"));
        frmSA again(f.dialogs, f.ui, *binder, settings, [] {}, {});
        QVERIFY(again.chkShown->isChecked());
        again.chkShown->setChecked(false);
        QVERIFY(!Settings(ini).searchShownText());
    }
};

QTEST_MAIN(tst_findsearch)
#include "tst_findsearch.moc"
