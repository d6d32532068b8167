// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

// Binders name the fonts of the systems they were written on: "Times New Roman",
// "Courier New" and "Arial" by default. The names stay as they are, since binders go back
// to those systems; here they are shown with the fonts made to the same measures
// (Liberation Serif, Mono and Sans, as fontconfig's aliases also say).
void installFontSubstitutes();

} // namespace quillery
