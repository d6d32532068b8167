// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/DibFile.h"

#include "images/Picture.h"

#include <QSaveFile>

namespace quillery {

namespace {

void put16(QByteArray &out, std::uint32_t value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void put32(QByteArray &out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

bool saveDibFile(const Picture &image, const QString &fileName, int dotsPerMetre)
{
    if (image.isNull())
        return false;
    const std::uint32_t fileHeaderSize = 14;
    const std::uint32_t infoHeaderSize = 40;
    const std::uint32_t tableSize = std::uint32_t(image.colourTable().size()) * 4;
    const std::uint32_t imageSize = std::uint32_t(image.bytesPerLine()) * image.height();
    const std::uint32_t bitsOffset = fileHeaderSize + infoHeaderSize + tableSize;

    QByteArray header;
    header.append("BM");
    put32(header, bitsOffset + imageSize);
    put32(header, 0);
    put32(header, bitsOffset);
    put32(header, infoHeaderSize);
    put32(header, std::uint32_t(image.width()));
    put32(header, std::uint32_t(image.height()));
    put16(header, 1);
    put16(header, std::uint32_t(image.depth()));
    put32(header, 0); // uncompressed
    put32(header, imageSize);
    put32(header, std::uint32_t(dotsPerMetre));
    put32(header, std::uint32_t(dotsPerMetre));
    put32(header, 0);
    put32(header, 0);
    for (const RgbQuad &q : image.colourTable()) {
        header.append(char(q.blue));
        header.append(char(q.green));
        header.append(char(q.red));
        header.append(char(0));
    }

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(header) != header.size() ||
        file.write(reinterpret_cast<const char *>(image.bits()), imageSize) != qint64(imageSize)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace quillery
