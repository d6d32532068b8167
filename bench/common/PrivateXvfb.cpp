// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateXvfb.h"

#include <QProcess>

namespace quillery {

QString startPrivateXvfb(QProcess &server)
{
    server.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("1280x1024x24")});
    if (!server.waitForStarted(10000) || !server.waitForReadyRead(10000))
        return {};
    return u':' + QString::fromLatin1(server.readLine().trimmed());
}

} // namespace quillery
