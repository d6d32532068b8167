// SPDX-License-Identifier: GPL-3.0-or-later
// Reads any bytes both as the RTF reader does, into a document, and as Search All reads the
// text a rich page shows, as a stream: the two must agree on the text (what "agree" allows
// is said by comparable()), and the stream must give the same text however the bytes are
// cut. The first byte chooses the size of the pieces; the rest is the page.

#include "ShownRtf.h"
#include "rtf/RtfReader.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace quillery;

namespace {

[[noreturn]] void differ(const char *what, const QString &one, const QString &other)
{
    std::fprintf(stderr, "%s\n--- one:\n%s\n--- other:\n%s\n", what, qPrintable(one),
                 qPrintable(other));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_rtfshown";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv); // the reader decodes pictures
    static const bool quiet = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        return true;
    }();
    Q_UNUSED(quiet);

    if (size < 1)
        return 0;
    const qsizetype piece = 1 + data[0] % 16;
    const QByteArray page =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (!isRtf(page) || !test::isComparable(page))
        return 0;
    const QByteArray whole = test::shownRtf(page);
    const QByteArray pieces = test::shownRtf(page, piece);
    if (pieces != whole)
        differ("the shown text depends on where the page is cut", QString::fromUtf8(whole),
               QString::fromUtf8(pieces));
    const QString shown = test::comparable(QString::fromUtf8(whole));
    const QString read = test::comparable(test::readerText(page));
    if (shown != read)
        differ("the shown text is not the reader's", shown, read);
    return 0;
}
