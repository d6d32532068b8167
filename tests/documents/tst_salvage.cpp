// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArchiveSupport.h"
#include "BinderFixture.h"
#include "TestSupport.h"
#include "documents/BinderFormat.h"
#include "documents/BinderSalvage.h"
#include "documents/BinderSaver.h"
#include "documents/LumpArchive.h"
#include "documents/NewBinder.h"
#include "documents/PageKey.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "transfer/BinderOpener.h"
#include "transfer/BinderRescue.h"
#include "transfer/PageImport.h"

#include <QBuffer>
#include <QImage>
#include <QTest>
#include <QtEndian>

using namespace quillery;
using namespace quillery::test;

namespace {

QByteArray picture(const char *format)
{
    QImage image(13, 7, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.setPixel(3, 4, 0xff102030);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray wave()
{
    const QByteArray samples(101, '\x7f');
    return "RIFF" + le32(36 + samples.size()) + "WAVEfmt " + le32(16) +
           QByteArray::fromHex("01000100401f0000401f000001000800") + "data" + le32(samples.size()) +
           samples;
}

// One pixel, with an extension block before the image.
QByteArray gif()
{
    return QByteArray::fromHex("47494638396101000100800000" // header and screen
                               "000000ffffff"               // two colours
                               "21f9040100000000"           // graphic control
                               "2c000000000100010000"       // image descriptor
                               "0202440100"                 // image data
                               "3b");
}

// A page of every recognised format, each text page followed by one of them, since a
// text page's end can only be told by where the next page begins.
const QList<QPair<QString, QByteArray>> &samplePages()
{
    static const QList<QPair<QString, QByteArray>> pages = {
        {"first.txt", "plain words\n"},
        // Escaped braces and binary data must not end the group early.
        {"rich.rtf", "{\\rtf1\\ansi {\\b bold} \\{ \\bin3 }}{ more}\r\n"},
        {"photo.png", picture("PNG")},
        {"page.htm", "<html><body>hello</body></html>"},
        {"shot.jpg", picture("JPEG")},
        {"dot.gif", gif()},
        {"second.txt", "more plain words"},
        {"beep.wav", wave()},
        {"tile.bmp", picture("BMP")},
        {"last.rtf", "{\\rtf1 the end}"},
        {"closing.txt", "the last page"},
    };
    return pages;
}

struct Original
{
    Lump lump;
    QByteArray data;
    PageRow row;
};

QVector<Original> originalPages(BinderFixture &f, const QString &path)
{
    QVector<Original> pages;
    const QVector<Lump> lumps = LumpArchive::readDirectory(path, BinderHeader);
    const auto binder = openFile(*f.workspace, path, OpenPurpose::Inspect);
    for (qsizetype i = 1; i < lumps.size(); ++i)
        pages.append({lumps[i], LumpArchive::readBytes(path, lumps[i].offset, lumps[i].length),
                      binder->pages().at(i - 1)});
    return pages;
}

// Writes the damaged bytes to NAME.qly, salvages them into NAME-out.qly and opens that.
std::unique_ptr<Binder> salvaged(BinderFixture &f, const QString &name,
                                 const QByteArray &damagedBytes, Salvage &salvage)
{
    const QString damaged = f.path(name + ".qly");
    writeFile(damaged, damagedBytes);
    salvage = findSalvage(damaged);
    writeSalvage(salvage, damaged, f.path(name + "-out.qly"));
    return openFile(*f.workspace, f.path(name + "-out.qly"), OpenPurpose::Inspect);
}

QByteArray patched(QByteArray bytes, qint64 at, const QByteArray &with)
{
    bytes.replace(at, with.size(), with);
    return bytes;
}

} // namespace

class tst_salvage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyPageBeforeTheCutComesBack()
    {
        BinderFixture f;
        const QString good = f.makeBinder("good.qly", samplePages());
        const QVector<Original> pages = originalPages(f, good);
        QCOMPARE(pages.size(), samplePages().size());
        const QByteArray bytes = readFile(good);
        const qint64 recordsEnd = pages.first().lump.offset;
        const qint64 directoryAt = qFromLittleEndian<quint32>(bytes.constData() + 8);

        QList<qint64> cuts{recordsEnd - 1, directoryAt + 3, directoryAt + 40, bytes.size() - 1,
                           bytes.size()};
        for (const Original &page : pages) {
            const qint64 start = page.lump.offset, end = start + page.lump.length;
            cuts << start + 1 << (start + end) / 2 << end - 1 << end << end + 2 << end + 9;
        }
        for (qint64 cut : std::as_const(cuts)) {
            const QString name = QStringLiteral("cut%1").arg(cut);
            Salvage salvage;
            if (cut < recordsEnd) {
                QVERIFY_THROWS_EXCEPTION(FileError, salvaged(f, name, bytes.left(cut), salvage));
                continue;
            }
            const auto out = salvaged(f, name, bytes.left(cut), salvage);
            QVERIFY(out);
            QCOMPARE(readFile(f.path(name + ".qly")), bytes.left(cut)); // never changed
            QCOMPARE(salvage.pageCount, pages.size());
            // No page comes back other than it was (a rich text page cut in its closing
            // line break is whole but for it)...
            QVector<bool> back(pages.size() + 1, false);
            for (int i = 0; i < out->pageCount(); ++i) {
                const qint64 position = salvage.pages.at(i).position;
                const Original &original = pages.at(position - 1);
                const PageRow &row = out->pages().at(i);
                const QByteArray data = pageData(row.key);
                const bool whole = original.lump.offset + original.lump.length <= cut;
                QVERIFY2(whole ? data == original.data : original.data.startsWith(data),
                         qPrintable(QStringLiteral("cut %1, page %2").arg(cut).arg(position)));
                QCOMPARE(row.key.kind, original.row.key.kind);
                QCOMPARE(row.name, original.row.name);
                QCOMPARE(row.created, original.row.created);
                QCOMPARE(row.key.colour, original.row.key.colour);
                back[position] = whole;
            }
            // ...and every page that lies whole before the cut comes back, a text page
            // once the start of the next page shows where it ends.
            for (int position = 1; position <= pages.size(); ++position) {
                const Original &page = pages.at(position - 1);
                const qint64 end = page.lump.offset + page.lump.length;
                const bool text = page.lump.name == "TXT" || page.lump.name == "HTML";
                const bool lastBeforeDirectory = position == pages.size() && cut >= directoryAt;
                const bool expected =
                    end <= cut && (!text || end + 8 <= cut || lastBeforeDirectory);
                if (expected)
                    QVERIFY2(back[position], qPrintable(QStringLiteral("cut %1 lost page %2: %3")
                                                            .arg(cut)
                                                            .arg(position)
                                                            .arg(salvage.lost.join(u'|'))));
            }
            QCOMPARE(salvage.lost.isEmpty(), out->pageCount() == pages.size());
        }
    }

    void anEarlierDirectoryGivesBackTheEarlierBinder()
    {
        BinderFixture f;
        const QString path = f.path("saved.qly");
        const QByteArray big(4000, 'B');
        const auto records = [](const QByteArray &title, int pages) {
            QByteArray text = "Title=" + title + "\nPages=" + QByteArray::number(pages) + "\n";
            for (int i = 1; i <= pages; ++i)
                text += "Page" + QByteArray::number(i) + "=" + title + "-" + QByteArray::number(i) +
                        "\n";
            return text;
        };
        writeArchive(path, {{RecordsLump, records("one", 2)}, {"TXT", big}, {"TXT", "first"}});
        const Lump kept = LumpArchive::readDirectory(path, BinderHeader).at(1);

        // Each save keeps the large page where it is and appends the rest.
        const auto appendSave = [&](const QByteArray &title, int pages,
                                    const std::function<void()> &beforeErase) {
            NamedLumps lumps{{RecordsLump, records(title, pages)},
                             {"TXT", FileRange{path, kept.offset, kept.length}}};
            for (int i = 2; i <= pages; ++i)
                lumps.append({"TXT", title + QByteArray::number(i)});
            LumpArchive archive = archiveOf(lumps);
            QCOMPARE(archive.appendInPlace(path, beforeErase), LumpArchive::Append::Done);
        };
        appendSave("two", 3, {});
        const qint64 beforeLast = fileio::fileSize(path);
        QByteArray caught; // the file once the last save has turned, before it erases
        appendSave("three", 4, [&] { caught = readFile(path); });
        QVERIFY(caught.size() > beforeLast);

        for (qint64 cut : {beforeLast + 3, (beforeLast + caught.size()) / 2, caught.size() - 5}) {
            Salvage salvage;
            const auto out =
                salvaged(f, QStringLiteral("cut%1").arg(cut), caught.left(cut), salvage);
            QVERIFY(out);
            QVERIFY2(salvage.source.contains("directory found at byte"),
                     qPrintable(salvage.source));
            QVERIFY(salvage.lost.isEmpty());
            QCOMPARE(out->title(), QString("two"));
            QCOMPARE(out->pageCount(), 3);
            QCOMPARE(pageData(out->pages().at(0).key), big);
            QCOMPARE(pageData(out->pages().at(2).key), QByteArray("two3"));
            QCOMPARE(out->pages().at(2).name, QString("two-3"));
        }
    }

    void hostileDirectoriesLoseOnlyWhatTheySpoil()
    {
        BinderFixture f;
        const QString good = f.makeBinder("good.qly", {{"a.txt", "alpha"},
                                                       {"b.txt", "bravo"},
                                                       {"c.txt", "charlie"},
                                                       {"d.txt", "delta"},
                                                       {"e.png", picture("PNG")}});
        const QByteArray bytes = readFile(good);
        const QVector<Original> pages = originalPages(f, good);
        const qint64 directoryAt = qFromLittleEndian<quint32>(bytes.constData() + 8);
        const auto entryAt = [&](int lump) {
            return directoryAt + (lump - 1) * 16;
        };
        Salvage salvage;

        // Page 2 points far outside, page 3 half over page 1, page 4 at page 1's very bytes
        // (a page pasted within its binder shares them), page 5's kind is spoilt.
        const Lump &first = pages.at(0).lump;
        QByteArray spoilt = patched(bytes, entryAt(3), le32(0xFFFFFF00));
        spoilt = patched(spoilt, entryAt(4), le32(first.offset + 2) + le32(first.length));
        spoilt = patched(spoilt, entryAt(5), le32(first.offset) + le32(first.length));
        spoilt = patched(spoilt, entryAt(6) + 8, QByteArray("PIC/\n\x01\0\0", 8));
        auto out = salvaged(f, "spoilt", spoilt, salvage);
        QVERIFY(out);
        QCOMPARE(out->pageCount(), 3);
        QCOMPARE(pageData(out->pages().at(0).key), QByteArray("alpha"));
        QCOMPARE(pageData(out->pages().at(1).key), QByteArray("alpha"));
        QCOMPARE(out->pages().at(1).name, QString("d"));
        QCOMPARE(out->pages().at(2).key.kind.name(), QString("PIC/\n\x01"));
        QCOMPARE(salvage.lost.size(), 2);
        QVERIFY(salvage.lost.at(0).startsWith("page 2: "));
        QVERIFY(salvage.lost.at(1).startsWith("page 3: its bytes overlap page 1's"));

        // A header counting 2^32-1 entries.
        out = salvaged(f, "counted", patched(bytes, 4, le32(0xFFFFFFFF)), salvage);
        QVERIFY(out);
        QCOMPARE(out->pageCount(), 5);
        QCOMPARE(salvage.lost,
                 QStringList("pages 6 to 4294967294: not in what is left of the directory"));

        // A zeroed header: the directory is found by its records entry.
        out = salvaged(f, "noheader", patched(bytes, 0, QByteArray(12, '\0')), salvage);
        QVERIFY(out);
        QCOMPARE(out->pageCount(), 5);
        QVERIFY(salvage.source.contains("directory found at byte"));

        // A zeroed directory: the header still tells where the last page ends, but text
        // pages followed by text pages cannot be told apart.
        out = salvaged(f, "nodirectory",
                       patched(bytes, directoryAt, QByteArray(bytes.size() - directoryAt, '\0')),
                       salvage);
        QVERIFY(out);
        QCOMPARE(out->pageCount(), 0);
        QCOMPARE(salvage.lost,
                 QStringList("pages 1 to 5: could not be told apart without the directory"));

        // Random bytes are no binder at all, and the records of a file cut inside them
        // name no pages.
        writeFile(f.path("noise.qly"), QByteArray(5000, '\x5a'));
        QVERIFY_THROWS_EXCEPTION(FileError, findSalvage(f.path("noise.qly")));
        for (const QByteArray &tiny : {QByteArray(), QByteArray("QQLY"), QByteArray("QLY4\1")}) {
            writeFile(f.path("tiny.qly"), tiny);
            QVERIFY_THROWS_EXCEPTION(FileError, findSalvage(f.path("tiny.qly")));
        }
    }

    void namesAndRecordsComeBackAsStored()
    {
        BinderFixture f;
        Binder binder;
        makeNewBinder(*f.workspace, binder, false);
        const QStringList names{"../../etc/passwd", "line\nbreak\\n", "=key=", ""};
        for (int i = 0; i < names.size(); ++i) {
            QVERIFY(importFile(*f.workspace, binder,
                               f.file(QString("p%1.png").arg(i), picture("PNG")),
                               PageKind::Unknown));
            PageRow row = binder.pages().at(i);
            row.name = names.at(i);
            row.comments = "comment\n" + QString::number(i);
            binder.updatePage(i + 1, row);
        }
        binder.setRecord(RecordKey::Title, "Title\nwith a break");
        const QString good = f.path("names.qly");
        QVERIFY(saveBinderFile(*f.workspace, binder, good));
        const QByteArray bytes = readFile(good);
        const qint64 directoryAt = qFromLittleEndian<quint32>(bytes.constData() + 8);
        for (qint64 cut : {bytes.size() - 0, directoryAt - 1}) {
            Salvage salvage;
            const auto out =
                salvaged(f, QStringLiteral("cut%1").arg(cut), bytes.left(cut), salvage);
            QVERIFY(out);
            QCOMPARE(out->title(), QString("Title\nwith a break"));
            const int expected = cut == bytes.size() ? 4 : 3;
            QCOMPARE(out->pageCount(), expected);
            for (int i = 0; i < expected; ++i) {
                QCOMPARE(out->pages().at(i).name, names.at(i));
                QCOMPARE(out->pages().at(i).comments, "comment\n" + QString::number(i));
            }
        }
    }

    void rescueIsOfferedOnlyForDamageAndNeverOverTheDamagedFile()
    {
        BinderFixture f;
        const QString good =
            f.makeBinder("sound.qly", {{"a.txt", "alpha"}, {"b.png", picture("PNG")}});
        const QByteArray bytes = readFile(good);
        const QString damaged = f.path("cut.qly");
        writeFile(damaged, bytes.left(bytes.size() - 20));

        // A sound binder, a missing one or a cancelled question writes nothing.
        QCOMPARE(offerRescue(*f.workspace, good), QString());
        QCOMPARE(offerRescue(*f.workspace, f.path("missing.qly")), QString());
        QVERIFY(f.dialogs.calls().isEmpty());
        f.dialogs.queueMessage(MsgResult::No);
        QCOMPARE(offerRescue(*f.workspace, damaged), QString());
        QCOMPARE(f.dialogs.calls().size(), 1);
        QCOMPARE(f.dialogs.calls().first().text,
                 "'" + damaged + "' is damaged.  Rescue the pages that can be read?");

        // The save dialog proposes a name beside it; the damaged file itself is refused.
        f.dialogs.clear();
        f.dialogs.queueSaveFile(damaged);
        QCOMPARE(offerRescue(*f.workspace, damaged), QString());
        QCOMPARE(f.dialogs.calls().at(1).file.fileName, f.path("cut (rescued).qly"));
        QCOMPARE(f.dialogs.takeLast().title, QString("Rescue"));
        QCOMPARE(readFile(damaged), bytes.left(bytes.size() - 20));

        f.dialogs.clear();
        f.dialogs.queueSaveFile(f.path("cut (rescued).qly"));
        QCOMPARE(offerRescue(*f.workspace, damaged), f.path("cut (rescued).qly"));
        QCOMPARE(LumpArchive::readDirectory(f.path("cut (rescued).qly"), BinderHeader).size(), 3);
        // The text page's end was found where the picture begins, which the user is told.
        QCOMPARE(f.dialogs.calls().size(), 3);
        QCOMPARE(f.dialogs.lastText(), "2 of 2 pages were rescued into '" +
                                           f.path("cut (rescued).qly") +
                                           "'.\n\npage 1: its end was taken from where page 2 "
                                           "begins");
    }
};

QTEST_GUILESS_MAIN(tst_salvage)
#include "tst_salvage.moc"
