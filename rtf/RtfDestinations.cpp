// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/RtfDestinations.h"

namespace quillery::rtf {

namespace {

GroupDestination own(Destination destination)
{
    return {GroupDestination::Kind::Own, destination};
}

GroupDestination ownWithin(Destination destination, bool allowed)
{
    return allowed ? own(destination) : GroupDestination();
}

} // namespace

GroupDestination groupDestination(Keyword keyword, Destination current, int listLevels)
{
    switch (keyword) {
    case Keyword::FontTable:
        return own(Destination::FontTable);
    case Keyword::ColourTable:
        return own(Destination::ColourTable);
    case Keyword::Pict:
        return own(Destination::Picture);
    case Keyword::FldInst:
        return own(Destination::FieldInstruction);
    case Keyword::FldRslt:
        return ownWithin(Destination::Body,
                         current == Destination::Body || current == Destination::FieldInstruction);
    case Keyword::PnText:
    case Keyword::ListText:
        return ownWithin(Destination::ListText, current == Destination::Body);
    case Keyword::Pn:
        return own(Destination::Numbering);
    case Keyword::PnTxtB:
        return ownWithin(Destination::NumberBefore, current == Destination::Numbering);
    case Keyword::PnTxtA:
        return ownWithin(Destination::NumberAfter, current == Destination::Numbering);
    case Keyword::ListTable:
        return own(Destination::ListTable);
    case Keyword::List:
        return ownWithin(Destination::List, current == Destination::ListTable);
    case Keyword::ListLevel:
        return ownWithin(Destination::ListLevel,
                         current == Destination::List && listLevels < MaxListLevels);
    case Keyword::LevelText:
        return ownWithin(Destination::LevelText, current == Destination::ListLevel);
    case Keyword::ListOverrideTable:
        return own(Destination::ListOverrideTable);
    case Keyword::ListOverride:
        return ownWithin(Destination::ListOverride, current == Destination::ListOverrideTable);
    case Keyword::Field:
    case Keyword::ShpPict:
    case Keyword::Object:
    case Keyword::Result:
    case Keyword::ShpRslt:
        if (current == Destination::Body)
            return {GroupDestination::Kind::Enclosing, current};
        return {};
    default:
        return {};
    }
}

} // namespace quillery::rtf
