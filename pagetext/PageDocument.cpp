// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/PageDocument.h"

#include "documents/PageKind.h"
#include "pagetext/SealedDocument.h"
#include "platform/PlainText.h"
#include "rtf/RtfReader.h"

#include <QStringDecoder>

namespace quillery {

namespace {

QString htmlSource(const QByteArray &bytes)
{
    if (const auto encoding = QStringConverter::encodingForHtml(bytes))
        return QStringDecoder(*encoding).decode(bytes);
    return decodePlainText(bytes);
}

} // namespace

std::unique_ptr<QTextDocument> pageTextDocument(PageKind pageKind, QByteArray bytes)
{
    auto doc = std::make_unique<SealedDocument>();
    if (pageKind == PageKind::RTF && isRtf(bytes)) {
        readRtf(bytes, doc.get());
        return doc;
    }
    if (pageKind != PageKind::RTF && pageKind != PageKind::TXT && pageKind != PageKind::HTML)
        return nullptr;
    // A page may be large: its bytes are let go before its text goes into the document.
    const QString text = pageKind == PageKind::HTML ? htmlSource(bytes) : decodePlainText(bytes);
    bytes = QByteArray();
    if (pageKind == PageKind::HTML)
        doc->setHtml(text);
    else
        doc->setPlainText(text);
    return doc;
}

} // namespace quillery
