// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>

namespace quillery {

// Makes a value from bytes that mostly repeat (page kinds, colours, dates) once and
// shares it while it keeps coming back: the last few distinct values are kept.
template <typename Value> class RecentValues
{
public:
    template <typename Make> Value get(QByteArrayView bytes, Make make)
    {
        for (const Slot &slot : m_slots) {
            if (slot.used && slot.bytes == bytes)
                return slot.value;
        }
        Slot &slot = m_slots[m_next];
        m_next = (m_next + 1) % m_slots.size();
        slot = Slot{true, bytes.toByteArray(), make(bytes)};
        return slot.value;
    }

private:
    struct Slot
    {
        bool used = false;
        QByteArray bytes;
        Value value;
    };
    std::array<Slot, 8> m_slots;
    std::size_t m_next = 0;
};

} // namespace quillery
