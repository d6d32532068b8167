// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quillery {

// The program and arguments a command template runs a file with; the first item is the
// program. The template is split into arguments by the desktop entry rules (blanks
// separate, double quotes group, a backslash inside quotes escapes the next character),
// never by a shell. The file placeholders %f %F %u %U and the classic %1 become the
// file's path, always inside a single argument; "%%" is a percent sign; any other
// field code is dropped. A template with no "%" gets the path as a last argument, and
// one that begins with "%1" runs the file itself. Empty when the template has no
// program or an unclosed quote.
QStringList commandArguments(const QString &commandTemplate, const QString &path);

} // namespace quillery
