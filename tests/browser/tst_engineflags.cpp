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

QByteArrayList featureList(const QByteArray &flags, const QByteArray &kind)
{
    const QByteArrayList lists = startingWith(flags, kind);
    return lists.size() == 1 ? lists.first().mid(kind.size()).split(',') : QByteArrayList();
}

} // namespace

class tst_engineflags : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void usersSwitchesStayAndTheirFeatureListsGrow();
    void networkLimitsComeWithoutTheMemorySavings();
    void usersOwnSwitchIsNotRepeated();
    void defaultsAreAskedForByTheEnvironment();
};

// The engine reads only the last list of features of each kind, so the program's features
// join the user's list instead of following it.
void tst_engineflags::usersSwitchesStayAndTheirFeatureListsGrow()
{
    const QByteArray flags = engineFlags(" --force-device-scale-factor=2  --enable-features=Foo "
                                         "--disable-features=Bar,Baz ",
                                         true);
    QVERIFY(!flags.contains("  ") && !flags.startsWith(' ') && !flags.endsWith(' '));
    QCOMPARE(startingWith(flags, "--force-device-scale-factor"),
             QByteArrayList{"--force-device-scale-factor=2"});
    const QByteArrayList enabled = featureList(flags, "--enable-features=");
    QVERIFY(enabled.contains("Foo"));
    QVERIFY(enabled.contains("BlockInsecurePrivateNetworkRequests"));
    QCOMPARE(featureList(flags, "--disable-features="), (QByteArrayList{"Bar", "Baz"}));
    QCOMPARE(startingWith(flags, "--disable-gpu"), QByteArrayList{"--disable-gpu"});
    QCOMPARE(startingWith(flags, "--force-webrtc-ip-handling-policy"),
             QByteArrayList{"--force-webrtc-ip-handling-policy=disable_non_proxied_udp"});
}

void tst_engineflags::networkLimitsComeWithoutTheMemorySavings()
{
    for (const QByteArray &given : {QByteArray(), QByteArray("--lang=de")}) {
        const QByteArray flags = engineFlags(given, false);
        QVERIFY(featureList(flags, "--enable-features=")
                    .contains("BlockInsecurePrivateNetworkRequestsFromUnknown"));
        QVERIFY(flags.contains("--force-webrtc-ip-handling-policy=disable_non_proxied_udp"));
        QVERIFY(!flags.contains("--disable-gpu"));
        QCOMPARE(flags.startsWith("--lang=de "), !given.isEmpty());
    }
}

// A switch the user gave keeps the user's form; the program's network limits win over
// whatever the user set, as they are what keeps pages off this computer.
void tst_engineflags::usersOwnSwitchIsNotRepeated()
{
    const QByteArray flags =
        engineFlags("--disable-gpu --force-webrtc-ip-handling-policy=default", true);
    QCOMPARE(startingWith(flags, "--disable-gpu").size(), 1);
    QCOMPARE(startingWith(flags, "--force-webrtc").last(),
             QByteArray("--force-webrtc-ip-handling-policy=disable_non_proxied_udp"));
}

void tst_engineflags::defaultsAreAskedForByTheEnvironment()
{
    qunsetenv("QUILLERY_BROWSER_DEFAULTS");
    QVERIFY(engineMemorySavingWanted());
    qputenv("QUILLERY_BROWSER_DEFAULTS", "0");
    QVERIFY(engineMemorySavingWanted());
    qputenv("QUILLERY_BROWSER_DEFAULTS", "1");
    QVERIFY(!engineMemorySavingWanted());
    qunsetenv("QUILLERY_BROWSER_DEFAULTS");
}

QTEST_GUILESS_MAIN(tst_engineflags)
#include "tst_engineflags.moc"
