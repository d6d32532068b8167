// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/ContainerHeader.h"

#include "platform/FileError.h"

#include <QtEndian>

#include <sodium.h>

namespace quillery {

namespace {

template <typename T> void put(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian<T>(value, bytes);
    out.append(bytes, sizeof(T));
}

template <typename T> T get(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

} // namespace

const QByteArray ContainerHeader::Magic = QByteArrayLiteral("QLYCRYPT");

KdfLimits KdfLimits::moderate()
{
    return {crypto_pwhash_argon2id_OPSLIMIT_MODERATE, crypto_pwhash_argon2id_MEMLIMIT_MODERATE};
}

KdfLimits KdfLimits::interactive()
{
    return {crypto_pwhash_argon2id_OPSLIMIT_INTERACTIVE,
            crypto_pwhash_argon2id_MEMLIMIT_INTERACTIVE};
}

KdfLimits KdfLimits::sensitive()
{
    return {crypto_pwhash_argon2id_OPSLIMIT_SENSITIVE, crypto_pwhash_argon2id_MEMLIMIT_SENSITIVE};
}

KdfLimits KdfLimits::lowest()
{
    return {crypto_pwhash_argon2id_OPSLIMIT_MIN, crypto_pwhash_argon2id_MEMLIMIT_MIN};
}

KdfLimits KdfLimits::highest()
{
    return {10, crypto_pwhash_argon2id_MEMLIMIT_SENSITIVE};
}

QByteArray ContainerHeader::toBytes() const
{
    QByteArray out = Magic;
    out.reserve(Size);
    put<quint32>(out, CurrentVersion);
    put<quint32>(out, Argon2id);
    put<quint64>(out, limits.operations);
    put<quint64>(out, limits.memory);
    out += salt;
    put<quint32>(out, chunkSize);
    out += streamHeader;
    Q_ASSERT(out.size() == Size);
    return out;
}

ContainerHeader ContainerHeader::parse(const QByteArray &bytes)
{
    if (!hasContainerMagic(bytes))
        throw FileError(FileError::InvalidFormat, QStringLiteral("It is not an encrypted binder"));
    if (bytes.size() < Size)
        throw FileError::damaged(QStringLiteral("it ends inside its encryption header"));
    const quint32 version = get<quint32>(bytes, 8);
    if (version != CurrentVersion)
        throw FileError(FileError::InvalidFormat,
                        QStringLiteral("It is an encrypted binder of container version %1, which "
                                       "this version of Quillery cannot read (it reads version %2)")
                            .arg(version)
                            .arg(CurrentVersion));
    if (get<quint32>(bytes, 12) != Argon2id)
        throw FileError(FileError::InvalidFormat,
                        QStringLiteral("Its key is made by an unknown method (%1)")
                            .arg(get<quint32>(bytes, 12)));
    ContainerHeader header;
    header.limits = {get<quint64>(bytes, 16), get<quint64>(bytes, 24)};
    const KdfLimits low = KdfLimits::lowest();
    const KdfLimits high = KdfLimits::highest();
    if (header.limits.operations < low.operations || header.limits.operations > high.operations ||
        header.limits.memory < low.memory || header.limits.memory > high.memory)
        throw FileError(FileError::InvalidFormat,
                        QStringLiteral("Its key would take %1 passes over %2 KiB of memory to "
                                       "make; this program allows %3 to %4 passes over %5 KiB to "
                                       "%6 KiB, so the file is damaged or not made by it")
                            .arg(header.limits.operations)
                            .arg(header.limits.memory / 1024)
                            .arg(low.operations)
                            .arg(high.operations)
                            .arg(low.memory / 1024)
                            .arg(high.memory / 1024));
    header.salt = bytes.mid(32, SaltSize);
    header.chunkSize = get<quint32>(bytes, 48);
    if (header.chunkSize < MinChunkSize || header.chunkSize > MaxChunkSize)
        throw FileError::damaged(
            QStringLiteral("its chunk size of %1 bytes is out of range").arg(header.chunkSize));
    header.streamHeader = bytes.mid(52, StreamHeaderSize);
    return header;
}

bool hasContainerMagic(const QByteArray &start)
{
    return start.startsWith(ContainerHeader::Magic);
}

} // namespace quillery
