// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quillery {

// The four bytes every binder file starts with; they, not its name, make a file a binder.
inline const QByteArray BinderHeader = QByteArrayLiteral("QLY4");

// True when path is a regular file that starts with the binder header.
bool hasBinderHeader(const QString &path);

} // namespace quillery
