#include "window/ViewerPane.h"

#include "documents/Binder.h"
#include "documents/Workspace.h"
#include "platform/Colours.h"
#include "platform/RtfReader.h"
#include "transfer/NewPage.h"
#include "window/BrowserPane.h"
#include "window/PageDisplay.h"

#include <QAudioOutput>
#include <QEvent>
#include <QMediaPlayer>
#include <QTextEdit>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace quillery {

ViewerPane::ViewerPane(Workspace &workspace, QWidget *parent)
    : QStackedWidget(parent), m_workspace(workspace), m_empty(new QWidget(this)),
      m_text(new QTextEdit(this))
{
    m_text->setObjectName(QStringLiteral("txtPad"));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                                    Qt::LinksAccessibleByMouse);
    m_text->viewport()->installEventFilter(this);
    m_text->viewport()->setMouseTracking(true);
    addWidget(m_empty);
    addWidget(m_text);
    setCurrentWidget(m_empty);
}

QWebEngineView *ViewerPane::txtHTML()
{
    if (m_browser)
        return m_browser;
    m_browser = new QWebEngineView(this);
    m_browser->setObjectName(QStringLiteral("txtHTML"));
    m_page = new BrowserPage(m_browser);
    m_page->interceptor()->offline = m_offline;
    m_browser->setPage(m_page);
    addWidget(m_browser);
    connect(m_page, &QWebEnginePage::loadFinished, this, &ViewerPane::browserLoaded);
    connect(m_page, &QWebEnginePage::linkHovered, this, &ViewerPane::statusTextChanged);
    // Files the browser cannot show are not downloaded anywhere behind the user's back.
    connect(m_page->profile(), &QWebEngineProfile::downloadRequested, this,
            [](QWebEngineDownloadRequest *download) { download->cancel(); });
    m_browser->setUrl(placeholderUrl(m_workspace));
    return m_browser;
}

void ViewerPane::showPage(const PageDisplay &display, const Binder &binder)
{
    stopSound();
    switch (display.pane) {
    case PageDisplay::Pane::Text: {
        QPalette palette = m_text->palette();
        if (display.plainText) {
            QFont font(binder.CF.value(QStringLiteral("TXTFontName")));
            font.setPointSize(binder.CF.value(QStringLiteral("TXTFontSize")).toInt());
            m_text->document()->setDefaultFont(font);
            m_text->setPlainText(QString::fromUtf8(display.data));
            palette.setColor(QPalette::Base,
                             colourFromCode(binder.CF.value(QStringLiteral("TXTBColour")).toInt()));
        } else {
            readRtf(display.data, m_text->document());
            palette.setColor(QPalette::Base, colourFromCode(display.background));
        }
        m_text->setPalette(palette);
        setCurrentWidget(m_text);
        break;
    }
    case PageDisplay::Pane::Browser:
        HTML = true;
        showBrowserAddress(display.address);
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
    if (HTML)
        blankBrowser();
}

void ViewerPane::blankBrowser()
{
    HTML = false;
    stopSound();
    if (!m_browser)
        return;
    writeBlankHtml(m_workspace);
    m_browser->setUrl(placeholderUrl(m_workspace));
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

void ViewerPane::showBrowserAddress(const QUrl &address)
{
    QWebEngineView *browser = txtHTML();
    // The same address again (Tmp.htm holds each page in turn) must load afresh.
    if (browser->url() == address)
        browser->reload();
    else
        browser->setUrl(address);
    setCurrentWidget(browser);
}

void ViewerPane::browserLoaded()
{
    const QUrl url = m_browser->url();
    const QString name = url.fileName();
    if (url.toString() == u"about:blank") {
        Q_EMIT captionSuffixChanged(QString());
    } else if (name != u"Tmp.htm") {
        HTML = true;
        Q_EMIT captionSuffixChanged(name.isEmpty() ? url.toString() : name);
    }
}

void ViewerPane::setOffline(bool offline)
{
    m_offline = offline;
    if (m_page)
        m_page->interceptor()->offline = offline;
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

bool ViewerPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text->viewport() && event->type() == QEvent::MouseMove)
        Q_EMIT hovered();
    return QStackedWidget::eventFilter(watched, event);
}

} // namespace quillery
