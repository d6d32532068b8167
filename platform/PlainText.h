// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quillery {

// The text of a plain text page: UTF-8 when its bytes are valid UTF-8, otherwise
// Windows-1252, which is what older pages and files from Windows hold.
QString decodePlainText(const QByteArray &bytes);

} // namespace quillery
