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

std::unique_ptr<QTextDocument> pageTextDocument(const QString &kind, const QByteArray &bytes)
{
    auto doc = std::make_unique<SealedDocument>();
    switch (kindFromString(kind)) {
    case PageKind::RTF:
        if (isRtf(bytes))
            readRtf(bytes, doc.get());
        else
            doc->setPlainText(decodePlainText(bytes));
        break;
    case PageKind::TXT:
        doc->setPlainText(decodePlainText(bytes));
        break;
    case PageKind::HTML:
        doc->setHtml(htmlSource(bytes));
        break;
    default:
        return nullptr;
    }
    return doc;
}

} // namespace quillery
