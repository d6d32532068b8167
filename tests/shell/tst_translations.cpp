// SPDX-License-Identifier: GPL-3.0-or-later
// The program in German, as a user with LANG=de_DE.UTF-8, LANGUAGE=de and TZ=Europe/Berlin
// (CTest sets them) meets it: German menus and dialogs, dates in German terms and Berlin
// time, and binders that hold the same bytes as when saved in English.
#include "BinderFixture.h"
#include "documents/BinderSaver.h"
#include "documents/NewPage.h"
#include "platform/GeneralDate.h"
#include "shell/Translations.h"
#include "support/ui/MainWindowFixture.h"
#include "window/BinderMenus.h"
#include "window/BinderWindow.h"
#include "window/Command.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

const QDateTime Moment(QDate(2026, 12, 8), QTime(14, 31, 58), Qt::UTC);

// What a user does to a binder, with nothing in it that depends on the clock: a new page
// (its name and "Never" are the program's), stamped with a fixed moment, a rename and a move.
bool saveScenario(const QString &source, const QString &target)
{
    BinderFixture f;
    const std::unique_ptr<Binder> binder = f.open(source);
    if (!binder)
        return false;
    addEmptyPage(*f.workspace, *binder, PageKind::RTF);
    const int added = binder->pageCount();
    PageRow row = binder->page(added);
    row.created = generalDate(Moment);
    binder->updatePage(added, row);
    row = binder->page(1);
    row.name = QStringLiteral("renamed");
    binder->updatePage(1, row);
    binder->movePage(1, 2);
    return saveBinderFile(*f.workspace, *binder, target);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_translations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QLocale::system().language(), QLocale::German);
        QVERIFY(installTranslations());
    }

    void menusAndDialogsSpeakGerman()
    {
        BinderFixture f;
        Window w(f);
        w.main.openFile(f.makeBinder("de.qly", {{"a.txt", "a"}, {"b.txt", "b"}}));
        BinderWindow *window = w.main.activeBinderWindow();
        QVERIFY(window);
        QStringList titles;
        for (const QMenu *menu : window->menus().barMenus())
            titles << menu->title();
        QCOMPARE(titles, QStringList({"&Datei", "&Bearbeiten", "&Ansicht", "&Gehe zu", "&Fenster",
                                      "&Hilfe"}));
        QCOMPARE(window->menus().action(Command::SaveAs)->text(), QString("Speichern &unter..."));

        f.dialogs.queueMessage(MsgResult::No);
        window->binder().setCurrentPosition(1);
        window->menus().action(Command::DeletePage)->trigger();
        QCOMPARE(f.messageTitles(), QStringList{"Seite löschen"});
        QCOMPARE(f.dialogs.lastText(), QString("Möchten Sie die Seite wirklich löschen: 'a'?"));
        QCOMPARE(window->binder().pageCount(), 2);

        // Qt's own translation, for the buttons of the standard dialogs.
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString("Abbrechen"));
    }

    // The records keep one form of date whatever the locale and time zone; what is shown
    // follows them, and a text in any other form is shown as stored.
    void datesAreStoredInOneFormAndShownInTheUsersTerms()
    {
        QCOMPARE(generalDate(Moment), QString("8 Dec 2026 14:31:58 UTC"));
        QCOMPARE(generalDate(Moment.toLocalTime()), QString("8 Dec 2026 14:31:58 UTC"));
        const QString shown = shownDate("8 Dec 2026 14:31:58 UTC");
        QVERIFY2(shown.startsWith("08.12.26 15:31:58"), qPrintable(shown));
        QCOMPARE(shownDate("Never"), QString("Nie"));
        for (const QString &other : QStringList{
                 "12/8/26 2:31:58 PM CET", "31 Feb 2026 14:31:58 UTC", "8 Dec 2026 14:31:58 CET",
                 "8 Dec 2026 14:31:58 UTC and more", "", QString(100000, u'8')})
            QCOMPARE(shownDate(other), other);

        BinderFixture f;
        const std::unique_ptr<Binder> binder = f.open(f.makeBinder("dates.qly", {{"a.txt", "a"}}));
        QVERIFY(binder);
        PageRow row = binder->page(1);
        row.created = generalDate(Moment);
        binder->updatePage(1, row);
        const QModelIndex created = binder->pageModel().index(0, PageList::CreatedColumn);
        QCOMPARE(created.data(Qt::EditRole).toString(), row.created);
        QCOMPARE(created.data(Qt::DisplayRole).toString(), shown);
        const QModelIndex modified = binder->pageModel().index(0, PageList::ModifiedColumn);
        QCOMPARE(modified.data(Qt::EditRole).toString(), QString("Never"));
        QCOMPARE(modified.data(Qt::DisplayRole).toString(), QString("Nie"));
    }

    // The same steps in English (C locale, UTC, no translation) in a process of its own and
    // here in German give the same bytes.
    void savedBinderIsTheSameInEveryLanguage()
    {
        BinderFixture f;
        const QString source =
            f.makeBinder("source.qly", {{"a.txt", "a"}, {"b.rtf", "{\\rtf1 b}"}});
        QProcess english;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("LANGUAGE");
        environment.insert("LANG", "C");
        environment.insert("TZ", "UTC");
        english.setProcessEnvironment(environment);
        english.start(QCoreApplication::applicationFilePath(),
                      {"--save-scenario", source, f.path("english.qly")});
        QVERIFY(english.waitForFinished(60000));
        QCOMPARE(english.exitCode(), 0);

        QVERIFY(saveScenario(source, f.path("german.qly")));
        const QByteArray german = readAll(f.path("german.qly"));
        QVERIFY(!german.isEmpty());
        QVERIFY(german == readAll(f.path("english.qly")));
        QVERIFY(german.contains("Page 3"));
        QVERIFY(german.contains("8 Dec 2026 14:31:58 UTC"));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--save-scenario") == 0) {
        installTranslations();
        return saveScenario(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3])) ? 0
                                                                                              : 1;
    }
    tst_translations test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"
