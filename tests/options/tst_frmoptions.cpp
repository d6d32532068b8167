// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/BinderFixture.h"

#include "editor/DefaultTextFormats.h"
#include "options/frmOptions.h"
#include "platform/FontFamilies.h"
#include "platform/Settings.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using namespace quillery;
using namespace quillery::test;

namespace {

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

    std::unique_ptr<frmOptions> open()
    {
        return std::make_unique<frmOptions>(*workspace, settings, binder);
    }
    QString stored(const QString &key) const
    {
        return settings.GetSetting(Settings::Associations, key, "<none>");
    }

    Binder binder;
    Settings settings;
};

template <typename Widget = QPushButton> Widget *child(QWidget *dialog, const char *name)
{
    auto *widget = dialog->findChild<Widget *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no %s", name);
    return widget;
}

void selectRow(QWidget *dialog, int row)
{
    auto *list = child<QTreeWidget>(dialog, "lvExts");
    list->setCurrentItem(list->topLevelItem(row - 1));
}

} // namespace

class tst_frmoptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultRowsAreStoredOnOk()
    {
        OptionsFixture f;
        auto dialog = f.open();
        // Row 1 offers only the rich text editor, and kind rows cannot be removed.
        QVERIFY(child<QRadioButton>(dialog.get(), "optRTF")->isChecked());
        QVERIFY(!child<QRadioButton>(dialog.get(), "optTXT")->isEnabled());
        QVERIFY(!child(dialog.get(), "cmdRemove")->isEnabled());
        dialog->cmdOK_Click();
        QCOMPARE(f.stored("PEAs"), "6");
        QCOMPARE(f.stored("PEAt3"), "HTML Page");
        QCOMPARE(f.stored("PEAe3"), Settings::PlainTextEditor);
        QCOMPARE(f.stored("PEAe6"), Settings::DefaultProgram);
        // Rewriting the same formats is no change to the binder.
        QVERIFY(!f.binder.Changed());
    }

    void addedExtensionsAreNormalisedAndUnique()
    {
        OptionsFixture f;
        auto dialog = f.open();
        auto *list = child<QTreeWidget>(dialog.get(), "lvExts");
        f.dialogs.queueInput("  .Doc ");
        child(dialog.get(), "cmdAdd")->click();
        QCOMPARE(list->topLevelItem(6)->text(0), ".Doc");
        QVERIFY(child(dialog.get(), "cmdRemove")->isEnabled());
        QVERIFY(child<QRadioButton>(dialog.get(), "optDefault")->isChecked());

        f.dialogs.queueInput("doc");
        child(dialog.get(), "cmdAdd")->click();
        QCOMPARE(f.dialogs.takeLast().text, "The extension '.doc' is already in the list");
        f.dialogs.queueInput(std::nullopt);
        child(dialog.get(), "cmdAdd")->click();
        f.dialogs.queueInput(" . ");
        child(dialog.get(), "cmdAdd")->click();
        QCOMPARE(list->topLevelItemCount(), 7);

        // Renaming: extension rows get their dot, kind rows cannot be edited at all.
        list->topLevelItem(6)->setText(0, "odt");
        QCOMPARE(list->topLevelItem(6)->text(0), ".odt");
        QVERIFY(!(list->topLevelItem(0)->flags() & Qt::ItemIsEditable));
        list->topLevelItem(5)->setText(0, "Files"); // the last kind row, set from code
        QCOMPARE(list->topLevelItem(5)->text(0), "Files");
    }

    void removingAMiddleRowRenumbers()
    {
        OptionsFixture f;
        QList<QPair<QString, QString>> rows = {{"Rich Text Page", Settings::RichTextEditor}};
        for (int n = 2; n <= 6; ++n)
            rows.append({Settings::defaultAssociationLabel(n), Settings::DefaultProgram});
        for (const QString &extension : QStringList{".a", ".b", ".c"})
            rows.append({extension, extension.mid(1).toUpper()});
        f.settings.SaveSetting(Settings::Associations, "PEAs", "9");
        for (int n = 1; n <= 9; ++n) {
            f.settings.SaveSetting(Settings::Associations, QString("PEAt%1").arg(n),
                                   rows[n - 1].first);
            f.settings.SaveSetting(Settings::Associations, QString("PEAe%1").arg(n),
                                   rows[n - 1].second);
        }
        auto dialog = f.open();
        selectRow(dialog.get(), 3);
        child(dialog.get(), "cmdRemove")->click(); // refused: a kind row
        selectRow(dialog.get(), 8);
        child(dialog.get(), "cmdRemove")->click();
        QCOMPARE(child<QTreeWidget>(dialog.get(), "lvExts")->currentItem()->text(0),
                 "Rich Text Page");
        dialog->cmdOK_Click();
        QCOMPARE(f.stored("PEAs"), "8");
        QCOMPARE(f.stored("PEAt8"), ".c");
        QCOMPARE(f.stored("PEAe8"), "C");
        QCOMPARE(f.stored("PEAt9"), "<none>");
    }

    void programRowsJoinProgramAndStartIn()
    {
        OptionsFixture f;
        auto dialog = f.open();
        f.dialogs.queueInput("png");
        child(dialog.get(), "cmdAdd")->click();
        child<QRadioButton>(dialog.get(), "optEXE")->click();
        QVERIFY(child<QLineEdit>(dialog.get(), "txtEXE")->isEnabled());
        // The separator cannot be part of the program's name.
        f.dialogs.queueOpenFile("/opt/paint\u00B7er/run");
        child(dialog.get(), "cmdEXE")->click();
        f.dialogs.queueFolder("/home/me/pictures");
        child(dialog.get(), "cmdEXESI")->click();
        auto *list = child<QTreeWidget>(dialog.get(), "lvExts");
        QCOMPARE(list->topLevelItem(6)->text(1), "/opt/painter/run\u00B7/home/me/pictures");
        // Shown in words, stored as it was.
        const auto shown = [list](int row) {
            const QModelIndex cell = list->model()->index(row, 1);
            return qobject_cast<QStyledItemDelegate *>(list->itemDelegateForIndex(cell))
                ->displayText(cell.data(), QLocale());
        };
        QCOMPARE(shown(6), "/opt/painter/run (starts in /home/me/pictures)");
        QCOMPARE(shown(0), Settings::RichTextEditor);
        child<QLineEdit>(dialog.get(), "txtEXESI")->clear();
        QCOMPARE(shown(6), "/opt/painter/run");
        child<QLineEdit>(dialog.get(), "txtEXESI")->setText("/home/me/pictures");

        // Selecting the row again splits the value back into the boxes.
        selectRow(dialog.get(), 1);
        QVERIFY(!child<QLineEdit>(dialog.get(), "txtEXE")->isEnabled());
        selectRow(dialog.get(), 7);
        QCOMPARE(child<QLineEdit>(dialog.get(), "txtEXE")->text(), "/opt/painter/run");
        QCOMPARE(child<QLineEdit>(dialog.get(), "txtEXESI")->text(), "/home/me/pictures");
        child<QRadioButton>(dialog.get(), "optTXT")->click();
        dialog->cmdOK_Click();
        QCOMPARE(f.stored("PEAe7"), Settings::PlainTextEditor);
    }

    void resetOnPlainTabResetsRichToo()
    {
        OptionsFixture f;
        f.binder.setRecord("RTFFontName", "Arial");
        f.binder.setRecord("TXTFontName", "Arial");
        f.binder.setRecord("RTFBold", "True");
        auto dialog = f.open();
        child<QTabBar>(dialog.get(), "tabFormats")->setCurrentIndex(1);
        f.dialogs.queueMessage(MsgResult::No);
        child(dialog.get(), "cmdReset")->click();
        QCOMPARE(f.dialogs.takeLast().title, "Reset Default Plain Text Format");
        child(dialog.get(), "cmdReset")->click();
        child(dialog.get(), "cmdDFColour")->click();
        dialog->cmdOK_Click();
        QCOMPARE(f.binder.records().value("RTFFontName"), "Times New Roman");
        QCOMPARE(f.binder.records().value("RTFBold"), "False");
        QCOMPARE(f.binder.records().value("RTFBColour"), "-2147483643");
        QCOMPARE(f.binder.records().value("TXTFontName"), "Courier New");
        QCOMPARE(f.binder.records().value("TXTFontSize"), "10");
        QCOMPARE(f.binder.records().value("TXTColour"), "-2147483640");
        QVERIFY(f.binder.Changed());
    }

    void panePositionAndAssociationsTab()
    {
        OptionsFixture f;
        f.binder.setPanePosition(PanePosition::ListLeft, 5000);
        auto dialog = f.open();
        QVERIFY(child<QRadioButton>(dialog.get(), "optPos2")->isChecked());
        child<QRadioButton>(dialog.get(), "optPos2")->click();
        dialog->cmdOK_Click();
        QCOMPARE(f.binder.paneLength(), 5000);
        QVERIFY(!f.binder.Changed());
        dialog = f.open();
        child<QRadioButton>(dialog.get(), "optPos1")->click();
        dialog->cmdOK_Click();
        QCOMPARE(f.binder.panePosition(), PanePosition::ListBelow);
        QCOMPARE(f.binder.paneLength(), 2643);
        QVERIFY(f.binder.Changed());

        // The associations tab shows first only when Edit Page asked for it.
        f.workspace->editmode = EditMode::ShowAssociations;
        QCOMPARE(child<QTabWidget>(f.open().get(), "tabMain")->currentIndex(), 1);
        QCOMPARE(f.workspace->editmode, EditMode::Rich);
        QCOMPARE(child<QTabWidget>(f.open().get(), "tabMain")->currentIndex(), 0);
    }

    void cancelWritesNothing()
    {
        OptionsFixture f;
        auto dialog = f.open();
        f.dialogs.queueInput("odt");
        child(dialog.get(), "cmdAdd")->click();
        child<QLineEdit>(dialog.get(), "txtComments")->setText("Notes");
        child(dialog.get(), "cmdCancel")->click();
        QCOMPARE(f.stored("PEAs"), "<none>");
        QCOMPARE(f.binder.records().value("CommentsCol"), "Comments");
        QVERIFY(!f.binder.Changed());
    }

    // The default plain text font, "Courier New", is missing here: the font dialog opens on the
    // fixed-pitch font that stands in for it, and keeping that family keeps the stored name,
    // which other systems know. Another family is stored by its own name.
    void fontDialogKeepsTheStoredFamily()
    {
        installFontSubstitutes();
        OptionsFixture f;
        QFont courier;
        courier.setFamilies({"Courier New"});
        const QString standIn = QFontInfo(courier).family();
        QVERIFY(QFontInfo(courier).fixedPitch());
        if (QFontDatabase::hasFamily("Liberation Mono"))
            QCOMPARE(standIn, "Liberation Mono");

        auto dialog = f.open();
        child<QTabBar>(dialog.get(), "tabFormats")->setCurrentIndex(1);
        QFont bigger(standIn);
        bigger.setPointSizeF(14);
        f.dialogs.queueFont(bigger);
        child(dialog.get(), "cmdFont")->click();
        const DialogCall opened = f.dialogs.takeLast();
        QCOMPARE(opened.kind, DialogCall::Kind::Font);
        QCOMPARE(opened.initialFont.family(), standIn);
        QCOMPARE(opened.initialFont.pointSizeF(), 10.0);

        // The rich text tab: its stand-in, another family chosen.
        child<QTabBar>(dialog.get(), "tabFormats")->setCurrentIndex(0);
        QFont times;
        times.setFamilies({"Times New Roman"});
        QFont other(standIn); // any family that is not the serif stand-in
        f.dialogs.queueFont(other);
        child(dialog.get(), "cmdFont")->click();
        QCOMPARE(f.dialogs.takeLast().initialFont.family(), QFontInfo(times).family());
        dialog->cmdOK_Click();
        QCOMPARE(f.binder.records().value("TXTFontName"), "Courier New");
        QCOMPARE(f.binder.records().value("TXTFontSize"), "14");
        QCOMPARE(f.binder.records().value("RTFFontName"), standIn);
    }
};

QTEST_MAIN(tst_frmoptions)
#include "tst_frmoptions.moc"
