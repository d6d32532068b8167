// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "images/Picture.h"

#include <cstdint>

namespace quillery::bench {

// A landscape-like picture: sky and ground gradients, soft large shapes,
// hard-edged patches, grass-like strokes, fine texture and sensor noise.
// Most blocks are smooth, as in a photograph.
Picture landscapePicture(int width, int height);

// A picture of fine detail everywhere: crossed stripes a few pixels wide
// under strong noise of its own in each colour, the same for the same seed.
// Most coefficients of every block survive quantization, so coding the
// symbols outweighs the transform.
Picture detailedPicture(int width, int height, std::uint32_t seed);

} // namespace quillery::bench
