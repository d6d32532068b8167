// SPDX-License-Identifier: GPL-3.0-or-later
// The page editor on large pages, each figure beside a bare QTextEdit doing the same work in
// the same run: opening a 1 MB and a 5 MB rich page by Enter in a binder window's page list
// until the editor has painted its text, a keystroke until it is painted at the top, in the
// middle and at the end of both pages, Replace All of 10,000 occurrences in a 1 MB page, and
// saving the 5 MB page. Run it under a window system (QT_QPA_PLATFORM=xcb) to count what the
// window manager and the display add to opening.
// Usage: bench_editor [keystrokes [--typing]]; --typing types into the 5 MB page only, for a
// profiler.

#include "../window/Timing.h"
#include "PageHarness.h"
#include "RichPage.h"

#include "documents/BinderSaver.h"
#include "documents/RecoveryService.h"
#include "documents/RecoveryStore.h"
#include "editor/EditorWindow.h"
#include "editor/ReplaceDialog.h"
#include "platform/FileIo.h"
#include "platform/FontFamilies.h"
#include "platform/Settings.h"
#include "platform_ui/RichTextBox.h"
#include "shell/MainWindow.h"
#include "shell/ProgramApplication.h"
#include "window/BinderWindow.h"
#include "window/PageListView.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>

using namespace quillery;

namespace {

// About 1 MB of plain text holding the word "needle" the given number of times.
QString plainPage(int needles)
{
    const QString filler = QStringLiteral("hay hay hay hay hay hay hay hay hay hay hay hay ");
    QString text;
    text.reserve(1 << 20);
    for (int n = 0; n < needles; ++n) {
        text += filler;
        text += QStringLiteral("needle ");
        text += filler;
        if (n % 4 == 3)
            text += u'\n';
    }
    return text;
}

std::unique_ptr<EditorWindow> edit(PageHarness &h, int position)
{
    h.workspace.editMode =
        h.binder.page(position).key.kind == PageKind::RTF ? EditMode::Rich : EditMode::Plain;
    return std::make_unique<EditorWindow>(h.workspace, h.binder, position, nullptr);
}

void line(const char *what, double ours, double bare, const char *target = "")
{
    std::printf("%-44s %10.1f %10.1f   %s\n", what, ours, bare, target);
}

void showAndPaint(QWidget &window, QWidget *viewport, PaintWatch &paints)
{
    window.resize(900, 700);
    window.show();
    paints.settle({viewport});
}

double openBare(const QByteArray &rtf, PaintWatch &paints)
{
    // The bare box reads the same document as HTML, Qt's own import.
    RichTextBox reader;
    reader.setRtf(rtf);
    const QString html = reader.document()->toHtml();
    paints.forget();
    Stopwatch watch;
    QTextEdit bare;
    bare.setHtml(html);
    showAndPaint(bare, bare.viewport(), paints);
    return watch.ms();
}

// Processor time of this thread, ms, which counts little of what else the machine runs.
double processorMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Keystrokes
{
    Samples ms;
    Samples processorMs;
};

// Waits for the page editor's first paint of its text, notes the time and closes the editor.
class EditorPainted : public QObject
{
public:
    EditorPainted() { qApp->installEventFilter(this); }
    ~EditorPainted() override { qApp->removeEventFilter(this); }
    double ms = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (ms >= 0 || event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        auto *editor = qobject_cast<EditorWindow *>(static_cast<QWidget *>(watched)->window());
        if (!editor || watched != editor->textBox()->viewport())
            return false;
        ms = 0;
        // The paint runs after this filter; the timer fires once it is on the screen.
        QTimer::singleShot(0, editor, [this, editor] {
            ms = m_clock.ms();
            check(*editor);
            static_cast<QDialog *>(editor)->done(QDialog::Rejected);
        });
        return false;
    }

private:
    static void check(const EditorWindow &editor)
    {
        const RichTextBox &box = *editor.textBox();
        if (box.document()->isEmpty())
            std::printf("the editor painted before it had its text\n");
        if (box.verticalScrollBar()->value() != 0)
            std::printf("the editor did not open at the top of the page\n");
        if (editor.isWindowModified() || editor.changed())
            std::printf("the editor was marked changed by opening the page\n");
    }

