// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderModelRun.h"

#include "BinderFixture.h"
#include "EncryptedFixture.h"
#include "RuntimeDir.h"
#include "SaveFaults.h"
#include "TestSupport.h"
#include "documents/BinderKey.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/EncryptCommands.h"
#include "documents/EncryptedBinder.h"
#include "documents/NewPage.h"
#include "documents/PageCommands.h"
#include "documents/RecoveryCapture.h"
#include "documents/RecoveryStore.h"
#include "documents/SecretStream.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "transfer/PageImport.h"
#include "transfer/RecoveryOpener.h"

#include <QDir>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <sys/stat.h>

namespace quillery::test {

namespace {

// Every page's bytes and every page name the run makes carry a marker of their own, so that
// a file can be searched for what it should no longer hold. Filler is lower case only.
QByteArray bytesMarker(int id)
{
    return "PG" + QByteArray::number(id).rightJustified(6, '0');
}
QString nameMarker(int id)
{
    return QStringLiteral("NM%1").arg(id, 6, 10, QChar(u'0'));
}

struct ModelPage
{
    QString name;
    QByteArray kind;
    QByteArray bytes;
    bool operator==(const ModelPage &) const = default;
};
using Model = QList<ModelPage>;

// The markers a file may hold for a model.
QSet<QByteArray> markersOf(const Model &model)
{
    QSet<QByteArray> markers;
    for (const ModelPage &page : model) {
        if (page.bytes.startsWith("PG"))
            markers << page.bytes.left(8);
        if (page.name.startsWith(u"NM"))
            markers << page.name.toLatin1().left(8);
    }
    return markers;
}

// Every marker in the bytes, whether a model still holds it or not.
QSet<QByteArray> markersIn(const QByteArray &bytes)
{
    QSet<QByteArray> found;
    for (const char *prefix : {"PG", "NM"}) {
        for (qsizetype at = bytes.indexOf(prefix); at >= 0; at = bytes.indexOf(prefix, at + 2)) {
            const QByteArray marker = bytes.mid(at, 8);
            if (std::all_of(marker.begin() + 2, marker.end(),
                            [](char c) { return std::isdigit(uchar(c)); }) &&
                marker.size() == 8)
                found << marker;
        }
    }
    return found;
}

// The test's own reader of a binder file, from its byte layout: a header of four characters,
// the lump count and the directory's offset, then 16-byte directory entries (offset, length,
// name padded with NULs), all numbers 32-bit little-endian. Lump 1 holds the records, one
// key=value a line with \\, \n and \r escaped; each further lump is a page named by its kind.
quint32 le32(const QByteArray &bytes, qsizetype at)
{
    const auto *b = reinterpret_cast<const uchar *>(bytes.constData() + at);
    return quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24;
}

QString unescaped(const QByteArray &value)
{
    QByteArray out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char c = value[++i];
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            out += value[i];
        }
    }
    return QString::fromUtf8(out);
}

struct FileImage
{
    QList<QByteArray> kinds;
    QList<QByteArray> pages;
    QHash<QString, QString> records;
};

// The image of a binder file, or the fault that stops it being read.
std::variant<FileImage, QString> readImage(const QByteArray &file)
{
    if (file.size() < 12 || !file.startsWith("QLY4"))
        return QStringLiteral("no binder header");
    const qint64 count = le32(file, 4);
    const qint64 directory = le32(file, 8);
    if (count < 1 || directory + count * 16 > file.size())
        return QStringLiteral("directory outside the file");
    FileImage image;
    QByteArray records;
    for (qint64 n = 0; n < count; ++n) {
        const qsizetype entry = directory + n * 16;
        const qint64 offset = le32(file, entry);
        const qint64 length = le32(file, entry + 4);
        if (offset + length > file.size())
            return QStringLiteral("lump %1 outside the file").arg(n + 1);
        const QByteArray name = file.mid(entry + 8, 8).replace('\0', QByteArray());
        if (n == 0) {
            records = file.mid(offset, length);
        } else {
            image.kinds << name;
            image.pages << file.mid(offset, length);
        }
    }
    for (const QByteArray &line : records.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            image.records.insert(QString::fromUtf8(line.left(equals)),
                                 unescaped(line.mid(equals + 1)));
    }
    return image;
}

