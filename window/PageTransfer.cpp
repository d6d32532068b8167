// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageTransfer.h"

namespace quillery {

namespace {

const QByteArray Signature = QByteArrayLiteral("QUILLERY-PAGES 1\r\n");
// Counts longer than this many digits cannot be sizes of bytes that are there.
constexpr int LongestCount = 18;

// Reads a decimal count ending at the separator, moving at past it; no value when the
// text there is no such count.
std::optional<qsizetype> readCount(const QByteArray &bytes, qsizetype &at, char separator)
{
    const qsizetype end = bytes.indexOf(separator, at);
    if (end <= at || end - at > LongestCount)
        return std::nullopt;
    bool ok = false;
    const qlonglong count = bytes.mid(at, end - at).toLongLong(&ok);
    if (!ok || count < 0 || bytes.at(at) == '+' || bytes.at(at) == '-')
        return std::nullopt;
    at = end + 1;
    return qsizetype(count);
}

} // namespace

QByteArray encodePages(const QVector<TransferredPage> &pages)
{
    QByteArray bytes = Signature;
    for (const TransferredPage &page : pages) {
        const QByteArray info = page.info.toLine();
        bytes += QByteArray::number(info.size()) + ' ' + QByteArray::number(page.data.size()) +
                 "\r\n" + info + page.data;
    }
    return bytes;
}

std::optional<QVector<TransferredPage>> decodePages(const QByteArray &bytes)
{
    if (!bytes.startsWith(Signature))
        return std::nullopt;
    QVector<TransferredPage> pages;
    qsizetype at = Signature.size();
    while (at < bytes.size()) {
        const std::optional<qsizetype> infoSize = readCount(bytes, at, ' ');
        const std::optional<qsizetype> dataSize =
            infoSize ? readCount(bytes, at, '\r') : std::nullopt;
        if (!dataSize || at >= bytes.size() || bytes.at(at) != '\n')
            return std::nullopt;
        ++at;
        const qsizetype left = bytes.size() - at;
        if (*infoSize > left || *dataSize > left - *infoSize)
            return std::nullopt;
        const std::optional<ClipInfo> info = ClipInfo::parse(bytes.mid(at, *infoSize));
        if (!info)
            return std::nullopt;
        pages.append({*info, bytes.mid(at + *infoSize, *dataSize)});
        at += *infoSize + *dataSize;
    }
    return pages;
}

} // namespace quillery
