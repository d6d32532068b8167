#pragma once

#include <QByteArray>
#include <QString>

namespace quillery {

// Plain text kept as Quillery's text pages are: UTF-8 when it is valid, else Windows-1252.
QString plainFromBytes(const QByteArray &bytes);

} // namespace quillery
