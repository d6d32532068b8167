// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorRecovery.h"

#include "documents/PageKind.h"
#include "documents/RecoveryKeeper.h"
#include "platform_ui/RichTextBox.h"
#include "rtf/RtfWriter.h"

#include <QDeadlineTimer>

namespace quillery {

namespace {

// Each part of a large page's RTF is written until this long has passed and ends with the
// paragraph then being written, so that a key pressed meanwhile waits under 4 ms.
constexpr int SliceMs = 3;

QByteArray storedBytes(const RichTextBox &box, bool rich)
{
    return rich ? box.toRtf() : box.text().toUtf8();
}

EditedPage storedPage(int position, const RichTextBox &box, bool rich, QByteArray bytes)
{
    const PageKind kind = rich ? PageKind::RTF : PageKind::TXT;
    return {position, colourField(kind, QString::number(box.backColour())), std::move(bytes)};
}

} // namespace

EditedPage pageAsStored(int position, const RichTextBox &box, bool rich)
{
    return storedPage(position, box, rich, storedBytes(box, rich));
}

UnsavedPageText::UnsavedPageText(int position, RichTextBox &box, bool rich)
    : UnsavedEdit(&box), m_position(position), m_box(box), m_rich(rich)
{
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &UnsavedPageText::step);
    // Formatting changes come this way too.
    connect(&box, &QTextEdit::textChanged, this, &UnsavedPageText::forget);
}

UnsavedPageText::~UnsavedPageText() = default;

void UnsavedPageText::follow(Binder &binder, bool unsaved)
{
    if (RecoveryKeeper *keeper = RecoveryKeeper::of(binder))
        keeper->setUnsavedEdit(unsaved ? this : nullptr);
}

std::optional<EditedPage> UnsavedPageText::made() const
{
    return m_made ? std::optional(storedPage(m_position, m_box, m_rich, *m_made)) : std::nullopt;
}

void UnsavedPageText::make()
{
    if (!m_made && !m_slices.isActive())
        m_slices.start();
}

EditedPage UnsavedPageText::makeNow()
{
    if (!m_made) {
        forget();
        m_made = storedBytes(m_box, m_rich);
    }
    return storedPage(m_position, m_box, m_rich, *m_made);
}

void UnsavedPageText::forget()
{
    m_made.reset();
    m_job.reset();
    m_slices.stop();
}

void UnsavedPageText::step()
{
    if (!m_rich) {
        m_slices.stop();
        m_made = storedBytes(m_box, false);
        Q_EMIT ready();
        return;
    }
    QTextDocument *document = m_box.document();
    if (!m_job || m_jobDocument != document) {
        m_job = std::make_unique<RtfWriteJob>(*document);
        m_jobDocument = document;
    }
    if (!m_job->writeUntil(QDeadlineTimer(SliceMs, Qt::PreciseTimer)))
        return;
    m_slices.stop();
    m_made = m_job->take();
    m_job.reset();
    Q_EMIT ready();
}

} // namespace quillery
