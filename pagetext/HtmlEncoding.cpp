// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/HtmlEncoding.h"

#include "pagetext/Utf8OrWindows1252.h"

#include <cstring>

namespace quillery {

std::optional<QStringDecoder> declaredHtmlDecoder(QByteArrayView start)
{
    QStringDecoder declared = QStringDecoder::decoderForHtml(start);
    if (!declared.isValid() || std::strcmp(declared.name(), "UTF-8") == 0)
        return std::nullopt;
    return declared;
}

std::optional<QByteArray> undeclaredHtmlAsUtf8(const QByteArray &page)
{
    if (declaredHtmlDecoder(page))
        return std::nullopt;
    // Most pages are UTF-8 already: they go on shared, not copied.
    if (page.isValidUtf8())
        return page;
    Utf8OrWindows1252 reader;
    return reader.toUtf8(page, true).toByteArray();
}

} // namespace quillery
