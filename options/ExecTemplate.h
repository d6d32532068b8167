// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quillery {

// The program and arguments a command template runs a file with; the first item is the
// program. The template is split into arguments by the desktop entry rules (blanks
// separate, double quotes group, and inside them a backslash escapes '"', '`', '$' and
// itself), never by a shell. The file placeholders %f %F %u %U and the classic %1 become
// the file's path: as it is in an argument of their own or in unquoted text, and
// shell-quoted (shellQuoted) inside double quotes, where the argument is usually a script
// for a shell ("sh -c \"edit %f\""), so that a name such as "a;rm x" stays one word there.
// "%%" is a percent sign; any other field code is dropped, with its argument when that
// holds nothing else. A template with no "%" gets the path as a last argument, and one
// that begins with "%1" runs the file itself. Empty when the template has no program or
// an unclosed quote.
QStringList commandArguments(const QString &commandTemplate, const QString &path);

// The text as one word for a POSIX shell, as GLib's g_shell_quote writes it: in single
// quotes, each single quote written as '\''.
QString shellQuoted(const QString &text);

} // namespace quillery
