// SPDX-License-Identifier: GPL-3.0-or-later
#include "RuntimeDir.h"
#include "TestSupport.h"
#include "platform/BackgroundReader.h"
#include "platform/BackgroundWriter.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"

#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace quillery;
using namespace quillery::test;

namespace {

// Bytes that differ from their neighbours, so that any piece out of place shows.
QByteArray pattern(qint64 length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    for (qint64 i = 0; i < length; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xff);
    return bytes;
}

// Writes bytes to fd through a writer, in pieces of the sizes given in turn, then the tail
// as the writer appends it. Gives whether the writer wrote past the cache when it began and
// whether it still did when it ended.
std::pair<bool, bool> writeInPieces(int fd, const QString &path, const QByteArray &bytes,
                                    const QList<qint64> &sizes, const QByteArray &tail = {})
{
    const qint64 largest = *std::max_element(sizes.begin(), sizes.end());
    BackgroundWriter writer(fd, path, largest);
    const bool atStart = writer.isDirect();
    qint64 done = 0;
    for (int i = 0; done < bytes.size(); ++i) {
        const qint64 n = std::min(sizes.at(i % sizes.size()), bytes.size() - done);
        // Room is asked for the largest piece, as the cipher does before it knows.
        std::memcpy(writer.take(largest), bytes.constData() + done, size_t(n));
        writer.queue(n);
        done += n;
    }
    if (!tail.isEmpty())
        writer.append(tail);
    writer.finish();
    return {atStart, writer.isDirect()};
}

} // namespace

class tst_backgroundio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writerKeepsEveryByteInOrderAcrossBuffers()
    {
        QTemporaryDir dir;
        // More than two of the writer's buffers, in pieces that leave blocks part full, ending
        // on a block and inside one.
        int files = 0;
        for (const qint64 length : {qint64(21 << 20) + 8192, qint64(21 << 20) + 1234}) {
            const QByteArray bytes = pattern(length);
            for (const QList<qint64> &sizes :
                 {QList<qint64>{1 << 20}, QList<qint64>{76, 1017, 4096, 4097, 1, 65536 + 3}}) {
                const QString path = dir.filePath(QStringLiteral("out%1").arg(++files));
                UniqueFd fd = fileio::createNew(path);
                const auto [atStart, atEnd] = writeInPieces(fd.get(), path, bytes, sizes);
                QVERIFY(readFile(path) == bytes);
                // Where the file system allows it, whole blocks all go past the cache.
                if (length % BackgroundWriter::DirectAlignment == 0)
                    QCOMPARE(atEnd, atStart);
                // The descriptor is left writing through the cache again, as it came.
                QCOMPARE(::fcntl(fd.get(), F_GETFL) & O_DIRECT, 0);
                QCOMPARE(::lseek(fd.get(), 0, SEEK_CUR), off_t(bytes.size()));
            }
        }
    }

    void writerAppendsAfterWhatTheFileHolds()
    {
        // A file whose end is not on a block cannot be written past the cache; it is still
        // written whole.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out"));
        writeFile(path, "start");
        UniqueFd fd(::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC));
        const QByteArray bytes = pattern((9 << 20) + 5);
        QVERIFY(!writeInPieces(fd.get(), path, bytes, {4096}, "end").first);
        QVERIFY(readFile(path) == "start" + bytes + "end");
    }

    void writerKeepsAFileInMemoryInTheCache()
    {
        // In a memory file system the cache is the file: nothing is gained going past it.
        const RuntimeDir memory;
        REQUIRE_RUNTIME(memory);
        const QString path = memory.path() + "/out";
        UniqueFd fd = fileio::createNew(path);
        const QByteArray bytes = pattern(3 << 20);
        QVERIFY(!writeInPieces(fd.get(), path, bytes, {1 << 20}).first);
        QVERIFY(readFile(path) == bytes);
    }

    void readerFailureComesAfterThePiecesBeforeIt()
    {
        // Two pieces a block; the third block fails, and has failed before the first piece is
        // asked for.
        std::atomic<int> reads = 0;
        BackgroundReader reader(
            [&](unsigned char *, qint64) {
                if (++reads == 3)
                    throw FileError(FileError::PastEnd, QStringLiteral("Input past end of file"));
            },
            40 << 20, 4 << 20);
        QTRY_VERIFY(reads >= 3);
        QTest::qWait(50);
        int pieces = 0;
        try {
            while (!reader.next().empty())
                ++pieces;
            QFAIL("the failure was not given");
        } catch (const FileError &error) {
            QCOMPARE(error.number(), int(FileError::PastEnd));
        }
        QCOMPARE(pieces, 4);
    }
};

QTEST_GUILESS_MAIN(tst_backgroundio)
#include "tst_backgroundio.moc"
