// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/LumpArchive.h"
#include "platform/FileIo.h"

#include <QString>
#include <QVector>

namespace quillery {

// Plain bytes to encrypt, read once from start to end.
class PlainSource
{
public:
    virtual ~PlainSource() = default;
    virtual qint64 size() const = 0;
    // Puts the next length bytes into the buffer; throws FileError when they cannot be read.
    virtual void read(char *into, qint64 length) = 0;
};

// A whole file, as large as it was when opened.
class FileSource : public PlainSource
{
public:
    explicit FileSource(const QString &path);
    qint64 size() const override { return m_size; }
    void read(char *into, qint64 length) override;

private:
    QString m_path;
    UniqueFd m_fd;
    qint64 m_size;
    qint64 m_position = 0;
};

// Pieces one after another (an archive's header, lumps and directory), each bytes in
// memory or a range of a file. A file is opened once for the pieces of it that follow one
// another, as thousands of pages of a binder lie in its working copy.
class PiecesSource : public PlainSource
{
public:
    explicit PiecesSource(QVector<LumpData> pieces);
    qint64 size() const override { return m_size; }
    void read(char *into, qint64 length) override;

private:
    // Opens the file of a range when it is not the one open now, and checks the range
    // lies inside it.
    void open(const FileRange &range);

    QVector<LumpData> m_pieces;
    qint64 m_size = 0;
    int m_piece = 0;
    qint64 m_inPiece = 0;
    QString m_path;
    UniqueFd m_fd;
    qint64 m_fileSize = 0;
};

} // namespace quillery
