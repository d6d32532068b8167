// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoredPages.h"

#include "documents/Binder.h"
#include "transfer/BinderOpener.h"

namespace quillery::test {

QStringList storedPageNames(Workspace &workspace, const QString &binderPath)
{
    QStringList names;
    const std::unique_ptr<Binder> binder = openFile(workspace, binderPath, OpenPurpose::Inspect);
    for (int i = 0; binder && i < binder->pageCount(); ++i)
        names << binder->pages().at(i).name;
    return names;
}

} // namespace quillery::test
