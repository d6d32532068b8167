// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/ContainerHeader.h"

#include <QByteArray>
#include <QString>

namespace quillery {

// The key of an encrypted binder, made from a passphrase with Argon2id. It lives in memory
// that is kept out of swap and zeroed when freed; the passphrase's bytes are zeroed as soon
// as the key is made.
class BinderKey
{
public:
    static constexpr int Size = 32;

    // Throws FileError when the memory the limits ask for cannot be had.
    BinderKey(const QString &passphrase, const QByteArray &salt, KdfLimits limits);
    ~BinderKey();
    BinderKey(const BinderKey &) = delete;
    BinderKey &operator=(const BinderKey &) = delete;

    // A new random salt, for a key of a new passphrase.
    static QByteArray newSalt();

    const unsigned char *bytes() const { return m_key; }
    const QByteArray &salt() const { return m_salt; }
    KdfLimits limits() const { return m_limits; }

private:
    unsigned char *m_key;
    QByteArray m_salt;
    KdfLimits m_limits;
};

// Starts libsodium once for the whole program; throws FileError when it cannot start.
void initialiseSodium();

} // namespace quillery
