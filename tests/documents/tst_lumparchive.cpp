// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArchiveSupport.h"
#include "TestSupport.h"
#include "documents/InfoRecords.h"
#include "documents/LumpArchive.h"
#include "documents/PageKey.h"
#include "documents/PageKind.h"
#include "documents/PageRecords.h"
#include "documents/PlainSource.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QHash>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace quillery;
using namespace quillery::test;

namespace {

QByteArray le(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

// An archive written by hand: header, data, directory.
QByteArray handMade(quint32 count, quint32 dirOffset, const QByteArray &body, const QByteArray &dir)
{
    return "QLY4" + le(count) + le(dirOffset) + body + dir;
}

QByteArray entry(quint32 offset, quint32 length, const QByteArray &name)
{
    return le(offset) + le(length) + name.leftJustified(8, '\0');
}

} // namespace

class tst_lumparchive : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writesLumpsFromBytesAndFileRangesInAnyOrder()
    {
        // Ranges that continue one another are copied together; the others, and bytes in
        // between, must still land in their own lumps.
        const QString pathA = m_dir.filePath("ranges-a.bin");
        const QString pathB = m_dir.filePath("ranges-b.bin");
        writeFile(pathA, "0123456789abcdef");
        writeFile(pathB, "ABCDEFGHIJ");
        const QList<LumpData> lumps = {
            QByteArray("records"),   FileRange{pathA, 0, 4},
            FileRange{pathA, 4, 3},  FileRange{pathA, 7, 0},
            FileRange{pathA, 10, 2}, FileRange{pathB, 0, 3},
            FileRange{pathA, 12, 4}, QByteArray(),
            FileRange{pathA, 16, 0}, FileRange{pathA, 2, 3},
            QByteArray("mid"),       FileRange{pathA, 5, 2},
            FileRange{pathB, 3, 7},
        };
        const QList<QByteArray> expected = {"records", "0123", "456", "",    "ab", "ABC",    "cdef",
                                            "",        "",     "234", "mid", "56", "DEFGHIJ"};
        const QString path = m_dir.filePath("ranges.qly");
        NamedLumps named;
        for (int i = 0; i < lumps.size(); ++i)
            named.append({"L" + QByteArray::number(i + 1), lumps[i]});
        LumpArchive out = archiveOf(named);
        out.write(path);
        QVERIFY_THROWS_EXCEPTION(FileError, out.setLumpName(1, "TOOLONGNAME"));

        LumpArchive in("QLY4");
        in.open(path);
        QCOMPARE(in.lumpCount(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(in.lump(i + 1).name, "L" + QByteArray::number(i + 1));
            QCOMPARE(LumpArchive::readBytes(path, in.lump(i + 1).offset, in.lump(i + 1).length),
                     expected[i]);
        }
        // Nothing is left beside the file by the safe write.
        QCOMPARE(QDir(m_dir.path()).entryList({".*"}, QDir::Files | QDir::Hidden), QStringList());

        // The same archive read piece by piece, in reads that straddle pieces, is the file.
        PiecesSource pieces(out.pieces());
        const QByteArray whole = readFile(path);
        QCOMPARE(pieces.size(), whole.size());
        QByteArray streamed;
        for (qint64 left = pieces.size(); left > 0; left -= 5) {
            QByteArray part(std::min<qint64>(5, left), '\0');
            pieces.read(part.data(), part.size());
            streamed += part;
        }
        QCOMPARE(streamed, whole);

        // A range past the end of its file fails the write and leaves the old archive alone,
        // also when it would continue the range before it; read as pieces, it fails there.
        LumpArchive bad = archiveOf({{"A", FileRange{pathA, 0, 8}}, {"B", FileRange{pathA, 8, 9}}});
        QVERIFY_THROWS_EXCEPTION(FileError, bad.write(path));
        QCOMPARE(readFile(path), whole);
        PiecesSource badPieces(bad.pieces());
        QByteArray buffer(badPieces.size(), '\0');
        QVERIFY_THROWS_EXCEPTION(FileError, badPieces.read(buffer.data(), buffer.size()));
    }

