// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/PageKey.h"
#include "documents/PageKind.h"

#include <QTest>

using namespace quillery;

class tst_pagekind : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Lump names come back padded with NULs: the kind is read, the name written back as it
    // came, and a name that is no kind is kept too.
    void storedKindKeepsTheNameItCameWith()
    {
        QCOMPARE(kindFromString("PICTURE"), PageKind::PICTURE);
        QCOMPARE(kindString(kindFromNumber(2)), QString("TXT"));
        QCOMPARE(kindFromString("rtf"), PageKind::Unknown);
        const StoredKind padded = StoredKind::fromName(QString::fromLatin1("TXT\0\0\0\0\0", 8));
        QCOMPARE(PageKind(padded), PageKind::TXT);
        QCOMPARE(padded.name().size(), 8);
        const StoredKind odd = StoredKind::fromName("NOTEBOOK");
        QCOMPARE(PageKind(odd), PageKind::Unknown);
        PageKey key;
        key.kind = odd;
        QCOMPARE(PageKey::parse(key.toString()).kind.name(), QString("NOTEBOOK"));
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
