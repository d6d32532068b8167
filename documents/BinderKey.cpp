// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/BinderKey.h"

#include "platform/FileError.h"

#include <sodium.h>

#include <cerrno>

namespace quillery {

static_assert(ContainerHeader::SaltSize == crypto_pwhash_argon2id_SALTBYTES);
static_assert(BinderKey::Size == crypto_secretstream_xchacha20poly1305_KEYBYTES);

void initialiseSodium()
{
    static const bool started = sodium_init() >= 0;
    if (!started)
        throw FileError(FileError::DeviceIo, QStringLiteral("The encryption library cannot start"));
}

BinderKey::BinderKey(const QString &passphrase, const QByteArray &salt, KdfLimits limits)
    : m_key(nullptr), m_salt(salt), m_limits(limits)
{
    initialiseSodium();
    if (salt.size() != ContainerHeader::SaltSize)
        throw FileError::damaged(
            QStringLiteral("its salt is not %1 bytes long").arg(ContainerHeader::SaltSize));
    m_key = static_cast<unsigned char *>(sodium_malloc(Size));
    if (!m_key)
        throw FileError::fromErrno(ENOMEM);
    // The same passphrase typed with composed or decomposed accents makes the same key.
    QString normal = passphrase.normalized(QString::NormalizationForm_C);
    QByteArray secret = normal.toUtf8();
    sodium_memzero(normal.data(), size_t(normal.size()) * sizeof(QChar));
    const int result =
        crypto_pwhash(m_key, Size, secret.constData(), quint64(secret.size()),
                      reinterpret_cast<const unsigned char *>(salt.constData()), limits.operations,
                      size_t(limits.memory), crypto_pwhash_ALG_ARGON2ID13);
    sodium_memzero(secret.data(), size_t(secret.size()));
    if (result != 0) {
        sodium_free(m_key);
        throw FileError(FileError::DiskFull,
                        QStringLiteral("There is not enough memory to make the key (%1 MiB)")
                            .arg(limits.memory >> 20));
    }
}

BinderKey::~BinderKey()
{
    sodium_free(m_key);
}

QByteArray BinderKey::newSalt()
{
    initialiseSodium();
    QByteArray salt(ContainerHeader::SaltSize, Qt::Uninitialized);
    randombytes_buf(salt.data(), size_t(salt.size()));
    return salt;
}

} // namespace quillery
