// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BinderFixture.h"

#include "documents/PageKind.h"
#include "editor/EditorWindow.h"

#include <memory>

namespace quillery::test {

// A binder without a file, to which tests add pages, and editors opened on them.
struct EditorFixture : BinderFixture
{
    EditorFixture();

    Binder binder;

    // Adds a page of the kind holding bytes in a data file of its own; returns its position.
    int addPage(PageKind kind, const QByteArray &bytes, const QString &name = "Notes");
    // Opens the page in the editor, rich when kind is RTF, plain otherwise.
    std::unique_ptr<EditorWindow> edit(int position);
};

} // namespace quillery::test
