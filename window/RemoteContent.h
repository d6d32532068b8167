// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Settings.h"

#include <QFrame>
#include <QStringList>

class QLabel;
class QUrl;

namespace quillery {

class InfoRecords;

// A binder may come from anyone, and a page that loads from the network tells its author
// when and from where it was read; so HTML pages load nothing from the network until the
// user allows it. Whether a binder's pages may now: as chosen in Options, or, where the user
// is asked, once allowed for the page shown or for the binder (in its records).
bool remoteContentAllowed(RemoteContent choice, const InfoRecords &records, bool allowedForPage);

// Whether loading an address takes a page onto the network.
bool isRemoteAddress(const QUrl &url);

// The bar over the page that names the sites it wanted to load from and lets the user allow
// them. It sits above the page, which it pushes down, never over it.
class RemoteContentBar : public QFrame
{
    Q_OBJECT
public:
    explicit RemoteContentBar(QWidget *parent);

    // Adds a site the page wanted to load from; the bar names the first few.
    void addHost(const QString &name);
    // Hides the bar and forgets the sites.
    void clear();
    QString text() const;

Q_SIGNALS:
    void allowedOnce();
    void allowedForBinder();

private:
    QLabel *m_text;
    QStringList m_hosts;
};

} // namespace quillery
