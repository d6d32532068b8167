// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/PlainSource.h"

#include "platform/FileError.h"

#include <cstring>
#include <fcntl.h>

namespace quillery {

namespace {

qint64 pieceLength(const LumpData &piece)
{
    if (const auto *bytes = std::get_if<QByteArray>(&piece))
        return bytes->size();
    return std::get<FileRange>(piece).length;
}

} // namespace

FileSource::FileSource(const QString &path) : m_path(path), m_fd(fileio::openForReading(path))
{
    m_size = fileio::fileSize(m_fd.get(), path);
    ::posix_fadvise(m_fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
}

void FileSource::read(char *into, qint64 length)
{
    fileio::readInto(m_fd.get(), into, m_position, length, m_path);
    m_position += length;
}

PiecesSource::PiecesSource(QVector<LumpData> pieces) : m_pieces(std::move(pieces))
{
    for (const LumpData &piece : std::as_const(m_pieces))
        m_size += pieceLength(piece);
}

void PiecesSource::open(const FileRange &range)
{
    if (range.path != m_path) {
        m_fd = fileio::openForReading(range.path);
        m_path = range.path;
        m_fileSize = fileio::fileSize(m_fd.get(), m_path);
        ::posix_fadvise(m_fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    if (range.offset < 0 || range.length < 0 || range.offset + range.length > m_fileSize)
        throw FileError(FileError::PastEnd,
                        QStringLiteral("Input past end of file (%1)").arg(range.path));
}

void PiecesSource::read(char *into, qint64 length)
{
    while (length > 0) {
        if (m_piece >= m_pieces.size())
            throw FileError(FileError::PastEnd, QStringLiteral("Input past end of file"));
        const LumpData &piece = m_pieces.at(m_piece);
        const qint64 n = std::min(length, pieceLength(piece) - m_inPiece);
        if (n == 0) {
            // an empty piece: nothing to read
        } else if (const auto *bytes = std::get_if<QByteArray>(&piece)) {
            std::memcpy(into, bytes->constData() + m_inPiece, size_t(n));
        } else {
            const FileRange &range = std::get<FileRange>(piece);
            if (m_inPiece == 0)
                open(range);
            fileio::readInto(m_fd.get(), into, range.offset + m_inPiece, n, m_path);
        }
        into += n;
        length -= n;
        m_inPiece += n;
        if (m_inPiece == pieceLength(piece)) {
            ++m_piece;
            m_inPiece = 0;
        }
    }
}

} // namespace quillery
