// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillery {

class Workspace;

// How many pages of each kind a sample binder holds.
struct SampleCounts
{
    int rtf = 0;
    int txt = 0;
    int html = 0;
    int pictures = 0;
};

// Writes a binder of the given number of pages to path through the program's own import
// and save code. Page 1 is a rich text page; HTML pages come in pairs, every 50th page
// from 50 on and the one after it, and every 50th page from 25 on is a picture; of the
// rest two in five are plain text and the others rich text of a few KB, one in forty of
// each kind 30-100 KB.
SampleCounts writeSampleBinder(Workspace &workspace, const QString &sourceFolder,
                               const QString &path, int pages);

} // namespace quillery
