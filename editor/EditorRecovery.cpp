// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorRecovery.h"

#include "documents/RecoveryKeeper.h"
#include "platform_ui/RichTextBox.h"

#include <QPointer>

namespace quillery {

namespace {

// The text as saving the page would store it. Turning a large rich page into RTF takes a
// while, but less than copying its document for another thread would (bench_recovery),
// and it is done once a pause in typing, not at every key.
EditedPage unsavedText(int position, const RichTextBox &box, bool rich)
{
    return {position, rich ? QString::number(box.BackColor()) : QStringLiteral("NA"),
            rich ? box.TextRTF() : box.Text().toUtf8()};
}

} // namespace

void keepUnsavedEdit(Binder &binder, int position, RichTextBox &box, bool rich, bool unsaved)
{
    RecoveryKeeper *keeper = RecoveryKeeper::of(binder);
    if (!keeper)
        return;
    if (!unsaved) {
        keeper->setEditSource({});
        return;
    }
    QPointer<RichTextBox> watched(&box);
    keeper->setEditSource([watched, position, rich] {
        return watched ? unsavedText(position, *watched, rich) : EditedPage();
    });
}

} // namespace quillery
