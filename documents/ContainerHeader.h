// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quillery {

// How hard the key of an encrypted binder is to guess: Argon2id's passes over its memory
// and the memory in bytes.
struct KdfLimits
{
    quint64 operations = 0;
    quint64 memory = 0;

    // What new encrypted binders get: about a second and 256 MiB on a desktop.
    static KdfLimits moderate();
    // Faster (64 MiB) and slower (1 GiB) choices for the tool's --kdf option.
    static KdfLimits interactive();
    static KdfLimits sensitive();
    // The least the container accepts, for tests that make many containers.
    static KdfLimits lowest();
    // The most a container may ask for, so that a hostile file cannot make the program
    // take gigabytes or run for minutes before it can say the passphrase is wrong.
    static KdfLimits highest();
};

// The header of an encrypted binder, all numbers little-endian:
//   0   8  magic "QLYCRYPT"
//   8   4  container version (1)
//   12  4  key derivation (2: Argon2id 1.3)
//   16  8  Argon2id passes
//   24  8  Argon2id memory in bytes
//   32  16 salt
//   48  4  plain bytes per chunk
//   52  24 secretstream header
// Then the plain binder in XChaCha20-Poly1305 secretstream chunks: each chunk's plain
// bytes (the chunk size; the last one fewer or none) and 17 bytes of tag and MAC. The
// last chunk, and only that one, carries the FINAL tag. The first chunk authenticates
// the whole header as its additional data.
struct ContainerHeader
{
    static constexpr int Size = 76;
    static constexpr int SaltSize = 16;
    static constexpr int StreamHeaderSize = 24;
    static constexpr int ChunkOverhead = 17;
    static constexpr quint32 CurrentVersion = 1;
    static constexpr quint32 Argon2id = 2;
    static constexpr quint32 DefaultChunkSize = 1 << 20;
    static constexpr quint32 MinChunkSize = 16;
    static constexpr quint32 MaxChunkSize = 16 << 20;
    static const QByteArray Magic;

    KdfLimits limits;
    QByteArray salt;
    quint32 chunkSize = DefaultChunkSize;
    QByteArray streamHeader;

    QByteArray toBytes() const;
    // Reads a header; throws FileError saying what is wrong when the bytes are not one
    // this program can read or when they ask for more work than it allows.
    static ContainerHeader parse(const QByteArray &bytes);
};

// Whether the bytes begin as an encrypted binder does.
bool hasContainerMagic(const QByteArray &start);

} // namespace quillery
