// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/RemoteContent.h"

#include "documents/BinderFormat.h"
#include "documents/InfoRecords.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace quillery {

namespace {

// More would make the bar a list; the rest are counted.
constexpr int HostsNamed = 3;
// A name can be made long enough to fill the window.
constexpr int LongestHostShown = 80;

} // namespace

bool remoteContentAllowed(RemoteContent choice, const InfoRecords &records, bool allowedForPage)
{
    switch (choice) {
    case RemoteContent::Always:
        return true;
    case RemoteContent::Never:
        return false;
    case RemoteContent::Ask:
        break;
    }
    return allowedForPage || records.value(RecordKey::RemoteContent) == u"Allow";
}

bool isRemoteAddress(const QUrl &url)
{
    static const QStringList network = {QStringLiteral("http"), QStringLiteral("https"),
                                        QStringLiteral("ws"), QStringLiteral("wss")};
    return network.contains(url.scheme());
}

RemoteContentBar::RemoteContentBar(QWidget *parent) : QFrame(parent), m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("remoteContentBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    auto *once = new QPushButton(tr("Allow &Once"), this);
    once->setObjectName(QStringLiteral("cmdAllowOnce"));
    auto *binder = new QPushButton(tr("Allow for This &Binder"), this);
    binder->setObjectName(QStringLiteral("cmdAllowBinder"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(m_text, 1);
    layout->addWidget(once);
    layout->addWidget(binder);
    connect(once, &QPushButton::clicked, this, &RemoteContentBar::allowedOnce);
    connect(binder, &QPushButton::clicked, this, &RemoteContentBar::allowedForBinder);
    hide();
}

void RemoteContentBar::addHost(const QString &name)
{
    const QString host = name.size() > LongestHostShown
                             ? name.left(LongestHostShown - 3) + QStringLiteral("...")
                             : name;
    if (m_hosts.contains(host))
        return;
    m_hosts.append(host);
    QString sites = QStringList(m_hosts.mid(0, HostsNamed)).join(QStringLiteral(", "));
    const qsizetype others = m_hosts.size() - HostsNamed;
    if (others == 1)
        sites = tr("%1 and one other site").arg(sites);
    else if (others > 1)
        sites = tr("%1 and %2 other sites").arg(sites).arg(others);
    m_text->setText(tr("This page wants to load content from %1.").arg(sites));
    show();
}

void RemoteContentBar::clear()
{
    m_hosts.clear();
    hide();
}

QString RemoteContentBar::text() const
{
    return isHidden() ? QString() : m_text->text();
}

} // namespace quillery
