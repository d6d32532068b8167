// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Settings.h"
#include "window/PageScheme.h"

#include <QStackedWidget>
#include <QUrl>

class QAudioOutput;
class QLabel;
class QMediaPlayer;

namespace quillery {

class Binder;
class BrowserFindBar;
class Dialogs;
class BrowserView;
class Hyperlink;
class RemoteContentBar;
class RichTextBox;
struct PageDisplay;

// The viewer of a binder window: the text pane for rich and plain text pages and the
// browser for everything else. The browser is made the first time it is needed, so that
// opening a window full of text pages never pays for it. What a page may load and which
// links are followed is decided here (see PageAddresses); a notice above the page says what
// was not done and why.
class ViewerPane : public QStackedWidget
{
    Q_OBJECT
public:
    // Questions about opening another program go to dialogs.
    explicit ViewerPane(Dialogs &dialogs, QWidget *parent = nullptr);
    ~ViewerPane() override;

    RichTextBox *textPane() const { return m_text; }
    bool hasBrowser() const { return m_browser != nullptr; }
    // Null, with the reason shown in the viewer, when the browser module cannot be loaded.
    BrowserView *browser();

    // Set while the browser shows page content or a followed link.
    bool browserShowsPage = false;

    // Shows a page in place of whatever the viewer shows.
    void showPage(const PageDisplay &display, const Binder &binder);
    // Empties the text pane and blanks the browser; the viewer then shows nothing.
    void clear();
    void blankBrowser();
    void hideBoth();
    // Follows a link the user clicked in a page: web addresses in the browser when online,
    // another program's address after asking; for anything else a notice says why not.
    // True when the browser now shows the address in place of the page.
    bool followLink(const QUrl &url);
    // Names the viewer for screen readers by what it shows: a page's name or a followed
    // link's address; empty for nothing.
    void nameShown(const QString &shown);
    // The notice over the page; empty when none is shown.
    QString notice() const;
    // The browser's own find, over the page it shows.
    void findInBrowser();

    // What HTML pages shown from now on may load from the network (see RemoteContent).
    void setRemoteContent(RemoteContent choice) { m_remoteChoice = choice; }
    // The bar that asks to let the page shown load from the network.
    RemoteContentBar *remoteContentBar() const { return m_remoteBar; }

    bool offline() const { return m_offline; }
    void setOffline(bool offline);
    void goBack();
    void goForward();
    void stop();
    void refresh();

Q_SIGNALS:
    // The viewer's part of the window caption; empty for none.
    void captionSuffixChanged(const QString &suffix);
    // The binder's page is shown again in the browser, as after Back from a followed link.
    void pageInView();
    void statusTextChanged(const QString &text);
    // The pointer moved over the text pane, or the pane took the keyboard focus.
    void hovered();
    // A link in the text pane was clicked.
    void linkClicked(const QUrl &url);
    void browserLoadFinished(bool ok);
    // The user let the binder's pages load from the network, from now on.
    void remoteContentAllowedForBinder();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Empties the text pane, its paragraph formats too.
    void clearText();
    void showBrowserContent(const PageContent &content);
    void showBrowserAddress(const QUrl &address);
    // False when there is no browser to load it.
    bool load(const QUrl &address);
    void playSound(const QString &file, const QString &name);
    void soundFailed(const QString &why);
    void stopSound();
    void browserLoaded(bool ok);
    void showBrowserMissing(const QString &reason);
    void openWithOtherProgram(const QUrl &url);
    void showNotice(const QString &text);
    void hideNotice();
    // The bar at the top and the notice below it push the page down, so that nothing of the
    // page lies under them.
    void placeBars();
    // The rule of the browser: pageMayLoad, and the network only where allowed.
    bool mayLoad(const QUrl &url);
    void wantsRemote(const QUrl &url);
    // The page wanted to show a web address in its place.
    void wantsToGo(const QUrl &url);
    void allowRemote();

    Dialogs &m_dialogs;
    QWidget *m_empty;
    RichTextBox *m_text;
    Hyperlink *m_links;
    BrowserView *m_browser = nullptr;
    QLabel *m_browserMissing = nullptr;
    QLabel *m_notice;
    RemoteContentBar *m_remoteBar;
    RemoteContent m_remoteChoice = RemoteContent::Ask;
    bool m_remoteAllowed = false;
    QUrl m_wantedAddress;
    BrowserFindBar *m_findBar = nullptr;
    PageContent m_content; // what the browser's page scheme serves
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_audio = nullptr;
    QString m_soundName;
    QString m_accessibleName;
    bool m_offline = false;
};

} // namespace quillery
