// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/BinderHeader.h"

#include "platform/FileError.h"
#include "platform/FileIo.h"

namespace quillery {

bool hasBinderHeader(const QString &path)
{
    try {
        const UniqueFd fd = fileio::openForReading(path);
        return fileio::fileSize(fd.get(), path) >= BinderHeader.size() &&
               fileio::readRange(fd.get(), 0, BinderHeader.size(), path) == BinderHeader;
    } catch (const FileError &) {
        return false;
    }
}

} // namespace quillery
