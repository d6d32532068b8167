// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/PageRecognition.h"

#include <QtEndian>

namespace quillery {

namespace {

using End = std::optional<qsizetype>;

// Every reader below only moves forward and checks each position against the size
// before it reads, so hostile lengths end the walk instead of reading outside.
class Reader
{
public:
    Reader(QByteArrayView bytes, qsizetype at) : m_bytes(bytes), m_at(at) {}

    bool has(qint64 count) const { return count >= 0 && m_at + count <= m_bytes.size(); }
    bool startsWith(QByteArrayView prefix) const
    {
        return has(prefix.size()) && m_bytes.sliced(m_at).startsWith(prefix);
    }
    quint8 byte(qsizetype offset = 0) const { return quint8(m_bytes[m_at + offset]); }
    quint32 be32() const { return qFromBigEndian<quint32>(m_bytes.data() + m_at); }
    quint16 be16() const { return qFromBigEndian<quint16>(m_bytes.data() + m_at); }
    quint32 le32(qsizetype offset) const
    {
        return qFromLittleEndian<quint32>(m_bytes.data() + m_at + offset);
    }
    // False when the skip would pass the end.
    bool skip(qint64 count)
    {
        if (!has(count))
            return false;
        m_at += count;
        return true;
    }
    qsizetype at() const { return m_at; }

private:
    QByteArrayView m_bytes;
    qsizetype m_at;
};

bool isLetter(quint8 c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(quint8 c)
{
    return c >= '0' && c <= '9';
}

// A group ends where its closing brace balances the first; \bin data is skipped whole,
// since its bytes may hold braces.
End rtfEnd(Reader r)
{
    qint64 depth = 0;
    while (r.has(1)) {
        const quint8 c = r.byte();
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0)
                return r.at() + 1;
        } else if (c == '\\' && r.has(2) && isLetter(r.byte(1))) {
            r.skip(1);
            QByteArray word;
            while (r.has(1) && isLetter(r.byte()) && word.size() < 32) {
                word.append(char(r.byte()));
                r.skip(1);
            }
            qint64 number = 0;
            bool negative = r.has(1) && r.byte() == '-';
            if (negative)
                r.skip(1);
            while (r.has(1) && isDigit(r.byte()) && number < 1'000'000'000'000LL) {
                number = number * 10 + (r.byte() - '0');
                r.skip(1);
            }
            if (r.has(1) && r.byte() == ' ')
                r.skip(1);
            if (word == "bin" && !negative && !r.skip(number))
                return std::nullopt;
            continue;
        } else if (c == '\\') {
            r.skip(1); // the escaped character, which may be a brace
        }
        r.skip(1);
    }
    return std::nullopt;
}

// Chunks of length, type, data and checksum, up to the IEND chunk.
End pngEnd(Reader r)
{
    r.skip(8);
    while (r.has(12)) {
        const qint64 length = r.be32();
        Reader type = r;
        type.skip(4);
        const bool iend = type.startsWith("IEND");
        if (!r.skip(12 + length))
            return std::nullopt;
        if (iend)
            return r.at();
    }
    return std::nullopt;
}

// Marker segments with lengths; after a start of scan, entropy-coded data runs to the next
// marker that is not a stuffed byte or a restart.
End jpegEnd(Reader r)
{
    r.skip(2);
    while (r.has(2)) {
        if (r.byte() != 0xFF)
            return std::nullopt;
        while (r.has(2) && r.byte(1) == 0xFF)
            r.skip(1); // fill bytes
        if (!r.has(2))
            return std::nullopt;
        const quint8 marker = r.byte(1);
        r.skip(2);
        if (marker == 0xD9)
            return r.at();
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01)
            continue;
        if (!r.has(2) || r.be16() < 2 || !r.skip(r.be16()))
            return std::nullopt;
        if (marker != 0xDA)
            continue;
        while (r.has(2) && !(r.byte() == 0xFF && r.byte(1) != 0x00 &&
                             !(r.byte(1) >= 0xD0 && r.byte(1) <= 0xD7)))
            r.skip(1);
    }
    return std::nullopt;
}

bool skipSubBlocks(Reader &r)
{
    while (r.has(1)) {
        const quint8 size = r.byte();
        r.skip(1);
        if (size == 0)
            return true;
        if (!r.skip(size))
            return false;
    }
    return false;
}

// The screen descriptor and its colour table, then images and extensions of sub-blocks
// up to the trailer byte.
End gifEnd(Reader r)
{
    if (!r.skip(6) || !r.has(7))
        return std::nullopt;
    const quint8 flags = r.byte(4);
    r.skip(7);
    if ((flags & 0x80) && !r.skip(3 << ((flags & 7) + 1)))
        return std::nullopt;
    while (r.has(1)) {
        const quint8 block = r.byte();
        if (block == 0x3B)
            return r.at() + 1;
        if (block == 0x21) {
            if (!r.skip(2) || !skipSubBlocks(r))
                return std::nullopt;
        } else if (block == 0x2C) {
            if (!r.has(10))
                return std::nullopt;
            const quint8 image = r.byte(9);
            r.skip(10);
            if ((image & 0x80) && !r.skip(3 << ((image & 7) + 1)))
                return std::nullopt;
            if (!r.skip(1) || !skipSubBlocks(r))
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// A file whose header gives its whole size: the size counts from start plus offset.
End sizedEnd(Reader r, qsizetype sizeAt, qint64 plus, qint64 least)
{
    if (!r.has(sizeAt + 4))
        return std::nullopt;
    const qint64 size = qint64(r.le32(sizeAt)) + plus;
    if (size < least || !r.skip(size))
        return std::nullopt;
    return r.at();
}

} // namespace

std::optional<RecognisedData> recogniseData(QByteArrayView bytes, qsizetype at)
{
    const Reader r(bytes, at);
    const auto found = [](End end, PageKind kind) -> std::optional<RecognisedData> {
        if (!end)
            return std::nullopt;
        return RecognisedData{*end, kind};
    };
    if (r.startsWith("{\\rtf"))
        return found(rtfEnd(r), PageKind::RTF);
    if (r.startsWith("\x89PNG\r\n\x1a\n"))
        return found(pngEnd(r), PageKind::PICTURE);
    if (r.startsWith("\xFF\xD8\xFF"))
        return found(jpegEnd(r), PageKind::PICTURE);
    if (r.startsWith("GIF87a") || r.startsWith("GIF89a"))
        return found(gifEnd(r), PageKind::PICTURE);
    if (r.startsWith("BM"))
        return found(sizedEnd(r, 2, 0, 26), PageKind::PICTURE);
    if (r.startsWith("RIFF") && r.has(12)) {
        const QByteArrayView form = bytes.sliced(at + 8, 4);
        const PageKind kind = form == "WAVE"   ? PageKind::SOUND
                              : form == "WEBP" ? PageKind::PICTURE
                                               : PageKind::FILE;
        return found(sizedEnd(r, 4, 8, 12), kind);
    }
    return std::nullopt;
}

} // namespace quillery
