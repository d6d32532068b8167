// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ScriptedDialogs.h"

#include <QPrinter>
#include <QTest>

using namespace quillery;

class tst_scripteddialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recordsCallsAndAnswersEachKindFromItsOwnQueue()
    {
        ScriptedDialogs dialogs;
        dialogs.queueMessage(MsgResult::No);
        dialogs.queueMessage(MsgResult::Cancel);
        dialogs.queueInput(QString("first"));
        dialogs.queueSaveFile("/b.qly");
        dialogs.queueFolder("/c");
        dialogs.queueColour(QColor(Qt::blue));
        dialogs.queuePrint(true);

        QCOMPARE(dialogs.input("Author Name", "Name:", "tamsin"), std::optional<QString>("first"));
        QCOMPARE(dialogs.message(MsgIcon::Question, MsgButtons::YesNo, "Save", "Sure?"),
                 MsgResult::No);
        const FileDialogRequest save{"Save Image", "JPEG (*.jpg)|*.jpg", "/tmp/a.jpg", "/tmp"};
        QCOMPARE(dialogs.saveFile(save), QString("/b.qly"));
        QCOMPARE(dialogs.message(MsgIcon::None, MsgButtons::OkCancel, "t", "m"), MsgResult::Cancel);
        QCOMPARE(dialogs.folder("Choose a &folder:", "/home"), QString("/c"));
        QCOMPARE(dialogs.colour(Qt::white), std::optional<QColor>(Qt::blue));
        QPrinter printer;
        QVERIFY(dialogs.print(printer));
        QCOMPARE(dialogs.pendingAnswers(), 0);
        QCOMPARE(dialogs.lastText(), QString("Choose a &folder:"));
        QCOMPARE(dialogs.takeLast().kind, DialogCall::Kind::Print);

        const QList<DialogCall> &calls = dialogs.calls();
        QCOMPARE(calls.size(), 6);
        QCOMPARE(calls.at(0).defaultText, QString("tamsin"));
        QCOMPARE(calls.at(1).icon, MsgIcon::Question);
        QCOMPARE(calls.at(1).buttons, MsgButtons::YesNo);
        QCOMPARE(calls.at(1).title, QString("Save"));
        QCOMPARE(calls.at(1).text, QString("Sure?"));
        QCOMPARE(calls.at(2).file.fileName, save.fileName);
        QCOMPARE(calls.at(4).text, QString("Choose a &folder:"));

        dialogs.queueFolder("/x");
        dialogs.clear();
        QVERIFY(dialogs.calls().isEmpty());
        QCOMPARE(dialogs.pendingAnswers(), 0);
        QCOMPARE(dialogs.lastText(), QString());
    }

    void emptyQueuesPressTheDefaultButtonOrCancel()
    {
        ScriptedDialogs dialogs;
        const std::pair<MsgButtons, MsgResult> defaults[] = {
            {MsgButtons::Ok, MsgResult::Ok},
            {MsgButtons::OkCancel, MsgResult::Ok},
            {MsgButtons::YesNo, MsgResult::Yes},
            {MsgButtons::YesNoDefaultNo, MsgResult::No},
            {MsgButtons::YesNoCancel, MsgResult::Yes},
            {MsgButtons::RetryCancel, MsgResult::Retry}};
        for (const auto &[buttons, answer] : defaults)
            QCOMPARE(dialogs.message(MsgIcon::None, buttons, "t", "m"), answer);
        QCOMPARE(dialogs.input("t", "p", "proposed"), std::nullopt);
        QCOMPARE(dialogs.openFile({}), QString());
        QCOMPARE(dialogs.folder("p", "/"), QString());
        QCOMPARE(dialogs.font(QFont()), std::nullopt);
        QPrinter printer;
        QVERIFY(!dialogs.print(printer));
    }
};

QTEST_MAIN(tst_scripteddialogs)
#include "tst_scripteddialogs.moc"
