// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/BinderFixture.h"

#include "editor/DefaultTextFormats.h"
#include "options/OptionsDialog.h"
#include "platform/FontFamilies.h"
#include "platform/Settings.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

using namespace quillery;
using namespace quillery::test;

namespace {

// A binder with the default formats and the options dialog open on it.
struct OptionsFixture : BinderFixture
{
    OptionsFixture() : settings(path("settings.ini"))
    {
        binder.editRecords([](InfoRecords &records) {
            setRTFopts(records);
            setTXTopts(records);
            records.write("CommentsCol", "Comments");
        });
    }

    OptionsDialog &open()
    {
        dialog = std::make_unique<OptionsDialog>(*workspace, settings, binder);
        return *dialog;
    }
    template <typename Widget = QPushButton> Widget *child(const char *name) const
    {
        auto *widget = dialog->findChild<Widget *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no %s", name);
        return widget;
    }
    void click(const char *button) const { child(button)->click(); }
    // Adds an extension row as typed in the prompt (no value: cancelled).
    void add(const std::optional<QString> &typed)
    {
        dialogs.queueInput(typed);
        click("cmdAdd");
    }
    QTreeWidget *list() const { return child<QTreeWidget>("lvExts"); }
    QString record(const QString &key) const { return binder.records().value(key); }

    Binder binder;
    Settings settings;
    std::unique_ptr<OptionsDialog> dialog;
};

} // namespace

class tst_optionsdialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addedExtensionsAreNormalisedAndUnique()
    {
        OptionsFixture f;
        f.open();
        f.add("  .Doc ");
        QCOMPARE(f.list()->topLevelItem(6)->text(0), ".Doc");
        f.add("doc");
        QCOMPARE(f.dialogs.takeLast().text, "The extension '.doc' is already in the list");
        f.add(std::nullopt);
        f.add(" . ");
        QCOMPARE(f.list()->topLevelItemCount(), 7);

        // Kind rows cannot be removed; renaming: extension rows get their dot, kind rows
        // cannot be edited at all.
        f.list()->setCurrentItem(f.list()->topLevelItem(2));
        f.click("cmdRemove");
        QCOMPARE(f.list()->topLevelItemCount(), 7);
        f.list()->topLevelItem(6)->setText(0, "odt");
        QCOMPARE(f.list()->topLevelItem(6)->text(0), ".odt");
        QVERIFY(!(f.list()->topLevelItem(0)->flags() & Qt::ItemIsEditable));
        f.list()->topLevelItem(5)->setText(0, "Files"); // the last kind row, set from code
        QCOMPARE(f.list()->topLevelItem(5)->text(0), "Files");
    }

    // Deleting asks first unless the user turns that off; what OK changes in the binder is
    // one step, which undo takes back whole.
    void okIsOneStepAndTheDeleteQuestionCanGo()
    {
        OptionsFixture f;
        f.open();
        auto *ask = f.child<QCheckBox>("chkConfirmDelete");
        QVERIFY(ask->isChecked());
        ask->setChecked(false);
        auto *comments = f.child<QLineEdit>("txtComments");
        comments->selectAll();
        QTest::keyClicks(comments, "Notes");
        f.click("cmdOK");
        QCOMPARE(f.settings.value(Settings::Main, "ConfirmDelete"), "0");
        QVERIFY(!f.workspace->confirmDeletes);
        QCOMPARE(f.record("CommentsCol"), "Notes");
        QCOMPARE(f.binder.history().undoText(), "Options");
        f.binder.undo();
        QCOMPARE(f.record("CommentsCol"), "Comments");
        QVERIFY(!f.binder.isChanged());
        f.open();
        QVERIFY(!f.child<QCheckBox>("chkConfirmDelete")->isChecked());
    }

    // Pages ask before they load from the network unless the user chose otherwise; text in
    // the settings file that names no choice asks too.
    void remoteContentIsAskedForUnlessChosen()
    {
        OptionsFixture f;
        f.settings.setValue(Settings::Main, "RemoteContent", "always please");
        f.open();
        QVERIFY(f.child<QRadioButton>("optRemote0")->isChecked());
        f.child<QRadioButton>("optRemote2")->click();
        f.dialog->accept();
        QCOMPARE(f.settings.remoteContent(), RemoteContent::Never);
        f.open();
        QVERIFY(f.child<QRadioButton>("optRemote2")->isChecked());
        f.child<QRadioButton>("optRemote1")->click();
        f.click("cmdCancel");
        QCOMPARE(f.settings.value(Settings::Main, "RemoteContent"), "Never");
        f.settings.setRemoteContent(RemoteContent::Always);
        QCOMPARE(f.settings.remoteContent(), RemoteContent::Always);
    }

    // Each alignment stores the number binders keep for it: left 0, right 1, centre 2.
    void alignmentsStoreTheirNumbers()
    {
        OptionsFixture f;
        f.open();
        f.child<QRadioButton>("optRight")->click();
        f.child<QTabBar>("tabFormats")->setCurrentIndex(1);
        f.child<QRadioButton>("optCentre")->click();
        f.dialog->accept();
        QCOMPARE(f.record("RTFAlign"), "1");
        QCOMPARE(f.record("TXTAlign"), "2");
    }

    void cancelWritesNothing()
    {
        OptionsFixture f;
        f.open();
        f.add("odt");
        f.child<QLineEdit>("txtComments")->setText("Notes");
        f.click("cmdCancel");
        QCOMPARE(f.settings.value(Settings::Associations, "PEAs", "<none>"), "<none>");
        QCOMPARE(f.record("CommentsCol"), "Comments");
        QVERIFY(!f.binder.isChanged());
    }

    // Reset on the plain text tab resets the rich text format too. The default plain text
    // font, "Courier New", is missing here: the font dialog opens on the fixed-pitch font that
    // stands in for it, and keeping that family keeps the stored name, which other systems
    // know.
    void resetAndTheFontKeepTheStoredFamily()
    {
        installFontSubstitutes();
        OptionsFixture f;
        f.binder.setRecord("RTFFontName", "Arial");
        f.binder.setRecord("RTFBold", "True");
        QFont courier;
        courier.setFamilies({"Courier New"});
        const QString standIn = QFontInfo(courier).family();

        f.open();
        f.child<QTabBar>("tabFormats")->setCurrentIndex(1);
        f.click("cmdReset");
        QFont bigger(standIn);
        bigger.setPointSizeF(14);
        f.dialogs.queueFont(bigger);
        f.click("cmdFont");
        QCOMPARE(f.dialogs.takeLast().initialFont.family(), standIn);
        f.dialog->accept();
        QCOMPARE(f.record("RTFFontName"), "Times New Roman");
        QCOMPARE(f.record("RTFBold"), "False");
        QCOMPARE(f.record("TXTFontName"), "Courier New");
        QCOMPARE(f.record("TXTFontSize"), "14");
        QVERIFY(f.binder.isChanged());
    }
};

QTEST_MAIN(tst_optionsdialog)
#include "tst_optionsdialog.moc"
