// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/BinderFormat.h"

#include <QString>

namespace quillery {

// True when path is a regular file that starts with the binder header.
bool hasBinderHeader(const QString &path);

} // namespace quillery
