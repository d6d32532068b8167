// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextDocument>

namespace quillery {

// A text document that loads nothing its text names: a page's HTML may name any file or
// address, and laying it out reads none of them (no local files, no network).
class SealedDocument : public QTextDocument
{
protected:
    QVariant loadResource(int, const QUrl &) override { return QVariant(); }
};

} // namespace quillery
