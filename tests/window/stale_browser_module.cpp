// SPDX-License-Identifier: GPL-3.0-or-later
// A browser module as an older build of the program left it: it reports an interface the
// program does not have, so the program must refuse it without calling anything else of it.
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) int quilleryBrowserInterface()
{
    return 0;
}

extern "C" __attribute__((visibility("default"))) void *quilleryMakeBrowserView()
{
    std::abort();
}
