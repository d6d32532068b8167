// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the bytes as a series of edits to a page laid out by the rich text box's layout
// (typing in either direction, deleting, replacing, formatting, lists, tables, undo) and
// compares the page with a copy laid out afresh by Qt after every edit: any difference in a
// paragraph, a line, the page's size or a hit test is a fault, unless Qt's own layout given
// the same edits differs from the fresh copy in the same way.

#include "support/ui/LayoutEdits.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_paragraphlayout";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    if (size < 2)
        return 0;
    size_t next = 0;
    // Each choice takes a byte; a choice of more than 256 takes two.
    const auto choose = [&](int n) {
        int value = data[next++ % size];
        if (n > 256)
            value = value << 8 | data[next++ % size];
        return value % n;
    };
    quillery::test::EditedPages pages(200 + choose(400));
    // Every byte chooses at most a part of an edit; the edits end with the input.
    while (next < size) {
        const QString edit = pages.edit(choose);
        const QString differ = pages.differences();
        if (!differ.isEmpty()) {
            std::fprintf(stderr, "after %s: %s\n", qPrintable(edit), qPrintable(differ));
            std::abort();
        }
    }
    return 0;
}
