// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillery {

// Makes the icons and the help pages built into the program available under ":/icons"
// and ":/help". The program is linked from a static library, where the resources are
// only kept when something calls this; calling it again does nothing.
void initShellResources();

} // namespace quillery
