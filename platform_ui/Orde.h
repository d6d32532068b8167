// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <optional>

class QWidget;

// Small questions about files, folders, colour names and windows that many parts of
// the program ask.
namespace quillery::Orde {

bool IsFile(const QString &path);
bool IsFolder(const QString &path);

// One of the sixteen basic HTML colour names ("Grey" spelled so, "Gray" accepted too),
// in any letter case, as a colour value 0x00BBGGRR; no value for any other name.
std::optional<qint32> ColourFromName(const QString &name);
// Those sixteen names, black to white as the editor's colour menu lists them.
QStringList BasicColourNames();
// A stored colour value as people read it: one of those sixteen names, the name of a
// system colour, or "#RRGGBB".
QString ColourName(qint32 code);

// Linux has no short (8.3) names: this is the canonical path, links resolved.
QString ShortName(const QString &path);

// Time texts of an existing file. Where the file system records no birth time, the
// creation time is the last change of the file's metadata.
QString FileCreated(const QString &path);
QString FileAccessed(const QString &path);
// Changes whenever the file is written, also twice within one second: the time carries
// its nanoseconds and the text the size. Rewriting the same bytes within the time
// stamp's resolution gives an equal text.
QString FileModified(const QString &path);

// Keeps the window in front of the program's other windows while it is shown.
void SetTopmost(QWidget *window, bool topmost);

} // namespace quillery::Orde
