// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKind.h"

#include <QByteArray>
#include <QString>
#include <QTextDocument>

#include <memory>

namespace quillery {

// A page's text as a document to lay out: rich text pages through the RTF reader, plain
// text pages as they are stored, HTML pages from their source. Nothing a page refers to
// is ever loaded (no local files, no network); null for pages without text.
std::unique_ptr<QTextDocument> pageTextDocument(PageKind kind, QByteArray bytes);

} // namespace quillery