QString differences(const FileImage &image, const Model &model)
{
    if (image.records.value(QStringLiteral("Pages")) != QString::number(model.size()) ||
        image.pages.size() != model.size())
        return QStringLiteral("%1 pages in the file (%2 in its records), %3 in the model")
            .arg(image.pages.size())
            .arg(image.records.value(QStringLiteral("Pages")))
            .arg(model.size());
    for (qsizetype n = 0; n < model.size(); ++n) {
        const ModelPage &page = model.at(n);
        const QString name = image.records.value(QStringLiteral("Page%1").arg(n + 1));
        if (name != page.name || image.kinds.at(n) != page.kind || image.pages.at(n) != page.bytes)
            return QStringLiteral("page %1 is %2 (%3, %4 bytes), the model's %5 (%6, %7 bytes)")
                .arg(n + 1)
                .arg(name, QString::fromLatin1(image.kinds.at(n)))
                .arg(image.pages.at(n).size())
                .arg(page.name, QString::fromLatin1(page.kind))
                .arg(page.bytes.size());
    }
    return QString();
}

ino_t inodeOf(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

class ModelRun
{
public:
    explicit ModelRun(const std::function<int(int)> &choose)
        : m_choose(choose), m_store(m_f.path(QStringLiteral("state")))
    {
        m_path = m_f.makeBinder(QStringLiteral("model.qly"), {});
        m_binder = m_f.open(m_path);
        m_inode = inodeOf(m_path);
    }

    QString step()
    {
        using Operation = QString (ModelRun::*)();
        static const QList<QPair<int, Operation>> operations = {
            {14, &ModelRun::importPage}, {3, &ModelRun::addEmptyPage},
            {6, &ModelRun::deletePage},  {5, &ModelRun::moveAPage},
            {6, &ModelRun::renamePage},  {9, &ModelRun::changePage},
            {6, &ModelRun::undo},        {4, &ModelRun::redo},
            {10, &ModelRun::save},       {6, &ModelRun::saveCutShort},
            {2, &ModelRun::reopen},      {2, &ModelRun::encryptOrDecrypt},
            {2, &ModelRun::recover},
        };
        int total = 0;
        for (const auto &operation : operations)
            total += operation.first;
        int pick = m_choose(total);
        for (const auto &[weight, operation] : operations) {
            if (pick < weight) {
                m_done << (this->*operation)();
                break;
            }
            pick -= weight;
        }
        const QString fault = check();
        return fault.isEmpty() ? QString()
                               : fault + QStringLiteral("\nafter: ") + m_done.join(", ");
    }

private:
    int choose(int n) { return n <= 1 ? 0 : m_choose(n); }
    int pageCount() const { return int(m_model.size()); }

    QByteArray newBytes()
    {
        const int id = ++m_serial;
        // Now and then a page large enough that zeroing it takes several rounds.
        const int length = choose(10) == 0 ? 70000 + choose(70000) : choose(3000);
        // The letters follow from the marker, so that a choice is not spent on each.
        QRandomGenerator letters{quint32(id)};
        QByteArray filler(length, 'a');
        for (char &c : filler)
            c = char('a' + letters.bounded(26));
        return bytesMarker(id) + filler + bytesMarker(id);
    }

    // A step of the history begins: the model as it is now can be had back by undo.
    void pushHistory()
    {
        m_undo << m_model;
        m_redo.clear();
    }

    QString importPage()
    {
        const QByteArray bytes = newBytes();
        const bool plain = choose(2) == 0;
        const QString name = nameMarker(m_serial);
        const QString file =
            m_f.file(name + (plain ? QStringLiteral(".txt") : QStringLiteral(".bin")), bytes);
        if (!importFile(*m_f.workspace, *m_binder, file, PageKind::Unknown))
            return QStringLiteral("FAILED import");
        pushHistory();
        // Text pages are named without their extension, other files with it.
        m_model << ModelPage{plain ? name : name + QStringLiteral(".bin"), plain ? "TXT" : "FILE",
                             bytes};
        return QStringLiteral("import");
    }

    QString addEmptyPage()
    {
        quillery::addEmptyPage(*m_f.workspace, *m_binder, PageKind::TXT);
        pushHistory();
        m_model << ModelPage{QStringLiteral("Page %1").arg(pageCount() + 1), "TXT", {}};
        return QStringLiteral("add");
    }

    QString deletePage()
    {
        if (m_model.isEmpty())
            return QStringLiteral("-");
        const int position = 1 + choose(pageCount());
        m_binder->push(std::make_unique<RemovePagesCommand>(*m_f.workspace, *m_binder, position, 1,
                                                            QStringLiteral("Delete")));
        pushHistory();
        m_model.removeAt(position - 1);
        return QStringLiteral("delete %1").arg(position);
    }

    QString moveAPage()
    {
        if (pageCount() < 2)
            return QStringLiteral("-");
        const int from = 1 + choose(pageCount());
        const int to = 1 + choose(pageCount());
        if (from == to)
            return QStringLiteral("-");
        m_binder->push(std::make_unique<MovePageCommand>(*m_binder, from, to));
        pushHistory();
        m_model.move(from - 1, to - 1);
        return QStringLiteral("move %1 %2").arg(from).arg(to);
    }

    QString renamePage()
    {
        if (m_model.isEmpty())
            return QStringLiteral("-");
        const int position = 1 + choose(pageCount());
        const QString name = nameMarker(++m_serial);
        PageFields fields = PageFields::of(m_binder->page(position));
        fields.name = name;
        m_binder->push(std::make_unique<ChangePageCommand>(*m_binder, position, fields,
                                                           QStringLiteral("Rename")));
        pushHistory();
        m_model[position - 1].name = name;
        return QStringLiteral("rename %1").arg(position);
    }

    // As the page editor stores a page: the new bytes in a data file of the binder's.
    QString changePage()
    {
        if (m_model.isEmpty())
            return QStringLiteral("-");
        const int position = 1 + choose(pageCount());
        const QByteArray bytes = newBytes();
        PageRow row = m_binder->page(position);
        TempFolder &temp = scratchFolder(*m_f.workspace, *m_binder);
        const QString path = temp.createFile();
        temp.registerFile(path);
        fileio::writeWhole(path, bytes);
        row.size = bytes.size();
        row.key.serial = m_binder->takeSerial();
        row.key.offset = -1;
        row.key.length = -1;
        row.key.location = path;
        m_binder->push(
            std::make_unique<ReplacePageDataCommand>(*m_f.workspace, *m_binder, position, row));
        pushHistory();
        m_model[position - 1].bytes = bytes;
        return QStringLiteral("change %1").arg(position);
    }

    QString undo()
    {
        if (m_undo.isEmpty())
            return QStringLiteral("-");
        m_binder->undo();
        m_redo << m_model;
        m_model = m_undo.takeLast();
        return QStringLiteral("undo");
    }

    QString redo()
    {
        if (m_redo.isEmpty())
            return QStringLiteral("-");
        m_binder->redo();
        m_undo << m_model;
        m_model = m_redo.takeLast();
        return QStringLiteral("redo");
    }

    bool saveNow() { return saveBinderFile(*m_f.workspace, *m_binder, m_path); }

    void noteSaved()
    {
        m_saved = m_model;
        m_savedEncrypted = m_encrypted;
        const ino_t inode = inodeOf(m_path);
        // A file written anew holds nothing of what a cut save may have left.
        if (inode != m_inode)
            m_leftovers = false;
        m_inode = inode;
    }

    QString save()
    {
        // Where holes cannot be made, replaced bytes are written over with zeros.
        savefaults::holeError = choose(3) == 0 ? EOPNOTSUPP : 0;
        const bool saved = saveNow();
        savefaults::holeError = 0;
        if (!saved)
            return QStringLiteral("FAILED save");
        noteSaved();
        return QStringLiteral("save");
    }

    // A save killed at a random call; the program starts again and opens the binder.
    QString saveCutShort()
    {
        const long step = choose(120);
        savefaults::holeError = choose(3) == 0 ? EOPNOTSUPP : 0;
        // The child has none of the parent's threads: nothing may be left for them to do.
        finishRetiringShadowCopies();
        const int end = savefaults::runDyingAt(step, [this] { return saveNow(); });
        savefaults::holeError = 0;
        if (end != savefaults::ChildKilled && end != savefaults::ChildSaved)
            return QStringLiteral("FAILED cut save at %1 (ended %2)").arg(step).arg(end);
        const QByteArray file = readFile(m_path);
        bool isNew = end == savefaults::ChildSaved;
        if (!isNew) {
            const QString asOld = fileFault(file, m_saved, m_savedEncrypted);
            const QString asNew = fileFault(file, m_model, m_encrypted);
            if (!asOld.isEmpty() && !asNew.isEmpty())
                return QStringLiteral("FAILED cut save at %1: neither old (%2) nor new (%3)")
                    .arg(step)
                    .arg(asOld, asNew);
            isNew = !asOld.isEmpty();
            m_leftovers = true;
        }
        if (isNew)
            noteSaved();
        m_model = m_saved;
        m_encrypted = m_savedEncrypted;
        startAgain();
        return QStringLiteral("cut save at %1 (%2)").arg(step).arg(isNew ? "new" : "old");
    }

    void startAgain()
    {
        m_binder->discardChanges();
        m_binder.reset();
        if (m_encrypted)
            m_f.ui.passphrases << TestPassphrase;
        m_binder = m_f.open(m_path);
        m_undo.clear();
        m_redo.clear();
    }

    QString reopen()
    {
        m_model = m_saved;
        m_encrypted = m_savedEncrypted;
        startAgain();
        return QStringLiteral("reopen");
    }

    QString encryptOrDecrypt()
    {
        if (!m_runtime.isValid())
            return QStringLiteral("-");
        if (!m_encrypted) {
            setPassphrase(*m_f.workspace, *m_binder, TestPassphrase, KdfLimits::lowest());
            m_encrypted = true;
            if (!saveNow())
                return QStringLiteral("FAILED encrypting save");
            noteSaved();
            return QStringLiteral("encrypt");
        }
        // Saving as a plain binder over itself: the answer No to "save it encrypted?".
        m_f.dialogs.queueMessage(MsgResult::No);
        if (!saveAsChoosingEncryption(*m_f.workspace, *m_binder, [this] { return saveNow(); }))
            return QStringLiteral("FAILED decrypting save");
        m_encrypted = false;
        noteSaved();
        return QStringLiteral("decrypt");
    }

    // A snapshot written, the program killed, and the binder recovered from the snapshot.
    QString recover()
    {
        if (m_encrypted)
            return QStringLiteral("-");
        SnapshotFolder folder = m_store.create();
        const QString path = folder.path();
        writeSnapshot(path, captureSnapshot(*m_binder, false, std::nullopt));
        folder = SnapshotFolder();
        m_binder.reset();
        RecoveredBinder recovered =
            recoverBinder(*m_f.workspace, m_store.find(path), RecoverPurpose::Window);
        if (!recovered.binder)
            return QStringLiteral("FAILED recovery");
        m_binder = std::move(recovered.binder);
        QDir(path).removeRecursively();
        m_undo.clear();
        m_redo.clear();
        return QStringLiteral("recover");
    }

    // Why the file is not the model's binder; empty when it is.
    QString fileFault(const QByteArray &file, const Model &model, bool encrypted)
    {
        QByteArray plain = file;
        if (encrypted != isEncryptedBinderFile(m_path))
            return encrypted ? QStringLiteral("not encrypted") : QStringLiteral("encrypted");
        if (encrypted) {
            if (!markersIn(file).isEmpty())
                return QStringLiteral("plain page bytes or names in the encrypted file");
            try {
                plain = decrypted(m_path);
            } catch (const FileError &error) {
                return error.description();
            }
        }
        const auto image = readImage(plain);
        if (const QString *fault = std::get_if<QString>(&image))
            return *fault;
        return differences(std::get<FileImage>(image), model);
    }

    QString check()
    {
        if (m_done.last().startsWith(u"FAILED"))
            return m_done.last() + QStringLiteral(": ") +
                   (m_f.dialogs.calls().isEmpty() ? QString() : m_f.dialogs.calls().last().text);
        if (m_binder->pageCount() != pageCount())
            return QStringLiteral("the binder has %1 pages, the model %2")
                .arg(m_binder->pageCount())
                .arg(pageCount());
        for (int n = 1; n <= pageCount(); ++n) {
            if (m_binder->page(n).name != m_model.at(n - 1).name ||
                pageBytes(*m_binder, n) != m_model.at(n - 1).bytes)
                return QStringLiteral("the binder's page %1 is %2, the model's %3")
                    .arg(n)
                    .arg(m_binder->page(n).name, m_model.at(n - 1).name);
        }
        if (m_binder->history().canUndo() != !m_undo.isEmpty())
            return QStringLiteral("undo is %1").arg(m_undo.isEmpty() ? "offered" : "missing");
        const QByteArray file = readFile(m_path);
        const QString fault = fileFault(file, m_saved, m_savedEncrypted);
        if (!fault.isEmpty())
            return QStringLiteral("the file: ") + fault;
        if (!m_leftovers && !m_savedEncrypted) {
            const QSet<QByteArray> stale = markersIn(file) - markersOf(m_saved);
            if (!stale.isEmpty())
                return QStringLiteral("replaced bytes still in the file: ") +
                       QString::fromLatin1(stale.values().first());
        }
        return QString();
    }

    std::function<int(int)> m_choose;
    RuntimeDir m_runtime;
    BinderFixture m_f;
    RecoveryStore m_store;
    QString m_path;
    std::unique_ptr<Binder> m_binder;
    Model m_model;
    Model m_saved;
    QList<Model> m_undo;
    QList<Model> m_redo;
    bool m_encrypted = false;
    bool m_savedEncrypted = false;
    // A save was cut short since the file was last written whole: bytes it had no time to
    // erase may still be in it.
    bool m_leftovers = false;
    ino_t m_inode = 0;
    int m_serial = 0;
    QStringList m_done;
};

} // namespace

QString runBinderModel(int steps, const std::function<int(int)> &choose)
{
    ModelRun run(choose);
    for (int n = 0; n < steps; ++n) {
        const QString fault = run.step();
        if (!fault.isEmpty())
            return QStringLiteral("step %1: ").arg(n + 1) + fault;
    }
    return QString();
}

} // namespace quillery::test
