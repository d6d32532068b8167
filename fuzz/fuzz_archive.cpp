// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to everything that reads a binder file: the archive directory,
// lump reads, the info records, and a whole open, save and reopen of the binder.

#include "FuzzCheck.h"
#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/InfoRecords.h"
#include "documents/Interaction.h"
#include "documents/LumpArchive.h"
#include "documents/Password.h"
#include "documents/Workspace.h"
#include "platform/ConsoleDialogs.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/MessageButtons.h"
#include "platform/TempFolder.h"
#include "transfer/BinderOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillery;

namespace {

// Nobody reads the messages here; each box is closed without a choice.
class SilentDialogs : public ConsoleDialogs
{
public:
    MsgResult message(MsgIcon, MsgButtons buttons, const QString &, const QString &) override
    {
        return buttonResults(buttons).last();
    }
    void fileError(const QString &, const QString &, const QString &, const FileError &) override {}
};

// Types the right password, so that protected binders are opened all the way too.
class KnowingUi : public Interaction
{
public:
    Workspace *workspace = nullptr;
    void askPassword(PasswordPrompt &prompt) override
    {
        if (!prompt.ok(heldPassword(*workspace)))
            prompt.cancel();
    }
};

// One private folder per process, on a memory file system when there is one: every
// run saves a binder, and each save waits for its data to reach the disk.
struct Environment
{
    QString root;
    std::unique_ptr<TempFolder> temp;
    SilentDialogs dialogs;
    KnowingUi ui;
    std::unique_ptr<Workspace> workspace;

    Environment()
    {
        const QString base = QFileInfo(QStringLiteral("/dev/shm")).isDir()
                                 ? QStringLiteral("/dev/shm")
                                 : QDir::tempPath();
        root = base + QStringLiteral("/quillery-fuzz-%1").arg(::getpid());
        QDir(root).removeRecursively();
        if (::mkdir(QFile::encodeName(root).constData(), 0700) != 0)
            throw FileError::fromErrno(errno, root);
        temp = std::make_unique<TempFolder>(root + QStringLiteral("/tmp"));
        workspace = std::make_unique<Workspace>(*temp, dialogs, ui);
        workspace->authorName = QStringLiteral("fuzz");
        ui.workspace = workspace.get();
    }
    ~Environment() { QDir(root).removeRecursively(); }

