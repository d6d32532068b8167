// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/PageKind.h"

#include <QTest>

using namespace quillery;

class tst_pagekind : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedKindStringsAreRead()
    {
        QCOMPARE(kindFromString("PICTURE"), PageKind::PICTURE);
        QCOMPARE(kindString(kindFromNumber(2)), QString("TXT"));
        // Lump names come back padded with NULs; other spellings are no kind.
        QCOMPARE(kindFromString(QString::fromLatin1("TXT\0\0\0\0\0", 8)), PageKind::TXT);
        QCOMPARE(kindFromString("rtf"), PageKind::Unknown);
    }

    void kindsByExtension()
    {
        const std::pair<QString, PageKind> cases[] = {
            {"/x/Letter.RTF", PageKind::RTF},        {"/var/log/app.log", PageKind::TXT},
            {"/srv/index.php", PageKind::HTML},      {"/x/IMG_0001.JPG", PageKind::PICTURE},
            {"/x/tune.rmi", PageKind::SOUND},        {"/x/data.bin", PageKind::FILE},
            {"/x/page.txt.gz", PageKind::FILE},      {"/x/readme", PageKind::FILE},
            {"/x/notes.txt/readme", PageKind::FILE}, {"txt", PageKind::FILE},
        };
        for (const auto &[path, kind] : cases)
            QCOMPARE(kindFromExtension(path), kind);
    }
};

QTEST_GUILESS_MAIN(tst_pagekind)
#include "tst_pagekind.moc"
