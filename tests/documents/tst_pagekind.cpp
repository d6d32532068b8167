#include "documents/PageKind.h"

#include <QTest>

using namespace quillery;

class tst_pagekind : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void kindsRoundTripThroughStringsAndNumbers()
    {
        const QStringList names = {"RTF", "TXT", "HTML", "PICTURE", "SOUND", "FILE"};
        for (int number = 1; number <= 6; ++number) {
            const PageKind kind = kindFromNumber(number);
            QCOMPARE(static_cast<int>(kind), number);
            QCOMPARE(kindString(kind), names.at(number - 1));
            QCOMPARE(kindFromString(names.at(number - 1)), kind);
            QCOMPARE(largeIconIndex(kind), number);
            QCOMPARE(smallIconIndex(kind), number + 9);
            QCOMPARE(hasColourField(kind), kind == PageKind::RTF);
        }
    }

    void unknownKindsAreKeptApart()
    {
        QCOMPARE(kindFromNumber(0), PageKind::Unknown);
        QCOMPARE(kindFromNumber(7), PageKind::Unknown);
        QCOMPARE(kindFromString(QString()), PageKind::Unknown);
        QCOMPARE(kindFromString("rtf"), PageKind::Unknown);
        QCOMPARE(kindFromString("QUILLERY"), PageKind::Unknown);
        QCOMPARE(kindString(PageKind::Unknown), QString());
        QCOMPARE(largeIconIndex(PageKind::Unknown), 0);
        QCOMPARE(smallIconIndex(PageKind::Unknown), 0);
    }

    void lumpNamesPaddedWithNulsReadAsTheirKind()
    {
        QCOMPARE(kindFromString(QString::fromLatin1("TXT\0\0\0\0\0", 8)), PageKind::TXT);
        QCOMPARE(kindFromString(QString::fromLatin1("PICTURE\0", 8)), PageKind::PICTURE);
        QCOMPARE(kindFromString(QString::fromLatin1("RT\0F", 4)), PageKind::RTF);
    }

    void kindFromExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<PageKind>("kind");
        QTest::newRow("upper-case rtf") << "/x/Letter.RTF" << PageKind::RTF;
        QTest::newRow("log is text") << "/var/log/app.log" << PageKind::TXT;
        QTest::newRow("dic is text") << "/x/words.dic" << PageKind::TXT;
        QTest::newRow("php is html") << "/srv/index.php" << PageKind::HTML;
        QTest::newRow("jpeg") << "/x/photo.jpeg" << PageKind::PICTURE;
        QTest::newRow("camera JPG") << "/x/IMG_0001.JPG" << PageKind::PICTURE;
        QTest::newRow("jfif") << "/x/a.jfif" << PageKind::PICTURE;
        QTest::newRow("rmi") << "/x/tune.rmi" << PageKind::SOUND;
        QTest::newRow("unlisted") << "/x/data.bin" << PageKind::FILE;
        QTest::newRow("last dot decides") << "/x/page.txt.gz" << PageKind::FILE;
        QTest::newRow("no dot") << "/x/readme" << PageKind::FILE;
        QTest::newRow("dot only in folder") << "/x/notes.txt/readme" << PageKind::FILE;
        QTest::newRow("bare name like an extension") << "txt" << PageKind::FILE;
        QTest::newRow("hidden file") << "/home/u/.log" << PageKind::TXT;
        QTest::newRow("trailing dot") << "/x/name." << PageKind::FILE;
    }

    void kindFromExtension()
    {
        QFETCH(QString, path);
        QFETCH(PageKind, kind);
        QCOMPARE(quillery::kindFromExtension(path), kind);
    }
};

QTEST_GUILESS_MAIN(tst_pagekind)
#include "tst_pagekind.moc"
