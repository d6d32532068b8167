#pragma once

#include "images/JpegFrame.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace quillery::jpeg {

// The whole JFIF file for a sampled frame: SOI, APP0, the caller's comment
// (when not empty), the encoder's own comment, DQT, SOF0, DHT with tables
// optimised for this frame, the scans and EOI.
std::vector<std::uint8_t> writeJpeg(const Frame &frame, const QByteArray &comment);

} // namespace quillery::jpeg
