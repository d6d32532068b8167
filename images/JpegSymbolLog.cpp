// SPDX-License-Identifier: GPL-3.0-or-later
#include "images/JpegSymbolLog.h"

#include <new>

namespace quillery::jpeg {

SymbolLog::SymbolLog(std::size_t budget)
{
    if (budget < std::size_t(blockBytes))
        return;
    // Left uninitialised so that the pages never written are never taken.
    data_.reset(new (std::nothrow) std::uint8_t[budget]);
    if (data_ != nullptr) {
        budget_ = budget;
        write_ = start();
        endScan_ = INT_MAX;
    }
}

} // namespace quillery::jpeg
