// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/SaneFrames.h"

#include <cstring>

namespace quillery {

namespace {

// Lines a frame holds: as announced, or, from a device that could not tell in
// advance (a hand scanner), as many whole lines as arrived.
int frameLines(const SaneFrame &frame)
{
    const SANE_Parameters &p = frame.parameters;
    if (p.bytes_per_line <= 0)
        return 0;
    const qsizetype whole = frame.data.size() / p.bytes_per_line;
    return int(p.lines < 0 ? whole : std::min<qsizetype>(p.lines, whole));
}

// Sample x of a line of 8- or 16-bit samples, as 8 bits.
std::uint8_t sample(const std::uint8_t *line, int x, int depth)
{
    if (depth == 8)
        return line[x];
    std::uint16_t value;
    std::memcpy(&value, line + 2 * x, 2); // native byte order
    return std::uint8_t(value >> 8);
}

bool usableDepth(const SANE_Parameters &p)
{
    return p.depth == 8 || p.depth == 16;
}

// Bytes the samples of one line take, in 64 bits: the device's figures are not trusted
// to stay within an int when multiplied.
qint64 lineBytes(int width, int samplesPerPixel, int depth)
{
    return (qint64(width) * samplesPerPixel * depth + 7) / 8;
}

Picture greyImage(const SaneFrame &frame, int lines)
{
    const SANE_Parameters &p = frame.parameters;
    const int width = p.pixels_per_line;
    Picture image;
    const bool lineArt = p.depth == 1;
    if ((!lineArt && !usableDepth(p)) || p.bytes_per_line < lineBytes(width, 1, p.depth) ||
        !image.create(width, lines, lineArt ? 1 : 8))
        return {};
    for (int y = 0; y < lines; ++y) {
        const auto *line = reinterpret_cast<const std::uint8_t *>(frame.data.constData()) +
                           std::size_t(y) * p.bytes_per_line;
        std::uint8_t *row = image.scanLine(y);
        if (lineArt) {
            for (qint64 i = 0; i < lineBytes(width, 1, 1); ++i)
                row[i] = std::uint8_t(~line[i]);
        } else {
            for (int x = 0; x < width; ++x)
                row[x] = sample(line, x, p.depth);
        }
    }
    return image;
}

// Colour from one RGB frame or three single-colour frames; `channels[c]`
// gives the frame and the sample offset of red (0), green (1) and blue (2).
Picture colourImage(const std::vector<SaneFrame> &frames, int lines)
{
    const SANE_Parameters &first = frames.front().parameters;
    const int width = first.pixels_per_line;
    struct Channel
    {
        const SaneFrame *frame = nullptr;
        int offset = 0;
        int stride = 1;
    };
    Channel channels[3];
    for (const SaneFrame &f : frames) {
        const SANE_Parameters &p = f.parameters;
        if (!usableDepth(p) || p.depth != first.depth || p.pixels_per_line != width)
            return {};
        const int perPixel = p.format == SANE_FRAME_RGB ? 3 : 1;
        if (p.bytes_per_line < lineBytes(width, perPixel, p.depth))
            return {};
        switch (p.format) {
        case SANE_FRAME_RGB:
            for (int c = 0; c < 3; ++c)
                channels[c] = {&f, c, 3};
            break;
        case SANE_FRAME_RED:
            channels[0] = {&f, 0, 1};
            break;
        case SANE_FRAME_GREEN:
            channels[1] = {&f, 0, 1};
            break;
        case SANE_FRAME_BLUE:
            channels[2] = {&f, 0, 1};
            break;
        default:
            return {};
        }
    }
    Picture image;
    for (const Channel &c : channels) {
        if (!c.frame)
            return {};
    }
    if (!image.create(width, lines, 24))
        return {};
    for (int y = 0; y < lines; ++y) {
        std::uint8_t *row = image.scanLine(y);
        for (int c = 0; c < 3; ++c) {
            const Channel &ch = channels[c];
            const auto *line = reinterpret_cast<const std::uint8_t *>(ch.frame->data.constData()) +
                               std::size_t(y) * ch.frame->parameters.bytes_per_line;
            for (int x = 0; x < width; ++x)
                row[3 * x + 2 - c] = sample(line, ch.stride * x + ch.offset, first.depth);
        }
    }
    return image;
}

} // namespace

bool saneFrameHasRoom(qint64 held, qint64 more)
{
    return more >= 0 && held >= 0 && more <= MaxSaneFrameBytes - held;
}

Picture imageFromSaneFrames(const std::vector<SaneFrame> &frames)
{
    if (frames.empty() || frames.size() > MaxSaneFrames ||
        frames.front().parameters.pixels_per_line <= 0)
        return {};
    int lines = frameLines(frames.front());
    for (const SaneFrame &f : frames)
        lines = std::min(lines, frameLines(f));
    if (lines <= 0)
        return {};
    if (frames.size() == 1 && frames.front().parameters.format == SANE_FRAME_GRAY)
        return greyImage(frames.front(), lines);
    return colourImage(frames, lines);
}

} // namespace quillery
