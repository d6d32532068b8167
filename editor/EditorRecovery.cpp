// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorRecovery.h"

#include "documents/RecoveryKeeper.h"
#include "platform_ui/RichTextBox.h"
#include "rtf/RtfWriter.h"

#include <QPointer>
#include <QTextDocument>

#include <memory>

namespace quillery {

namespace {

// The text as saving the page would store it. Rich text is copied here and turned into
// RTF on the writing thread, which takes far longer than the copy.
EditedPage unsavedText(int position, const RichTextBox &box, bool rich)
{
    EditedPage page;
    page.position = position;
    if (!rich) {
        page.colour = QStringLiteral("NA");
        const QByteArray bytes = box.Text().toUtf8();
        page.bytes = [bytes] {
            return bytes;
        };
        return page;
    }
    page.colour = QString::number(box.BackColor());
    QTextDocument *copy = box.document()->clone();
    // Read and deleted on the writing thread: it belongs to no thread's events.
    copy->moveToThread(nullptr);
    std::shared_ptr<QTextDocument> shared(copy);
    page.bytes = [shared] {
        return writeRtf(*shared);
    };
    return page;
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