    void writingThroughALinkKeepsTheLink()
    {
        const QString real = m_dir.filePath("real.qly");
        const QString link = m_dir.filePath("link.qly");
        writeFile(real, "old");
        QVERIFY(QFile::link(real, link));
        writeArchive(link, {{"QUILLERY", QByteArray("Title=x\n")}});
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(LumpArchive("QLY4").readNamedLump(real, "QUILLERY"), QByteArray("Title=x\n"));
    }

    void appendingKeepsLumpsInPlaceAndRefusesWaste()
    {
        const QString path = m_dir.filePath("append.qly");
        const QString extra = m_dir.filePath("extra.bin");
        writeFile(extra, "EXTRA");
        writeArchive(path, {{"QUILLERY", QByteArray("Title=x\n")},
                            {"TXT", QByteArray(400, 'a')},
                            {"FILE", QByteArray(400, 'b')}});
        const QVector<Lump> before = LumpArchive::readDirectory(path, "QLY4");
        const QByteArray original = readFile(path);

        // Kept lumps stay where they are, in any order; new data and the directory follow.
        LumpArchive second =
            archiveOf({{"QUILLERY", QByteArray("Title=y\n")},
                       {"FILE", FileRange{path, before[2].offset, before[2].length}},
                       {"TXT", FileRange{path, before[1].offset, before[1].length}},
                       {"HTML", FileRange{extra, 0, 5}}});
        QCOMPARE(second.appendInPlace(path), LumpArchive::Append::Done);
        const QByteArray appended = readFile(path);
        for (int i : {1, 2})
            QCOMPARE(appended.mid(before[i].offset, before[i].length),
                     original.mid(before[i].offset, before[i].length));
        // The replaced records and the old directory are erased; the size stays.
        QCOMPARE(appended.mid(before[0].offset, before[0].length),
                 QByteArray(before[0].length, '\0'));
        QCOMPARE(appended.mid(before[2].offset + before[2].length, 3 * 16),
                 QByteArray(3 * 16, '\0'));
        const QVector<Lump> after = LumpArchive::readDirectory(path, "QLY4");
        QCOMPARE(after.size(), 4);
        QCOMPARE(after[1].offset, before[2].offset);
        QCOMPARE(after[2].offset, before[1].offset);
        QCOMPARE(LumpArchive::readBytes(path, after[3].offset, after[3].length),
                 QByteArray("EXTRA"));
        QCOMPARE(LumpArchive("QLY4").readNamedLump(path, "QUILLERY"), QByteArray("Title=y\n"));

        // An append that fails half-way takes back what it added; the header never turned.
        NamedLumps kept;
        for (int i = 0; i < 3; ++i)
            kept.append({after[i].name, FileRange{path, after[i].offset, after[i].length}});
        kept.append({"FILE", FileRange{m_dir.filePath("missing.bin"), 0, 5}});
        QVERIFY_THROWS_EXCEPTION(FileError, archiveOf(kept).appendInPlace(path));
        QCOMPARE(readFile(path), appended);

        // Leaving both big lumps unused would waste most of the file: nothing is written.
        QCOMPARE(archiveOf({{"QUILLERY", QByteArray("Title=w\n")}}).appendInPlace(path),
                 LumpArchive::Append::NotWorth);
        QCOMPARE(readFile(path), appended);

        // Bytes after the end (an append cut short) are left alone and counted as unused.
        writeFile(path, appended + QByteArray(30, '?'));
        QCOMPARE(archiveOf({{"QUILLERY", FileRange{path, after[0].offset, after[0].length}}})
                     .appendInPlace(path),
                 LumpArchive::Append::NotWorth);
        QVERIFY(readFile(path).startsWith(appended));
    }

