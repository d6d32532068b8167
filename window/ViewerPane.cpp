// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ViewerPane.h"

#include "documents/Binder.h"
#include "documents/NewPage.h"
#include "editor/DefaultTextFormats.h"
#include "platform/Colours.h"
#include "platform/PlainText.h"
#include "platform_ui/Hyperlink.h"
#include "platform_ui/RichTextBox.h"
#include "window/BrowserFindBar.h"
#include "window/BrowserModule.h"
#include "window/PageDisplay.h"

#include <QAudioOutput>
#include <QEvent>
#include <QLabel>
#include <QMediaPlayer>

namespace quillery {

ViewerPane::ViewerPane(QWidget *parent)
    : QStackedWidget(parent), m_empty(new QWidget(this)), m_text(new RichTextBox(this)),
      m_links(new Hyperlink(this))
{
    m_text->setObjectName(QStringLiteral("txtPad"));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                                    Qt::LinksAccessibleByMouse);
    m_text->viewport()->setMouseTracking(true);
    connect(m_text, &RichTextBox::MouseMove, this,
            [this](Qt::MouseButtons, Qt::KeyboardModifiers, const QPoint &pos) {
                m_links->TrackMouse(m_text, pos);
                Q_EMIT hovered();
            });
    connect(m_text, &RichTextBox::MouseUp, this, [this](Qt::MouseButton button) {
        const QString address = m_links->LinkAddress();
        if (button == Qt::LeftButton && !address.isEmpty() && !m_text->Text().isEmpty())
            Q_EMIT linkClicked(QUrl::fromUserInput(address));
    });
    connect(m_links, &Hyperlink::linkChanged, this, &ViewerPane::statusTextChanged);
    addWidget(m_empty);
    addWidget(m_text);
    setCurrentWidget(m_empty);
}

ViewerPane::~ViewerPane()
{
    // The browser asks for the content it shows until it is gone.
    if (m_browser)
        delete m_browser->widget();
}

BrowserView *ViewerPane::txtHTML()
{
    if (m_browser)
        return m_browser;
    QString error;
    m_content = blankPageContent();
    m_browser = makeBrowserView(
        this, [this](const QString &name) { return m_content.answer(name); }, error);
    if (!m_browser) {
        showBrowserMissing(error);
        return nullptr;
    }
    QWidget *widget = m_browser->widget();
    widget->setObjectName(QStringLiteral("txtHTML"));
    m_browser->setOffline(m_offline);
    addWidget(widget);
    m_browser->onLoadFinished = [this](bool ok) {
        browserLoaded(ok);
    };
    m_browser->onLinkHovered = [this](const QString &address) {
        Q_EMIT statusTextChanged(address);
    };
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
    BrowserView *browser = txtHTML();
    if (!browser)
        return;
    if (!m_findBar)
        m_findBar = new BrowserFindBar(this);
    m_findBar->open(browser);
}

void ViewerPane::showPage(const PageDisplay &display, const Binder &binder)
{
    stopSound();
    switch (display.pane) {
    case PageDisplay::Pane::Text: {
        if (display.plainText) {
            SetRTFFont(*m_text, QStringLiteral("TXT"), binder.CF);
            m_text->setText(decodePlainText(display.data));
        } else {
            m_text->setBackColor(display.background);
            m_text->setTextRTF(display.data);
        }
        m_text->moveCursor(QTextCursor::Start);
        m_links->AttachText(m_text);
        setCurrentWidget(m_text);
        break;
    }
    case PageDisplay::Pane::Browser:
        HTML = true;
        showBrowserContent(display.content);
        if (!display.soundFile.isEmpty())
            playSound(display.soundFile);
        break;
    case PageDisplay::Pane::Unchanged:
        break;
    }
}

void ViewerPane::clear()
{
    stopSound();
    m_text->clear();
    m_text->setSelBullet(false);
    m_text->setSelIndent(0);
    if (HTML)
        blankBrowser();
}

void ViewerPane::blankBrowser()
{
    HTML = false;
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

void ViewerPane::followLink(const QUrl &url)
{
    HTML = true;
    showBrowserAddress(url);
}

void ViewerPane::showBrowserContent(const PageContent &content)
{
    if (!txtHTML())
        return;
    m_content = content;
    showBrowserAddress(placeholderUrl());
}

void ViewerPane::showBrowserAddress(const QUrl &address)
{
    if (load(address))
        setCurrentWidget(m_browser->widget());
}

bool ViewerPane::load(const QUrl &address)
{
    BrowserView *browser = txtHTML();
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
    } else if (name != PlaceholderName) {
        HTML = true;
        Q_EMIT captionSuffixChanged(name.isEmpty() ? url.toString() : name);
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
    if (HTML)
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
    if (m_browser)
        m_browser->reload();
}

void ViewerPane::playSound(const QString &file)
{
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_audio = new QAudioOutput(this);
        m_player->setAudioOutput(m_audio);
    }
    m_player->setSource(QUrl::fromLocalFile(file));
    m_player->play();
}

void ViewerPane::stopSound()
{
    if (m_player)
        m_player->stop();
}

} // namespace quillery
