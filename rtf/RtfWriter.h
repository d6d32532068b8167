// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <memory>

class QDeadlineTimer;
class QTextDocument;

namespace quillery {

namespace rtf {
class Writer;
}

// The document as RTF that the rich edit control, word processors and this program read
// back with the same text and formatting. Code page 1252; other characters as \uN.
QByteArray writeRtf(const QTextDocument &doc);

// Only the characters from position `from` up to, not including, `to` (a selection). A
// paragraph mark is written only when the range covers it.
QByteArray writeRtf(const QTextDocument &doc, int from, int to);

// The same RTF as writeRtf(doc), written a part at a time, so that a large document can be
// written between the event loop's turns. The document must not change until it is done.
class RtfWriteJob
{
public:
    explicit RtfWriteJob(const QTextDocument &doc);
    ~RtfWriteJob();

    // Writes on until the deadline has passed; true once the whole document is written.
    bool writeUntil(const QDeadlineTimer &deadline);
    // The RTF, once writeUntil has returned true.
    QByteArray take();

private:
    std::unique_ptr<rtf::Writer> m_writer;
};

} // namespace quillery
