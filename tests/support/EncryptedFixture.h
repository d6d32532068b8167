// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BinderFixture.h"
#include "RuntimeDir.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace quillery::test {

// A word written into every page of the encrypted test binders, looked for in files
// that should never hold plain data.
inline const QByteArray EncryptedMarker = "okapi-7f3c";
inline const QString TestPassphrase = QStringLiteral("correct horse battery staple");

// One page of every kind, each holding the marker, and named with it too.
extern const QList<QPair<QString, QByteArray>> EveryKind;

// A binder made plain, then saved encrypted by the program with the cheapest key; the
// plain file and the page sources are gone afterwards. Empty when that fails.
QString makeEncrypted(BinderFixture &f, const QString &name,
                      const QList<QPair<QString, QByteArray>> &pages,
                      const QString &password = QString());

// A runtime folder, a fixture and a binder of every page kind encrypted in it.
struct Encrypted
{
    RuntimeDir runtime;
    BinderFixture f;
    QString path = runtime.isValid() ? makeEncrypted(f, "secret.qly", EveryKind) : QString();

    // Opens the binder, answering the passphrase prompt.
    std::unique_ptr<Binder> open();
};

// Points the temporary and state folders at two new folders inside folders, the test's own,
// so that anything written there while an encrypted binder is open is found; false when it
// cannot.
bool useOwnTempAndStateFolders(const QTemporaryDir &folders);

// The plain bytes of a container file; throws FileError as opening would.
QByteArray decrypted(const QString &path, const QString &passphrase = TestPassphrase);

// Every file under the folder whose bytes hold the marker.
QStringList filesHoldingMarker(const QString &folder);

} // namespace quillery::test
