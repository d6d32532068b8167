// SPDX-License-Identifier: GPL-3.0-or-later
// Random sequences of what a user and a crash do to a binder, from fixed seeds, each step
// checked against a model of the binder by a reader of the file of the test's own.
#include "BinderModelRun.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

using namespace quillery::test;

namespace {
constexpr int Steps = 250;
}

class tst_bindermodel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Memory spares the run the disk's syncs, which are thousands and check nothing here: the
    // cuts are made by killing, not by losing power.
    void initTestCase()
    {
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }

    void randomStepsKeepTheFileTheModelsBinder_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 8; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }

    void randomStepsKeepTheFileTheModelsBinder()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        const QString fault = runBinderModel(Steps, [&](int n) { return int(random.bounded(n)); });
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
};

QTEST_GUILESS_MAIN(tst_bindermodel)
#include "tst_bindermodel.moc"