    // Archives made elsewhere may have lumps that share bytes or reach into the header: the
    // erase takes only bytes that no kept lump uses, and never the header.
    void appendingErasesOnlyWhatNoLumpUses()
    {
        const QString path = m_dir.filePath("shared.qly");
        const QByteArray body = QByteArray(3000, 'k') + QByteArray(200, 'x');
        // Lump 1 covers the header and the first bytes, lump 2 is kept, lump 3 overlaps its
        // end and runs on into bytes of its own, lump 4 lies inside lump 2.
        const QByteArray original = handMade(4, 12 + body.size(), body,
                                             entry(0, 40, "QUILLERY") + entry(12, 3000, "TXT") +
                                                 entry(2812, 400, "FILE") + entry(100, 50, "TXT"));
        writeFile(path, original);
        QCOMPARE(
            archiveOf({{"QUILLERY", QByteArray("Title=n\n")}, {"TXT", FileRange{path, 12, 3000}}})
                .appendInPlace(path),
            LumpArchive::Append::Done);
        const QByteArray saved = readFile(path);
        QCOMPARE(saved.mid(4, 4), le(2)); // the header is the new one, not erased
        QCOMPARE(saved.mid(12, 3000), original.mid(12, 3000));
        QCOMPARE(saved.mid(3012, 200 + 4 * 16), QByteArray(200 + 4 * 16, '\0'));
        QCOMPARE(LumpArchive("QLY4").readNamedLump(path, "TXT"), QByteArray(3000, 'k'));
    }

    void refusesDamagedArchives_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("short header") << QByteArray("QLY4\1\0\0");
        QTest::newRow("another kind") << "QLRF" + handMade(1, 15, "abc", entry(12, 3, "X")).mid(4);
        QTest::newRow("directory past end") << handMade(1, 4000, "abc", entry(12, 3, "TXT"));
        QTest::newRow("directory inside header") << handMade(1, 4, "", entry(12, 0, "TXT"));
        QTest::newRow("absurd count") << handMade(0xFFFFFFFF, 15, "abc", entry(12, 3, "TXT"));
        QTest::newRow("lump past end") << handMade(1, 15, "abc", entry(12, 300, "TXT"));
        QTest::newRow("4 GiB length") << handMade(1, 15, "abc", entry(12, 0xFFFFFFFF, "TXT"));
        QTest::newRow("offset past end") << handMade(1, 15, "abc", entry(0xFFFFFFF0, 3, "TXT"));
        QTest::newRow("truncated directory") << handMade(2, 15, "abc", entry(12, 3, "TXT"));
    }

    void refusesDamagedArchives()
    {
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath("damaged.qly");
        writeFile(path, bytes);
        LumpArchive archive("QLY4");
        QVERIFY_THROWS_EXCEPTION(FileError, archive.open(path));
        QVERIFY_THROWS_EXCEPTION(FileError, archive.readNamedLump(path, "QUILLERY"));
    }

    // Written elsewhere: the directory first, and a lump named with eight characters and no
    // NUL whose data ends the file.
    void acceptsALumpThatEndsTheFile()
    {
        const QString path = m_dir.filePath("eight.qly");
        writeFile(path, handMade(1, 12, entry(28, 3, "ABCDEFGH"), "abc"));
        QCOMPARE(LumpArchive("QLY4").readNamedLump(path, "ABCDEFGH"), QByteArray("abc"));
    }

    // Lump names come back padded with NULs: the kind is read, the name written back as it
    // came, and a name that is no kind is kept too.
    void storedKindKeepsTheNameItCameWith()
    {
        const StoredKind padded = StoredKind::fromName(QString::fromLatin1("TXT\0\0\0\0\0", 8));
        QCOMPARE(PageKind(padded), PageKind::TXT);
        QCOMPARE(padded.name().size(), 8);
        const StoredKind odd = StoredKind::fromName("NOTEBOOK");
        QCOMPARE(PageKind(odd), PageKind::Unknown);
        PageKey key;
        key.kind = odd;
        QCOMPARE(PageKey::parse(key.toString()).kind.name(), QString("NOTEBOOK"));
    }

