// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ViewerPane.h"

#include "documents/Binder.h"
#include "documents/NewPage.h"
#include "editor/DefaultTextFormats.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/PlainText.h"
#include "platform_ui/Hyperlink.h"
#include "platform_ui/RichTextBox.h"
#include "window/BrowserFindBar.h"
#include "window/BrowserModule.h"
#include "window/PageAddresses.h"
#include "window/PageDisplay.h"
#include "window/RemoteContent.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QScrollBar>

namespace quillery {

namespace {

// Keeps a shown vertical scroll bar of a text box shown while it lives, then lets it follow
// the content again.
class HeldScrollBar
{
public:
    explicit HeldScrollBar(QAbstractScrollArea &area)
        : m_area(area), m_policy(area.verticalScrollBarPolicy()),
          m_held(area.verticalScrollBar()->isVisible())
    {
        if (m_held)
            area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    ~HeldScrollBar()
    {
        if (m_held)
            m_area.setVerticalScrollBarPolicy(m_policy);
    }
    HeldScrollBar(const HeldScrollBar &) = delete;
    HeldScrollBar &operator=(const HeldScrollBar &) = delete;

private:
    QAbstractScrollArea &m_area;
    const Qt::ScrollBarPolicy m_policy;
    const bool m_held;
};

} // namespace

ViewerPane::ViewerPane(Dialogs &dialogs, QWidget *parent)
    : QStackedWidget(parent), m_dialogs(dialogs), m_empty(new QWidget(this)),
      m_text(new RichTextBox(this)), m_links(new Hyperlink(this)), m_notice(new QLabel(this)),
      m_remoteBar(new RemoteContentBar(this)), m_content(blankPageContent())
{
    m_text->setObjectName(QStringLiteral("txtPad"));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                                    Qt::LinksAccessibleByMouse);
    m_text->viewport()->setMouseTracking(true);
    connect(m_text, &RichTextBox::mouseMoved, this,
            [this](Qt::MouseButtons, Qt::KeyboardModifiers, const QPoint &pos) {
                m_links->trackMouse(m_text, pos);
                Q_EMIT hovered();
            });
    connect(m_text, &RichTextBox::mouseReleased, this, [this](Qt::MouseButton button) {
        const QString address = m_links->linkAddress();
        if (button == Qt::LeftButton && !address.isEmpty() && !m_text->text().isEmpty())
            Q_EMIT linkClicked(QUrl::fromUserInput(address));
    });
    connect(m_text, &RichTextBox::focusGained, this, &ViewerPane::hovered);
    connect(m_links, &Hyperlink::linkChanged, this, &ViewerPane::statusTextChanged);
    addWidget(m_empty);
    addWidget(m_text);
    setCurrentWidget(m_empty);
    m_notice->setObjectName(QStringLiteral("viewerNotice"));
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->setWordWrap(true);
    m_notice->setMargin(6);
    m_notice->setFrameShape(QFrame::StyledPanel);
    m_notice->setAutoFillBackground(true);
    m_notice->setBackgroundRole(QPalette::ToolTipBase);
    m_notice->setForegroundRole(QPalette::ToolTipText);
    m_notice->hide();
    nameShown(QString());
    connect(m_remoteBar, &RemoteContentBar::allowedOnce, this, &ViewerPane::allowRemote);
    connect(m_remoteBar, &RemoteContentBar::allowedForBinder, this, [this] {
        Q_EMIT remoteContentAllowedForBinder();
        allowRemote();
    });
}

ViewerPane::~ViewerPane()
{
    // The browser asks for the content it shows until it is gone.
    if (m_browser)
        delete m_browser->widget();
}

BrowserView *ViewerPane::browser()
{
    if (m_browser)
        return m_browser;
    QString error;
    m_browser = makeBrowserView(
        this, [this](const QString &name) { return m_content.answer(name); },
        [this](const QUrl &url) { return mayLoad(url); }, error);
    if (!m_browser) {
        showBrowserMissing(error);
        return nullptr;
    }
    QWidget *widget = m_browser->widget();
    widget->setObjectName(QStringLiteral("txtHTML"));
    widget->setAccessibleName(m_accessibleName);
    m_browser->setOffline(m_offline);
    addWidget(widget);
    m_browser->onLoadFinished = [this](bool ok) {
        browserLoaded(ok);
    };
    m_browser->onLinkHovered = [this](const QString &address) {
        Q_EMIT statusTextChanged(address);
    };
    m_browser->onNavigationRefused = [this](const QUrl &address) {
        // The engine calls a page's own navigations clicks too, so a link to the web waits
        // for the user's leave like the rest of the page's remote content.
        if (isRemoteAddress(address) && pageMayLoad(address, m_offline))
            wantsToGo(address);
        else
            followLink(address);
    };
    m_browser->onRendererGone = [this](const QString &why) {
        // Out of view it matters to no one: the next page starts a new one.
        if (currentWidget() == m_browser->widget())
            showNotice(tr("The page cannot be shown: the process that draws it %1. "
                          "Refresh shows it again.")
                           .arg(why));
    };
    // Its first page is whatever content the viewer holds.
    m_browser->setUrl(placeholderUrl());
    return m_browser;
}

void ViewerPane::showBrowserMissing(const QString &reason)
{
    if (!m_browserMissing) {
        m_browserMissing = new QLabel(this);
        m_browserMissing->setObjectName(QStringLiteral("browserMissing"));
        m_browserMissing->setAlignment(Qt::AlignCenter);
        m_browserMissing->setWordWrap(true);
        m_browserMissing->setTextFormat(Qt::PlainText);
        m_browserMissing->setMargin(12);
        addWidget(m_browserMissing);
    }
    m_browserMissing->setText(
        tr("This page cannot be shown because the browser could not be loaded.\n\n%1").arg(reason));
    setCurrentWidget(m_browserMissing);
}

void ViewerPane::findInBrowser()
{
    BrowserView *browser = this->browser();
    if (!browser)
        return;
    if (!m_findBar)
        m_findBar = new BrowserFindBar(this);
    m_findBar->open(browser);
}

void ViewerPane::showPage(const PageDisplay &display, const Binder &binder)
{
    // A scroll bar hidden for the emptied pane and shown again for the new page would lay
    // the page out once more at each change of width.
    const HeldScrollBar held(*m_text);
    // The browser is not blanked for browser content that replaces what it shows anyway.
    clearText();
    if (browserShowsPage && display.pane != PageDisplay::Pane::Browser)
        blankBrowser();
    stopSound();
    hideNotice();
    m_remoteBar->clear();
    placeBars();
    switch (display.pane) {
    case PageDisplay::Pane::Text: {
        if (display.plainText) {
            applyTextFormat(*m_text, QStringLiteral("TXT"), binder.records());
            m_text->setText(decodePlainText(display.data));
        } else {
            m_text->setBackColour(display.background);
            m_text->setRtf(display.data);
        }
        m_text->moveCursor(QTextCursor::Start);
        m_links->attach(m_text);
        setCurrentWidget(m_text);
        break;
    }
    case PageDisplay::Pane::Browser:
        browserShowsPage = true;
        m_remoteAllowed = remoteContentAllowed(m_remoteChoice, binder.records(), false);
        m_wantedAddress.clear();
        showBrowserContent(display.content);
        if (!display.soundFile.isEmpty())
            playSound(display.soundFile, binder.page(0).name);
        break;
    case PageDisplay::Pane::Unchanged:
        break;
    }
}

void ViewerPane::clear()
{
    stopSound();
    hideNotice();
    clearText();
    if (browserShowsPage)
        blankBrowser();
}

void ViewerPane::clearText()
{
    m_text->clear();
    m_text->setSelectionBullet(false);
    m_text->setSelectionIndent(0);
}

void ViewerPane::blankBrowser()
{
    browserShowsPage = false;
    stopSound();
    if (!m_browser)
        return;
    m_content = blankPageContent();
    load(placeholderUrl());
}

void ViewerPane::hideBoth()
{
    setCurrentWidget(m_empty);
}

bool ViewerPane::followLink(const QUrl &url)
{
    const QString address = shownAddress(url);
    switch (linkTarget(url, m_offline)) {
    case LinkTarget::Web:
        hideNotice();
        browserShowsPage = true;
        // The user chose to go to the web.
        m_remoteAllowed = true;
        m_wantedAddress.clear();
        m_remoteBar->clear();
        placeBars();
        showBrowserAddress(url);
        return true;
    case LinkTarget::OtherProgram:
        openWithOtherProgram(url);
        break;
    case LinkTarget::Offline:
        showNotice(tr("The link to %1 was not followed: Work Offline is on.").arg(address));
        break;
    case LinkTarget::LocalNetwork:
        showNotice(tr("The link to %1 was not followed: pages may not reach this computer or "
                      "its local network.")
                       .arg(address));
        break;
    case LinkTarget::Never:
        showNotice(tr("The link to %1 was not followed: the viewer follows only web links "
                      "(http and https).")
                       .arg(address));
        break;
    }
    return false;
}

void ViewerPane::openWithOtherProgram(const QUrl &url)
{
    const QString address = shownAddress(url);
    const QString program = programForScheme(url.scheme().toLower());
    if (program.isEmpty()) {
        showNotice(tr("The link to %1 was not followed: no program on this computer opens "
                      "%2 addresses.")
                       .arg(address, url.scheme() + u':'));
        return;
    }
    const MsgResult answer =
        m_dialogs.message(MsgIcon::Question, MsgButtons::YesNoDefaultNo, tr("Open Link"),
                          tr("The page links to\n\n%1\n\nwhich %2 would open. Open it with %2?")
                              .arg(address, program));
    if (answer == MsgResult::Yes && !QDesktopServices::openUrl(url))
        showNotice(tr("%1 could not be started for %2.").arg(program, address));
}

void ViewerPane::nameShown(const QString &shown)
{
    m_accessibleName = shown.isEmpty() ? tr("Viewer, no page shown") : tr("Viewer: %1").arg(shown);
    setAccessibleName(m_accessibleName);
    m_text->setAccessibleName(m_accessibleName);
    if (m_browser)
        m_browser->widget()->setAccessibleName(m_accessibleName);
}

QString ViewerPane::notice() const
{
    return m_notice->isHidden() ? QString() : m_notice->text();
}

void ViewerPane::showNotice(const QString &text)
{
    m_notice->setText(text);
    m_notice->show();
    placeBars();
    m_notice->raise();
}

void ViewerPane::hideNotice()
{
    m_notice->hide();
    placeBars();
}

void ViewerPane::placeBars()
{
    const int bar = m_remoteBar->isHidden() ? 0
                                            : qMax(m_remoteBar->sizeHint().height(),
                                                   m_remoteBar->heightForWidth(width()));
    const int notice = m_notice->isHidden() ? 0 : m_notice->heightForWidth(width());
    m_remoteBar->setGeometry(0, 0, width(), bar);
    m_notice->setGeometry(0, bar, width(), notice);
    setContentsMargins(0, bar + notice, 0, 0);
}

void ViewerPane::resizeEvent(QResizeEvent *event)
{
    QStackedWidget::resizeEvent(event);
    placeBars();
}

bool ViewerPane::mayLoad(const QUrl &url)
{
    if (!pageMayLoad(url, m_offline))
        return false;
    if (m_remoteAllowed || !isRemoteAddress(url))
        return true;
    // The engine is in the middle of a request; the bar shows once it is done.
    QMetaObject::invokeMethod(
        this, [this, url] { wantsRemote(url); }, Qt::QueuedConnection);
    return false;
}

void ViewerPane::wantsRemote(const QUrl &url)
{
    if (m_remoteChoice != RemoteContent::Ask || m_remoteAllowed || !browserShowsPage)
        return;
    m_remoteBar->addHost(url.host(QUrl::EncodeUnicode));
    placeBars();
}

void ViewerPane::wantsToGo(const QUrl &url)
{
    if (m_remoteChoice == RemoteContent::Never) {
        showNotice(tr("The link to %1 was not followed: pages load nothing from the network "
                      "(Options, Remote Content).")
                       .arg(shownAddress(url)));
        return;
    }
    m_wantedAddress = url;
    wantsRemote(url);
}

void ViewerPane::allowRemote()
{
    m_remoteAllowed = true;
    m_remoteBar->clear();
    placeBars();
    hideNotice();
    // Where the page wanted to go, it goes; otherwise it loads again, with what it wanted.
    if (m_wantedAddress.isValid())
        followLink(std::exchange(m_wantedAddress, QUrl()));
    else if (m_browser)
        m_browser->reload();
}

void ViewerPane::showBrowserContent(const PageContent &content)
{
    m_content = content;
    if (hasBrowser()) {
        showBrowserAddress(placeholderUrl());
        return;
    }
    // A browser made now loads the content as its first page.
    if (browser())
        setCurrentWidget(m_browser->widget());
}

void ViewerPane::showBrowserAddress(const QUrl &address)
{
    if (load(address))
        setCurrentWidget(m_browser->widget());
}

bool ViewerPane::load(const QUrl &address)
{
    BrowserView *browser = this->browser();
    if (!browser)
        return false;
    // The same address again (the placeholder holds each page in turn) must load afresh.
    if (browser->url() == address)
        browser->reload();
    else
        browser->setUrl(address);
    return true;
}

void ViewerPane::browserLoaded(bool ok)
{
    const QUrl url = m_browser->url();
    const QString name = url.fileName();
    if (url.toString() == u"about:blank") {
        Q_EMIT captionSuffixChanged(QString());
    } else if (name == PlaceholderName) {
        // Back from a followed link lands here: the page is in view again.
        if (browserShowsPage)
            Q_EMIT pageInView();
    } else {
        browserShowsPage = true;
        Q_EMIT captionSuffixChanged(name.isEmpty() ? url.toString() : name);
        // The page a notice spoke of is no longer in view.
        hideNotice();
    }
    Q_EMIT browserLoadFinished(ok);
}

void ViewerPane::setOffline(bool offline)
{
    m_offline = offline;
    if (!m_browser)
        return;
    m_browser->setOffline(offline);
    // Scripts of the page already shown would otherwise keep running.
    if (browserShowsPage)
        m_browser->reload();
}

void ViewerPane::goBack()
{
    if (m_browser)
        m_browser->back();
}

void ViewerPane::goForward()
{
    if (m_browser)
        m_browser->forward();
}

void ViewerPane::stop()
{
    if (m_browser)
        m_browser->stop();
    stopSound();
}

void ViewerPane::refresh()
{
    if (!m_browser)
        return;
    hideNotice();
    m_browser->reload();
}

void ViewerPane::playSound(const QString &file, const QString &name)
{
    m_soundName = name;
    // Without an output the player would play to nowhere and say nothing.
    if (QMediaDevices::audioOutputs().isEmpty()) {
        soundFailed(tr("this computer has no sound output; is its sound server running?"));
        return;
    }
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_audio = new QAudioOutput(this);
        m_player->setAudioOutput(m_audio);
        connect(m_player, &QMediaPlayer::errorOccurred, this,
                [this](QMediaPlayer::Error, const QString &why) { soundFailed(why); });
    }
    m_player->setSource(QUrl::fromLocalFile(file));
    m_player->play();
}

void ViewerPane::soundFailed(const QString &why)
{
    showNotice(tr("The sound %1 cannot be played: %2").arg(m_soundName, why));
}

void ViewerPane::stopSound()
{
    if (m_player)
        m_player->stop();
}

} // namespace quillery
