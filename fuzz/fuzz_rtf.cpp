// SPDX-License-Identifier: GPL-3.0-or-later
// Reads any bytes as RTF, writes the document and reads that again: nothing may crash,
// hang or grow without bound, and our own RTF must give back the same text.

#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_rtf";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv); // fonts and images need the GUI side of Qt
    static const bool quiet = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        return true;
    }();
    Q_UNUSED(quiet);

    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    if (!quillery::readRtf(input, &doc))
        return 0;
    const QByteArray written = quillery::writeRtf(doc);
    QTextDocument again;
    if (!quillery::readRtf(written, &again) || again.toRawText() != doc.toRawText())
        std::abort();
    return 0;
}
