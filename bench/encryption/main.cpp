// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and saving a large encrypted binder against cp + sync of the same file, and
// against the cipher alone.
//
// A binder of 1,024 pages (1 GiB unless --size says otherwise) is saved plain and then
// encrypted by the program's own code. Then, several times each, every step starting from
// the same state (the encrypted file read into the cache, nothing left to write back):
// the encrypted file is copied with /bin/cp and synced, the reference, since a save syncs
// what it writes; the encrypted binder is opened (the passphrase prompt, where the key is
// made with Argon2id, is timed apart and left out) and saved again, which writes the whole
// container anew; the container is decrypted into /dev/null and the plain copy encrypted
// into /dev/null, the least an open or a save can take; the plain binder is saved under
// another name (which writes it whole).
//
// Usage: bench_encryption [--size MIB] [--reps N] [--dir FOLDER]

#include "../binder_io/LoadAverage.h"
#include "../binder_io/Noise.h"
#include "documents/Binder.h"
#include "documents/BinderKey.h"
#include "documents/BinderSaver.h"
#include "documents/EncryptedBinder.h"
#include "documents/Interaction.h"
#include "documents/NewBinder.h"
#include "documents/PageKind.h"
#include "documents/PassphrasePrompt.h"
#include "documents/PlainSource.h"
#include "documents/SecretStream.h"
#include "documents/Workspace.h"
#include "platform/ConsoleDialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/TempFolder.h"
#include "transfer/BinderOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace quillery;

namespace {

constexpr qint64 MiB = 1 << 20;
constexpr int Pages = 1024;
// Open and save against cp + sync, by the clock; their processor time against the
// cipher's alone.
constexpr double TimeTarget = 1.3;
constexpr double CpuTarget = 1.5;
const QString Passphrase = QStringLiteral("bench passphrase");

struct Failure
{
    QString what;
};

[[noreturn]] void fail(const QString &what)
{
    throw Failure{what};
}

struct Sample
{
    double seconds = 0;
    double cpu = 0; // user and system time of this process and the programs it ran
};

// Processor time does not stretch when other work shares the machine, as wall-clock
// time does.
double cpuSeconds()
{
    double total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        struct rusage usage;
        ::getrusage(who, &usage);
        for (const timeval &t : {usage.ru_utime, usage.ru_stime})
            total += double(t.tv_sec) + double(t.tv_usec) / 1e6;
    }
    return total;
}

Sample timed(const std::function<void()> &step)
{
    const double cpu = cpuSeconds();
    QElapsedTimer timer;
    timer.start();
    step();
    return {double(timer.nsecsElapsed()) / 1e9, cpuSeconds() - cpu};
}

