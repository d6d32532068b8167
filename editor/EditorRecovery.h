// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/UnsavedEdit.h"

#include <QPointer>
#include <QTimer>

#include <memory>

class QTextDocument;

namespace quillery {

class Binder;
class RichTextBox;
class RtfWriteJob;

// The editor's text as saving the page stores it: RTF in rich mode, UTF-8 in plain mode.
EditedPage pageAsStored(int position, const RichTextBox &box, bool rich);

// The page editor's text for the binder's recovery snapshot. A large rich page's RTF is
// written a few milliseconds at a time between the event loop's turns, so that typing
// never waits for it, and is kept until the text changes again.
class UnsavedPageText : public UnsavedEdit
{
    Q_OBJECT
public:
    UnsavedPageText(int position, RichTextBox &box, bool rich);
    ~UnsavedPageText() override;

    // Tells the binder's snapshot whether the editor has unsaved changes: while it has,
    // the snapshot holds the text as the page it would save.
    void follow(Binder &binder, bool unsaved);

    std::optional<EditedPage> made() const override;
    void make() override;
    EditedPage makeNow() override;

private:
    void forget();
    void step();

    const int m_position;
    RichTextBox &m_box;
    const bool m_rich;
    std::optional<QByteArray> m_made;
    std::unique_ptr<RtfWriteJob> m_job;
    QPointer<QTextDocument> m_jobDocument;
    QTimer m_slices;
};

} // namespace quillery