    Stopwatch m_clock;
};

// A binder file holding the given rich pages, in page order.
void writeBinder(const QString &path, const QList<QByteArray> &pages)
{
    PageHarness h;
    for (const QByteArray &page : pages)
        h.addPage(QStringLiteral("RTF"), page);
    if (!saveBinderFile(h.workspace, h.binder, path))
        std::printf("cannot write %s\n", qPrintable(path));
}

// Opening, as a user does it: Enter on the page in a binder window's list, until the editor
// has painted the page's text. Prints the figure of each page.
void openByEnter(const QList<QByteArray> &pages, PaintWatch &paints)
{
    installFontSubstitutes(); // as the program does when it starts
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.qly"));
    writeBinder(path, pages);
    TempFolder temp(dir.filePath(QStringLiteral("tmp")));
    ScriptedDialogs dialogs;
    Settings settings(dir.filePath(QStringLiteral("settings.ini")));
    RecoveryService recovery(RecoveryStore(dir.filePath(QStringLiteral("recovery"))),
                             settings.recoveryDelayMs());
    MainWindow main(temp, dialogs, settings);
    main.watchBinder = [&recovery](Binder &binder) {
        recovery.watch(binder);
    };
    main.resize(1000, 700);
    main.show();
    main.openFile(path);
    BinderWindow *window = main.activeBinderWindow();
    if (!window) {
        std::printf("the binder did not open\n");
        return;
    }
    for (int position = 1; position <= pages.size(); ++position) {
        window->binder().setCurrentPosition(position);
        QAbstractItemView *list = window->pageList()->currentView();
        list->setFocus();
        paints.settle({list->viewport()});
        EditorPainted painted;
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        // Returns once the editor has painted and been closed.
        QApplication::sendEvent(list, &enter);
        const QByteArray what = QByteArray("open the ") +
                                QByteArray::number(qRound(pages.at(position - 1).size() / 1e6)) +
                                " MB page by Enter, to painted, ms";
        line(what.constData(), painted.ms, openBare(pages.at(position - 1), paints),
             "target < 500");
        if (window->binder().isChanged())
            std::printf("opening and closing the editor changed the binder\n");
    }
    if (!dialogs.calls().isEmpty())
        std::printf("the program showed a dialog titled '%s'\n",
                    qPrintable(dialogs.calls().first().title));
}

// One typed letter until the box has painted it.
Keystrokes keystrokes(QTextEdit &box, int position, int count, PaintWatch &paints)
{
    QTextCursor cursor = box.textCursor();
    cursor.setPosition(position);
    box.setTextCursor(cursor);
    box.setFocus();
    paints.settle({box.viewport()});
    Keystrokes samples;
    for (int n = 0; n < count; ++n) {
        paints.forget();
        const double processorBefore = processorMs();
        Stopwatch watch;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(&box, &press);
        QApplication::sendEvent(&box, &release);
        paints.settle({box.viewport()});
        samples.ms.add(watch.ms());
        samples.processorMs.add(processorMs() - processorBefore);
    }
    return samples;
}

// The first three fields of /proc/loadavg, to print beside the figures.
QByteArray loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return "unknown";
    return file.readAll().split(' ').mid(0, 3).join(' ');
}

// Typing at the top, in the middle and at the end of the page, each beside a bare box that
// holds a copy of the same document.
void typing(PageHarness &h, int position, int count, PaintWatch &paints)
{
    auto editor = edit(h, position);
    showAndPaint(*editor, editor->textBox()->viewport(), paints);
    QTextEdit bare;
    QTextDocument *copy = editor->textBox()->document()->clone(&bare);
    // The copy takes the editor's text options; the bare box has Qt's own.
    copy->setDefaultTextOption(QTextDocument().defaultTextOption());
    bare.setDocument(copy);
    showAndPaint(bare, bare.viewport(), paints);
    // Both have laid out the whole page, as they have by the time someone types.
    for (QTextEdit *box : {static_cast<QTextEdit *>(editor->textBox()), &bare})
        box->document()->documentLayout()->documentSize();
    const int end = editor->textBox()->document()->characterCount() - 1;
    std::printf("typing into %d paragraphs, load average %s\n",
                editor->textBox()->document()->blockCount(), loadAverage().constData());
    for (const auto &[where, at] :
         {std::pair{"top", 0}, std::pair{"middle", end / 2}, std::pair{"end", end}}) {
        const Keystrokes ours = keystrokes(*editor->textBox(), at, count, paints);
        const Keystrokes theirs = keystrokes(bare, at, count, paints);
        const QByteArray what = QByteArray("keystroke at the ") + where;
        line((what + ", median ms").constData(), ours.ms.median(), theirs.ms.median(),
             "target < 16");
        line((what + ", 95th percentile ms").constData(), ours.ms.p95(), theirs.ms.p95(),
             "target < 16");
        line((what + ", median processor ms").constData(), ours.processorMs.median(),
             theirs.processorMs.median());
    }
}

