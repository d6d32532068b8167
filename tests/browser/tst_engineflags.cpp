// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/EngineFlags.h"
#include "window/BrowserView.h"

#include <QTest>

using namespace quillery;

namespace {

QByteArrayList startingWith(const QByteArray &flags, const QByteArray &prefix)
{
    QByteArrayList found;
    for (const QByteArray &flag : flags.split(' ')) {
        if (flag.startsWith(prefix))
            found << flag;
    }
    return found;
}

} // namespace

class tst_engineflags : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The engine reads only the last list of features of each kind, so the program's features
    // join the user's list. A switch the user gave keeps the user's form, but the network limits
    // win over it, as they are what keeps pages off this computer.
    void usersSwitchesStayAndTheProgramsJoinThem()
    {
        const QByteArray flags = engineFlags(
            "--disable-gpu --enable-features=Foo --force-webrtc-ip-handling-policy=x", true, 4242);
        const QByteArrayList enabled = startingWith(flags, "--enable-features=");
        QCOMPARE(enabled.size(), 1);
        QVERIFY(
            enabled[0].startsWith("--enable-features=Foo,BlockInsecurePrivateNetworkRequests,"));
        QCOMPARE(startingWith(flags, "--disable-gpu").size(), 1);
        QCOMPARE(startingWith(flags, "--no-unsandboxed-zygote").size(), 1);
        QCOMPARE(startingWith(flags, "--force-webrtc").last(),
                 QByteArray("--force-webrtc-ip-handling-policy=disable_non_proxied_udp"));

        const QByteArray plain = engineFlags("  --lang=de ", false, 4242);
        QVERIFY(plain.startsWith("--lang=de --proxy-server=http://127.0.0.1:4242 "
                                 "--proxy-bypass-list=<-loopback> "
                                 "--enable-features=BlockInsecurePrivateNetworkRequests,"));
        QVERIFY(plain.endsWith(",PrivateNetworkAccessRespectPreflightResults "
                               "--force-webrtc-ip-handling-policy=disable_non_proxied_udp"));
    }

    // Whatever proxy the user names, every request goes through the program's, this
    // computer's addresses included.
    void theProgramsProxyReplacesAnyOther()
    {
        const QByteArray flags = engineFlags(
            "--proxy-server=socks5://elsewhere:1080 --no-proxy-server --proxy-auto-detect "
            "--proxy-pac-url=http://wpad/proxy.pac --proxy-bypass-list=* -no-proxy-server "
            "-proxy-server=direct:// --lang=de",
            true, 4242);
        QCOMPARE(startingWith(flags, "--proxy-server"),
                 QByteArrayList{"--proxy-server=http://127.0.0.1:4242"});
        QCOMPARE(startingWith(flags, "--proxy-bypass-list"),
                 QByteArrayList{"--proxy-bypass-list=<-loopback>"});
        for (const char *gone : {"--no-proxy-server", "--proxy-auto-detect", "--proxy-pac-url",
                                 "-no-proxy", "-proxy-server=direct"})
            QVERIFY2(startingWith(flags, gone).isEmpty(), gone);
        QCOMPARE(startingWith(flags, "--lang"), QByteArrayList{"--lang=de"});
    }

    void defaultsAreAskedForByTheEnvironment()
    {
        qunsetenv("QUILLERY_BROWSER_DEFAULTS");
        QVERIFY(engineMemorySavingWanted());
        for (const char *value : {"0", "1"}) {
            qputenv("QUILLERY_BROWSER_DEFAULTS", value);
            QCOMPARE(engineMemorySavingWanted(), qstrcmp(value, "1") != 0);
        }
        qunsetenv("QUILLERY_BROWSER_DEFAULTS");
    }
};

QTEST_GUILESS_MAIN(tst_engineflags)
#include "tst_engineflags.moc"
