// SPDX-License-Identifier: GPL-3.0-or-later
// The reference for bench_keys_x11: what a plain Qt program does with the same pages. A list
// of the RTF files in a folder beside a read-only QTextEdit showing the current one; Enter
// opens the current file in an editable QTextEdit window, as the page editor opens a page.
// Pages are read through the program's own RTF reader into Qt's QTextDocument, so the
// difference from the program is the box and its layout, not the reading. In the editor F3
// puts the caret after the first occurrence of the needle, where the program's Find leaves
// it.
// Usage: bench_keys_x11_bare FOLDER NEEDLE

#include "platform/FileIo.h"
#include "rtf/RtfReader.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QSplitter>
#include <QTextEdit>

#include <cstdio>
#include <memory>

using namespace quillery;

namespace {

void readInto(const QString &path, QTextDocument *doc)
{
    QString error;
    if (!readRtf(fileio::readWhole(path), doc, &error))
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(path), qPrintable(error));
}

class BareEditor : public QTextEdit
{
public:
    BareEditor(const QString &path, const QString &needle) : m_needle(needle)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(QStringLiteral("Bare editor"));
        readInto(path, document());
        resize(900, 700);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_F3) {
            QTextCursor found = document()->find(m_needle);
            found.clearSelection();
            setTextCursor(found);
        } else if (event->key() == Qt::Key_Escape) {
            close();
        } else {
            QTextEdit::keyPressEvent(event);
        }
    }

private:
    QString m_needle;
};

class BarePages : public QSplitter
{
public:
    BarePages(const QString &folder, const QString &needle) : m_folder(folder), m_needle(needle)
    {
        setWindowTitle(QStringLiteral("Bare pages"));
        m_viewer->setReadOnly(true);
        addWidget(m_list);
        addWidget(m_viewer);
        setSizes({250, 750});
        m_list->addItems(QDir(folder).entryList({QStringLiteral("*.rtf")}, QDir::Files));
        connect(m_list, &QListWidget::currentRowChanged, this,
                [this] { readInto(currentPath(), m_viewer->document()); });
        m_list->installEventFilter(this);
        m_list->setCurrentRow(0);
        m_list->setFocus();
        resize(1000, 700);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_list && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return) {
            auto *editor = new BareEditor(currentPath(), m_needle);
            editor->show();
            return true;
        }
        return QSplitter::eventFilter(watched, event);
    }

private:
    QString currentPath() const { return m_folder + u'/' + m_list->currentItem()->text(); }

    QString m_folder;
    QString m_needle;
    QListWidget *m_list = new QListWidget;
    QTextEdit *m_viewer = new QTextEdit;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_keys_x11_bare FOLDER NEEDLE\n");
        return 2;
    }
    BarePages pages(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    pages.show();
    return app.exec();
}
