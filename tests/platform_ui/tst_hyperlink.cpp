// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/Hyperlink.h"
#include "platform_ui/RichTextBox.h"

#include <QSignalSpy>
#include <QTest>

using namespace quillery;

class tst_hyperlink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsAddresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("addresses");
        QTest::newRow("web address ending a sentence")
            << "See http://example.com/a?b=1." << QStringList{"http://example.com/a?b=1"};
        QTest::newRow("www name in brackets, any case")
            << "(WWW.example.org)" << QStringList{"http://WWW.example.org"};
        QTest::newRow("bracket that belongs to the address")
            << "https://en.wikipedia.org/wiki/Foo_(bar), then"
            << QStringList{"https://en.wikipedia.org/wiki/Foo_(bar)"};
        QTest::newRow("mail, ftp and file")
            << "mailto:me@example.org; ftp://files.example.org/x file:///tmp/notes.txt"
            << QStringList{"mailto:me@example.org", "ftp://files.example.org/x",
                           "file:///tmp/notes.txt"};
        QTest::newRow("not addresses")
            << "http: www email@www.example.org awww.x.org" << QStringList{};
    }

    void findsAddresses()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, addresses);
        QStringList found;
        for (const Hyperlink::Link &link : Hyperlink::findLinks(text)) {
            found.append(link.address);
            QVERIFY(link.address.endsWith(text.mid(link.start, link.length)));
        }
        QCOMPARE(found, addresses);
    }

    void linkUnderThePointer()
    {
        RichTextBox box;
        box.resize(600, 200);
        box.setRtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\fs24 Go to www.example.com now "
                   "or {\\field{\\*\\fldinst HYPERLINK \"http://quillery.test/\"}{\\fldrslt "
                   "{\\b click} here}} please\\par}");
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));

        Hyperlink hyperlink;
        QSignalSpy changes(&hyperlink, &Hyperlink::linkChanged);
        hyperlink.attach(&box);
        QCOMPARE(hyperlink.links().size(), 2);
        QCOMPARE(hyperlink.links().at(1).length, int(QStringLiteral("click here").size()));

        const auto pointAt = [&box](const QString &text) {
            QTextCursor cursor(box.document());
            cursor.setPosition(int(box.text().indexOf(text)) + 1);
            return box.cursorRect(cursor).center();
        };
        hyperlink.trackMouse(&box, pointAt("example"));
        QCOMPARE(hyperlink.linkAddress(), "http://www.example.com");
        // Over the space right after the link, the pointer has left it.
        QTextCursor after(box.document());
        after.setPosition(int(box.text().indexOf(" now")));
        hyperlink.trackMouse(&box, box.cursorRect(after).center() + QPoint(1, 0));
        QCOMPARE(hyperlink.linkAddress(), QString());
        hyperlink.trackMouse(&box, pointAt("here"));
        QCOMPARE(hyperlink.linkAddress(), "http://quillery.test/");
        hyperlink.trackMouse(&box, QPoint(590, 190)); // below the text
        QCOMPARE(hyperlink.linkAddress(), QString());
        QCOMPARE(changes.size(), 4);

        box.setText("no links");
        hyperlink.attach(&box);
        QVERIFY(hyperlink.links().isEmpty());
    }
};

QTEST_MAIN(tst_hyperlink)
#include "tst_hyperlink.moc"
