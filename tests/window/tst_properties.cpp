// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/NewBinder.h"
#include "documents/Password.h"
#include "platform/GeneralDate.h"
#include "platform_ui/Orde.h"
#include "platform_ui/RichTextBox.h"
#include "window/PasswordDialogs.h"
#include "window/Properties.h"
#include "window/frmFileProperties.h"
#include "window/frmPageProperties.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

class tst_properties : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A name is given as the list's renaming gives it; a page without a colour box keeps its
    // colour field.
    void pageNameAndCommentsAreApplied()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("r.qly", {{"photo.jpg", "JPEG"}}));
        applyPageProperties(*f.workspace, *binder, 1, {"holiday", "c", std::nullopt});
        QCOMPARE(binder->pages.at(0).name, QString("holiday.jpg"));
        QCOMPARE(binder->pages.at(0).comments, QString("c"));
        QCOMPARE(binder->pages.at(0).key.colour, QString("NA"));
        QVERIFY(binder->Changed());
    }

    void pageColourIsTakenBackOnCancel()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("c.qly", {{"rich.rtf", "{\\rtf1 x}"}}));
        const QString stored = binder->pages.at(0).key.colour;
        RichTextBox pane;
        const QColor themeBase = QApplication::palette(&pane).color(QPalette::Base);
        // A pane in a colour of its own, and one in the theme's (as plain text pages and
        // most rich ones are): either gets its colour back.
        for (const ColourCode shown : {ColourCode(255), SystemWindowBackground}) {
            pane.setBackColor(shown);
            const QColor before = pane.palette().color(QPalette::Base);
            {
                frmPageProperties dialog(*f.workspace, *binder, 1, pane);
                f.dialogs.queueColour(QColor(0, 0, 255));
                dialog.cmdChange_Click();
                QCOMPARE(dialog.txtColour->text(), QString("Blue"));
                QCOMPARE(dialog.colourValue(), QString::number(0xFF0000));
                QCOMPARE(pane.BackColor(), 0xFF0000);
                QCOMPARE(pane.palette().color(QPalette::Base), QColor(0, 0, 255));
                dialog.reject();
            }
            QCOMPARE(pane.BackColor(), shown);
            QCOMPARE(pane.palette().color(QPalette::Base), before);
        }
        QCOMPARE(pane.palette().color(QPalette::Base), themeBase);
        QCOMPARE(binder->pages.at(0).key.colour, stored);
        QVERIFY(!binder->Changed());

        frmPageProperties dialog(*f.workspace, *binder, 1, pane);
        QVERIFY(dialog.rtfSource->toPlainText().contains("{\\rtf1 x}"));
        dialog.cmdDefault_Click();
        QCOMPARE(dialog.txtColour->text(), QString("Window background (system colour)"));
        dialog.txtComments->setText("done");
        dialog.cmdOK_Click();
        QCOMPARE(binder->pages.at(0).key.colour, QString("-2147483643"));
        QCOMPARE(binder->pages.at(0).comments, QString("done"));
    }

    // Colours are shown by name; the stored value is what goes back on OK, even one that
    // is not a number.
    void coloursShowAsNames()
    {
        QCOMPARE(Orde::ColourName(0x00FFFF), QString("Yellow"));
        QCOMPARE(Orde::ColourName(0x808080), QString("Grey"));
        QCOMPARE(Orde::ColourName(0x563412), QString("#123456"));
        QCOMPARE(Orde::ColourName(SystemWindowText), QString("Window text (system colour)"));
        QCOMPARE(Orde::ColourName(ColourCode(0x80000019)), QString("System colour 25"));
        QCOMPARE(Orde::ColourName(ColourCode(0x800000FF)), QString("System colour 255"));

        BinderFixture f;
        auto binder = f.open(f.makeBinder("n.qly", {{"rich.rtf", "{\\rtf1 x}"}}));
        PageRow row = binder->pages.at(0);
        row.key.colour = "not a colour";
        binder->pages.replace(0, row);
        RichTextBox pane;
        frmPageProperties dialog(*f.workspace, *binder, 1, pane);
        QCOMPARE(dialog.txtColour->text(), QString("not a colour"));
        dialog.cmdOK_Click();
        QCOMPARE(binder->pages.at(0).key.colour, QString("not a colour"));
    }

    // The comments' caption comes from the binder: it gets an access key no other field
    // uses, to its box, and its own "&" stay text.
    void theCommentsCaptionHasAFreeAccessKey()
    {
        BinderFixture f;
        auto binder = f.open(f.makeBinder("k.qly", {{"rich.rtf", "{\\rtf1 x}"}}));
        const auto label = [&] {
            RichTextBox pane;
            frmPageProperties dialog(*f.workspace, *binder, 1, pane);
            auto *comments = dialog.findChild<QLabel *>("lblComments");
            return comments->buddy() == dialog.txtComments ? comments->text() : "no buddy";
        };
        QCOMPARE(label(), QString("C&omments:"));
        binder->setRecord("CommentsCol", "R&D notes");
        QCOMPARE(label(), QString("&R&&D notes:"));
        binder->setRecord("CommentsCol", "Comments & Stamps");
        QCOMPARE(label(), QString("C&omments && Stamps:"));
    }

    void fileDetailsNeverShowOrLoseThePassword()
    {
        BinderFixture f;
        const QString path = f.makeBinder("p.qly", {{"a.txt", "a"}}, "sesame");
        f.ui.passwords << "sesame";
        auto binder = f.open(path);
        QVERIFY(binder);
        const QString data = binder->records().value("Data");
        QVERIFY(data != InfoRecords::NotFound);
        {
            frmFileProperties dialog(*binder);
            QVERIFY(!dialog.rtfSource->toPlainText().contains("Data="));
            QVERIFY(dialog.rtfSource->toPlainText().contains("Page1=a"));
            QCOMPARE(dialog.txtFilename->text(), path);
            // A plain date and time, as the page list shows them.
            QCOMPARE(dialog.findChild<QLineEdit *>("txtModified")->text(),
                     generalDate(QFileInfo(path).lastModified()));
            QVERIFY(dialog.txtFilename->isEnabled());
            dialog.txtTitle->setText("Renamed");
            dialog.reject();
        }
        QCOMPARE(binder->records().value("Data"), data);
        QVERIFY(!binder->Changed());

        frmFileProperties dialog(*binder);
        dialog.txtTitle->setText("Renamed");
        dialog.cmdOK_Click();
        QCOMPARE(binder->records().value("Data"), data);
        QCOMPARE(binder->records().value("Title"), QString("Renamed"));
        QCOMPARE(binder->WCaption(), "Renamed (" + path + ")");
        QVERIFY(binder->Changed());

        // An unsaved binder says so; OK marks it changed even with the title as it was.
        Binder unsaved;
        NewFile(*f.workspace, unsaved, false);
        frmFileProperties fresh(unsaved);
        for (const char *name :
             {"txtFilename", "txtDOS", "txtSize", "txtCreated", "txtModified", "txtAccessed"}) {
            auto *box = fresh.findChild<QLineEdit *>(QLatin1String(name));
            QVERIFY(box);
            QCOMPARE(box->text(), QString("Not Saved"));
            QVERIFY(!box->isEnabled());
        }
        unsaved.setChanged(false);
        fresh.cmdOK_Click();
        QVERIFY(unsaved.Changed());
        QCOMPARE(unsaved.WCaption(), unsaved.title());
    }

    // The password is kept with the binder, only disguised: neither dialog may suggest more.
    void passwordDialogsSayThePagesAreNotEncrypted()
    {
        BinderFixture f;
        Binder binder;
        NewFile(*f.workspace, binder, false);
        PasswordPrompt prompt(*f.workspace);
        frmEP enter(prompt);
        frmPassword change(*f.workspace, binder);
        for (QDialog *dialog : {static_cast<QDialog *>(&enter), static_cast<QDialog *>(&change)}) {
            auto *note = dialog->findChild<QLabel *>("lblProtection");
            QVERIFY(note);
            QCOMPARE(note->text(),
                     QString("The password stops casual opening; it does not encrypt the pages."));
            for (const QLabel *label : dialog->findChildren<QLabel *>())
                QVERIFY2(!label->text().contains("not ever"), qPrintable(label->text()));
        }
    }
};

QTEST_MAIN(tst_properties)
#include "tst_properties.moc"
