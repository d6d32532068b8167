// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rtf/RtfParser.h"

namespace quillery::rtf {

// How a group that starts with a destination keyword is read, given the destination of the
// group it stands in: with a destination of its own, in the enclosing one (a field, or a
// shape's or object's result in the body, whose content is document text), or not at all.
// One rule for the reader and for the search of the text a rich page shows, so that the
// two never disagree on what is text.
struct GroupDestination
{
    enum class Kind : quint8 { Own, Enclosing, Skipped };
    Kind kind = Kind::Skipped;
    Destination destination = Destination::Skip;
};

// listLevels: the levels the list being read has so far.
GroupDestination groupDestination(Keyword keyword, Destination current, int listLevels);

} // namespace quillery::rtf
