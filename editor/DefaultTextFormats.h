// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/TextFormatDefaults.h"

#include <QString>

namespace quillery {

class InfoRecords;
class RichTextBox;

// Applies the format with the prefix ("RTF" or "TXT") to the whole content of the box and
// leaves the whole content selected. A value that is missing or unreadable is replaced by
// its default, so a damaged binder still shows its pages.
void applyTextFormat(RichTextBox &box, const QString &prefix, const InfoRecords &records);

} // namespace quillery
