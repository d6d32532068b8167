// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringDecoder>

#include <optional>

namespace quillery {

// The decoder of the encoding an HTML page names by byte order mark or meta element, read
// from its start. Nothing where it names none, or UTF-8, or one Qt does not know: the page
// is then read as Utf8OrWindows1252 reads text, the same in the viewer as in a search.
std::optional<QStringDecoder> declaredHtmlDecoder(QByteArrayView start);

// A page without a declared decoder, read so, in UTF-8 throughout; nothing for a page with
// one, which a browser reads as the page says.
std::optional<QByteArray> undeclaredHtmlAsUtf8(const QByteArray &page);

} // namespace quillery
