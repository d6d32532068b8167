// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/RtfCodePages.h"

#include <QHash>
#include <QMutex>
#include <QStringDecoder>

#include <array>

namespace quillery {

namespace {

bool isDoubleByte(int codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
           codePage == 1361;
}

QByteArray icuName(int codePage)
{
    switch (codePage) {
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 1361:
        return "ibm-1361";
    case 437:
    case 850:
    case 852:
    case 855:
    case 857:
    case 860:
    case 861:
    case 862:
    case 863:
    case 864:
    case 865:
    case 866:
    case 869:
        return "IBM" + QByteArray::number(codePage);
    case 874:
        return "windows-874";
    case 10000:
        return "macintosh";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 65001:
        return "UTF-8";
    default:
        if (codePage >= 1250 && codePage <= 1258)
            return "windows-" + QByteArray::number(codePage);
        if (codePage >= 28591 && codePage <= 28605)
            return "ISO-8859-" + QByteArray::number(codePage - 28590);
        return {};
    }
}

// The Symbol font, bytes 0x20 to 0xFF.
constexpr char16_t SymbolTable[224] = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B,
    0x002C, 0x2212, 0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F, 0x2245, 0x0391, 0x0392, 0x03A7,
    0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B,
    0x2234, 0x005D, 0x22A5, 0x005F, 0xF060, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3,
    0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0xF07F,
    0xF080, 0xF081, 0xF082, 0xF083, 0xF084, 0xF085, 0xF086, 0xF087, 0xF088, 0xF089, 0xF08A, 0xF08B,
    0xF08C, 0xF08D, 0xF08E, 0xF08F, 0xF090, 0xF091, 0xF092, 0xF093, 0xF094, 0xF095, 0xF096, 0xF097,
    0xF098, 0xF099, 0xF09A, 0xF09B, 0xF09C, 0xF09D, 0xF09E, 0xF09F, 0x20AC, 0x03D2, 0x2032, 0x2264,
    0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248,
    0x2026, 0x23D0, 0x23AF, 0x21B5, 0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209, 0x2220, 0x2207, 0x00AE, 0x00A9,
    0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3,
    0x23A7, 0x23A8, 0x23A9, 0x23AA, 0xF8FF, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0xF0FF,
};

} // namespace

int codePageForCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default: // 1 default, 2 symbol and anything unknown
        return 0;
    }
}

CodePageDecoder::CodePageDecoder(int codePage) : m_codePage(codePage)
{
    if (codePage == SymbolCodePage || codePage == SymbolFontCodePage) {
        for (int b = 0; b < 256; ++b) {
            m_table[b] = b < 0x20                     ? char16_t(b)
                         : codePage == SymbolCodePage ? SymbolTable[b - 0x20]
                                                      : char16_t(0xF000 + b);
        }
        return;
    }
    QByteArray name = icuName(codePage);
    if (name.isEmpty() || !QStringDecoder(name.constData()).isValid()) {
        m_codePage = 1252;
        name = "windows-1252";
    }
    for (int b = 0; b < 128; ++b)
        m_table[b] = char16_t(b);
    if (isDoubleByte(m_codePage) || m_codePage == 65001) {
        m_icuName = name;
        return;
    }
    QStringDecoder decoder(name.constData());
    for (int b = 128; b < 256; ++b) {
        const char byte = char(b);
        const QString decoded = decoder.decode(QByteArrayView(&byte, 1));
        m_table[b] = decoded.size() == 1 ? decoded.at(0).unicode() : char16_t(0xFFFD);
        decoder.resetState();
    }
}

std::shared_ptr<const CodePageDecoder> CodePageDecoder::forCodePage(int codePage)
{
    // Pages we have no name for read as Windows-1252 and share its decoder, so a file
    // naming many made-up code pages cannot fill the cache.
    if (codePage != SymbolCodePage && codePage != SymbolFontCodePage && icuName(codePage).isEmpty())
        codePage = 1252;
    static QMutex mutex;
    static QHash<int, std::shared_ptr<const CodePageDecoder>> cache;
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(codePage);
    if (it != cache.constEnd())
        return *it;
    std::shared_ptr<const CodePageDecoder> decoder(new CodePageDecoder(codePage));
    cache.insert(codePage, decoder);
    return decoder;
}

void CodePageDecoder::decode(const QByteArray &bytes, QString &out) const
{
    if (!m_icuName.isEmpty()) {
        QStringDecoder decoder(m_icuName.constData());
        out += decoder.decode(bytes);
        return;
    }
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    QChar *dst = out.data() + start;
    for (char b : bytes)
        *dst++ = QChar(m_table[static_cast<unsigned char>(b)]);
}

QList<int> namedCodePages()
{
    QList<int> pages{SymbolCodePage, SymbolFontCodePage};
    // The names above are all of pages below 65536.
    for (int codePage = 1; codePage <= 0xFFFF; ++codePage) {
        if (!icuName(codePage).isEmpty())
            pages << codePage;
    }
    return pages;
}

unsigned char windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    static const std::array<char16_t, 32> high = [] {
        std::array<char16_t, 32> table{};
        QStringDecoder decoder("windows-1252");
        for (int b = 0x80; b < 0xA0; ++b) {
            const char byte = char(b);
            const QString decoded = decoder.decode(QByteArrayView(&byte, 1));
            table[b - 0x80] = decoded.size() == 1 ? decoded.at(0).unicode() : 0;
            decoder.resetState();
        }
        return table;
    }();
    for (int i = 0; i < 32; ++i) {
        // Bytes that the code page leaves undefined decode to themselves; they are not
        // characters of the page, so they go out as \uN.
        if (high[i] == c && c >= 0x100)
            return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
}

int symbolFontCodePage(const QString &name)
{
    return name.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0 ? SymbolCodePage
                                                                           : SymbolFontCodePage;
}

} // namespace quillery
