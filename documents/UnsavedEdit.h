// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/RecoveryCapture.h"

#include <QObject>

#include <optional>

namespace quillery {

// The page editor's unsaved text as the page it would save, for the recovery snapshot.
// Making it takes longer than a frame for a large rich page, so it is made a part at a
// time between the event loop's turns, and made again when the text changes meanwhile.
class UnsavedEdit : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The page as made since the text last changed; none while it is not made.
    virtual std::optional<EditedPage> made() const = 0;
    // Starts making the page unless it is made or being made; ready follows once it is.
    virtual void make() = 0;
    // The page at once, for a program that is about to end: the interface waits.
    virtual EditedPage makeNow() = 0;

Q_SIGNALS:
    void ready();
};

} // namespace quillery
