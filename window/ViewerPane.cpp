#include "window/ViewerPane.h"

#include "documents/Binder.h"
#include "documents/NewPage.h"
#include "editor/DefaultTextFormats.h"
#include "platform/Colours.h"
#include "platform/PlainText.h"
#include "platform_ui/Hyperlink.h"
#include "platform_ui/RichTextBox.h"
#include "window/BrowserFindBar.h"
#include "window/BrowserPane.h"
#include "window/PageDisplay.h"
#include "window/PageScheme.h"

#include <QAudioOutput>
#include <QEvent>
#include <QMediaPlayer>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace quillery {

ViewerPane::ViewerPane(QWidget *parent)
    : QStackedWidget(parent), m_empty(new QWidget(this)), m_text(new RichTextBox(this)),
      m_links(new Hyperlink(this)), m_scheme(new PageSchemeHandler(this)),
      m_filter(new RequestFilter(this))
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
    // The browser and its page go before the profile they use.
    delete m_browser;
    delete m_profile;
}

QWebEngineView *ViewerPane::txtHTML()
{
    if (m_browser)
        return m_browser;
    // The profile first: it registers the page scheme before anything of the web engine runs.
    m_profile = makeViewerProfile(m_scheme, m_filter, this);
    m_browser = new QWebEngineView(this);
    m_browser->setObjectName(QStringLiteral("txtHTML"));
    m_page = new BrowserPage(m_profile, m_browser);
    m_page->setScriptsEnabled(!m_offline);
    m_browser->setPage(m_page);
    addWidget(m_browser);
    connect(m_page, &QWebEnginePage::loadFinished, this, &ViewerPane::browserLoaded);
    connect(m_page, &QWebEnginePage::linkHovered, this, &ViewerPane::statusTextChanged);
    m_scheme->setContent(blankPageContent());
    m_browser->setUrl(placeholderUrl());
    return m_browser;
}

void ViewerPane::findInBrowser()
{
    if (!m_findBar)
        m_findBar = new BrowserFindBar(this);
    m_findBar->open(txtHTML());
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
    m_scheme->setContent(blankPageContent());
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
    txtHTML();
    m_scheme->setContent(content);
    showBrowserAddress(placeholderUrl());
}

void ViewerPane::showBrowserAddress(const QUrl &address)
{
    load(address);
    setCurrentWidget(m_browser);
}

void ViewerPane::load(const QUrl &address)
{
    QWebEngineView *browser = txtHTML();
    // The same address again (the placeholder holds each page in turn) must load afresh.
    if (browser->url() == address)
        browser->reload();
    else
        browser->setUrl(address);
}

void ViewerPane::browserLoaded()
{
    const QUrl url = m_browser->url();
    const QString name = url.fileName();
    if (url.toString() == u"about:blank") {
        Q_EMIT captionSuffixChanged(QString());
    } else if (name != PlaceholderName) {
        HTML = true;
        Q_EMIT captionSuffixChanged(name.isEmpty() ? url.toString() : name);
    }
}

void ViewerPane::setOffline(bool offline)
{
    m_offline = offline;
    m_filter->offline = offline;
    if (!m_page)
        return;
    m_page->setScriptsEnabled(!offline);
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