    QString path(const QString &name) const { return root + u'/' + name; }
};

Environment *env = nullptr;

// Stored text must read back as itself.
void checkRecords(const QByteArray &text)
{
    InfoRecords first;
    first.loadText(text);
    const QByteArray stored = first.toText();
    InfoRecords second;
    second.loadText(stored);
    FUZZ_CHECK(second.size() == first.size());
    FUZZ_CHECK(second.toText() == stored);
}

// Reads every lump of an archive that the reader accepts, checks the bytes against the
// input, and writes the lumps back out as an archive that must read back the same.
void checkArchive(const QString &path, const QByteArray &input)
{
    QVector<Lump> lumps;
    try {
        lumps = LumpArchive::readDirectory(path, BinderHeader);
    } catch (const FileError &) {
        return;
    }
    LumpArchive archive(BinderHeader);
    archive.open(path);
    FUZZ_CHECK(archive.lumpCount() == lumps.size());

    LumpArchive copy(BinderHeader);
    copy.setLumpCount(int(lumps.size()));
    int named = -1; // the first lump called QUILLERY
    QVector<QByteArray> data;
    for (int i = 1; i <= archive.lumpCount(); ++i) {
        const Lump &lump = archive.lump(i);
        FUZZ_CHECK(lump.offset >= 0 && lump.length >= 0);
        FUZZ_CHECK(lump.offset + lump.length <= input.size());
        FUZZ_CHECK(lump.name.size() <= LumpArchive::MaxNameLength);
        data.append(LumpArchive::readBytes(path, lump.offset, lump.length));
        FUZZ_CHECK(data.last() == input.mid(lump.offset, lump.length));
        if (named < 0 && lump.name == RecordsLump)
            named = i - 1;
        copy.setLumpName(i, lump.name);
        copy.setLumpData(i, data.last());
    }

    try {
        const QByteArray bytes = archive.readNamedLump(path, RecordsLump);
        FUZZ_CHECK(named >= 0 && bytes == data[named]);
        checkRecords(bytes);
    } catch (const FileError &) {
        FUZZ_CHECK(named < 0);
    }

    const QString out = env->path(QStringLiteral("copy.lmp"));
    copy.write(out);
    const QVector<Lump> again = LumpArchive::readDirectory(out, BinderHeader);
    FUZZ_CHECK(again.size() == lumps.size());
    for (int i = 0; i < again.size(); ++i) {
        FUZZ_CHECK(again[i].name == lumps[i].name);
        FUZZ_CHECK(LumpArchive::readBytes(out, again[i].offset, again[i].length) == data[i]);
    }
    fileio::removeIfExists(out);
}

// The pages two binders show must match, data included.
void checkSamePages(const Binder &a, const Binder &b, const QVector<QByteArray> &data)
{
    FUZZ_CHECK(b.pageCount() == a.pageCount());
    FUZZ_CHECK(b.title() == a.title());
    for (int i = 0; i < a.pageCount(); ++i) {
        const PageRow &x = a.pages().at(i);
        const PageRow &y = b.pages().at(i);
        FUZZ_CHECK(x.name == y.name);
        FUZZ_CHECK(x.created == y.created);
        FUZZ_CHECK(x.modified == y.modified);
        FUZZ_CHECK(x.comments == y.comments);
        FUZZ_CHECK(x.size == y.size);
        FUZZ_CHECK(x.key.kind == y.key.kind);
        FUZZ_CHECK(x.key.colour == y.key.colour);
        FUZZ_CHECK(pageData(y.key) == data[i]);
    }
}

// Opens the input as a binder; a binder that opens must also open for inspection and
// must save, both under another name (rewriting it) and onto itself (adding to it where
// its pages allow), and each saved file must open to the same pages.
void checkBinder(const QString &path)
{
    Workspace &ws = *env->workspace;
    std::unique_ptr<Binder> opened = openFile(ws, path);
    if (!opened)
        return;
    QVector<QByteArray> data;
    for (int i = 0; i < opened->pageCount(); ++i)
        data.append(pageData(opened->pages().at(i).key));

    std::unique_ptr<Binder> inspected = openFile(ws, path, OpenPurpose::Inspect);
    FUZZ_CHECK(inspected);
    checkSamePages(*opened, *inspected, data);

    const QString saved = env->path(QStringLiteral("saved.qly"));
    FUZZ_CHECK(saveBinderFile(ws, *opened, saved));
    std::unique_ptr<Binder> reopened = openFile(ws, saved);
    FUZZ_CHECK(reopened);
    checkSamePages(*opened, *reopened, data);

    reopened.reset(); // releases the lock before the file goes
    removeCompanions(saved);
    fileio::removeIfExists(saved);

    std::unique_ptr<Binder> again = openFile(ws, path);
    FUZZ_CHECK(again);
    FUZZ_CHECK(saveBinderFile(ws, *again, path));
    again.reset();
    std::unique_ptr<Binder> appended = openFile(ws, path);
    FUZZ_CHECK(appended);
    checkSamePages(*opened, *appended, data);
    appended.reset();
    opened.reset();
    removeCompanions(path);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    static Environment environment;
    env = &environment;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(bytes), qsizetype(size));
    const QString path = env->path(QStringLiteral("input.qly"));
    fileio::writeWhole(path, input);

    checkRecords(input);
    checkArchive(path, input);
    checkBinder(path);

    removeCompanions(path);
    fileio::removeIfExists(path);
    env->temp->deleteRegistered();
    // Every scratch file the program made must have been registered for deletion.
    FUZZ_CHECK(QDir(env->temp->path())
                   .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
    return 0;
}
