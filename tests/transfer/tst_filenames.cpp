// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/FileNames.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace quillery;

class tst_filenames : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A page name may come from anyone: nothing of it may hide the file, climb out of the
    // folder, pass for an option or forge a line where the name is shown.
    void pageNamesBecomeOneVisibleFileName()
    {
        const std::pair<QString, QString> cases[] = {
            {" a/b:c? ", "a_b;c!"},
            {"\\<>*\"|", "_()x''\u00A6"},
            {"Notes.TMP", "notes_.tmp"},
            {"x.tmp.txt", "x.tmp.txt"},
            {QString::fromLatin1("a\0b", 3), "ab"},
            {".profile", "_.profile"},
            {"\n.hidden", "_.hidden"},
            {"-rf", "_-rf"},
            {"..", "_.."},
            {"../../.ssh/authorized_keys", "_.._.._.ssh_authorized_keys"},
            {"a\x1b[2Jb\x7f\u0085\u009b\u202e\u2066\u2028c", "a[2Jbc"},
        };
        for (const auto &[name, expected] : cases) {
            const QString once = safeFileName(name, false);
            QCOMPARE(once, expected);
            // Names are made safe more than once on their way (a proposal, then the
            // temporary folder): the second time changes nothing.
            QCOMPARE(safeFileName(once, false), once);
        }
        // What is cut from a long name is its beginning, and a dot laid bare there is
        // covered again.
        const QString cut = safeFileName(QString(10, u'x') + "." + QString(249, u'y'), false);
        QCOMPARE(cut, "_." + QString(249, u'y'));
        // Linux counts bytes: multi-byte names are cut further, never inside a character.
        const QString emoji = safeFileName(QString("\U0001F4DD").repeated(130), false);
        QVERIFY(emoji.toUtf8().size() <= 250);
        QVERIFY(!emoji.isEmpty() && !emoji.at(0).isLowSurrogate());
    }

    void pageFileNamesHaveTheirKindsExtensionAndAreSafe()
    {
        const std::tuple<PageKind, QString, QString> cases[] = {
            {PageKind::TXT, "long", "long.txt"},
            {PageKind::RTF, "Notes.RTF", "Notes.RTF"},
            {PageKind::RTF, "Notes.txt", "Notes.txt.rtf"},
            {PageKind::HTML, "page", "page.htm"},
            {PageKind::HTML, "index.php", "index.php"},
            {PageKind::HTML, "htm", "htm.htm"}, // the extension needs its dot
            {PageKind::HTML, "old.asp", "old.asp.htm"},
            {PageKind::PICTURE, "photo", "photo"},
            {PageKind::TXT, "x.txt\n", "x.txt"},
            {PageKind::RTF, "   ", "page.rtf"},
        };
        for (const auto &[kind, name, expected] : cases)
            QCOMPARE(pageFileName(name, kind), expected);
        QCOMPARE(extensionOf("report.final.doc"), QString(".doc"));
        QCOMPARE(extensionOf("README"), QString());
        const QString longest = pageFileName(QString(300, u'a'), PageKind::RTF);
        QVERIFY(longest.endsWith("a.rtf"));
        QVERIFY(longest.toUtf8().size() <= 255);
    }

    void inTempMakesTheNameUnique()
    {
        QTemporaryDir temp;
        const QDir dir(temp.path());
        QCOMPARE(safeFileName("style.css", true, temp.path()), QString("style.css"));
        test::writeFile(dir.filePath("style.css"), "a");
        test::writeFile(dir.filePath("style1.css"), "b");
        QCOMPARE(safeFileName("style.css", true, temp.path()), QString("style2.css"));
        QVERIFY(!dir.exists("style1.css"));

        // Folders and dangling links hold their names too, and are left alone.
        QVERIFY(dir.mkdir("notes"));
        QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("notes1")));
        QCOMPARE(safeFileName(" notes", true, temp.path()), QString("notes2"));
        QVERIFY(QFileInfo(dir.filePath("notes")).isDir());
    }
};

QTEST_GUILESS_MAIN(tst_filenames)
#include "tst_filenames.moc"
