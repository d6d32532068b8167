#include "platform/ScriptedDialogs.h"

#include <QPrinter>
#include <QTest>

using namespace quillery;

using Kind = DialogCall::Kind;

class tst_scripteddialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recordsEveryCallInOrder()
    {
        ScriptedDialogs dialogs;
        const FileDialogRequest open{"Open a Quillery", "Quillery (*.qly)|*.qly", "", "/docs"};
        const FileDialogRequest save{"Save Image", "JPEG File (*.jpg)|*.jpg", "/tmp/a.jpg", ""};
        QPrinter printer;
        dialogs.message(MsgIcon::Question, MsgButtons::YesNoCancel, "Save Changes", "Save?");
        dialogs.input("Author Name", "Please type your name:", "tamsin");
        dialogs.openFile(open);
        dialogs.saveFile(save);
        dialogs.folder("Please choose a &folder:", "/home");
        dialogs.colour(Qt::red);
        dialogs.font(QFont("Courier New", 10));
        dialogs.print(printer);

        const QList<DialogCall> &calls = dialogs.calls();
        QCOMPARE(calls.size(), 8);
        const QList<Kind> kinds = {Kind::Message, Kind::Input,  Kind::OpenFile, Kind::SaveFile,
                                   Kind::Folder,  Kind::Colour, Kind::Font,     Kind::Print};
        for (qsizetype i = 0; i < calls.size(); ++i)
            QCOMPARE(calls.at(i).kind, kinds.at(i));

        QCOMPARE(calls.at(0).icon, MsgIcon::Question);
        QCOMPARE(calls.at(0).buttons, MsgButtons::YesNoCancel);
        QCOMPARE(calls.at(0).title, QString("Save Changes"));
        QCOMPARE(calls.at(0).text, QString("Save?"));
        QCOMPARE(calls.at(1).title, QString("Author Name"));
        QCOMPARE(calls.at(1).text, QString("Please type your name:"));
        QCOMPARE(calls.at(1).defaultText, QString("tamsin"));
        QCOMPARE(calls.at(2).title, open.title);
        QCOMPARE(calls.at(2).file.filter, open.filter);
        QCOMPARE(calls.at(2).file.initialFolder, open.initialFolder);
        QCOMPARE(calls.at(3).file.fileName, save.fileName);
        QCOMPARE(calls.at(4).text, QString("Please choose a &folder:"));
        QCOMPARE(calls.at(4).defaultText, QString("/home"));
        QCOMPARE(calls.at(5).initialColour, QColor(Qt::red));
        QCOMPARE(calls.at(6).initialFont.family(), QString("Courier New"));
    }

    void eachKindAnswersFromItsOwnQueue()
    {
        ScriptedDialogs dialogs;
        dialogs.queueMessage(MsgResult::No);
        dialogs.queueMessage(MsgResult::Cancel);
        dialogs.queueInput(QString("first"));
        dialogs.queueInput(std::nullopt);
        dialogs.queueOpenFile("/a.qly");
        dialogs.queueSaveFile("/b.qly");
        dialogs.queueFolder("/c");
        dialogs.queueColour(QColor(Qt::blue));
        dialogs.queueFont(QFont("Serif"));
        dialogs.queuePrint(true);
        QCOMPARE(dialogs.pendingAnswers(), 10);

        QCOMPARE(dialogs.input("t", "p", ""), std::optional<QString>("first"));
        QCOMPARE(dialogs.message(MsgIcon::Question, MsgButtons::YesNo, "t", "m"), MsgResult::No);
        QCOMPARE(dialogs.saveFile({}), QString("/b.qly"));
        QCOMPARE(dialogs.openFile({}), QString("/a.qly"));
        QCOMPARE(dialogs.message(MsgIcon::Question, MsgButtons::OkCancel, "t", "m"),
                 MsgResult::Cancel);
        QCOMPARE(dialogs.input("t", "p", "proposed"), std::nullopt);
        QCOMPARE(dialogs.folder("p", ""), QString("/c"));
        QCOMPARE(dialogs.colour(Qt::white), std::optional<QColor>(Qt::blue));
        QCOMPARE(dialogs.font(QFont())->family(), QString("Serif"));
        QPrinter printer;
        QVERIFY(dialogs.print(printer));
        QCOMPARE(dialogs.pendingAnswers(), 0);
    }

    void emptyQueuesPressTheDefaultButtonOrCancel_data()
    {
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<MsgResult>("answer");
        QTest::newRow("ok") << MsgButtons::Ok << MsgResult::Ok;
        QTest::newRow("ok cancel") << MsgButtons::OkCancel << MsgResult::Ok;
        QTest::newRow("yes no") << MsgButtons::YesNo << MsgResult::Yes;
        QTest::newRow("yes no cancel") << MsgButtons::YesNoCancel << MsgResult::Yes;
        QTest::newRow("retry cancel") << MsgButtons::RetryCancel << MsgResult::Retry;
    }

    void emptyQueuesPressTheDefaultButtonOrCancel()
    {
        QFETCH(MsgButtons, buttons);
        QFETCH(MsgResult, answer);
        ScriptedDialogs dialogs;
        QCOMPARE(dialogs.message(MsgIcon::None, buttons, "t", "m"), answer);
        QCOMPARE(dialogs.input("t", "p", "proposed"), std::nullopt);
        QCOMPARE(dialogs.openFile({}), QString());
        QCOMPARE(dialogs.saveFile({}), QString());
        QCOMPARE(dialogs.folder("p", "/"), QString());
        QCOMPARE(dialogs.colour(Qt::red), std::nullopt);
        QCOMPARE(dialogs.font(QFont()), std::nullopt);
        QPrinter printer;
        QVERIFY(!dialogs.print(printer));
    }

    void lastTextTakeLastAndClear()
    {
        ScriptedDialogs dialogs;
        QCOMPARE(dialogs.lastText(), QString());
        QCOMPARE(dialogs.takeLast().text, QString());

        dialogs.message(MsgIcon::Critical, MsgButtons::Ok, "Open Error", "first");
        dialogs.folder("pick one", "");
        QCOMPARE(dialogs.lastText(), QString("pick one"));
        const DialogCall taken = dialogs.takeLast();
        QCOMPARE(taken.kind, Kind::Folder);
        QCOMPARE(dialogs.calls().size(), 1);
        QCOMPARE(dialogs.lastText(), QString("first"));

        dialogs.queueMessage(MsgResult::No);
        dialogs.queueFolder("/x");
        dialogs.clear();
        QVERIFY(dialogs.calls().isEmpty());
        QCOMPARE(dialogs.pendingAnswers(), 0);
        QCOMPARE(dialogs.folder("p", ""), QString());
    }
};

QTEST_MAIN(tst_scripteddialogs)
#include "tst_scripteddialogs.moc"
