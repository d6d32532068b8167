// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The words of the binder file format, each written once: the header, the name of the
// records lump and the keys of the records that more than the binder model reads.
namespace quillery {

// The four bytes every binder file starts with; they, not its name, make a file a binder.
inline const QByteArray BinderHeader = QByteArrayLiteral("QLY4");

// The first lump of a binder (and a lump of a recovery snapshot): the binder's records.
inline const QByteArray RecordsLump = QByteArrayLiteral("QUILLERY");

namespace RecordKey {
inline const QString Title = QStringLiteral("Title");
// The binder's password in its stored form (see documents/Password).
inline const QString Password = QStringLiteral("Data");
inline const QString Pages = QStringLiteral("Pages");
inline const QString SelectedPage = QStringLiteral("SelPage");
inline const QString PanePosition = QStringLiteral("Pane Pos");
inline const QString PaneLength = QStringLiteral("Pane Length");
// Followed by the column number, 1 to 4.
inline const QString ColumnWidth = QStringLiteral("ColWidth%1");
inline const QString CommentsColumn = QStringLiteral("CommentsCol");
inline const QString ListView = QStringLiteral("LVView");
inline const QString AutoHide = QStringLiteral("AutoHide");
inline const QString Author = QStringLiteral("Author");
inline const QString LastSavedBy = QStringLiteral("LastSavedBy");
// The background a new rich text page starts with.
inline const QString RichBackground = QStringLiteral("RTFBColour");
// Present once the text formats have been written (old binders lack them).
inline const QString RichAlign = QStringLiteral("RTFAlign");
// "Allow" once the user has let this binder's HTML pages load from the network.
inline const QString RemoteContent = QStringLiteral("RemoteContent");
} // namespace RecordKey

} // namespace quillery
