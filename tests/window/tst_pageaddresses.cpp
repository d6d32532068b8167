// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PageAddresses.h"

#include <QTest>

using namespace quillery;

namespace {

// Answers names from a table and notes what it was asked; it never sends anything.
struct FakeResolver
{
    QHash<QString, QList<QHostAddress>> answers;
    QStringList asked;

    Resolver resolver()
    {
        return [this](const QString &name) {
            asked << name;
            return answers.value(name);
        };
    }
};

QList<QHostAddress> addresses(const QStringList &texts)
{
    QList<QHostAddress> list;
    for (const QString &text : texts)
        list << QHostAddress(text);
    return list;
}

} // namespace

class tst_pageaddresses : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void addressesOffTheInternetAreRefusedInEverySpelling_data()
    {
        QTest::addColumn<QString>("host");
        const char *const hosts[] = {
            // loopback, as the resolver and the web engine read it
            "127.0.0.1",
            "127.255.1.2",
            "127.1",
            "0x7f.1",
            "2130706433",
            "0x7f000001",
            "0177.0.0.1",
            "017700000001",
            "0x7F.0.0.1",
            "127.0.0.1.",
            "::1",
            "[::1]",
            "0:0:0:0:0:0:0:1",
            // IPv6 carrying a local IPv4 address: mapped, compatible, NAT64, 6to4
            "::ffff:127.0.0.1",
            "::ffff:7f00:1",
            "[::ffff:192.168.1.1]",
            "::ffff:10.0.0.1",
            "::127.0.0.1",
            "::10.0.0.1",
            "64:ff9b::7f00:1",
            "64:ff9b::c0a8:101",
            "2002:7f00:1::1",
            "2002:c0a8:101::",
            // private
            "10.1.2.3",
            "172.16.0.1",
            "172.31.255.255",
            "192.168.1.1",
            "0xc0a80101",
            "3232235777",
            // link-local, unique local and the old site-local
            "169.254.9.9",
            "fe80::1",
            "fe80::1%eth0",
            "fc00::1",
            "fd12:3456::1",
            "fec0::1",
            // shared address space (carrier-grade NAT)
            "100.64.0.1",
            "100.127.255.255",
            // multicast, broadcast, reserved, unspecified
            "224.0.0.1",
            "239.255.255.250",
            "ff02::1",
            "ff0e::1",
            "255.255.255.255",
            "240.0.0.1",
            "0.0.0.0",
            "0",
            "0.1.2.3",
            "::",
            "[::]",
            // documentation, benchmarking, protocol assignments
            "192.0.2.1",
            "198.51.100.7",
            "203.0.113.9",
            "2001:db8::1",
            "3fff::1",
            "198.18.0.1",
            "198.19.255.255",
            "192.0.0.8",
            "192.88.99.1",
            // IPv6 outside the space given out for the internet, and Teredo
            "4000::1",
            "100::1",
            "fbff::1",
            "64:ff9b:1::1",
            "2001::1",
            "2001:1ff::1",
        };
        for (const char *host : hosts)
            QTest::newRow(host) << QString::fromLatin1(host);
    }

    void addressesOffTheInternetAreRefusedInEverySpelling()
    {
        QFETCH(QString, host);
        FakeResolver dns;
        dns.answers[host.toLower()] = addresses({"8.8.8.8"});
        QVERIFY(spelledAddress(host).has_value());
        QVERIFY(!isPublicAddress(*spelledAddress(host)));
        QVERIFY(addressesToConnect(host, dns.resolver()).isEmpty());
        QVERIFY(isLocalNetworkHost(host));
        // An address is what it spells: nobody is asked what else it might be.
        QVERIFY(dns.asked.isEmpty());
    }

    // The public neighbours of every range above pass, as spelt.
    void publicAddressesPass_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("address");
        const char *const rows[][2] = {
            {"8.8.8.8", "8.8.8.8"},
            {"134744072", "8.8.8.8"},
            {"0x8.0x8.0x8.0x8", "8.8.8.8"},
            {"010.8.8.8", "8.8.8.8"},
            {"8.8.8.8.", "8.8.8.8"},
            {"11.0.0.1", "11.0.0.1"},
            {"100.63.255.255", "100.63.255.255"},
            {"100.128.0.0", "100.128.0.0"},
            {"126.255.255.255", "126.255.255.255"},
            {"128.0.0.1", "128.0.0.1"},
            {"169.253.255.255", "169.253.255.255"},
            {"172.15.255.255", "172.15.255.255"},
            {"172.32.0.1", "172.32.0.1"},
            {"192.0.3.1", "192.0.3.1"},
            {"192.167.255.255", "192.167.255.255"},
            {"198.17.255.255", "198.17.255.255"},
            {"198.20.0.1", "198.20.0.1"},
            {"223.255.255.255", "223.255.255.255"},
            {"2606:4700::1111", "2606:4700::1111"},
            {"[2a00:1450:4001::200e]", "2a00:1450:4001::200e"},
            {"2001:200::1", "2001:200::1"},
            {"2001:db9::1", "2001:db9::1"},
            {"3ffe::1", "3ffe::1"},
            {"::ffff:8.8.8.8", "::ffff:8.8.8.8"},
            {"64:ff9b::808:808", "64:ff9b::808:808"},
            {"2002:808:808::1", "2002:808:808::1"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
    }

    void publicAddressesPass()
    {
        QFETCH(QString, host);
        QFETCH(QString, address);
        FakeResolver dns;
        QCOMPARE(addressesToConnect(host, dns.resolver()), addresses({address}));
        QVERIFY(!isLocalNetworkHost(host));
        QVERIFY(dns.asked.isEmpty());
    }

    // A name is judged by every address it resolves to, so one that also answers with an
    // address on this computer (DNS rebinding's usual trick) gets nothing; the addresses given
    // are exactly those judged.
    void namesAreJudgedByWhatTheyResolveTo_data()
    {
        QTest::addColumn<QStringList>("answer");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("loopback") << QStringList{"127.0.0.1"} << false;
        QTest::newRow("IPv6 loopback") << QStringList{"::1"} << false;
        QTest::newRow("private") << QStringList{"192.168.1.20"} << false;
        QTest::newRow("link-local") << QStringList{"169.254.169.254"} << false;
        QTest::newRow("unique local") << QStringList{"fd00::5"} << false;
        QTest::newRow("CGNAT") << QStringList{"100.100.100.100"} << false;
        QTest::newRow("multicast") << QStringList{"239.1.2.3"} << false;
        QTest::newRow("unspecified") << QStringList{"0.0.0.0"} << false;
        QTest::newRow("mapped private") << QStringList{"::ffff:192.168.1.1"} << false;
        QTest::newRow("public, then loopback")
            << QStringList{"93.184.216.34", "127.0.0.1"} << false;
        QTest::newRow("loopback, then public") << QStringList{"::1", "2606:2800:220:1::"} << false;
        QTest::newRow("no address") << QStringList{} << false;
        QTest::newRow("public") << QStringList{"93.184.216.34"} << true;
        QTest::newRow("public, both kinds")
            << QStringList{"2606:2800:220:1::", "93.184.216.34"} << true;
    }

    void namesAreJudgedByWhatTheyResolveTo()
    {
        QFETCH(QStringList, answer);
        QFETCH(bool, allowed);
        FakeResolver dns;
        dns.answers["www.example.org"] = addresses(answer);
        const QList<QHostAddress> given = addressesToConnect("WWW.Example.ORG.", dns.resolver());
        QCOMPARE(dns.asked, QStringList{"www.example.org"});
        QCOMPARE(given, allowed ? addresses(answer) : QList<QHostAddress>());
        // Before the lookup the name looks like any other.
        QVERIFY(!isLocalNetworkHost("www.example.org"));
    }

    // Names of this computer, and names without a dot (which the local network's own domains
    // answer), are refused without a lookup, whatever a resolver would say. Text that only
    // looks like an address is a name, and is looked up.
    void localNamesAreNeverLookedUp()
    {
        FakeResolver dns;
        for (const char *name : {"localhost", "LOCALHOST.", "a.b.localhost", "nas", "router.",
                                 "0x1ffffffff", "4294967296"}) {
            dns.answers[QString::fromLatin1(name).toLower()] = addresses({"8.8.8.8"});
            QVERIFY2(addressesToConnect(QLatin1String(name), dns.resolver()).isEmpty(), name);
            QVERIFY2(isLocalNetworkHost(QLatin1String(name)), name);
        }
        QCOMPARE(dns.asked, QStringList());

        for (const char *name : {"localhost.example.org", "mylocalhost.example.org", "1.2.3.4.5",
                                 "256.1.1.1", "127.0.0.08", "0x.1.2.3z", "1..2", " 127.0.0.1"}) {
            QVERIFY2(!spelledAddress(QLatin1String(name)), name);
            QVERIFY2(!isLocalNetworkHost(QLatin1String(name)), name);
        }
        QVERIFY(addressesToConnect("", dns.resolver()).isEmpty());
        QCOMPARE(dns.asked, QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_pageaddresses)
#include "tst_pageaddresses.moc"
