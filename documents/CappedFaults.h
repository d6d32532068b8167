// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quillery {

// Notes the faults of one kind up to a limit and only counts the rest, so that a file
// with a million bad entries neither fills memory nor buries the first faults.
class CappedFaults
{
public:
    static constexpr qsizetype Limit = 20;

    explicit CappedFaults(QStringList &faults) : m_faults(faults) {}
    CappedFaults(const CappedFaults &) = delete;
    CappedFaults &operator=(const CappedFaults &) = delete;
    ~CappedFaults()
    {
        if (m_count > Limit)
            m_faults
                << QStringLiteral("... and %1 more faults like the one above").arg(m_count - Limit);
    }

    // message is only called for faults that are kept.
    template <typename Message> void add(Message message)
    {
        if (m_count++ < Limit)
            m_faults << message();
    }

private:
    QStringList &m_faults;
    qsizetype m_count = 0;
};

} // namespace quillery
