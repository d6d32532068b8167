// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPainter;
class QPagedPaintDevice;
class QTextDocument;

namespace quillery {

// Margins of a printed page in twips, measured from the paper's edges.
struct PrintMargins
{
    static constexpr int Inch = 1440;
    int left = Inch;
    int top = Inch;
    int right = Inch;
    int bottom = Inch;
};

// Lays the text out sheet by sheet inside the margins, from the painter's current sheet
// on, and marks each sheet: "- N -" at the top right, the title centred in the top margin
// and the date centred in the bottom margin (either left out when empty). Sheets are
// numbered from 1 for each text; the painter must be painting on the device, whose
// coordinates start at the paper's corner. The text is laid out for the device (a printer or
// a PDF file) a part at a time (see TextParts), so callers hand over a copy of what they
// show; printing the same copy again gives the same sheets.
// Returns the number of sheets, or 0 with the reason in error when the margins leave no room
// or one paragraph or table is too long to lay out (thousands of sheets); sheets may have
// been drawn then, so the printout is to be thrown away.
int printText(QPainter &painter, QPagedPaintDevice &device, QTextDocument &text,
              const PrintMargins &margins, const QString &title, const QString &date,
              QString *error = nullptr);

} // namespace quillery
