#include "platform/RtfCodePages.h"

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

} // namespace quillery
