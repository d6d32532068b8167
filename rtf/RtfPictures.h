// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QTextImageFormat>

class QTextDocument;

namespace quillery::rtf {

// A \pict group: its blip kind ("pngblip", "jpegblip", "wmetafile8" ...), bytes and sizes.
struct Picture
{
    QByteArray kind;
    QByteArray data;
    int width = 0;      // \picw: pixels for bitmaps, hundredths of a millimetre for metafiles
    int height = 0;     // \pich
    int goalWidth = 0;  // \picwgoal, twips
    int goalHeight = 0; // \pichgoal, twips
    int scaleX = 100;   // percent
    int scaleY = 100;
};

// Registers the picture with the document and returns the format that shows it. PNG and
// JPEG pictures are shown as they are; other kinds as a placeholder of the same size. The
// original bytes travel in the format so that writing gives them back unchanged.
// pixelBudget limits the pixels decoded from one RTF text, so a small file cannot claim
// gigabytes; pictures beyond it show as placeholders.
QTextImageFormat pictureFormat(const Picture &picture, QTextDocument *doc, double dpi,
                               qint64 &pixelBudget);

// The picture to write for an image of a document: the original bytes when the format has
// them, otherwise the image from the document's resources as PNG. An empty kind when there
// is no image to write.
Picture pictureForWriting(const QTextImageFormat &format, const QTextDocument &doc, double dpi);

} // namespace quillery::rtf
