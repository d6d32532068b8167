// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace quillery {

class Dialogs;

struct RecentItem
{
    QString title;
    QString path;
};

// The list of binders the user opened or saved, newest first, and its file "Recent.dat":
// a lump archive with the header "QLRF" holding a TITLE and a FILENAME lump per row, in
// list order, then the two column widths T_WIDTH and F_WIDTH (twips, decimal text).
// Reading goes by lump position only.
class RecentFiles
{
public:
    static constexpr double DefaultTitleWidth = 2400;
    static constexpr double DefaultFileWidth = 4800;

    // "Recent.dat" in the per-user data folder.
    static QString defaultPath();

    explicit RecentFiles(const QString &path = defaultPath());

    const QString &path() const { return m_path; }
    const QList<RecentItem> &items() const { return m_items; }
    int count() const { return int(m_items.size()); }

    // The 1-based position of the row whose path equals path without regard to case, or 0.
    int positionOf(const QString &path) const;
    // Puts the binder at the top, dropping any older row for the same path.
    void addItem(const QString &title, const QString &path);
    void remove(int position); // 1-based
    void clear();

    double titleWidth = DefaultTitleWidth;
    double fileWidth = DefaultFileWidth;

    // Reads the file, replacing the list. A missing file gives an empty list. A damaged or
    // unreadable one keeps the rows read before the fault and reports it; false then.
    bool load(Dialogs &dialogs);
    // Writes the whole list, replacing the file; a failure is reported, false then.
    bool save(Dialogs &dialogs) const;

private:
    void read();
    void write() const;

    QString m_path;
    QList<RecentItem> m_items;
};

} // namespace quillery
