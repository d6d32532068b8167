// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"
#include "documents/BinderSaver.h"
#include "documents/Password.h"

#include <QTest>

using namespace quillery;
using namespace quillery::test;

class tst_passwords : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedFormIsReversedThreeDigitCodes()
    {
        QCOMPARE(encodePassword("A"), std::optional<QString>("560"));
        QCOMPARE(encodePassword("Ab1"), std::optional<QString>("940890560"));
        QCOMPARE(encodePassword(QString::fromUtf8("é")), std::optional<QString>("332"));
        QCOMPARE(encodePassword(QString::fromUtf8("€")), std::nullopt);
        for (const QString &password :
             {QString("x"), QString("Secret Words 42!"), QString::fromUtf8("ÿ\x01é")}) {
            QCOMPARE(encodePassword(password)->size(), password.size() * 3);
            QCOMPARE(decodePassword(*encodePassword(password)), password);
        }
        QCOMPARE(decodePassword("12"), QString()); // a damaged record gives no characters
    }

    void changingAskingForAndRemovingThePassword()
    {
        BinderFixture f;
        const QString path = f.makeBinder("p.qly", {{"a.txt", "text"}});
        auto binder = f.open(path);
        QVERIFY(!changePassword(*f.workspace, *binder, "one", "two"));
        QCOMPARE(f.messageTitles(), QStringList{"Change Password"});
        QCOMPARE(f.dialogs.calls().last().text,
                 QString("Both password boxes must contain the same text"));
        QVERIFY(!binder->Changed());
        QVERIFY(changePassword(*f.workspace, *binder, "abc", "abc"));
        QCOMPARE(binder->records().value("Data"), QString("990890790"));
        QVERIFY(binder->Changed());
        QVERIFY(SavFile(*f.workspace, *binder, path));
        binder.reset();

        // Opening asks until the password is right, or the prompt is cancelled.
        f.dialogs.clear();
        QVERIFY(!f.open(path)); // no answer: the prompt is cancelled
        QCOMPARE(f.ui.passwordLabels, QStringList{"&Enter the password to open this file:"});
        QVERIFY(f.dialogs.calls().isEmpty());
        QVERIFY(!FileLock::isHeldElsewhere(path));
        f.ui.passwords = {"ABC", "abcd", "abc"};
        binder = f.open(path);
        QVERIFY(binder);
        QCOMPARE(f.messageTitles(),
                 QStringList({"Incorrect Password Entered", "Incorrect Password Entered"}));
        QCOMPARE(f.dialogs.calls().first().text,
                 QString("The password entered was incorrect, please try again"));
        QCOMPARE(GetLumpString(*binder, "1"), QByteArray("text"));

        QVERIFY(changePassword(*f.workspace, *binder, "", ""));
        QCOMPARE(binder->records().value("Data"), InfoRecords::NotFound);
        QVERIFY(SavFile(*f.workspace, *binder, path));
        binder.reset();
        f.ui.passwordLabels.clear();
        QVERIFY(f.open(path));
        QVERIFY(f.ui.passwordLabels.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_passwords)
#include "tst_passwords.moc"
