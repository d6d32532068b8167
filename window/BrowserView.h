// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>

class QPrinter;
class QWidget;

namespace quillery {

// Binder content reaches the browser only through this scheme, never as file:// documents,
// so a page can neither read local files nor see the temporary folder.
inline constexpr char PageScheme[] = "quillery";

// The answer to one address of the page scheme, by the name after its slash.
struct SchemeReply
{
    enum class Status { Found, NotFound, Failed };
    Status status = Status::NotFound;
    QByteArray mimeType;
    QByteArray data;
};
using SchemeSource = std::function<SchemeReply(const QString &name)>;

// Whether the page shown may load an address. The browser asks it for every request a page
// makes (pictures, scripts, frames, forms, sockets), every navigation and every address it
// is told to show; it loads nothing the rule refuses.
using AddressRule = std::function<bool(const QUrl &url)>;

// The proxy inside the program (window/PageProxy) that carries every request of the browser:
// the engine reaches it on this loopback port and proves itself with this run's user and
// secret, which nobody else is told.
struct ProxyAccess
{
    quint16 port = 0;
    QString user;
    QString secret;
};

// A host the proxy answers itself once the secret is right, going nowhere. The engine offers
// the secret unasked only once it has been asked for it on an address a page was loading, and
// a page's pictures from other sites never ask; so each new profile loads
// http://ProxyCheckHost/ once first.
inline constexpr char ProxyCheckHost[] = "proxy-check.invalid";

// The viewer's browser as the rest of the program sees it. The web engine is large and slow
// to start, so it lives in a module of its own, loaded the first time a window needs a
// browser; this header is all that the two share. The module never links the program's
// libraries: whatever it needs of the binder comes through the scheme source.
class BrowserView
{
public:
    virtual ~BrowserView() = default;

    // The browser's widget, owned by the parent it was made with; it owns this object.
    virtual QWidget *widget() = 0;
    virtual QUrl url() const = 0;
    // An address the rule refuses is not loaded and goes to onNavigationRefused.
    virtual void setUrl(const QUrl &url) = 0;
    virtual void reload() = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
    virtual void stop() = 0;
    // Offline, page scripts do not run: that is the one sure way to keep WebRTC silent.
    virtual void setOffline(bool offline) = 0;
    // An empty text clears the marks of the last find.
    virtual void findText(const QString &text, bool backward) = 0;
    // Prints the page shown; done runs when the printer is no longer needed.
    virtual void print(QPrinter *printer, std::function<void()> done) = 0;

    std::function<void(bool ok)> onLoadFinished;
    std::function<void(const QString &address)> onLinkHovered;
    // The page, or the viewer, asked to show an address the rule refused; the browser stayed
    // where it was. Called from the event loop, never from inside the web engine's
    // navigation, so it may ask the user.
    std::function<void(const QUrl &address)> onNavigationRefused;
    // The process that rendered the page ended abnormally (why says how); the browser shows
    // nothing until it loads again.
    std::function<void(const QString &why)> onRendererGone;
};

// False when QUILLERY_BROWSER_DEFAULTS is set to 1: the web engine and its views then run as
// Qt sets them up, less the program's network limits, which stay. For comparing, and for a
// machine where the savings get in the way. The program reads it before it loads the module,
// which reads it again when it starts the engine.
inline bool engineMemorySavingWanted()
{
    return qgetenv("QUILLERY_BROWSER_DEFAULTS") != "1";
}

// The module's one entry point, looked up by name. It registers the page scheme and sets the
// web engine's own network limits, the proxy among them, before the engine starts, so it must
// be what makes the first browser of the process.
using MakeBrowserView = BrowserView *(*)(QWidget *parent, SchemeSource source, AddressRule rule,
                                         const ProxyAccess &proxy);
inline constexpr char MakeBrowserViewSymbol[] = "quilleryMakeBrowserView";

// The module's entry point that starts the web engine and readies the parts of a browser
// (its profile and page, with their process) for the next browser made, so that the first
// page a user shows does not wait for them. Called once the program has nothing else to do.
using PreloadBrowser = void (*)(const ProxyAccess &proxy);
inline constexpr char PreloadBrowserSymbol[] = "quilleryPreloadBrowser";

// The version of this interface, which the module reports through the function named
// BrowserInterfaceSymbol; a module that reports another one (or none) was built from other
// sources and is refused before anything of it runs. Raise it with every change to this file.
inline constexpr int BrowserInterfaceVersion = 3;
using BrowserInterface = int (*)();
inline constexpr char BrowserInterfaceSymbol[] = "quilleryBrowserInterface";

} // namespace quillery