    // Stored text that this class would write otherwise (escapes, carriage returns, Windows line
    // ends, damaged UTF-8) is read as its value and written as this class writes it, so that every
    // record reads back the same after a save.
    void recordsReadBackAsTheyWereWritten()
    {
        InfoRecords records;
        records.write("Title", "first");
        records.write("Bold", true);
        records.write("Colour", qint32(0x80000005u));
        records.write("Comments1", QString("line one\nline two\r\nback\\slash = equals"));
        records.write("Title", "second"); // keeps its place
        QByteArray text = records.toText();
        QVERIFY(text.startsWith("Title=second\nBold=True\nColour=-2147483643\n"));
        QVERIFY(!text.contains('\r'));
        InfoRecords back;
        back.loadText(QByteArray(text).replace("\n", "\r\n"));
        QCOMPARE(back.toText(), text);

        records.loadText(QByteArray("K\\ey=a\\qb\r\r\nPlain=x\tdone\nBad=\xff!\nCR=in\rside\n"
                                    "\xff\xfe garbage\n=novalue\nTrail=ends\\"));
        QCOMPARE(records.size(), 5);
        QCOMPARE(records.value("K_ey"), QString("aqb\r"));
        QCOMPARE(records.value("CR"), QString("in\rside"));
        text = records.toText();
        QCOMPARE(text, QByteArray("K_ey=aqb\\r\nPlain=x\tdone\nBad=\xEF\xBF\xBD!\nCR=in\\rside\n"
                                  "Trail=ends\\\\\n"));
        back.loadText(text);
        QCOMPARE(back.toText(), text);

        // Numbered records go up to the count and no further, however large it claims to be.
        records.loadText("Pages=99999999999\nPage1=a\nKeep=1\n");
        records.removeNumbered("Pages", "Page");
        QCOMPARE(records.toText(), QByteArray("Pages=99999999999\nKeep=1\n"));
        records.loadText("Pages=2\nPage1=a\nPage2=b\nPage3=c\n");
        records.removeNumbered("Pages", "Page");
        QCOMPARE(records.toText(), QByteArray("Pages=2\nPage3=c\n"));
    }

    void perPageRecordsAreTakenApart()
    {
        PageRecords pages(3);
        InfoRecords records;
        records.loadText(
            "Title=t\nPages=3\nPage1=one\nComments1=a\\nb\nPage3=three\nPage4=beyond\n"
            "Page01=padded\nCommentsCol=Notes\nPage=bare\nColour2=-5\nPage999999999=x\n"
            "Page3=three again\n",
            pages.divert());
        const PageRecords::Page one = pages.takePage(1);
        QCOMPARE(one.name, QString("one"));
        QCOMPARE(one.comments, QString("a\nb"));
        QCOMPARE(pages.takePage(2).colour, QString("-5"));
        // Out of order and written twice: the later record counts.
        QCOMPARE(pages.takePage(3).name, QString("three again"));
        QCOMPARE(pages.takePage(4).name, InfoRecords::NotFound);
        for (const char *kept : {"Title", "Pages", "Page4", "Page01", "CommentsCol", "Page"})
            QVERIFY2(records.contains(QLatin1String(kept)), kept);
        QVERIFY(!records.contains("Page1"));
    }

    // Thousands of records, rewritten longer and shorter, most removed (which clears out the
    // room they held) and some written again.
    void recordsStayRightThroughRewritesAndRemovals()
    {
        InfoRecords records;
        const int count = 20000;
        for (int i = 0; i < count; ++i)
            records.write(key(i), QString("value %1").arg(i));
        for (int i = 0; i < count; i += 3)
            records.write(key(i), longer(i));
        for (int i = 0; i < count; ++i) {
            if (i % 3 != 0)
                records.remove(key(i));
        }
        records.write(key(3), "shorter");
        records.write(key(2), "back, and last");
        records.write("a=b", "kept as a_b");

        QByteArray text;
        for (int i = 0; i < count; i += 3) {
            const QString value = i == 3 ? QString("shorter") : longer(i);
            QCOMPARE(records.value(key(i)), value);
            text += storedLine(key(i), value);
        }
        text += storedLine("k2", "back, and last");
        text += storedLine("a_b", "kept as a_b");
        QCOMPARE(records.toText(), text);
        QCOMPARE(records.size(), (count + 2) / 3 + 2);
        QCOMPARE(records.value("a=b"), InfoRecords::NotFound); // keys hold no delimiters
    }

private:
    QTemporaryDir m_dir;

    static QString key(int i) { return QString("k%1").arg(i); }
    // A record as the file format stores it: backslashes and line breaks escaped.
    static QByteArray storedLine(const QString &key, const QString &value)
    {
        QByteArray escaped = value.toUtf8();
        escaped.replace('\\', "\\\\").replace('\n', "\\n").replace('\r', "\\r");
        return key.toUtf8() + '=' + escaped + '\n';
    }
    static QString longer(int i) { return QString("a much longer value than before, %1\n").arg(i); }
};

QTEST_GUILESS_MAIN(tst_lumparchive)
#include "tst_lumparchive.moc"