double median(const std::vector<Sample> &samples, double Sample::*field)
{
    std::vector<double> values;
    for (const Sample &sample : samples)
        values.push_back(sample.*field);
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void copyAndSync(const QString &from, const QString &to)
{
    if (QProcess::execute(QStringLiteral("/bin/cp"), {from, to}) != 0)
        fail(QStringLiteral("cp failed"));
    UniqueFd fd(::open(QFile::encodeName(to).constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid() || ::fdatasync(fd.get()) != 0)
        fail(QStringLiteral("cannot sync ") + to);
}

// Reads a file through once, so that cp and opening find it in memory.
void readIntoCache(const QString &path)
{
    UniqueFd fd = fileio::openForReading(path);
    std::vector<char> buffer(8 << 20);
    while (::read(fd.get(), buffer.data(), buffer.size()) > 0) {
    }
}

// The plain binder: every page a range of one noise file, as pages of an opened binder
// are ranges of its working copy.
void makePlainBinder(Workspace &workspace, const QString &folder, qint64 size,
                     const QString &target)
{
    const QString source = folder + QStringLiteral("/pages.dat");
    bench::writeNoise(source, size);
    Binder binder;
    makeNewBinder(workspace, binder, false);
    for (int i = 0; i < Pages; ++i) {
        PageRow row;
        row.name = QStringLiteral("Page %1").arg(i + 1);
        row.key.serial = binder.takeSerial();
        row.key.offset = size * i / Pages;
        row.key.length = size * (i + 1) / Pages - row.key.offset;
        row.size = row.key.length;
        row.key.kind = StoredKind(PageKind::FILE);
        row.key.location = u'|' + source;
        row.key.colour = NoColour;
        binder.appendLoadedPages({row});
    }
    if (!saveBinderFile(workspace, binder, target))
        fail(QStringLiteral("could not save the plain binder"));
    fileio::removeIfExists(source);
}

// Answers the passphrase prompt and keeps how long making and trying the key took.
class TimedUi : public Interaction
{
public:
    Sample key;

    void askPassphrase(PassphrasePrompt &prompt) override
    {
        key = timed([&] { prompt.ok(Passphrase); });
    }
};

QString seconds(double s)
{
    return s >= 1 ? QStringLiteral("%1 s").arg(s, 0, 'f', 3)
                  : QStringLiteral("%1 ms").arg(s * 1000, 0, 'f', 1);
}

struct Step
{
    const char *name;
    std::vector<Sample> runs;
    const Step *cipher = nullptr; // the cipher alone, for a step held to the targets
};

void printStep(const Step &step, const Step &reference)
{
    QStringList runs;
    for (const Sample &run : step.runs)
        runs << seconds(run.seconds);
    const double m = median(step.runs, &Sample::seconds);
    const double versus = m / median(reference.runs, &Sample::seconds);
    const double cpu = median(step.runs, &Sample::cpu);
    QString cpuVersus;
    QString verdict;
    if (step.cipher) {
        const double cpuRatio = cpu / median(step.cipher->runs, &Sample::cpu);
        cpuVersus = QStringLiteral("%1x").arg(cpuRatio, 0, 'f', 2);
        verdict = QStringLiteral("  [time %1, cpu %2]")
                      .arg(QLatin1String(versus <= TimeTarget ? "ok" : "MISSED"),
                           QLatin1String(cpuRatio <= CpuTarget ? "ok" : "MISSED"));
    }
    std::printf("  %-22s %10s %10.2fx %10s %12s   %s%s\n", step.name, qPrintable(seconds(m)),
                versus, qPrintable(seconds(cpu)), qPrintable(cpuVersus),
                qPrintable(runs.join(QStringLiteral(", "))), qPrintable(verdict));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qint64 size = 1024 * MiB;
    int reps = 3;
    QString dir = QDir::tempPath();
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == u"--size" && i + 1 < args.size())
            size = std::max<qint64>(1, args[++i].toLongLong()) * MiB;
        else if (args[i] == u"--reps" && i + 1 < args.size())
            reps = std::max(1, args[++i].toInt());
        else if (args[i] == u"--dir" && i + 1 < args.size())
            dir = args[++i];
        else {
            std::fprintf(stderr,
                         "usage: bench_encryption [--size MIB] [--reps N] [--dir FOLDER]\n");
            return 2;
        }
    }

    QTemporaryDir root(dir + QStringLiteral("/bench_encryption-XXXXXX"));
    try {
        if (!root.isValid())
            fail(QStringLiteral("cannot make a scratch folder in ") + dir);
        TempFolder temp(root.filePath(QStringLiteral("tmp")));
        ConsoleDialogs dialogs;
        TimedUi ui;
        Workspace workspace(temp, dialogs, ui);
        workspace.authorName = QStringLiteral("bench");
        const QString plain = root.filePath(QStringLiteral("plain.qly"));
        const QString encrypted = root.filePath(QStringLiteral("encrypted.qly"));
        const QString copy = root.filePath(QStringLiteral("copy.qly"));

        std::printf("scratch folder %s; making a binder of %lld MiB...\n", qPrintable(root.path()),
                    size / MiB);
        bench::printLoad("before");
        std::fflush(stdout);
        makePlainBinder(workspace, root.path(), size, plain);
        Sample keyMaking;
        {
            std::unique_ptr<Binder> binder = openFile(workspace, plain);
            if (!binder)
                fail(QStringLiteral("the plain binder does not open"));
            keyMaking = timed([&] { setPassphrase(workspace, *binder, Passphrase); });
            if (!saveBinderFile(workspace, *binder, encrypted))
                fail(QStringLiteral("the binder could not be saved encrypted"));
        }
        temp.deleteRegistered();

        // Every step starts alike: the container in the cache, nothing dirty to write back.
        const auto sameStart = [&] {
            readIntoCache(encrypted);
            ::sync();
        };
        const auto intoNull = [] {
            UniqueFd null(::open("/dev/null", O_WRONLY | O_CLOEXEC));
            if (!null.valid())
                fail(QStringLiteral("cannot open /dev/null"));
            return null;
        };
        Step cpSync{"cp + sync", {}};
        Step decrypting{"  decrypting alone", {}};
        Step encrypting{"  encrypting alone", {}};
        Step key{"  key (Argon2id)", {}};
        Step open{"encrypted open", {}, &decrypting};
        Step save{"encrypted save", {}, &encrypting};
        Step plainSaveAs{"plain save as", {}};
        for (int rep = 0; rep < reps; ++rep) {
            sameStart();
            cpSync.runs.push_back(timed([&] { copyAndSync(encrypted, copy); }));
            fileio::removeIfExists(copy);

            sameStart();
            std::unique_ptr<Binder> binder;
            const Sample opening = timed([&] { binder = openFile(workspace, encrypted); });
            if (!binder || binder->pageCount() != Pages || !isEncrypted(*binder))
                fail(QStringLiteral("the encrypted binder did not open as it was saved"));
            key.runs.push_back(ui.key);
            open.runs.push_back({opening.seconds - ui.key.seconds, opening.cpu - ui.key.cpu});
            const BinderKey &binderKey = *binder->encryption()->key;
            sameStart();
            decrypting.runs.push_back(timed([&] {
                const ContainerReader reader(encrypted);
                reader.decryptInto(binderKey, intoNull().get(), QStringLiteral("/dev/null"));
            }));
            sameStart();
            encrypting.runs.push_back(timed([&] {
                FileSource source(binder->workingCopy());
                encryptInto(source, intoNull().get(), QStringLiteral("/dev/null"), binderKey);
            }));
            sameStart();
            binder->markChangedOutsideHistory();
            save.runs.push_back(timed([&] {
                if (!saveBinderFile(workspace, *binder, encrypted))
                    fail(QStringLiteral("the encrypted binder could not be saved"));
            }));
            binder.reset();

            binder = openFile(workspace, plain);
            if (!binder || binder->pageCount() != Pages)
                fail(QStringLiteral("the plain binder did not open as it was saved"));
            const QString savedAs = root.filePath(QStringLiteral("saved-as.qly"));
            sameStart();
            plainSaveAs.runs.push_back(timed([&] { saveBinderFile(workspace, *binder, savedAs); }));
            binder.reset();
            fileio::removeIfExists(savedAs);
            temp.deleteRegistered();
        }

        std::printf("\n%lld pages, encrypted file %s MiB, medians of %d; key made once for "
                    "encrypting in %s\n",
                    qlonglong(Pages),
                    qPrintable(QString::number(double(fileio::fileSize(encrypted)) / MiB, 'f', 1)),
                    reps, qPrintable(seconds(keyMaking.seconds)));
        std::printf("  %-22s %10s %11s %10s %12s   %s\n", "step", "time", "vs cp+sync", "CPU time",
                    "vs cipher", "runs");
        for (const Step *step :
             {&cpSync, &open, &key, &decrypting, &save, &encrypting, &plainSaveAs})
            printStep(*step, cpSync);
        std::printf("(targets: open and save within %.1fx cp + sync by the clock and %.1fx the "
                    "cipher alone in processor time; encrypted open leaves out the key; save "
                    "writes and syncs the whole container, as cp + sync does; decrypting and "
                    "encrypting alone read their input and write into /dev/null; CPU time "
                    "counts this process and cp, not the kernel's write-back)\n",
                    TimeTarget, CpuTarget);
        bench::printLoad("after");
    } catch (const Failure &failure) {
        std::fprintf(stderr, "bench_encryption: %s\n", qPrintable(failure.what));
        return 1;
    } catch (const FileError &error) {
        std::fprintf(stderr, "bench_encryption: %s\n", qPrintable(error.description()));
        return 1;
    }
    return 0;
}