void replaceAll(PageHarness &h, PaintWatch &paints)
{
    const QString text = plainPage(10000);
    const int page = h.addPage(QStringLiteral("TXT"), text.toUtf8());
    auto editor = edit(h, page);
    showAndPaint(*editor, editor->textBox()->viewport(), paints);
    ReplaceDialog &dialog = editor->replaceDialog();
    dialog.txtFind()->setText(QStringLiteral("needle"));
    dialog.txtReplace()->setText(QStringLiteral("pin"));
    Stopwatch ours;
    dialog.replaceAll();
    paints.settle({editor->textBox()->viewport()});
    const double oursMs = ours.ms();
    if (editor->textBox()->text().contains(QStringLiteral("needle")))
        std::printf("Replace All left occurrences behind\n");

    // The bare box does what a Qt program would: find, replace, find on, in one edit block.
    QTextEdit bare;
    bare.setPlainText(text);
    showAndPaint(bare, bare.viewport(), paints);
    Stopwatch theirs;
    QTextCursor edit(bare.document());
    edit.beginEditBlock();
    for (QTextCursor found = bare.document()->find(QStringLiteral("needle")); !found.isNull();
         found = bare.document()->find(QStringLiteral("needle"), found)) {
        found.insertText(QStringLiteral("pin"));
    }
    edit.endEditBlock();
    paints.settle({bare.viewport()});
    line("Replace All, 10,000 in 1 MB, ms", oursMs, theirs.ms(), "target < 1000");
}

void save(PageHarness &h, int position, PaintWatch &paints)
{
    auto editor = edit(h, position);
    showAndPaint(*editor, editor->textBox()->viewport(), paints);
    Stopwatch ours;
    editor->savePage();
    const double oursMs = ours.ms();
    // The bare box writes the same document in Qt's own format, HTML.
    Stopwatch theirs;
    fileio::writeWhole(h.dir.filePath(QStringLiteral("bare.html")),
                       editor->textBox()->document()->toHtml().toUtf8());
    line("save the 5 MB page, ms", oursMs, theirs.ms());
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QApplication> app = makeProgramApplication(argc, argv);
    QStandardPaths::setTestModeEnabled(true); // leaves the user's own settings alone
    const int count = argc > 1 ? qMax(1, atoi(argv[1])) : 200;
    const bool typingOnly = argc > 2 && qstrcmp(argv[2], "--typing") == 0;

    PageHarness h;
    PaintWatch paints;
    const QByteArray oneMb = richPage(1 << 20);
    const QByteArray fiveMb = richPage(5 << 20);
    const int small = h.addPage(QStringLiteral("RTF"), oneMb);
    const int large = h.addPage(QStringLiteral("RTF"), fiveMb);
    std::printf("pages: %.1f MB and %.1f MB of RTF; %d keystrokes each\n\n",
                oneMb.size() / 1048576.0, fiveMb.size() / 1048576.0, count);
    std::printf("%-44s %10s %10s\n", "", "Quillery", "QTextEdit");
    if (typingOnly) {
        typing(h, large, count, paints);
        return 0;
    }
    openByEnter({oneMb, fiveMb}, paints);
    typing(h, small, count, paints);
    typing(h, large, count, paints);
    replaceAll(h, paints);
    save(h, large, paints);
    return 0;
}
